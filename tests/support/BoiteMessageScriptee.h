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
        QString text;
        Boutons buttons;
    };

    ReponseBoite show(const QString& text, Boutons buttons) override;

    void queue(ReponseBoite answer) { m_script.append(answer); }
    const QList<Affichee>& shown() const { return m_affichees; }
    QStringList texts() const;
    QString dernierTexte() const
    {
        return m_affichees.isEmpty() ? QString() : m_affichees.last().text;
    }
    void clear() { m_affichees.clear(); }

private:
    QList<ReponseBoite> m_script;
    QList<Affichee> m_affichees;
};
