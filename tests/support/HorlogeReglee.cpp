#include "HorlogeReglee.h"

HorlogeReglee::HorlogeReglee(const QDateTime& utc, int localOffsetSeconds)
{
    set(utc.isValid() ? utc : QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC),
        localOffsetSeconds);
}

void HorlogeReglee::set(const QDateTime& utc, int localOffsetSeconds)
{
    m_utc = utc.toUTC();
    m_decalage = localOffsetSeconds;
}

void HorlogeReglee::changeUtc(const QDateTime& utc)
{
    m_utc = utc.toUTC();
}

void HorlogeReglee::advance(int seconds)
{
    m_utc = m_utc.addSecs(seconds);
}

QDateTime HorlogeReglee::utcMaintenant() const
{
    return m_utc;
}

QDateTime HorlogeReglee::localTime(const QDateTime& utc) const
{
    return utc.toOffsetFromUtc(m_decalage);
}
