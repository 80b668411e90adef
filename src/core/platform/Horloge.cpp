#include "Horloge.h"

QDateTime HorlogeSysteme::utcMaintenant() const
{
    return QDateTime::currentDateTimeUtc();
}

QDateTime HorlogeSysteme::heureLocale(const QDateTime& utc) const
{
    return utc.toLocalTime();
}
