#pragma once

#include "core/platform/Clock.h"

// A clock that shows what it is told: a UTC moment and the offset of local
// time from UTC.
class SetClock : public Clock {
public:
    explicit SetClock(const QDateTime& utc = {}, int localOffsetSeconds = 0);
    void set(const QDateTime& utc, int localOffsetSeconds);
    void setUtc(const QDateTime& utc);
    void advance(int seconds);
    QDateTime utcNow() const override;
    QDateTime localTime(const QDateTime& utc) const override;

private:
    QDateTime m_utc;
    int m_offset = 0;
};
