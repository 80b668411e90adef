#pragma once

#include "core/log/Affichage.h"

#include <QString>
#include <QStringList>

// The QSOs of one correspondent whose QSL card has not arrived, read from the
// display lines of the main list, and the back of a QSL card that lists
// those the user ticked.
namespace QslNonRecues {

// QSOs of one card; the signature stands under the 18th line.
inline constexpr int QSO_Par_Carte = 18;
// Characters of a list line printed on the card (the windmill name is not).
inline constexpr int largeurImprimee = 57;

inline const QString enteteCarte =
    QStringLiteral("      Date    Debut   Dpt    N° KZT    Mode  Bande  RstE RstR       |");
inline const QString signature = QStringLiteral("                             signature :");

// The line of the list for one display line: date and time, department,
// "KZT " and the reference, mode, band and reports, windmill name.
QString ligneQsl(const QString& affichage);

// The lines of the QSOs whose trimmed callsign holds the key (the text typed,
// in upper case) and whose QSL card has not arrived, in list order.
QStringList recherche(const QStringList& affichage, const QString& saisie);
// Same over the lines of the log, reading only the callsign and the QSL flag
// of each line.
QStringList recherche(const Affichage::Journal& journal, const QString& saisie);

// The key of a search: the typed text in upper case.
QString cleDeRecherche(const QString& saisie);

// The printed lines for the ticked list lines: card blocks of up to 18 QSOs,
// each with its heading (the correspondent as typed, and the station) and
// its signature; the last block is filled with empty lines so that its
// signature stands where a full card has it. Nothing when nothing is ticked.
QStringList lignesCartes(const QString& correspondant, const QString& station,
                         const QStringList& cochees);

} // namespace QslNonRecues
