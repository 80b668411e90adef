#pragma once

#include <QString>
#include <QStringList>

// One QSO of the station log: a line of 107 characters, fields at fixed
// columns, blank-padded, "*" in column 107 when the QSL card has arrived.
namespace LogLine {

struct Colonne {
    int debut; // 1-based
    int largeur;
};

inline constexpr int Longueur = 107;

inline constexpr Colonne Indicatif{1, 12};
inline constexpr Colonne Departement{14, 4};
inline constexpr Colonne Prenom{19, 15};
inline constexpr Colonne Reference{35, 5};
inline constexpr Colonne Date{41, 8};
inline constexpr Colonne Heure{50, 5};
inline constexpr Colonne Mode{56, 3};
inline constexpr Colonne Bande{60, 7};
inline constexpr Colonne RST_Recu{68, 3};
inline constexpr Colonne RST_Envoye{72, 3};
inline constexpr Colonne Nom_Moulin{76, 30};
inline constexpr Colonne QSL{107, 1};

// The year of a stored two-digit year (JJ/MM/AA): 50 to 99 are 1950 to 1999,
// 00 to 49 are 2000 to 2049.
constexpr int annee(int deuxChiffres)
{
    return deuxChiffres >= 50 ? 1900 + deuxChiffres : 2000 + deuxChiffres;
}

// The fields of a QSO as the entry area holds them.
struct Champs {
    QString indicatif;
    QString departement;
    QString prenom;
    QString reference;
    QString date;
    QString heure;
    QString mode;
    QString bande;
    QString rstRecu;
    QString rstEnvoye;
    QString nomMoulin;
    bool qsl = false;

    bool operator==(const Champs&) const = default;
};

struct Formee {
    QString ligne;  // the 107 characters, when formed
    QString erreur; // why the QSO cannot be stored, in French
    bool valide() const { return erreur.isEmpty(); }
};

// Forms the stored line. The first name and the windmill name are put in
// upper case; the windmill name loses its blanks around it and is cut to 30
// characters. A field longer than its column, or a character that the log
// file cannot hold, is refused with a message naming the field: a line is
// never stored with its columns shifted.
Formee forme(const Champs& champs);

// The field at the column, as stored (blanks kept; shorter when the line is).
QString champ(const QString& ligne, Colonne colonne);

} // namespace LogLine

// The modes offered: "SSB", "CW", "FM".
const QStringList& listeModes();
