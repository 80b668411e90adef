#pragma once

#include "core/platform/ChoixFichier.h"

#include <QStringList>

// Stands in for the user in the file dialog: answers the path it was given
// (empty: cancelled) and records what the dialog was asked.
class ChoixFichierScripte : public ChoixFichier {
public:
    struct Demande {
        QString titre;
        QString dossier;
        QString filtre;
    };

    explicit ChoixFichierScripte(const QString& reponse = QString()) : m_reponse(reponse) {}
    void repond(const QString& reponse) { m_reponse = reponse; }
    const QList<Demande>& demandes() const { return m_demandes; }

    QString fichierAOuvrir(const QString& titre, const QString& dossier,
                           const QString& filtre) override
    {
        m_demandes.append({titre, dossier, filtre});
        return m_reponse;
    }
    QString dossierAChoisir(const QString& titre, const QString& dossier) override
    {
        m_demandes.append({titre, dossier, QString()});
        return m_reponse;
    }

private:
    QString m_reponse;
    QList<Demande> m_demandes;
};
