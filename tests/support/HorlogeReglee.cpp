#include "HorlogeReglee.h"

HorlogeReglee::HorlogeReglee(const QDateTime& utc, int decalageLocalSecondes)
{
    regleA(utc.isValid() ? utc : QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC),
           decalageLocalSecondes);
}

void HorlogeReglee::regleA(const QDateTime& utc, int decalageLocalSecondes)
{
    m_utc = utc.toUTC();
    m_decalage = decalageLocalSecondes;
}

void HorlogeReglee::changeUtc(const QDateTime& utc)
{
    m_utc = utc.toUTC();
}

void HorlogeReglee::avanceDe(int secondes)
{
    m_utc = m_utc.addSecs(secondes);
}

QDateTime HorlogeReglee::utcMaintenant() const
{
    return m_utc;
}

QDateTime HorlogeReglee::heureLocale(const QDateTime& utc) const
{
    return utc.toOffsetFromUtc(m_decalage);
}
