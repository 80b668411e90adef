#pragma once

#include <QDateTime>

// The time of day as the program sees it. Windows and clock texts take an
// Horloge so that tests can set the time.
class Horloge {
public:
    virtual ~Horloge() = default;
    virtual QDateTime utcMaintenant() const = 0;
    // The local time of a UTC moment: the time zone and daylight-saving
    // rules applied.
    virtual QDateTime heureLocale(const QDateTime& utc) const = 0;
    QDateTime localMaintenant() const { return heureLocale(utcMaintenant()); }
};

class HorlogeSysteme : public Horloge {
public:
    QDateTime utcMaintenant() const override;
    QDateTime heureLocale(const QDateTime& utc) const override;
};
