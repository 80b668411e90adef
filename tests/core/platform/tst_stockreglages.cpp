#include "core/app/Reglages.h"
#include "core/platform/StockReglages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestStockReglages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void premierLancementDonneLesDefauts()
    {
        QTemporaryDir dir;
        StockReglages store(dir.filePath(QStringLiteral("kzt.ini")));
        QCOMPARE(store.read(Reglages::sectionGlobale, Reglages::indicatifStation,
                            Reglages::indicatifAucun),
                 QStringLiteral("FXXXX"));
        QCOMPARE(store.litIndex(Reglages::sectionStation(QStringLiteral("F1ABC")),
                                Reglages::bandeUtilisee, 0),
                 0);
    }

    void valeursGardeesParSectionEntreLancements()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("kzt.ini"));
        {
            StockReglages store(file);
            store.write(Reglages::sectionGlobale, Reglages::indicatifStation,
                        QStringLiteral("F1ABC_P"));
            store.ecritIndex(Reglages::sectionStation(QStringLiteral("F1ABC_P")),
                             Reglages::modeUtilise, 2);
        }
        StockReglages store(file);
        QCOMPARE(store.read(Reglages::sectionGlobale, Reglages::indicatifStation, QString()),
                 QStringLiteral("F1ABC_P"));
        QCOMPARE(store.litIndex(Reglages::sectionStation(QStringLiteral("F1ABC_P")),
                                Reglages::modeUtilise, 0),
                 2);
        // Another station's section does not see it, nor does "Setup" without its blank.
        QCOMPARE(store.litIndex(Reglages::sectionStation(QStringLiteral("F5XYZ")),
                                Reglages::modeUtilise, 0),
                 0);
        QCOMPARE(
            store.read(QStringLiteral("Setup"), Reglages::indicatifStation, QStringLiteral("none")),
            QStringLiteral("none"));
    }

    void indexNonNumeriquesLusSansSelection_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        QTest::newRow("number") << QStringLiteral("11") << 11;
        QTest::newRow("minus one") << QStringLiteral("-1") << -1;
        QTest::newRow("text") << QStringLiteral("abc") << -1;
        QTest::newRow("empty") << QString() << -1;
    }
    void indexNonNumeriquesLusSansSelection()
    {
        QFETCH(QString, stored);
        QFETCH(int, index);
        QTemporaryDir dir;
        StockReglages store(dir.filePath(QStringLiteral("kzt.ini")));
        store.write(QStringLiteral("Setup F1ABC"), Reglages::bandeUtilisee, stored);
        QCOMPARE(store.litIndex(QStringLiteral("Setup F1ABC"), Reglages::bandeUtilisee, 0), index);
    }

    // A write that does not reach the file fails and is reported once; the
    // report comes again after a write that succeeded.
    void ecritureRateeSignaleeUneFois()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("kzt.ini"));
        StockReglages store(file);
        QStringList reports;
        store.signaleEchecsPar([&reports](const QString& m) { reports << m; });
        QVERIFY(store
                    .write(Reglages::sectionGlobale, Reglages::indicatifStation,
                           QStringLiteral("F1ABC"))
                    .isOk());
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
        const Statut failed =
            store.ecritIndex(QStringLiteral("Setup F1ABC"), Reglages::bandeUtilisee, 3);
        QVERIFY(!failed.isOk());
        QVERIFY(
            store.write(QStringLiteral("Setup F1ABC"), Reglages::modeUtilise, QStringLiteral("1"))
                .code == Statut::Echec);
        QCOMPARE(reports, QStringList{failed.message});
        QVERIFY(failed.message.contains(QDir::toNativeSeparators(file)));
        // The program goes on with the values it was given.
        QCOMPARE(store.litIndex(QStringLiteral("Setup F1ABC"), Reglages::bandeUtilisee, 0), 3);

        QVERIFY(QDir().rmdir(file));
        QVERIFY(store
                    .write(Reglages::sectionGlobale, Reglages::indicatifStation,
                           QStringLiteral("F1XYZ"))
                    .isOk());
        QCOMPARE(
            StockReglages(file).litIndex(QStringLiteral("Setup F1ABC"), Reglages::bandeUtilisee, 0),
            3);
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
        QVERIFY(!store
                     .write(Reglages::sectionGlobale, Reglages::indicatifStation,
                            QStringLiteral("F5XYZ"))
                     .isOk());
        QCOMPARE(reports.size(), 2);
    }

    // A value already stored is not written again: with a file that can no
    // longer be written, writing it is no failure, changing it is.
    void valeurInchangeeNonReecrite()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("kzt.ini"));
        StockReglages store(file);
        QStringList reports;
        store.signaleEchecsPar([&reports](const QString& m) { reports << m; });
        const QString section = QStringLiteral("Setup F1ABC");
        QVERIFY(store.write(section, Reglages::revision, QStringLiteral("2.1")).isOk());
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
        QVERIFY(store.write(section, Reglages::revision, QStringLiteral("2.1")).isOk());
        QVERIFY(reports.isEmpty());
        QVERIFY(!store.write(section, Reglages::revision, QStringLiteral("2.2")).isOk());
        QCOMPARE(reports.size(), 1);
        // Once a write failed, the file may lack what the store holds: the
        // same value is written again, and fails again.
        QVERIFY(!store.write(section, Reglages::revision, QStringLiteral("2.2")).isOk());
    }
};

QTEST_GUILESS_MAIN(TestStockReglages)
#include "tst_stockreglages.moc"
