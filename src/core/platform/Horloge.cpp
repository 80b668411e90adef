#include "Horloge.h"

#include <QTimer>

bool Horloge::cadence(QTimer* minuterie, std::function<void()> tic)
{
    Q_ASSERT_X(minuterie->interval() > 0, "Horloge::cadence", "a timer without an interval");
    if (minuterie->interval() <= 0)
        return false;
    QObject::connect(minuterie, &QTimer::timeout, minuterie, std::move(tic));
    minuterie->start();
    return true;
}

QDateTime HorlogeSysteme::utcMaintenant() const
{
    return QDateTime::currentDateTimeUtc();
}

QDateTime HorlogeSysteme::heureLocale(const QDateTime& utc) const
{
    return utc.toLocalTime();
}
