#pragma once

#include "core/platform/Horloge.h"

// A clock that shows what it is told: a UTC moment and the offset of local
// time from UTC.
class HorlogeReglee : public Horloge {
public:
    explicit HorlogeReglee(const QDateTime& utc = {}, int decalageLocalSecondes = 0);
    void regleA(const QDateTime& utc, int decalageLocalSecondes);
    void changeUtc(const QDateTime& utc);
    void avanceDe(int secondes);
    QDateTime utcMaintenant() const override;
    QDateTime heureLocale(const QDateTime& utc) const override;

private:
    QDateTime m_utc;
    int m_decalage = 0;
};
