#pragma once

#include "support/LignesQso.h"

#include <QByteArray>
#include <QStringList>

namespace JeuxEssai {

// A QSO line with the fields a test cares about; the others are ordinary.
inline QString ligneQso(const QString& indicatif, const QString& date = QStringLiteral("05/06/09"),
                        const QString& heure = QStringLiteral("12:00"),
                        const QString& bande = QStringLiteral("14 Mhz"),
                        const QString& reference = QStringLiteral("77121"))
{
    LogLine::Champs c = LignesQso::ordinaire();
    c.indicatif = indicatif;
    c.departement = reference.left(2);
    c.reference = reference;
    c.date = date;
    c.heure = heure;
    c.bande = bande;
    return LignesQso::ligne(c);
}

inline QByteArray fichierDe(const QStringList& lignes)
{
    return LignesQso::fichier(lignes);
}

} // namespace JeuxEssai
