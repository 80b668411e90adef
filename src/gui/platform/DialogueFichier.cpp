#include "DialogueFichier.h"

#include <QFileDialog>

QString DialogueFichier::fichierAOuvrir(const QString& titre, const QString& dossier,
                                        const QString& filtre)
{
    return QFileDialog::getOpenFileName(m_parent, titre, dossier, filtre);
}

QString DialogueFichier::dossierAChoisir(const QString& titre, const QString& dossier)
{
    return QFileDialog::getExistingDirectory(m_parent, titre, dossier);
}
