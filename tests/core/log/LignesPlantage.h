#pragma once

#include "core/log/FirstNameMemory.h"
#include "core/log/LogLine.h"
#include "support/LignesQso.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

// The files of the crash test: what a writer of each kind has written after
// k changes, so that the test can tell the state a killed writer left.
namespace LignesPlantage {

// QSO n of the crash test: later in time and after in leading-number order
// than every QSO before it, and than every line of the base.
inline QString lignePlantage(int n, const QString& prefix = QStringLiteral("F"),
                             const QString& nom = QString(), int annee = 2010)
{
    LogLine::Champs c;
    c.indicatif = prefix + QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0'));
    c.departement = QStringLiteral("77");
    c.reference = QStringLiteral("77121");
    const QDateTime t = QDateTime(QDate(annee, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(n) * 60);
    c.date = t.toString(QStringLiteral("dd/MM/yy"));
    c.heure = t.toString(QStringLiteral("HH:mm"));
    c.mode = QStringLiteral("CW");
    c.bande = QStringLiteral("7.0 Mhz");
    c.rstRecu = QStringLiteral("599");
    c.rstEnvoye = QStringLiteral("599");
    c.nomMoulin = nom.isNull() ? QStringLiteral("Moulin n° %1").arg(n) : nom;
    return LogLine::forme(c).ligne;
}

inline QByteArray premieresLignes(int n)
{
    QStringList lignes;
    for (int i = 1; i <= n; ++i)
        lignes.append(lignePlantage(i));
    return LignesQso::fichier(lignes);
}

// Lines already in the log (or the first-name memory) when the writers
// start: every change rewrites them, which makes a write last.
constexpr int kBase = 400;

inline QString ligneDeBase(int i, int version = 0)
{
    return lignePlantage(i, QStringLiteral("B"), QStringLiteral("Version %1").arg(version), 2009);
}

// The first-name line of correspondent i, written by change s (0: at start).
inline QString ligneDeNom(int i, int s)
{
    return FirstNameMemory::formeLigne(QStringLiteral("P%1").arg(i, 5, 10, QLatin1Char('0')),
                                       QStringLiteral("77"), QStringLiteral("PRENOM%1").arg(s));
}

// The file the test watches: the log, or the first-name memory.
inline QString fichierDe(const QString& mode)
{
    return mode == QLatin1String("prenoms") ? FirstNameMemory::nomFichier
                                            : QStringLiteral("CRASH_KZT.log");
}

// The watched file after k changes of that kind of writer.
//  log:      change s saves QSO s (by leading number when s is odd, in date
//            order when even) after the base.
//  remplace: change s gives base line (s-1) % kBase its next version.
//  supprime: change s saves QSO s when s is odd, deletes QSO s-1 when even.
//  prenoms:  change s gives correspondent (s-1) % kBase the first name of s.
inline QByteArray etat(const QString& mode, int k)
{
    QStringList lignes;
    for (int i = 0; i < kBase; ++i) {
        if (mode == QLatin1String("remplace"))
            lignes << ligneDeBase(i, (k - i + kBase - 1) / kBase);
        else if (mode == QLatin1String("prenoms"))
            lignes << ligneDeNom(i, k > i ? i + 1 + kBase * ((k - i - 1) / kBase) : 0);
        else
            lignes << ligneDeBase(i);
    }
    if (mode == QLatin1String("log")) {
        for (int s = 1; s <= k; ++s)
            lignes << lignePlantage(s);
    } else if (mode == QLatin1String("supprime") && k % 2 == 1) {
        lignes << lignePlantage(k);
    }
    return LignesQso::fichier(lignes);
}

} // namespace LignesPlantage
