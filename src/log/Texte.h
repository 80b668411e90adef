#pragma once

#include <QString>
#include <QStringView>

// Small text rules shared by the fixed-width files.
namespace Texte {

// Removes the blanks (spaces only, as the files are padded with spaces) at
// both ends.
QString sansBlancs(const QString& texte);
QStringView sansBlancs(QStringView texte);
QString sansBlancsDroite(const QString& texte);

// Pads with blanks on the right to the width (never cuts).
QString complete(const QString& texte, qsizetype largeur);

// Characters from the 1-based column, at most largeur of them; shorter (or
// empty) when the text is shorter.
QString colonnes(const QString& texte, int debut, int largeur);

} // namespace Texte
