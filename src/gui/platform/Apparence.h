#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QWidget;

// Colours, fonts and placement shared by the windows.
namespace Apparence {

// The field waiting for input.
inline const QColor Vert_Clair(0xC0, 0xFF, 0xC0);
// Fields done or not yet reached, and the log list.
inline const QColor Jaune_Clair(0xFF, 0xFF, 0xC0);
inline const QColor Blanc(0xFF, 0xFF, 0xFF);

// Background of a text box, combo box, check box or button.
void Fond(QWidget* widget, const QColor& couleur);
QColor Fond(const QWidget* widget);

// The fixed-pitch font of the log list and its column titles: "Terminal"
// where it exists, otherwise the system's fixed font (or the first fixed
// font found), so that the columns line up under their titles.
QFont Police_Liste();

// Puts the window in the middle of the screen it is on.
void Centre(QWidget* fenetre);

// Gives the control its name and returns it.
template <typename T> T* Nomme(T* objet, const QString& nom)
{
    objet->setObjectName(nom);
    return objet;
}
template <typename T> T* Nomme(T* objet, const char* nom)
{
    return Nomme(objet, QString::fromLatin1(nom));
}

// A label with its name and text.
QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte);
// A sunken frame with its name.
QFrame* Cadre(QWidget* parent, const char* nom);

// The keys of the boxes that take callsigns: Enter, and the letters a to z
// typed, which are put in the box as capitals (true: the key is used).
bool Entree(const QKeyEvent* touche);
bool Majuscule_Tapee(QLineEdit* boite, const QKeyEvent* touche);

// Each secondary window exists once, and goes when it is closed. The window of
// that kind already open: a direct child of the parent, or a top-level window
// when there is no parent. A hidden one was closed and only waits to be
// deleted (Qt clears Qt::WA_DeleteOnClose when it closes it): it does not count.
QWidget* Fenetre_Ouverte(QWidget* parent, const QMetaObject& type);
template <typename Fenetre> Fenetre* Fenetre_Ouverte(QWidget* parent)
{
    return static_cast<Fenetre*>(Fenetre_Ouverte(parent, Fenetre::staticMetaObject));
}

// Shows the window and brings it forward.
void Montre(QWidget* fenetre);

// Shows the window of that kind already open, or the one that fabrique()
// makes when there is none, to be deleted when it is closed; returns it.
template <typename Fenetre, typename Fabrique>
Fenetre* Ouvre_Une_Fois(QWidget* parent, Fabrique fabrique)
{
    Fenetre* fenetre = Fenetre_Ouverte<Fenetre>(parent);
    if (!fenetre) {
        fenetre = fabrique();
        fenetre->setAttribute(Qt::WA_DeleteOnClose);
    }
    Montre(fenetre);
    return fenetre;
}

// The keyboard of a window: Enter (or Return) presses the focused button, and
// Escape closes the window as its close box does when `echapFerme`.
void Clavier(QWidget* fenetre, bool echapFerme = true);

} // namespace Apparence
