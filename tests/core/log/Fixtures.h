#pragma once

#include "support/QsoLines.h"

#include <QByteArray>
#include <QStringList>

namespace Fixtures {

// A QSO line with the fields a test cares about; the others are ordinary.
inline QString qso(const QString& indicatif, const QString& date = QStringLiteral("05/06/09"),
                   const QString& heure = QStringLiteral("12:00"),
                   const QString& bande = QStringLiteral("14 Mhz"),
                   const QString& reference = QStringLiteral("77121"))
{
    LogLine::Champs c = QsoLines::ordinaire();
    c.indicatif = indicatif;
    c.departement = reference.left(2);
    c.reference = reference;
    c.date = date;
    c.heure = heure;
    c.bande = bande;
    return QsoLines::ligne(c);
}

inline QByteArray fileOf(const QStringList& lines)
{
    return QsoLines::fichier(lines);
}

} // namespace Fixtures
