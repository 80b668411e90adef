#pragma once

#include <QDateTime>

// The time of day as the program sees it. Windows and clock texts take a
// Clock so that tests can set the time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime utcNow() const = 0;
    // The local time of a UTC moment: the time zone and daylight-saving
    // rules applied.
    virtual QDateTime localTime(const QDateTime& utc) const = 0;
    QDateTime localNow() const { return localTime(utcNow()); }
};

class SystemClock : public Clock {
public:
    QDateTime utcNow() const override;
    QDateTime localTime(const QDateTime& utc) const override;
};
