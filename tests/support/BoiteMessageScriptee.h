#pragma once

#include "core/platform/BoiteMessage.h"

#include <QList>
#include <QString>
#include <QStringList>

// Stands in for the user: answers from a script and records what was shown.
// With the script empty it answers OK, or Yes to a question.
class BoiteMessageScriptee : public BoiteMessage {
public:
    struct Affichee {
        QString texteDonne;
        Boutons boutons;
    };

    ReponseBoite montre(const QString& texte, Boutons boutons) override;

    void prevoit(ReponseBoite reponse) { m_script.append(reponse); }
    const QList<Affichee>& affichees() const { return m_affichees; }
    QStringList textes() const;
    QString dernierTexte() const
    {
        return m_affichees.isEmpty() ? QString() : m_affichees.last().texteDonne;
    }
    void vide() { m_affichees.clear(); }

private:
    QList<ReponseBoite> m_script;
    QList<Affichee> m_affichees;
};
