#pragma once

#include "core/log/ReferenceMoulin.h"
#include "core/platform/Statut.h"

#include <QByteArrayView>
#include <QPoint>
#include <QString>

#include <array>

// The state of each department in one band group, for the map: one box per
// department number, 0 to 99.
namespace CarteDepartements {

inline constexpr int nombreCases = 100;
// The departments of the award: the visible boxes.
inline constexpr int nombreDepartements = 96;
// The boxes of Corsica, where the map shows them.
inline constexpr int case2A = 96;
inline constexpr int case2B = 97;

enum class Etat { NonContacte, Contacte, Confirme };

// The colour of each state, as the map shows it: red, green and blue bytes.
inline constexpr unsigned jaune = 0xFFFF80;
inline constexpr unsigned rouge = 0xFFC0C0;
inline constexpr unsigned vert = 0x80FF80;
unsigned couleur(Etat etat);
// The state a box colour stands for (a colour of no state reads as not contacted).
Etat etatDe(unsigned rgb);

struct Carte {
    std::array<Etat, nombreCases> cases{};
    int contactes = 0;    // boxes 1 to 99, contacted with or without QSL
    int nonConfirmes = 0; // of them, without QSL
    int confirmes = 0;    // of them, with QSL
    int nonContactes() const { return nombreDepartements - (confirmes + nonConfirmes); }
};

// The box of a department field: its number (ReferenceMoulin), Corsica in
// its own boxes. A QSO whose department has none (-1), or whose number is
// that of a Corsica box ("96", "97": no department of the award), has no
// place on the map.
int caseDepartement(QByteArrayView departement);

// Colours the boxes from the QSOs of the group: light red when contacted,
// light green as soon as one QSO of the department has its QSL, whatever the
// order of the QSOs. Missing when there is no log; the map is then all yellow.
Statut Colorie_Carte(const QString& cheminLog, const QString& groupe, Carte* carte);

// Counts the boxes 1 to 99 (box 0 is not a department).
void compte(Carte* carte);

// Texts and places of the boxes over the map picture.
QString texteCase(int index);
bool caseVisible(int index);
QPoint positionCase(int index);
inline constexpr int largeurCase = 25;
inline constexpr int hauteurCase = 20;

// Texts of the legend.
QString legendeConfirmes(int n);
QString legendeNonConfirmes(int n);
QString legendeNonContactes(int n);

} // namespace CarteDepartements
