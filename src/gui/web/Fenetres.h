#pragma once

#include <QSize>
#include <QString>
#include <QUrl>

class QWidget;
class VueWeb;
struct Services;

// What the web windows share.
namespace Fenetres {

// The web view that fills the window of a page: "WebBrowser1", read by a
// screen reader as the window's title.
VueWeb* vuePage(QWidget* fenetre);

// The address of a page of the award's site (the site the settings name,
// or the usual one, after a message when the settings name no web address).
QUrl adresseKzt(const Services& services, const QString& chemin);

// A size for a web page: most of the screen, within reason; the size of
// its note when the page opens in the browser.
QSize taillePage(const QWidget* fenetre, const VueWeb* vue);

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
