#pragma once

#include "core/platform/Attente.h"
#include "core/platform/Progression.h"

#include <QList>
#include <QStringList>

// Stands in for the progress window: runs the work at once in the caller's
// thread, notes what it is told (in thousandths), and stops it as the user
// would once it has gone that far.
class AttenteScriptee : public Attente, public Progression {
public:
    // arret: the thousandths from which the user stops the work; -1: never.
    explicit AttenteScriptee(qint64 arret = -1) : m_arret(arret) {}

    void execute(const QString& texte,
                 const std::function<void(Progression& progression)>& travail) override
    {
        m_textes << texte;
        travail(*this);
    }
    void avance(qint64 fait, qint64 total) override
    {
        m_avancees << (total > 0 ? fait * 1000 / total : 0);
    }
    bool annulee() const override
    {
        return m_arret >= 0 &&
               (m_arret == 0 || (!m_avancees.isEmpty() && m_avancees.last() >= m_arret));
    }

    const QStringList& textes() const { return m_textes; }
    const QList<qint64>& avancees() const { return m_avancees; }

private:
    qint64 m_arret;
    QStringList m_textes;
    QList<qint64> m_avancees;
};
