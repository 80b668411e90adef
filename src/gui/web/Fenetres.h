#pragma once

#include <QSize>

class QWidget;

// What the web windows share.
namespace Fenetres {

// A size for a web page: most of the screen, within reason.
QSize taillePage(const QWidget* fenetre);

// The window goes when the program ends, with its web view, before the
// application itself.
void fermeALaFin(QWidget* fenetre);

// Escape closes the window whatever control of it has the focus. The web
// page takes every key it is given, Escape included, before the window could
// see it: the key is caught on its way to any control of the window.
void echapFerme(QWidget* fenetre);

// Sizes and places the window as the award pages open (see Web::positionBasse
// and Web::tailleBasse): the whole window on the screen, frame included.
void placeBasse(QWidget* fenetre);

} // namespace Fenetres
