#pragma once

#include <QDateTime>

// The time of day as the program sees it. Windows and clock texts take a
// Clock so that tests can set the time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime utcNow() const = 0;
    // Local time: UTC with the time zone and daylight-saving rules applied.
    virtual QDateTime localNow() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime utcNow() const override;
    QDateTime localNow() const override;
};

// A clock that shows what it is told: a UTC moment and the offset of local
// time from UTC.
class SetClock : public Clock {
public:
    explicit SetClock(const QDateTime& utc = {}, int localOffsetSeconds = 0);
    void set(const QDateTime& utc, int localOffsetSeconds);
    void setUtc(const QDateTime& utc);
    void advance(int seconds);
    QDateTime utcNow() const override;
    QDateTime localNow() const override;

private:
    QDateTime m_utc;
    int m_offset = 0;
};
