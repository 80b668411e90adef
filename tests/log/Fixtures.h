#pragma once

#include "log/LogLine.h"

#include <QByteArray>
#include <QStringList>

namespace Fixtures {

// A QSO line with the fields a test cares about; the others are ordinary.
inline QString qso(const QString& indicatif, const QString& date = QStringLiteral("05/06/09"),
                   const QString& heure = QStringLiteral("12:00"),
                   const QString& bande = QStringLiteral("14 Mhz"),
                   const QString& reference = QStringLiteral("77121"))
{
    LogLine::Champs c;
    c.indicatif = indicatif;
    c.departement = reference.left(2);
    c.prenom = QStringLiteral("JEAN");
    c.reference = reference;
    c.date = date;
    c.heure = heure;
    c.mode = QStringLiteral("SSB");
    c.bande = bande;
    c.rstRecu = QStringLiteral("59");
    c.rstEnvoye = QStringLiteral("59");
    c.nomMoulin = QStringLiteral("MOULIN");
    return LogLine::forme(c).ligne;
}

inline QByteArray fileOf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toLatin1() + "\r\n";
    return bytes;
}

} // namespace Fixtures
