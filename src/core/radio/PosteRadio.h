#pragma once

#include "ReglagesRadio.h"

#include <QString>

// One radio reached one way: through hamlib's library (PosteHamlib), or
// through rigctld's network protocol (PosteRigctld). Used on the radio's
// worker thread only, one call at a time; each call may wait for the radio
// (a second at most for each exchange). Every result is 0 or an error code
// of ErreurRadio; the radio is closed when the object ends.
class PosteRadio {
public:
    virtual ~PosteRadio() = default;

    // Opens the radio of these settings; on failure, the reason in French.
    virtual int ouvre(const ReglagesRadio& reglages, QString* raison) = 0;
    // The frequency in Hz and hamlib's name of the mode ("USB", "CW"...).
    virtual int lit(qint64* hz, QString* mode) = 0;
    virtual int regleFrequence(qint64 hz) = 0;
    // hamlib's name of a mode ("USB", "LSB", "CW", "FM").
    virtual int regleMode(const QString& mode) = 0;
    // After a failed call, why the radio was lost, in French, when this way
    // knows better than the error code (a helper program that ended, and
    // what it said); empty otherwise.
    virtual QString raison() { return QString(); }
};
