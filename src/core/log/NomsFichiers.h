#pragma once

#include <QString>

// The names of the files that the program keeps in its folder for a station,
// known here once for the log store and for its backups.
namespace NomsFichiers {

// The empty log that a new station's log is made from.
inline const QString modele = QStringLiteral("FXXXX.txt");
// The work files through which a log is rewritten.
inline const QString travail = QStringLiteral("Temporaire.txt");
inline const QString travailChrono = QStringLiteral("Temporaire6.txt");

// The log of a station: callsign + "_KZT.log".
inline QString log(const QString& indicatif)
{
    return indicatif + QStringLiteral("_KZT.log");
}

} // namespace NomsFichiers
