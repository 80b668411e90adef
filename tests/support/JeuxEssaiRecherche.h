#pragma once

#include "support/LignesQso.h"

#include <QStringList>

namespace JeuxEssaiRecherche {

inline QString ligneQso(const QString& indicatif, const QString& departement,
                        const QString& reference, const QString& nom = QStringLiteral("MOULIN"),
                        bool qsl = false)
{
    LogLine::Champs c = LignesQso::ordinaire();
    c.indicatif = indicatif;
    c.departement = departement;
    c.reference = reference;
    c.nomMoulin = nom;
    c.qsl = qsl;
    return LignesQso::ligne(c);
}

// The main list of a log: display lines numbered from 1.
inline QStringList affichage(const QStringList& log)
{
    return LignesQso::affichage(log);
}

// A small log: callsigns holding FX at different places, departments of one
// and two characters, letters in lower case as the entry stores them.
inline QStringList journalLog()
{
    return {
        ligneQso("FX1ABC", "77", "77121", "MOULIN DE LA TOUR", true), // 1
        ligneQso("F5FXA", "2a", "2A001"),                             // 2
        ligneQso("F6ABC", "7", "07123"),                              // 3
        ligneQso("ON4FX", "77", "77122"),                             // 4
        ligneQso("F8XYZ", "78", "78001"),                             // 5
        ligneQso("F1FX/P", "75", "75001"),                            // 6
    };
}

// Its display lines.
inline QStringList journal()
{
    return affichage(journalLog());
}

} // namespace JeuxEssaiRecherche
