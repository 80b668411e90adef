#pragma once

// The writing of a new content of the log, shared by the changes of
// StationLog: the lines of the log that keep their CR LF are copied in runs.

#include "StationLog.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

class StationLog::Ecriture {
public:
    // enPlus: the bytes the new lines will add, when known.
    explicit Ecriture(const Contenu& contenu, qsizetype enPlus = 256) : m_source(contenu.octets)
    {
        m_octets.reserve(contenu.octets.size() + enPlus);
    }
    // Lines of the log that already end with CR LF there, one after the
    // other, are copied together.
    void ajoute(QByteArrayView ligne)
    {
        const bool suiteCrLf = finitParCrLf(ligne);
        const char* fin = ligne.data() + ligne.size();
        if (suiteCrLf && ligne.data() == m_suiteFin) {
            m_suiteFin = fin + 2;
            return;
        }
        copieSuite();
        if (suiteCrLf) {
            m_suiteDebut = ligne.data();
            m_suiteFin = fin + 2;
            return;
        }
        m_octets.append(ligne);
        m_octets.append(FichierTexte::finLigne.data(), FichierTexte::finLigne.size());
    }
    const QByteArray& octets()
    {
        copieSuite();
        return m_octets;
    }

    // The lines with the new one before the first line that `avant` picks,
    // or at the end when it picks none.
    static QByteArray insere(const Contenu& contenu, QByteArrayView nouvelle,
                             const std::function<bool(QByteArrayView)>& avant)
    {
        Ecriture ecriture(contenu);
        bool ecrite = false;
        for (QByteArrayView l : contenu.lignes) {
            if (!ecrite && avant(l)) {
                ecriture.ajoute(nouvelle);
                ecrite = true;
            }
            ecriture.ajoute(l);
        }
        if (!ecrite)
            ecriture.ajoute(nouvelle);
        return ecriture.octets();
    }

private:
    // A line of the log whose CR LF follows it there.
    bool finitParCrLf(QByteArrayView ligne) const
    {
        const auto source = reinterpret_cast<quintptr>(m_source.constData());
        const auto debut = reinterpret_cast<quintptr>(ligne.data());
        if (debut < source ||
            debut + quintptr(ligne.size()) + 2 > source + quintptr(m_source.size()))
            return false;
        const char* fin = ligne.data() + ligne.size();
        return fin[0] == '\r' && fin[1] == '\n';
    }
    void copieSuite()
    {
        if (m_suiteDebut != m_suiteFin)
            m_octets.append(m_suiteDebut, m_suiteFin - m_suiteDebut);
        m_suiteDebut = m_suiteFin = nullptr;
    }

    const QByteArray& m_source;
    QByteArray m_octets;
    const char* m_suiteDebut = nullptr;
    const char* m_suiteFin = nullptr;
};
