#include "HorlogeReglee.h"

HorlogeReglee::HorlogeReglee(const QDateTime& utc, int decalageLocalSecondes)
{
    regleA(utc.isValid() ? utc : QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC),
           decalageLocalSecondes);
}

void HorlogeReglee::regleA(const QDateTime& utc, int decalageLocalSecondes)
{
    {
        const QMutexLocker verrou(&m_verrou);
        m_utc = utc.toUTC();
        m_decalage = decalageLocalSecondes;
    }
    bat();
}

void HorlogeReglee::changeUtc(const QDateTime& utc)
{
    {
        const QMutexLocker verrou(&m_verrou);
        m_utc = utc.toUTC();
    }
    bat();
}

void HorlogeReglee::avanceDe(int secondes)
{
    {
        const QMutexLocker verrou(&m_verrou);
        m_utc = m_utc.addSecs(secondes);
    }
    bat();
}

QDateTime HorlogeReglee::utcMaintenant() const
{
    const QMutexLocker verrou(&m_verrou);
    return m_utc;
}

QDateTime HorlogeReglee::heureLocale(const QDateTime& utc) const
{
    const QMutexLocker verrou(&m_verrou);
    return utc.toOffsetFromUtc(m_decalage);
}

bool HorlogeReglee::cadence(QTimer* minuterie, std::function<void()> tic)
{
    // The same contract as the system's clock, though the timer never runs.
    Q_ASSERT_X(minuterie->interval() > 0, "HorlogeReglee::cadence", "a timer without an interval");
    if (minuterie->interval() <= 0)
        return false;
    m_abonnes.append({minuterie, std::move(tic)});
    return true;
}

void HorlogeReglee::bat()
{
    m_abonnes.removeIf([](const Abonne& a) { return a.minuterie.isNull(); });
    // A copy: a tic may open or close a window that subscribes.
    const QList<Abonne> abonnes = m_abonnes;
    for (const Abonne& a : abonnes)
        if (a.minuterie)
            a.tic();
}
