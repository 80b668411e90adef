#pragma once

#include <QtGlobal>

// How far a long piece of work has gone, for the user who waits for it and
// may stop it. The work calls it from its own thread, away from the
// windows: every implementation may be called from any thread.
class Progression {
public:
    virtual ~Progression() = default;
    // fait of total is done.
    virtual void avance(qint64 fait, qint64 total) = 0;
    // The user asked to stop: the work ends as soon as it can, leaving
    // everything as it was.
    virtual bool annulee() const = 0;
};
