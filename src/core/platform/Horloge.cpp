#include "Horloge.h"

#include <QTimer>

void Horloge::cadence(QTimer* minuterie, std::function<void()> tic)
{
    QObject::connect(minuterie, &QTimer::timeout, minuterie, std::move(tic));
    minuterie->start();
}

QDateTime HorlogeSysteme::utcMaintenant() const
{
    return QDateTime::currentDateTimeUtc();
}

QDateTime HorlogeSysteme::heureLocale(const QDateTime& utc) const
{
    return utc.toLocalTime();
}
