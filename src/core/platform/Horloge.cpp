#include "Horloge.h"

QDateTime HorlogeSysteme::utcMaintenant() const
{
    return QDateTime::currentDateTimeUtc();
}

QDateTime HorlogeSysteme::localTime(const QDateTime& utc) const
{
    return utc.toLocalTime();
}
