#include "Clock.h"

QDateTime SystemClock::utcNow() const
{
    return QDateTime::currentDateTimeUtc();
}

QDateTime SystemClock::localTime(const QDateTime& utc) const
{
    return utc.toLocalTime();
}
