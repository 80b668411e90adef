#pragma once

#include "core/platform/ChoixFichier.h"

class QWidget;

// The platform's file dialog.
class DialogueFichier : public ChoixFichier {
public:
    explicit DialogueFichier(QWidget* parent = nullptr) : m_parent(parent) {}
    QString fichierAOuvrir(const QString& titre, const QString& dossier,
                           const QString& filtre) override;
    QString dossierAChoisir(const QString& titre, const QString& dossier) override;

private:
    QWidget* m_parent;
};
