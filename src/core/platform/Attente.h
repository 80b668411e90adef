#pragma once

#include <QString>

#include <functional>

class Progression;

// Runs a long piece of work away from the windows' thread, so that they
// keep being drawn, while the user sees how far it has gone and may stop
// it: the platform's progress window, or the tests' own stand-in.
class Attente {
public:
    virtual ~Attente() = default;
    // Runs travail, which tells its progress through the Progression it is
    // given, and returns when it has ended. texte says what is being done.
    virtual void execute(const QString& texte,
                         const std::function<void(Progression& progression)>& travail) = 0;
};
