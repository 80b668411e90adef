#pragma once

#include "core/platform/Horloge.h"

// A clock that shows what it is told: a UTC moment and the offset of local
// time from UTC.
class HorlogeReglee : public Horloge {
public:
    explicit HorlogeReglee(const QDateTime& utc = {}, int localOffsetSeconds = 0);
    void set(const QDateTime& utc, int localOffsetSeconds);
    void changeUtc(const QDateTime& utc);
    void advance(int seconds);
    QDateTime utcMaintenant() const override;
    QDateTime localTime(const QDateTime& utc) const override;

private:
    QDateTime m_utc;
    int m_decalage = 0;
};
