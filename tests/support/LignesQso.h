#pragma once

#include "core/log/Affichage.h"
#include "core/log/LogLine.h"
#include "core/platform/Cp1252.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The sample QSOs of the tests and benchmarks. Each suite starts from the
// ordinary QSO and changes the fields it cares about.
namespace LignesQso {

// An ordinary QSO. Its two reports differ, so that a field read or written in
// place of the other shows.
inline LogLine::Champs ordinaire()
{
    LogLine::Champs c;
    c.indicatif = QStringLiteral("F5ABC");
    c.departement = QStringLiteral("77");
    c.prenom = QStringLiteral("JEAN");
    c.reference = QStringLiteral("77121");
    c.date = QStringLiteral("05/06/09");
    c.heure = QStringLiteral("12:00");
    c.mode = QStringLiteral("SSB");
    c.bande = QStringLiteral("14 Mhz");
    c.rstRecu = QStringLiteral("59");
    c.rstEnvoye = QStringLiteral("57");
    c.nomMoulin = QStringLiteral("MOULIN");
    return c;
}

// The stored line of the fields. Fields that cannot form one are a mistake
// of the test itself: it stops there.
inline QString ligne(const LogLine::Champs& c)
{
    const LogLine::Formee f = LogLine::forme(c);
    if (!f.valide())
        qFatal("%s", qPrintable(f.erreur));
    return f.ligne;
}

// QSO n of a long log: callsign "F" and n in six digits, dated pas seconds
// after QSO n - 1, from debut on, so that the log is in date order.
inline LogLine::Champs numero(int n, const QDateTime& debut, qint64 pas)
{
    LogLine::Champs c = ordinaire();
    c.indicatif = QStringLiteral("F%1").arg(n, 6, 10, QLatin1Char('0'));
    const QDateTime t = debut.addSecs(qint64(n) * pas);
    c.date = t.toString(QStringLiteral("dd/MM/yy"));
    c.heure = t.toString(QStringLiteral("HH:mm"));
    return c;
}

// The bytes of a log holding these lines, in the log's code page.
inline QByteArray fichier(const QStringList& lignes)
{
    QByteArray octets;
    for (const QString& l : lignes) {
        QByteArray b;
        Cp1252::encode1252(l, &b);
        octets += b + "\r\n";
    }
    return octets;
}

// The main list of a log: display lines numbered from 1.
inline QStringList affichage(const QStringList& log)
{
    QStringList lignes;
    for (int i = 0; i < log.size(); ++i)
        lignes.append(Affichage::ligneAffichage(i + 1, log.at(i)));
    return lignes;
}

} // namespace LignesQso
