#pragma once

#include <QString>

#include <functional>

class Horloge;
class BoiteMessage;
class StockReglages;
class Trousseau;

// What the windows need from the world around them. The program builds the
// real ones; tests give a temporary folder, their own settings file, a set
// clock and a scripted message box.
struct Services {
    QString dossier; // the program folder: logs, template, first-name memory
    StockReglages& reglages;
    Horloge& horloge;
    BoiteMessage& messages;
    // Ends the program at once: every window closes. Called before or
    // during the event loop; the caller goes no further afterwards.
    std::function<void()> termine;
    // The system's keychain, for the online callbook's password; none: the
    // password is asked once for the session.
    Trousseau* trousseau = nullptr;
};
