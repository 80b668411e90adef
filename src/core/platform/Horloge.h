#pragma once

#include <QDateTime>

#include <functional>

class QTimer;

// The time of day as the program sees it. Windows and clock texts take an
// Horloge so that tests can set the time. A clock is read from other threads
// than its own (the radio's worker times its tries by it): utcMaintenant()
// and heureLocale() are safe to call from any thread, also while the clock
// is moved.
class Horloge {
public:
    virtual ~Horloge() = default;
    virtual QDateTime utcMaintenant() const = 0;
    // The local time of a UTC moment: the time zone and daylight-saving
    // rules applied.
    virtual QDateTime heureLocale(const QDateTime& utc) const = 0;
    QDateTime localMaintenant() const { return heureLocale(utcMaintenant()); }
    // Runs `tic` as this clock moves, for as long as `minuterie` lives. The
    // system's clock ticks with `minuterie`, which it starts: a timer of the
    // window that shows the time, whose interval the caller sets (one second
    // for a clock, longer for what changes less often; `tic` may set it
    // again). A timer without an interval would wake the program without
    // end: it is refused (an assertion in a debug build, never started
    // otherwise) and the answer is false. A clock set by hand ticks each
    // time it is moved, and never starts the timer.
    virtual bool cadence(QTimer* minuterie, std::function<void()> tic);
};

class HorlogeSysteme : public Horloge {
public:
    QDateTime utcMaintenant() const override;
    QDateTime heureLocale(const QDateTime& utc) const override;
};
