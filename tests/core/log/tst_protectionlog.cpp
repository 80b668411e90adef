// What keeps the log whole: writes refused or failed leave it as it was,
// a copy of it before the first change of each day, thirty copies kept, a
// copy that cannot be made, and a copy restored.
#include "BancStationLog.h"
#include "JeuxEssai.h"
#include "OutilsTest.h"
#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"

#include <QTest>

using namespace JeuxEssai;
using namespace OutilsTest;

class TestProtectionLog : public QObject, protected BancStationLog {
    Q_OBJECT

private Q_SLOTS:
    void init() { prepareBanc(); }
    void cleanup() { libereBanc(); }

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
};

QTEST_GUILESS_MAIN(TestProtectionLog)
#include "tst_protectionlog.moc"
