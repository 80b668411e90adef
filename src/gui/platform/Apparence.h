#pragma once

#include "core/log/Texte.h"

#include <QColor>
#include <QFont>
#include <QString>

class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QScreen;
class QWidget;

// Colours, fonts and placement shared by the windows.
namespace Apparence {

// The field waiting for input.
inline const QColor vertClair(0xC0, 0xFF, 0xC0);
// Fields done or not yet reached, and the log list.
inline const QColor jauneClair(0xFF, 0xFF, 0xC0);
inline const QColor blanc(0xFF, 0xFF, 0xFF);
// Text of a disabled control: still grey, but readable on the light
// backgrounds above and on the window's (at least 4.5:1, about 7:1 here).
inline const QColor grisDesactive(0x55, 0x55, 0x55);

// The disabled text of the window and of its controls in grisDesactive: a
// QSO shown in the disabled fields of the main window stays readable.
void texteDesactiveLisible(QWidget* fenetre);
// Contrast ratio of two colours, from 1 (same) to 21 (black on white).
double rapportContraste(const QColor& a, const QColor& b);

// Background of a text box, combo box, check box or button.
void couleurFond(QWidget* composant, const QColor& couleur);
QColor couleurFond(const QWidget* composant);

// The fixed-pitch font of the log list and its column titles: "Terminal"
// where it exists, otherwise the system's fixed font (or the first fixed
// font found), so that the columns line up under their titles.
QFont policeListe();

// The screen the window is on, or will be on once shown: that of the window
// it was opened from when it is not shown yet.
QScreen* ecranDe(const QWidget* fenetre);

// Puts the window in the middle of that screen, within its free area.
void centreFenetre(QWidget* fenetre);

// Places a window on its screen beside what must stay in sight (a place on
// the screen): in the largest of the free area's bands above, below, left or
// right of it that holds the window's smallest size, and as large as that
// band. Without such a band, the window is centred.
void placeHorsDe(QWidget* fenetre, const QRect& aGarder);
// Puts a window back at a place it had (its frame's top left corner and its
// size), when that place is whole on one of the screens and holds the
// window; false otherwise, the window untouched.
bool reprendPlace(QWidget* fenetre, const QRect& place);

// The room a window can take on its screen: the free area less the frame that
// the window system puts around the window (its size until the window is
// shown, the style's title bar height when the window has no frame yet).
QSize placeLibre(const QWidget* fenetre);
// That frame's size over the window's own size.
QSize bordFenetre(const QWidget* fenetre);

// Gives the control its name and returns it.
template <typename T> T* nomme(T* objet, const QString& nom)
{
    objet->setObjectName(nom);
    return objet;
}
template <typename T> T* nomme(T* objet, const char* nom)
{
    return nomme(objet, QString::fromLatin1(nom));
}

// Gives a list its name for a screen reader: what it holds ("Mode",
// "Bande"), where the platform would say the value chosen instead.
void nommeListe(QComboBox* liste, const QString& nom);

// A label with its name and text.
QLabel* etiquette(QWidget* parent, const char* nom, const QString& texte);
// A sunken frame with its name.
QFrame* cadreNomme(QWidget* parent, const char* nom);

// The keys of the boxes that take callsigns: Enter, and the letters a to z
// typed, which are put in the box as capitals (true: the key is used). A box
// with a rule of its own gives it as prise: the character it puts in place
// of the one typed, or that one when it is taken as typed.
bool toucheEntree(const QKeyEvent* touche);
bool majusculeTapee(QLineEdit* boite, const QKeyEvent* touche,
                    QChar (*prise)(QChar) = Texte::majusculeTapee);

// Each secondary window exists once, and goes when it is closed. The window of
// that kind already open: a direct child of the parent, or a top-level window
// when there is no parent. A hidden one was closed and only waits to be
// deleted (Qt clears Qt::WA_DeleteOnClose when it closes it): it does not count.
QWidget* fenetreOuverte(QWidget* parent, const QMetaObject& type);
template <typename Fenetre> Fenetre* fenetreOuverte(QWidget* parent)
{
    return static_cast<Fenetre*>(fenetreOuverte(parent, Fenetre::staticMetaObject));
}

// Shows the window and brings it forward.
void montreFenetre(QWidget* fenetre);

// Shows the window of that kind already open, or the one that fabrique()
// makes when there is none, to be deleted when it is closed; returns it.
template <typename Fenetre, typename Fabrique>
Fenetre* ouvreUneFois(QWidget* parent, Fabrique fabrique)
{
    Fenetre* fenetre = fenetreOuverte<Fenetre>(parent);
    if (!fenetre) {
        fenetre = fabrique();
        fenetre->setAttribute(Qt::WA_DeleteOnClose);
    }
    montreFenetre(fenetre);
    return fenetre;
}

// The keyboard of a window: Enter (or Return) presses the focused button, and
// Escape closes the window as its close box does when `echapFerme`.
void clavier(QWidget* fenetre, bool echapFerme = true);

} // namespace Apparence
