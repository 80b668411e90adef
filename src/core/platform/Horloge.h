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
    // Runs `tic` at each second of this clock, for as long as `minuterie`
    // lives. The system's clock ticks with `minuterie`, a one-second timer of
    // the window that shows the time, which it starts; a clock set by hand
    // ticks each time it is moved, and never starts the timer.
    virtual void cadence(QTimer* minuterie, std::function<void()> tic);
};

class HorlogeSysteme : public Horloge {
public:
    QDateTime utcMaintenant() const override;
    QDateTime heureLocale(const QDateTime& utc) const override;
};
