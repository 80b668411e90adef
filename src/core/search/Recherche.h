#pragma once

#include "core/log/Affichage.h"

#include <QString>
#include <QStringList>

#include <array>

// Finding QSOs among the display lines of the main list, and the lines of
// the result list that lead back to them.
namespace Recherche {

// Which box gives the search text.
enum class Cle { Indicatif, Reference, Departement };

// Column titles above the result list.
inline const QString enteteListe = QStringLiteral(
    "   N°   Indicatif          Dpt      Date       Bande   N° KZT             Nom du Chateau    "
    "         QSL");

inline constexpr int longueurResultat = 86;
// The result line starts with the QSO number, which finds the line again.
inline constexpr int longueurNumero = 5;

// Where the fields stand in a result line (first column, 1-based): the number
// and the callsign as in the main list, then two blanks before each field.
inline constexpr int colonneDate = Affichage::Departement.colonne + 3 + 2;
inline constexpr int colonneBande = colonneDate + Affichage::Date.largeur() + 2;
inline constexpr int colonneReference = colonneBande + Affichage::Bande.largeur() + 1 + 2;
inline constexpr int colonneNomMoulin = colonneReference + Affichage::Reference.largeur() + 2;
// The windmill name runs to the end of the line, which is the QSL flag.
inline constexpr int colonneQsl =
    colonneNomMoulin + Affichage::QSL.colonne - Affichage::Nom_Moulin.colonne;
static_assert(colonneQsl == longueurResultat);

// The titles over the result lines, each over the first column of its field,
// as those of the main list: "QSL" ends over the flag.
inline constexpr std::array<Affichage::Titre, 8> titresResultats = {{
    {"N°", longueurNumero - 1},
    {"Indicatif", Affichage::Indicatif.colonne},
    {"Dpt", Affichage::Departement.colonne},
    {"Date", colonneDate},
    {"Bande", colonneBande},
    {"N° KZT", colonneReference},
    {"Nom du Chateau", colonneNomMoulin},
    {"QSL", colonneQsl - 2},
}};

// A search text that begins with CR LF loses these two characters.
QString sansCrLf(const QString& texte);

// The text compared with the lines: upper case for the callsign and the
// reference, as typed for the department.
QString texteCompare(Cle cle, const QString& texte);

// Whether the display line matches the compared text:
// - callsign: the trimmed callsign holds the text anywhere;
// - reference: the reference without blanks equals the text;
// - department: the two first columns of the department equal the text; a
//   one-character text matches the departments stored with that one
//   character (the second column blank).
bool correspond(Cle cle, const QString& compare, const QString& affichage);

// The result line of a display line (86 characters): number, callsign and
// department, date, band, reference, windmill name and QSL flag.
QString ligneResultat(const QString& affichage);

struct Resultat {
    QStringList lignes;      // the result lines, in the order of the main list
    QString message;         // to show when not empty
    bool videIndica = false; // the callsign box is emptied
    bool videBoites = false; // the three boxes are emptied
};

// The search over the lines of the main list with the text of the chosen box
// (already without its leading CR LF).
Resultat Recherche_SP(Cle cle, const QString& texte, const QStringList& lignes);
// Same over the lines of the log, reading only the piece of the key of
// each line.
Resultat Recherche_SP(Cle cle, const QString& texte, const Affichage::Journal& journal);

// Index of the main-list line that the result line stands for: the last one
// whose first five characters are those of the result; -1 when none.
int ligneDuResultat(const QString& resultat, const QStringList& lignes);
int ligneDuResultat(const QString& resultat, const Affichage::Journal& journal);

} // namespace Recherche
