#pragma once

#include "core/log/Affichage.h"
#include "core/platform/Statut.h"

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
inline constexpr int longueurLigne = 65;

// Where the fields stand in a line of the list (0-based).
inline constexpr int colonneReference = 1;
inline constexpr int colonneNom = 8;
inline constexpr int colonneDate = 40;
inline constexpr int colonneIndicatif = 50;
inline constexpr int colonneQsl = 64;
static_assert(colonneQsl == longueurLigne - 1);

// The titles of the header drawn over the columns of the list (1-based
// columns); "QSL" ends over the flag.
inline constexpr std::array<Affichage::Titre, 5> titresListe = {{
    {"Ref", colonneReference + 1},
    {"Nom du Moulin", colonneNom + 1},
    {"Date", colonneDate + 1},
    {"Indicatif", colonneIndicatif + 1},
    {"QSL", colonneQsl - 1},
}};

inline const QString enteteListe = QStringLiteral(
    "   Ref             Nom du Moulin                       Date      Indicatif         QSL");

struct Liste {
    QStringList lignes; // sorted
    int contactes = 0;  // QSOs listed (not distinct windmills)
    int confirmes = 0;  // of them, QSOs whose QSL card has arrived
};

// Every QSO of the log whose band is in the group. Missing when there is no
// log; the list is then empty.
Statut construit(const QString& cheminLog, const QString& groupe, Liste* liste);

// The line of the list for one stored line.
QString ligneDeListe(const QString& ligneLog);

// Callsign + "_Liste_Moulins_Bande_" + group + "_JJ_MM_AA.txt".
QString nomFichier(const QString& indicatif, const QString& groupe, const QDate& jour);

// The lines of the saved file and of the printed list, without line ends.
QStringList lignesFichier(const QString& indicatif, const QString& groupe, const QDate& jour,
                          const QStringList& lignes);
QStringList lignesImpression(const QString& indicatif, const QString& groupe, const QDate& jour,
                             const QStringList& lignes);

// Writes the saved list in the program folder, through a work file, so that
// a list of the same name is at every moment either the old one or the new
// one, complete. *nom receives the file name (without folder).
Statut enregistre(const QString& dossier, const QString& indicatif, const QString& groupe,
                  const QDate& jour, const QStringList& lignes, QString* nom);

} // namespace MoulinsContactes
