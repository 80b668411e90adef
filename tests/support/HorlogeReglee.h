#pragma once

#include "core/platform/Horloge.h"

#include <QList>
#include <QMutex>
#include <QPointer>
#include <QTimer>

// A clock that shows what it is told: a UTC moment and the offset of local
// time from UTC. The windows that show the time see each move at once, as
// the tick of a second, so that no test waits for the system's timer. It is
// moved on the windows' thread and may be read from any thread.
class HorlogeReglee : public Horloge {
public:
    explicit HorlogeReglee(const QDateTime& utc = {}, int decalageLocalSecondes = 0);
    void regleA(const QDateTime& utc, int decalageLocalSecondes);
    void changeUtc(const QDateTime& utc);
    void avanceDe(int secondes);
    QDateTime utcMaintenant() const override;
    QDateTime heureLocale(const QDateTime& utc) const override;
    bool cadence(QTimer* minuterie, std::function<void()> tic) override;

private:
    void bat();

    struct Abonne {
        QPointer<QTimer> minuterie;
        std::function<void()> tic;
    };
    mutable QMutex m_verrou; // m_utc and m_decalage, read by other threads
    QDateTime m_utc;
    int m_decalage = 0;
    QList<Abonne> m_abonnes;
};
