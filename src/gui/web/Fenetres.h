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

// Sizes and places the window as the award pages open (see Web::positionBasse
// and Web::tailleBasse): the whole window on the screen, frame included.
void placeBasse(QWidget* fenetre);

} // namespace Fenetres
