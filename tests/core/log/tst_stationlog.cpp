#include "JeuxEssai.h"
#include "OutilsTest.h"
#include "core/log/Affichage.h"
#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"
#include "core/platform/Horloge.h"
#include "support/HorlogeReglee.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace JeuxEssai;
using namespace OutilsTest;

class TestStationLog : public QObject {
    Q_OBJECT

    QTemporaryDir* m_dossierTemporaire = nullptr;
    QString m_cheminFichier;

    HorlogeReglee m_horlogeReglee{QDateTime(QDate(2026, 12, 7), QTime(23, 30), Qt::UTC), 3600};

    StationLog log() const
    {
        return StationLog(m_dossierTemporaire->path(), "F1ABC", &m_horlogeReglee);
    }
    QString backup(const QString& name) const
    {
        return m_dossierTemporaire->filePath("Sauvegardes/" + name);
    }
    QStringList backups() const
    {
        return QDir(m_dossierTemporaire->filePath("Sauvegardes"))
            .entryList(QDir::Files, QDir::Name);
    }
    Statut change(const QString& operation, const QString& line, const QString& old = {})
    {
        StationLog l = log();
        if (operation == "enregistre")
            return l.Enregistre_QSO(line);
        if (operation == "chrono")
            return l.Insere_QSO_Chrono(line);
        if (operation == "remplace")
            return l.Remplace_QSO(line, old);
        return l.Supprime_QSO(old);
    }
    void ecritLeLog(const QStringList& lines)
    {
        QVERIFY(ecritOctets(m_cheminFichier, fichierDe(lines)));
    }
    QByteArray octetsLog() const { return litOctets(m_cheminFichier); }
    QStringList fichiersDeTravail() const
    {
        return QDir(m_dossierTemporaire->path())
            .entryList({"Temporaire*"}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

private Q_SLOTS:
    void init()
    {
        m_dossierTemporaire = new QTemporaryDir;
        m_cheminFichier = m_dossierTemporaire->filePath("F1ABC_KZT.log");
        m_horlogeReglee.set(QDateTime(QDate(2026, 12, 7), QTime(23, 30), Qt::UTC), 3600);
        Sauvegardes::echecsASignaler(); // those of the tests before
    }
    void cleanup()
    {
        QVERIFY(fichiersDeTravail().isEmpty());
        delete m_dossierTemporaire;
    }

    void creeDepuisLeModeleSansJamaisRemplacer()
    {
        QVERIFY(ecritOctets(m_dossierTemporaire->filePath("FXXXX.txt"), ""));
        QVERIFY(StationLog::Cree_Log(m_dossierTemporaire->path(), "F1ABC").isOk());
        QVERIFY(QFile::exists(m_cheminFichier));
        QCOMPARE(octetsLog(), QByteArray());

        ecritLeLog({ligneQso("F5XYZ")});
        const QByteArray before = octetsLog();
        const Statut again = StationLog::Cree_Log(m_dossierTemporaire->path(), "F1ABC");
        QVERIFY(!again.isOk());
        QVERIFY(again.message.contains("existe déjà"));
        QCOMPARE(octetsLog(), before);
    }

    void creationSansModeleEchoue()
    {
        const Statut s = StationLog::Cree_Log(m_dossierTemporaire->path(), "F1ABC");
        QVERIFY(!s.isOk());
        QVERIFY(s.message.contains("FXXXX.txt"));
        QVERIFY(!QFile::exists(m_cheminFichier));
    }

    void chargeLesLignesNumerotees()
    {
        QCOMPARE(log().Charge_Log().status.code, Statut::Absent);
        ecritLeLog({});
        QVERIFY(log().Charge_Log().affichage.isEmpty());

        ecritLeLog({ligneQso("F5AAA"), ligneQso("F5BBB")});
        const StationLog::Lignes l = log().Charge_Log();
        QVERIFY(l.status.isOk());
        QCOMPARE(l.affichage.versListe(),
                 (QStringList{Affichage::ligneAffichage(1, ligneQso("F5AAA")),
                              Affichage::ligneAffichage(2, ligneQso("F5BBB"))}));
        QVERIFY(!l.tronque());

        // The lines loaded stay as they were read while the log is replaced.
        QVERIFY(log().Supprime_QSO(ligneQso("F5AAA")).isOk());
        QVERIFY(log().Enregistre_QSO(ligneQso("F1NEW")).isOk());
        QCOMPARE(l.affichage.at(0), Affichage::ligneAffichage(1, ligneQso("F5AAA")));
        QCOMPARE(l.affichage.last(), Affichage::ligneAffichage(2, ligneQso("F5BBB")));
        QCOMPARE(log().Charge_Log().affichage.last(),
                 Affichage::ligneAffichage(2, ligneQso("F1NEW")));
    }

    void logEnormeMontreCeQuiTientEtLeDit()
    {
        const QByteArray line = ligneQso("F5AAA").toLatin1() + "\r\n";
        QVERIFY(ecritOctets(m_cheminFichier, line.repeated(100001)));
        const StationLog::Lignes l = log().Charge_Log();
        QVERIFY(l.status.isOk());
        QCOMPARE(l.total, qsizetype(100001));
        QCOMPARE(l.affichage.size(), qsizetype(99999));
        QVERIFY(l.tronque());
        QVERIFY(l.affichage.at(9999).startsWith("10000  F5AAA"));
        QVERIFY(l.affichage.last().startsWith("99999  F5AAA"));
    }

    void cleNumeroDeTete_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<double>("key");
        QTest::newRow("letter") << QByteArray("F1ABC") << 0.0;
        QTest::newRow("digit then letter") << QByteArray("9A1AA") << 9.0;
        QTest::newRow("two digits") << QByteArray("4X4AB") << 4.0;
        QTest::newRow("leading blanks") << QByteArray("  12X") << 12.0;
        QTest::newRow("sign") << QByteArray("-3ABC") << -3.0;
        QTest::newRow("decimal") << QByteArray(".5ABC") << 0.5;
        QTest::newRow("exponent") << QByteArray("1E3XY") << 1000.0;
        QTest::newRow("D exponent") << QByteArray("2D2XY") << 200.0;
        QTest::newRow("E without digits") << QByteArray("3EXYZ") << 3.0;
        QTest::newRow("only five chars") << QByteArray("123456") << 12345.0;
        QTest::newRow("E alone") << QByteArray("E5ABC") << 0.0;
        QTest::newRow("empty") << QByteArray() << 0.0;
    }
    void cleNumeroDeTete()
    {
        QFETCH(QByteArray, line);
        QFETCH(double, key);
        QCOMPARE(StationLog::Cle(line), key);
    }

    void enregistrePlaceParNumeroDeTete_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<int>("place");
        QTest::newRow("empty log") << QStringList{} << "F1AAA" << 0;
        QTest::newRow("letters only: appended") << QStringList{"F5AAA", "G4BBB"} << "F1AAA" << 2;
        QTest::newRow("before the first digit callsign")
            << QStringList{"F5AAA", "9A1AA", "F6CCC"} << "F1AAA" << 1;
        QTest::newRow("digit callsign after smaller")
            << QStringList{"4X4AA", "9A1AA"} << "5B4AA" << 1;
    }
    void enregistrePlaceParNumeroDeTete()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, added);
        QFETCH(int, place);
        QStringList lines;
        for (const QString& c : before)
            lines << ligneQso(c);
        ecritLeLog(lines);
        QVERIFY(log().Enregistre_QSO(ligneQso(added)).isOk());
        lines.insert(place, ligneQso(added));
        QCOMPARE(octetsLog(), fichierDe(lines));
    }

    void chronoPlaceParMoment_data()
    {
        QTest::addColumn<QStringList>("dates"); // "dd/mm/yy hh:mm" of the lines in the file
        QTest::addColumn<QString>("added");
        QTest::addColumn<int>("place");
        QTest::newRow("empty log") << QStringList{} << "01/01/10 10:00" << 0;
        QTest::newRow("1999 before 2000") << QStringList{"01/01/00 00:00"} << "31/12/99 23:59" << 0;
        QTest::newRow("2049 after 1950") << QStringList{"01/01/50 00:00"} << "01/01/49 00:00" << 1;
        QTest::newRow("same moment goes first")
            << QStringList{"05/06/09 12:00", "05/06/09 12:00"} << "05/06/09 12:00" << 0;
        QTest::newRow("middle") << QStringList{"05/06/09 12:00", "07/06/09 08:00"}
                                << "06/06/09 23:00" << 1;
        QTest::newRow("latest at end") << QStringList{"05/06/09 12:00"} << "05/06/09 12:01" << 1;
        QTest::newRow("unreadable line passed over")
            << QStringList{"05/06/09 12:00", "xx/06/09 12:00", "07/06/09 12:00"} << "06/06/09 12:00"
            << 2;
        QTest::newRow("non-calendar line passed over")
            << QStringList{"31/02/09 12:00", "07/06/09 12:00"} << "06/06/09 12:00" << 1;
    }
    void chronoPlaceParMoment()
    {
        QFETCH(QStringList, dates);
        QFETCH(QString, added);
        QFETCH(int, place);
        QStringList lines;
        for (const QString& d : dates)
            lines << ligneQso("F5AAA", d.left(8), d.mid(9));
        ecritLeLog(lines);
        const QString line = ligneQso("F1NEW", added.left(8), added.mid(9));
        QVERIFY(log().Insere_QSO_Chrono(line).isOk());
        lines.insert(place, line);
        QCOMPARE(octetsLog(), fichierDe(lines));
    }

    void chronoRefuseUneDateHorsCalendrier_data()
    {
        QTest::addColumn<QString>("date");
        QTest::newRow("30 february") << "30/02/09";
        QTest::newRow("31 april") << "31/04/09";
        QTest::newRow("day 00") << "00/06/09";
        QTest::newRow("month 00") << "05/00/09";
    }
    void chronoRefuseUneDateHorsCalendrier()
    {
        QFETCH(QString, date);
        ecritLeLog({ligneQso("F5AAA")});
        const QByteArray before = octetsLog();
        const Statut s = log().Insere_QSO_Chrono(ligneQso("F1NEW", date));
        QVERIFY(!s.isOk());
        QVERIFY2(s.message.contains(date), qPrintable(s.message));
        QCOMPARE(octetsLog(), before);
    }

    void remplaceChaqueLigneEgaleOuAjoute()
    {
        const QString a = ligneQso("F5AAA"), b = ligneQso("F5BBB"), n = ligneQso("F1NEW");
        ecritLeLog({a, b, a});
        QVERIFY(log().Remplace_QSO(n, a).isOk());
        QCOMPARE(octetsLog(), fichierDe({n, b, n}));
        QVERIFY(log().Remplace_QSO(a, ligneQso("F9NONE")).isOk());
        QCOMPARE(octetsLog(), fichierDe({n, b, n, a}));
    }

    void ligneSansBlancsFinauxTrouvee()
    {
        // A text editor took the trailing blanks off a line without QSL.
        const QString a = ligneQso("F5AAA");
        QVERIFY(ecritOctets(m_cheminFichier,
                            Texte(a) + "\r\n" + ligneQso("F5BBB").toLatin1() + "\r\n"));
        const QString shown = Affichage::ligneAffichage(1, cp1252(a));
        QVERIFY(log().Supprime_QSO(Affichage::logLineDepuisAffichage(shown, false)).isOk());
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F5BBB")}));
    }

    void supprimeEffaceChaqueCopie()
    {
        const QString a = ligneQso("F5AAA"), b = ligneQso("F5BBB");
        ecritLeLog({a, b, a});
        QVERIFY(log().Supprime_QSO(a).isOk());
        QCOMPARE(octetsLog(), fichierDe({b}));
        QVERIFY(log().Supprime_QSO(ligneQso("F9NONE")).isOk());
        QCOMPARE(octetsLog(), fichierDe({b}));
    }

    void finsDeLigneEtrangeresGardees_data()
    {
        QTest::addColumn<QByteArray>("end");
        QTest::newRow("lf only") << QByteArray("\n");
        QTest::newRow("cr only") << QByteArray("\r");
    }
    void finsDeLigneEtrangeresGardees()
    {
        QFETCH(QByteArray, end);
        const QString a = ligneQso("F5AAA"), b = ligneQso("F5BBB");
        QVERIFY(
            ecritOctets(m_cheminFichier, a.toLatin1() + end + b.toLatin1())); // no last line end
        QCOMPARE(log().Charge_Log().affichage.size(), qsizetype(2));
        QVERIFY(log().Enregistre_QSO(ligneQso("F1NEW")).isOk());
        QCOMPARE(octetsLog(), fichierDe({a, b, ligneQso("F1NEW")}));
    }

    void ecrituresRefuseesLaissentLeLogIntact_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("line");
        QTest::newRow("short line") << "enregistre"
                                    << "F1ABC";
        QTest::newRow("cyrillic") << "enregistre" << ligneQso("F1NEW").replace("MOULIN", "МОУЛИН");
        QTest::newRow("chrono short") << "chrono" << ligneQso("F1NEW").left(100);
        QTest::newRow("replace long") << "remplace" << ligneQso("F1NEW") + "X";
        // A line end inside the line would make two lines of it in the file.
        QTest::newRow("CR inside")
            << "enregistre" << ligneQso("F1NEW").replace("MOULIN", "MOU\rIN");
        QTest::newRow("chrono LF inside")
            << "chrono" << ligneQso("F1NEW").replace("MOULIN", "MOU\nIN");
        QTest::newRow("replace CR LF at end") << "remplace" << ligneQso("F1NEW").left(105) + "\r\n";
    }
    void ecrituresRefuseesLaissentLeLogIntact()
    {
        QFETCH(QString, operation);
        QFETCH(QString, line);
        ecritLeLog({ligneQso("F5AAA")});
        const QByteArray before = octetsLog();
        StationLog l = log();
        Statut s;
        if (operation == "enregistre")
            s = l.Enregistre_QSO(line);
        else if (operation == "chrono")
            s = l.Insere_QSO_Chrono(line);
        else
            s = l.Remplace_QSO(line, ligneQso("F5AAA"));
        QVERIFY(!s.isOk());
        QVERIFY(!s.message.isEmpty());
        QCOMPARE(octetsLog(), before);
    }

    void ecritureRateeLaisseLeLogIntact_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("message");
        for (const char* cause : {"full disk", "read-only log"}) {
            for (const char* operation : {"enregistre", "chrono", "remplace", "supprime"}) {
                QTest::addRow("%s, %s", operation, cause)
                    << operation << cause
                    << (QString(cause) == "full disk" ? "disque est plein" : "lecture seule");
            }
        }
    }
    void ecritureRateeLaisseLeLogIntact()
    {
        QFETCH(QString, operation);
        QFETCH(QString, cause);
        QFETCH(QString, message);
        QStringList lines;
        for (int i = 0; i < 40; ++i)
            lines << ligneQso(QString("F5A%1").arg(i, 2, 10, QLatin1Char('0')));
        ecritLeLog(lines);
        const QByteArray before = octetsLog();
        Statut s;
        if (cause == "read-only log") {
            QVERIFY(QFile::setPermissions(m_cheminFichier, QFile::ReadOwner | QFile::ReadGroup));
            s = change(operation, ligneQso("F1NEW"), lines.first());
        } else {
            LimiteTailleFichier limit(before.size() / 2);
            s = change(operation, ligneQso("F1NEW"), lines.first());
        }
        QVERIFY(!s.isOk());
        QVERIFY2(s.message.contains(message), qPrintable(s.message));
        QCOMPARE(octetsLog(), before);
        QCOMPARE(QFile::permissions(m_cheminFichier) & QFile::WriteOwner,
                 cause == "read-only log" ? QFile::Permissions() : QFile::WriteOwner);
    }

    // Before the first change of each day the log as it was is copied into
    // "Sauvegardes"; later changes of the day leave that copy alone.
    void chaqueChangementPrecedeDeLaSauvegardeDuJour_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("enregistre") << "enregistre";
        QTest::newRow("chrono") << "chrono";
        QTest::newRow("remplace") << "remplace";
        QTest::newRow("supprime") << "supprime";
    }
    void chaqueChangementPrecedeDeLaSauvegardeDuJour()
    {
        QFETCH(QString, operation);
        const QString a = ligneQso("F5AAA", "01/06/09"), b = ligneQso("F5BBB", "02/06/09");
        ecritLeLog({a, b});
        const QByteArray start = octetsLog();
        // 23:30 UTC is already 8 December in local time (UTC+1): the local day counts.
        QVERIFY(change(operation, ligneQso("F1NEW", "03/06/09"), a).isOk());
        QCOMPARE(backups(), QStringList{"F1ABC_KZT_20261208.log"});
        QCOMPARE(litOctets(backup("F1ABC_KZT_20261208.log")), start);
        const QByteArray afterFirst = octetsLog();
        QVERIFY(afterFirst != start);

        QVERIFY(change(operation, ligneQso("F1TWO", "04/06/09"), b).isOk());
        QCOMPARE(litOctets(backup("F1ABC_KZT_20261208.log")), start);

        m_horlogeReglee.advance(24 * 3600);
        const QByteArray endOfDay = octetsLog();
        QVERIFY(
            change(operation, ligneQso("F1TRI", "05/06/09"), ligneQso("F1NEW", "03/06/09")).isOk());
        QCOMPARE(backups(), (QStringList{"F1ABC_KZT_20261208.log", "F1ABC_KZT_20261209.log"}));
        QCOMPARE(litOctets(backup("F1ABC_KZT_20261209.log")), endOfDay);
        QVERIFY(Sauvegardes::echecsASignaler().isEmpty());
    }

    void trenteSauvegardesGardeesParStation()
    {
        ecritLeLog({ligneQso("F5AAA")});
        QVERIFY(QDir(m_dossierTemporaire->path()).mkdir("Sauvegardes"));
        QStringList kept;
        for (int day = 1; day <= 34; ++day) {
            const QString name =
                Sauvegardes::nomDeSauvegarde("F1ABC", QDate(2026, 10, 1).addDays(day));
            QVERIFY(ecritOctets(backup(name), "old\r\n"));
            if (day > 5)
                kept << name;
        }
        // Other stations' copies and other files are not counted nor touched.
        const QStringList others{"F1ABC_P_KZT_20200101.log", "F1AB_KZT_20200101.log",
                                 "F1ABC_KZT_2020010.log", "notes.txt"};
        for (const QString& other : others)
            QVERIFY(ecritOctets(backup(other), "other"));

        QVERIFY(log().Enregistre_QSO(ligneQso("F1NEW")).isOk());
        kept << "F1ABC_KZT_20261208.log";
        QStringList expected = kept + others;
        expected.sort();
        QCOMPARE(backups(), expected);
        QCOMPARE(Sauvegardes(m_dossierTemporaire->path(), m_horlogeReglee).Liste("F1ABC").size(),
                 30);
        QCOMPARE(Sauvegardes(m_dossierTemporaire->path(), m_horlogeReglee).Liste("F1ABC").first(),
                 QString("F1ABC_KZT_20261208.log"));

        // A clock set in the past: the new copy is kept, the oldest goes.
        m_horlogeReglee.set(QDateTime(QDate(2020, 1, 1), QTime(12, 0), Qt::UTC), 0);
        QVERIFY(log().Enregistre_QSO(ligneQso("F1OLD")).isOk());
        const QStringList now =
            Sauvegardes(m_dossierTemporaire->path(), m_horlogeReglee).Liste("F1ABC");
        QCOMPARE(now.size(), 30);
        QVERIFY(now.contains("F1ABC_KZT_20200101.log"));
        QVERIFY(!now.contains(kept.first()));
        QCOMPARE(now.first(), QString("F1ABC_KZT_20261208.log"));
    }

    // A backup that cannot be made never stops the change; it is reported
    // once for the station and the day.
    void sauvegardeRateeNArretePasLeChangement()
    {
        ecritLeLog({ligneQso("F5AAA")});
        QVERIFY(ecritOctets(m_dossierTemporaire->filePath("Sauvegardes"), "a file in the way"));
        QVERIFY(log().Enregistre_QSO(ligneQso("F1NEW")).isOk());
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F5AAA"), ligneQso("F1NEW")}));
        const QStringList failed = Sauvegardes::echecsASignaler();
        QCOMPARE(failed.size(), 1);
        QVERIFY2(failed.first().contains("Sauvegardes"), qPrintable(failed.first()));
        QVERIFY(log().Supprime_QSO(ligneQso("F5AAA")).isOk());
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F1NEW")}));
        QVERIFY(Sauvegardes::echecsASignaler().isEmpty());
        m_horlogeReglee.advance(24 * 3600);
        QVERIFY(log().Supprime_QSO(ligneQso("F1NEW")).isOk());
        QCOMPARE(Sauvegardes::echecsASignaler().size(), 1);
    }

    void restaurerGardeDAbordLeLogActuel()
    {
        ecritLeLog({ligneQso("F5AAA")});
        QVERIFY(log().Enregistre_QSO(ligneQso("F1NEW")).isOk());
        const QByteArray current = octetsLog();
        Sauvegardes s(m_dossierTemporaire->path(), m_horlogeReglee);
        QVERIFY(s.restaureSauvegarde("F1ABC", "F1ABC_KZT_20261208.log").isOk());
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F5AAA")}));
        // The day's copy stays as it was; the log of before the restore is
        // kept under the time of day.
        QCOMPARE(backups(),
                 (QStringList{"F1ABC_KZT_20261208.log", "F1ABC_KZT_20261208_003000.log"}));
        QCOMPARE(litOctets(backup("F1ABC_KZT_20261208_003000.log")), current);
        QCOMPARE(s.Liste("F1ABC").first(), QString("F1ABC_KZT_20261208_003000.log"));

        const Statut other = s.restaureSauvegarde("F1ABC", "F5XYZ_KZT_20261208.log");
        QVERIFY(!other.isOk());
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F5AAA")}));
        QVERIFY(!s.restaureSauvegarde("F1ABC", "../F1ABC_KZT.log").isOk());
    }

    // A callsign that is no station callsign never names a file, wherever it
    // comes from (a settings file edited by hand).
    void indicatifInvalideNeNommeAucunFichier_data()
    {
        QTest::addColumn<QString>("callsign");
        QTest::newRow("parent folder") << "../outside";
        QTest::newRow("slash") << "F1ABC/P";
        QTest::newRow("lower case") << "f1abc";
        QTest::newRow("blank") << "F1 ABC";
        QTest::newRow("empty") << "";
        QTest::newRow("13 characters") << "F1ABCDEFGHIJK";
        QTest::newRow("absolute") << "/tmp/x";
    }
    void indicatifInvalideNeNommeAucunFichier()
    {
        QFETCH(QString, callsign);
        QVERIFY(ecritOctets(m_dossierTemporaire->filePath("FXXXX.txt"), ""));
        QVERIFY(!StationLog::indicatifValide(callsign));
        const QStringList before =
            QDir(m_dossierTemporaire->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QVERIFY(!StationLog::Cree_Log(m_dossierTemporaire->path(), callsign).isOk());
        StationLog l(m_dossierTemporaire->path(), callsign, &m_horlogeReglee);
        QCOMPARE(l.Charge_Log().status.code, Statut::Echec);
        QVERIFY(!l.Enregistre_QSO(ligneQso("F1NEW")).isOk());
        QVERIFY(!l.Supprime_QSO(ligneQso("F1NEW")).isOk());
        QCOMPARE(
            QDir(m_dossierTemporaire->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            before);
        QVERIFY(!QFile::exists(m_dossierTemporaire->filePath("../outside_KZT.log")));
        QVERIFY(StationLog::indicatifValide("F_P1ABC_9"));
        QVERIFY(StationLog::indicatifValide("F1ABCDEFGHIJ"));
    }

    void logAbsentEstUneErreurSansCreation()
    {
        const Statut s = log().Enregistre_QSO(ligneQso("F1NEW"));
        QVERIFY(!s.isOk());
        QVERIFY(s.message.contains("F1ABC_KZT.log"));
        QVERIFY(!QFile::exists(m_cheminFichier));
    }

private:
    static QByteArray Texte(const QString& line)
    {
        QByteArray b = line.toLatin1();
        while (b.endsWith(' '))
            b.chop(1);
        return b;
    }
    static QString cp1252(const QString& line) { return QString::fromLatin1(Texte(line)); }
};

QTEST_GUILESS_MAIN(TestStationLog)
#include "tst_stationlog.moc"
