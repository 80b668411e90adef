#pragma once

#include "core/log/Groupe.h"
#include "support/LignesQso.h"

#include <QByteArray>
#include <QStringList>

namespace JeuxEssaiAdif {

// The ordinary QSO of the tests, with a confirmed QSL and both reports 59 as
// the golden files hold them.
inline LogLine::Champs champs()
{
    LogLine::Champs c = LignesQso::ordinaire();
    c.indicatif = QStringLiteral("FXXXX");
    c.date = QStringLiteral("25/12/14");
    c.heure = QStringLiteral("14:05");
    c.rstEnvoye = QStringLiteral("59");
    c.nomMoulin = QStringLiteral("MOULIN DE LA TOUR");
    c.qsl = true;
    return c;
}

inline QString ligne(const LogLine::Champs& c)
{
    return LogLine::forme(c).ligne;
}

// The bytes of a log holding these lines, in the log's code page.
inline QByteArray log(const QStringList& lignes)
{
    return LignesQso::fichier(lignes);
}

// A log that covers every band label and mode, accented names, empty first
// and windmill names, both QSL flags and one-character departments.
inline QStringList journalComplet()
{
    QStringList lignes;
    const QStringList prenoms = {"JEAN", "", "HÉLÈNE", "FRANÇOIS", "ŒDIPE", "JOSÉ"};
    const QStringList noms = {"MOULIN DE LA TOUR",      "",
                              "MOULIN DE L'ÉCLUSE",     "MOULIN ÀÇÈÉÊËÎÏÔÙÛÜŸ",
                              "MOULIN D’ŒUVRE – CÆSAR", "MOULIN N°3"};
    const QStringList departements = {"77", "2a", "7", "2B", "1", "59"};
    // Reports of two and three characters, never the same both ways.
    const QStringList recus = {"59", "599", "57", "339", "5", "44"};
    const QStringList envoyes = {"57", "579", "55", "559", "4", "59"};
    int n = 0;
    for (const QString& bande : listeBandes()) {
        for (const QString& mode : listeModes()) {
            LogLine::Champs c = champs();
            c.indicatif = QStringLiteral("F%1ABC").arg(n % 10);
            c.prenom = prenoms.at(n % prenoms.size());
            c.nomMoulin = noms.at(n % noms.size());
            c.departement = departements.at(n % departements.size());
            c.reference = c.departement.left(1) + QStringLiteral("%1").arg(1000 + n).right(4);
            c.date = QStringLiteral("%1/%2/%3")
                         .arg(1 + n % 28, 2, 10, QLatin1Char('0'))
                         .arg(1 + n % 12, 2, 10, QLatin1Char('0'))
                         .arg(n % 20 + 5, 2, 10, QLatin1Char('0'));
            c.heure = QStringLiteral("%1:%2")
                          .arg(n % 24, 2, 10, QLatin1Char('0'))
                          .arg(n * 7 % 60, 2, 10, QLatin1Char('0'));
            c.rstRecu = recus.at(n % recus.size());
            c.rstEnvoye = envoyes.at(n % envoyes.size());
            c.mode = mode;
            c.bande = bande;
            c.qsl = n % 2 == 0;
            lignes.append(ligne(c));
            ++n;
        }
    }
    return lignes;
}

// A log in date order whose texts are ASCII and whose references start with
// their department, as the entry stores them: every band label and mode,
// departments 2a and 2b, empty first and windmill names, both QSL flags, two
// QSOs at the same minute, years of both centuries.
inline QStringList journalAscii()
{
    QStringList lignes;
    const QStringList prenoms = {"JEAN", "", "HELENE", "J-P"};
    const QStringList noms = {"MOULIN DE LA TOUR", "", "MOULIN D'EN HAUT",
                              "MOULIN DE LA GALETTE DU NORD 1"};
    const QStringList departements = {"77", "2a", "2b", "01", "95", "59"};
    const QStringList recus = {"59", "599", "57", "339", "5", "44"};
    const QStringList envoyes = {"57", "579", "55", "559", "4", "59"};
    QDateTime t(QDate(1999, 12, 20), QTime(23, 58), Qt::UTC);
    int n = 0;
    for (const QString& bande : listeBandes()) {
        for (const QString& mode : listeModes()) {
            LogLine::Champs c = champs();
            c.indicatif = QStringLiteral("F%1ABC/P").arg(n % 10);
            c.prenom = prenoms.at(n % prenoms.size());
            c.nomMoulin = noms.at(n % noms.size());
            c.departement = departements.at(n % departements.size());
            c.reference = c.departement + QStringLiteral("%1").arg(100 + n);
            c.date = t.toString(QStringLiteral("dd/MM/yy"));
            c.heure = t.toString(QStringLiteral("HH:mm"));
            c.rstRecu = recus.at(n % recus.size());
            c.rstEnvoye = envoyes.at(n % envoyes.size());
            c.mode = mode;
            c.bande = bande;
            c.qsl = n % 2 == 0;
            lignes.append(ligne(c));
            // Two QSOs of one minute, then one every few days.
            if (n % 5 != 0)
                t = t.addSecs(3600 * 24 * 3 + 60 * 7);
            ++n;
        }
    }
    return lignes;
}

} // namespace JeuxEssaiAdif
