#pragma once

#include "support/QsoLines.h"

#include <QStringList>

namespace SearchFixtures {

inline QString qso(const QString& indicatif, const QString& departement, const QString& reference,
                   const QString& nom = QStringLiteral("MOULIN"), bool qsl = false)
{
    LogLine::Champs c = QsoLines::ordinaire();
    c.indicatif = indicatif;
    c.departement = departement;
    c.reference = reference;
    c.nomMoulin = nom;
    c.qsl = qsl;
    return QsoLines::ligne(c);
}

// The main list of a log: display lines numbered from 1.
inline QStringList affichage(const QStringList& log)
{
    return QsoLines::affichage(log);
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
