#pragma once

#include "LogLine.h"

#include <QString>

// The line of the main list for one QSO: its number right-aligned in five
// columns, then the stored fields at fixed columns, 122 characters in all.
namespace Affichage {

inline constexpr int Longueur = 122;
// Highest number that the five columns can show.
inline constexpr int Numero_Maxi = 99999;

// The display line of the stored line at position numero (1-based). A stored
// line shorter than 107 characters (a hand-edited file) is read as if padded
// with blanks, so the columns always line up.
QString Ligne_Affichage(int numero, const QString& logLine);
QString Ligne_Affichage(int numero, const char* logLine, qsizetype taille);

// The stored line of a display line: the twelve pieces joined by single
// blanks. The windmill name is put in upper case when asked (the edit does
// that, the deletion does not).
QString LogLine_Depuis_Affichage(const QString& affichage, bool nomEnMajuscules);

// The entry fields shown for a display line (trimmed pieces; date and time as
// they stand; QSL ticked when column 122 is "*").
LogLine::Champs Champs_Depuis_Affichage(const QString& affichage);

} // namespace Affichage
