#pragma once

#include "core/platform/Guillemets.h"

#include <QString>
#include <QStringView>

// Small text rules shared by the fixed-width files.
namespace Texte {

// Removes the blanks (spaces only, as the files are padded with spaces) at
// both ends.
QString sansBlancs(const QString& texte);
QStringView sansBlancs(QStringView texte);

// The boxes that take capitals put the letters a to z typed in them in upper
// case and leave every other character as typed (accented letters are put in
// upper case, as far as the log's code page allows, when the field is stored).
QChar majusculeTapee(QChar c);
QString majusculesTapees(QString texte);

// The text between French quotes, as the messages and reports name a value:
// « texte ». (The platform's messages use it too: its home is there.)
using ::entreGuillemets;

// The digits 0 to 9 (no other script's digits), and a text of them only
// (true for the empty text).
bool chiffre(QChar c);
bool chiffres(QStringView texte);
// Whether a word of letters and digits starts at i: nothing of one right
// before it.
bool debutDeMot(QStringView texte, qsizetype i);
// Where the word of letters and digits that starts at i ends (one past it).
qsizetype finDeMot(QStringView texte, qsizetype i);

// Pads with blanks on the right to the width (never cuts).
QString completeABlancs(const QString& texte, qsizetype largeur);

// Characters from the 1-based column, at most largeur of them; shorter (or
// empty) when the text is shorter.
QString colonnes(const QString& texte, int debut, int largeur);

// Every text that reaches a file is one line: the index of the first line
// break, tab, line separator or other control character of the text, -1 when
// it has none.
qsizetype premierControle(QStringView texte);
// The French message that refuses such a character in the named field; empty
// when the text has none.
QString messageControle(const QString& champ, QStringView texte);

} // namespace Texte
