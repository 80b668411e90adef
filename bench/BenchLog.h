#pragma once

#include "log/LogLine.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

// Logs for the benchmarks: QSO n is an hour after QSO n - 1, so that the
// file is in date order; callsigns begin with a letter.
namespace BenchLog {

inline QString qso(int n)
{
    LogLine::Champs c;
    c.indicatif = QStringLiteral("F%1").arg(n, 6, 10, QLatin1Char('0'));
    c.departement = QStringLiteral("77");
    c.prenom = QStringLiteral("JEAN");
    c.reference = QStringLiteral("77%1").arg(n % 1000, 3, 10, QLatin1Char('0'));
    const QDateTime t =
        QDateTime(QDate(2005, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(n) * 3600);
    c.date = t.toString(QStringLiteral("dd/MM/yy"));
    c.heure = t.toString(QStringLiteral("HH:mm"));
    c.mode = QStringLiteral("SSB");
    c.bande = QStringLiteral("14 Mhz");
    c.rstRecu = QStringLiteral("59");
    c.rstEnvoye = QStringLiteral("59");
    c.nomMoulin = QStringLiteral("MOULIN DE LA GALETTE");
    c.qsl = n % 3 == 0;
    return LogLine::forme(c).ligne;
}

// QSOs step, 2 step, ... count step, as a log file's bytes.
inline QByteArray fichier(int count, int step = 1)
{
    QByteArray contenu;
    contenu.reserve(qsizetype(count) * (LogLine::Longueur + 2));
    for (int n = 1; n <= count; ++n)
        contenu += qso(n * step).toLatin1() + "\r\n";
    return contenu;
}

inline double mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median time of the work over that many runs, in milliseconds.
inline double medianeMs(int fois, const std::function<void()>& travail)
{
    std::vector<double> temps;
    for (int i = 0; i < fois; ++i) {
        QElapsedTimer t;
        t.start();
        travail();
        temps.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return mediane(temps);
}

} // namespace BenchLog
