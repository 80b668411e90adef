#pragma once

#include <QString>

// Sections, keys and fixed values of the program's settings.
namespace Reglages {

inline const QString Section_Globale = QStringLiteral("Setup ");
inline QString Section_Station(const QString& indicatif)
{
    return Section_Globale + indicatif;
}

// Global section.
inline const QString Indicatif_Station = QStringLiteral("Indicatif Station");
inline const QString Chemin_Repertoire = QStringLiteral("Chemin Repertoire");

// Per-station section.
inline const QString Bande_Utilisee = QStringLiteral("bande Utilisee");
inline const QString Mode_Utilise = QStringLiteral("Mode Utilise");
inline const QString Date_Auto = QStringLiteral("Date Auto");
inline const QString Revision = QStringLiteral("Revision");
inline const QString Bande_Cluster = QStringLiteral("bande Cluster");

// Values.
inline const QString Indicatif_Aucun = QStringLiteral("FXXXX");
inline const QString Oui = QStringLiteral("Oui");
inline const QString Non = QStringLiteral("Non");

} // namespace Reglages
