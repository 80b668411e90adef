#include "SetClock.h"

SetClock::SetClock(const QDateTime& utc, int localOffsetSeconds)
{
    set(utc.isValid() ? utc : QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC),
        localOffsetSeconds);
}

void SetClock::set(const QDateTime& utc, int localOffsetSeconds)
{
    m_utc = utc.toUTC();
    m_offset = localOffsetSeconds;
}

void SetClock::setUtc(const QDateTime& utc)
{
    m_utc = utc.toUTC();
}

void SetClock::advance(int seconds)
{
    m_utc = m_utc.addSecs(seconds);
}

QDateTime SetClock::utcNow() const
{
    return m_utc;
}

QDateTime SetClock::localTime(const QDateTime& utc) const
{
    return utc.toOffsetFromUtc(m_offset);
}
