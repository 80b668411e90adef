#pragma once

#include "log/DisplayLine.h"
#include "log/LogLine.h"

#include <QStringList>

namespace SearchFixtures {

inline QString qso(const QString& indicatif, const QString& departement, const QString& reference,
                   const QString& nom = QStringLiteral("MOULIN"), bool qsl = false)
{
    LogLine::Champs c;
    c.indicatif = indicatif;
    c.departement = departement;
    c.prenom = QStringLiteral("JEAN");
    c.reference = reference;
    c.date = QStringLiteral("05/06/09");
    c.heure = QStringLiteral("12:00");
    c.mode = QStringLiteral("SSB");
    c.bande = QStringLiteral("14 Mhz");
    c.rstRecu = QStringLiteral("59");
    c.rstEnvoye = QStringLiteral("59");
    c.nomMoulin = nom;
    c.qsl = qsl;
    return LogLine::forme(c).ligne;
}

// The main list of a log: display lines numbered from 1.
inline QStringList affichage(const QStringList& log)
{
    QStringList lignes;
    for (int i = 0; i < log.size(); ++i)
        lignes.append(Affichage::Ligne_Affichage(i + 1, log.at(i)));
    return lignes;
}

// A small log: callsigns holding FX at different places, departments of one
// and two characters, letters in lower case as the entry stores them.
inline QStringList journalLog()
{
    return {
        qso("FX1ABC", "77", "77121", "MOULIN DE LA TOUR", true), // 1
        qso("F5FXA", "2a", "2A001"),                             // 2
        qso("F6ABC", "7", "07123"),                              // 3
        qso("ON4FX", "77", "77122"),                             // 4
        qso("F8XYZ", "78", "78001"),                             // 5
        qso("F1FX/P", "75", "75001"),                            // 6
    };
}

// Its display lines.
inline QStringList journal()
{
    return affichage(journalLog());
}

} // namespace SearchFixtures
