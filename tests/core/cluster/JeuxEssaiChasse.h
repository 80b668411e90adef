#pragma once

// The log the windmill hunt's tests read spots against, and how they write it.
#include "core/cluster/IndexMoulins.h"
#include "support/LignesQso.h"

#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace JeuxEssaiChasse {

inline LogLine::Champs qso(const char* reference, const char* departement, const char* bande,
                           const char* date)
{
    LogLine::Champs c = LignesQso::ordinaire();
    c.reference = QString::fromLatin1(reference);
    c.departement = QString::fromLatin1(departement);
    c.bande = QString::fromLatin1(bande);
    c.date = QString::fromLatin1(date);
    return c;
}

// The log the statuses are read against: 77121 in HF (first on 14 MHz,
// then on 21 MHz), department 78 only in VHF, Corsica (2a) only in UHF, and
// 59001 on 10 MHz, which counts for no group.
inline QStringList lignesDuLog()
{
    return {LignesQso::ligne(qso("77121", "77", "14 Mhz", "01/02/08")),
            LignesQso::ligne(qso("77121", "77", "21 Mhz", "03/04/09")),
            LignesQso::ligne(qso("78005", "78", "144 Mhz", "05/06/09")),
            LignesQso::ligne(qso("2a003", "2a", "432 Mhz", "07/08/10")),
            LignesQso::ligne(qso("59001", "59", "10 Mhz", "09/10/11"))};
}

inline bool ecrit(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
}

// The tests over that log: written in a folder of their own, and indexed.
class BancLog : public QObject {
protected:
    QTemporaryDir m_dossier;
    QString m_log;
    IndexMoulins m_index;

    void ecritLog()
    {
        m_log = m_dossier.filePath(QStringLiteral("F1ABC_KZT.log"));
        QVERIFY(ecrit(m_log, LignesQso::fichier(lignesDuLog())));
        QVERIFY(m_index.construit(m_log).estOk());
    }
};

} // namespace JeuxEssaiChasse
