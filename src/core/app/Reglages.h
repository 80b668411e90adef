#pragma once

#include <QString>

// Sections, keys and fixed values of the program's settings.
namespace Reglages {

inline const QString sectionGlobale = QStringLiteral("Setup ");
inline QString sectionStation(const QString& indicatif)
{
    return sectionGlobale + indicatif;
}

// Global section.
inline const QString indicatifStation = QStringLiteral("Indicatif Station");
inline const QString cheminRepertoire = QStringLiteral("Chemin Repertoire");

// Per-station section.
inline const QString bandeUtilisee = QStringLiteral("bande Utilisee");
inline const QString modeUtilise = QStringLiteral("Mode Utilise");
inline const QString dateAutomatique = QStringLiteral("Date Auto");
inline const QString revision = QStringLiteral("Revision");
inline const QString bandeCluster = QStringLiteral("bande Cluster");

// Values.
inline const QString indicatifAucun = QStringLiteral("FXXXX");
inline const QString valeurOui = QStringLiteral("Oui");
inline const QString valeurNon = QStringLiteral("Non");

} // namespace Reglages
