#include "core/app/SettingsKeys.h"
#include "core/platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstRunGivesTheDefaults()
    {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath(QStringLiteral("kzt.ini")));
        QCOMPARE(store.read(Reglages::Section_Globale, Reglages::Indicatif_Station,
                            Reglages::Indicatif_Aucun),
                 QStringLiteral("FXXXX"));
        QCOMPARE(store.readIndex(Reglages::Section_Station(QStringLiteral("F1ABC")),
                                 Reglages::Bande_Utilisee, 0),
                 0);
    }

    void valuesPersistPerSectionAcrossRuns()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("kzt.ini"));
        {
            SettingsStore store(file);
            store.write(Reglages::Section_Globale, Reglages::Indicatif_Station,
                        QStringLiteral("F1ABC_P"));
            store.writeIndex(Reglages::Section_Station(QStringLiteral("F1ABC_P")),
                             Reglages::Mode_Utilise, 2);
        }
        SettingsStore store(file);
        QCOMPARE(store.read(Reglages::Section_Globale, Reglages::Indicatif_Station, QString()),
                 QStringLiteral("F1ABC_P"));
        QCOMPARE(store.readIndex(Reglages::Section_Station(QStringLiteral("F1ABC_P")),
                                 Reglages::Mode_Utilise, 0),
                 2);
        // Another station's section does not see it, nor does "Setup" without its blank.
        QCOMPARE(store.readIndex(Reglages::Section_Station(QStringLiteral("F5XYZ")),
                                 Reglages::Mode_Utilise, 0),
                 0);
        QCOMPARE(store.read(QStringLiteral("Setup"), Reglages::Indicatif_Station,
                            QStringLiteral("none")),
                 QStringLiteral("none"));
    }

    void indexesThatAreNotNumbersReadAsNoSelection_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        QTest::newRow("number") << QStringLiteral("11") << 11;
        QTest::newRow("minus one") << QStringLiteral("-1") << -1;
        QTest::newRow("text") << QStringLiteral("abc") << -1;
        QTest::newRow("empty") << QString() << -1;
    }
    void indexesThatAreNotNumbersReadAsNoSelection()
    {
        QFETCH(QString, stored);
        QFETCH(int, index);
        QTemporaryDir dir;
        SettingsStore store(dir.filePath(QStringLiteral("kzt.ini")));
        store.write(QStringLiteral("Setup F1ABC"), Reglages::Bande_Utilisee, stored);
        QCOMPARE(store.readIndex(QStringLiteral("Setup F1ABC"), Reglages::Bande_Utilisee, 0),
                 index);
    }

    // A write that does not reach the file fails and is reported once; the
    // report comes again after a write that succeeded.
    void failedWriteIsReportedOnce()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("kzt.ini"));
        SettingsStore store(file);
        QStringList reports;
        store.setFailureReport([&reports](const QString& m) { reports << m; });
        QVERIFY(store
                    .write(Reglages::Section_Globale, Reglages::Indicatif_Station,
                           QStringLiteral("F1ABC"))
                    .isOk());
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
        const Status failed =
            store.writeIndex(QStringLiteral("Setup F1ABC"), Reglages::Bande_Utilisee, 3);
        QVERIFY(!failed.isOk());
        QVERIFY(
            store.write(QStringLiteral("Setup F1ABC"), Reglages::Mode_Utilise, QStringLiteral("1"))
                .code == Status::Failed);
        QCOMPARE(reports, QStringList{failed.message});
        QVERIFY(failed.message.contains(QDir::toNativeSeparators(file)));
        // The program goes on with the values it was given.
        QCOMPARE(store.readIndex(QStringLiteral("Setup F1ABC"), Reglages::Bande_Utilisee, 0), 3);

        QVERIFY(QDir().rmdir(file));
        QVERIFY(store
                    .write(Reglages::Section_Globale, Reglages::Indicatif_Station,
                           QStringLiteral("F1XYZ"))
                    .isOk());
        QCOMPARE(SettingsStore(file).readIndex(QStringLiteral("Setup F1ABC"),
                                               Reglages::Bande_Utilisee, 0),
                 3);
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
        QVERIFY(!store
                     .write(Reglages::Section_Globale, Reglages::Indicatif_Station,
                            QStringLiteral("F5XYZ"))
                     .isOk());
        QCOMPARE(reports.size(), 2);
    }

    // A value already stored is not written again: with a file that can no
    // longer be written, writing it is no failure, changing it is.
    void unchangedValueIsNotWrittenAgain()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("kzt.ini"));
        SettingsStore store(file);
        QStringList reports;
        store.setFailureReport([&reports](const QString& m) { reports << m; });
        const QString section = QStringLiteral("Setup F1ABC");
        QVERIFY(store.write(section, Reglages::Revision, QStringLiteral("2.1")).isOk());
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
        QVERIFY(store.write(section, Reglages::Revision, QStringLiteral("2.1")).isOk());
        QVERIFY(reports.isEmpty());
        QVERIFY(!store.write(section, Reglages::Revision, QStringLiteral("2.2")).isOk());
        QCOMPARE(reports.size(), 1);
        // Once a write failed, the file may lack what the store holds: the
        // same value is written again, and fails again.
        QVERIFY(!store.write(section, Reglages::Revision, QStringLiteral("2.2")).isOk());
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
