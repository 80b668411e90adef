#pragma once

#include "support/LignesQso.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

// Logs for the benchmarks: QSO n is an hour after QSO n - 1, so that the
// file is in date order; callsigns begin with a letter.
namespace LogBanc {

inline QString ligneQso(int n)
{
    LogLine::Champs c =
        LignesQso::numero(n, QDateTime(QDate(2005, 1, 1), QTime(0, 0), Qt::UTC), 3600);
    c.reference = QStringLiteral("77%1").arg(n % 1000, 3, 10, QLatin1Char('0'));
    c.nomMoulin = QStringLiteral("MOULIN DE LA GALETTE");
    c.qsl = n % 3 == 0;
    return LignesQso::ligne(c);
}

// QSOs step, 2 step, ... count step, as a log file's bytes.
inline QByteArray fichier(int nombre, int step = 1)
{
    QByteArray contenu;
    contenu.reserve(qsizetype(nombre) * (LogLine::Longueur + 2));
    for (int n = 1; n <= nombre; ++n)
        contenu += ligneQso(n * step).toLatin1() + "\r\n";
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

} // namespace LogBanc
