#pragma once

#include <QWidget>

class QMenu;
class QTextBrowser;

// The help page delivered with the program (a Qt resource, read offline),
// shown by F1 in every window of the program and by the last item of the
// "Aide" menu. One help window at a time.
class Aide : public QWidget {
    Q_OBJECT
public:
    // F1 in any window of the program opens the help: set once, before the
    // first window.
    static void installe();

    // Shows the help window, made when there is none. Above a modal window
    // (the first-start station window, the error window), the help window
    // belongs to it, so that it can be read and closed while that one waits.
    // Opened from a window (F1), it goes on that window's screen and shows
    // the window's section of the page.
    static Aide* ouvreFenetre(QWidget* depuis = nullptr);

    // The open help window, or none.
    static Aide* ouverte();

    // Adds the help item "Mode d'emploi" at the end of the "Aide" menu.
    static void ajouteAuMenu(QMenu* menu);
    static void Mnu_Mode_Emploi_Click();

    QTextBrowser* Texte_Aide;

private:
    explicit Aide(QWidget* parent);
};
