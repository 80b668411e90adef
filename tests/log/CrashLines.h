#pragma once

#include "support/QsoLines.h"

#include <QByteArray>
#include <QDateTime>

namespace CrashLines {

// QSO n of the crash test: later in time and after in leading-number order
// than every QSO before it.
inline QString line(int n)
{
    LogLine::Champs c;
    c.indicatif = QStringLiteral("F%1").arg(n, 6, 10, QLatin1Char('0'));
    c.departement = QStringLiteral("77");
    c.reference = QStringLiteral("77121");
    const QDateTime t = QDateTime(QDate(2010, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(n) * 60);
    c.date = t.toString(QStringLiteral("dd/MM/yy"));
    c.heure = t.toString(QStringLiteral("HH:mm"));
    c.mode = QStringLiteral("CW");
    c.bande = QStringLiteral("7.0 Mhz");
    c.rstRecu = QStringLiteral("599");
    c.rstEnvoye = QStringLiteral("599");
    c.nomMoulin = QStringLiteral("Moulin n° %1").arg(n);
    return LogLine::forme(c).ligne;
}

inline QByteArray firstLines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines.append(line(i));
    return QsoLines::fichier(lines);
}

} // namespace CrashLines
