#pragma once

#include "core/platform/Status.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The windmills contacted in one band group: one line per QSO of the group,
// in alphanumeric order, with the number of QSOs listed and confirmed; and
// the list as it is saved to a file and printed.
namespace MoulinsContactes {

// Line of the list, 65 characters: a blank, the reference, two blanks, the
// windmill name, two blanks, the date, two blanks, the callsign, two blanks,
// the QSL flag. Fields as stored, blanks included.
inline constexpr int Longueur_Ligne = 65;

inline const QString Entete = QStringLiteral(
    "   Ref             Nom du Moulin                       Date      Indicatif         QSL");

struct Liste {
    QStringList lignes; // sorted
    int contactes = 0;  // QSOs listed (not distinct windmills)
    int confirmes = 0;  // of them, QSOs whose QSL card has arrived
};

// Every QSO of the log whose band is in the group. Missing when there is no
// log; the list is then empty.
Status Construit(const QString& cheminLog, const QString& groupe, Liste* liste);

// The line of the list for one stored line.
QString Ligne_Liste(const QString& logLine);

// Callsign + "_Liste_Moulins_Bande_" + group + "_JJ_MM_AA.txt".
QString Nom_Fichier(const QString& indicatif, const QString& groupe, const QDate& jour);

// The lines of the saved file and of the printed list, without line ends.
QStringList Lignes_Fichier(const QString& indicatif, const QString& groupe, const QDate& jour,
                           const QStringList& lignes);
QStringList Lignes_Impression(const QString& indicatif, const QString& groupe, const QDate& jour,
                              const QStringList& lignes);

// Writes the saved list in the program folder, through a work file, so that
// a list of the same name is at every moment either the old one or the new
// one, complete. *nom receives the file name (without folder).
Status Enregistre(const QString& dossier, const QString& indicatif, const QString& groupe,
                  const QDate& jour, const QStringList& lignes, QString* nom);

} // namespace MoulinsContactes
