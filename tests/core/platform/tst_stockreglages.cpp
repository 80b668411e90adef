#include "core/app/Reglages.h"
#include "core/platform/StockReglages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifndef Q_OS_WIN
#include <sys/wait.h>
#include <unistd.h>
#endif

class TestStockReglages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void premierLancementDonneLesDefauts()
    {
        QTemporaryDir dossier;
        StockReglages stock(dossier.filePath(QStringLiteral("kzt.ini")));
        QCOMPARE(stock.lit(Reglages::sectionGlobale, Reglages::indicatifStation,
                           Reglages::indicatifAucun),
                 QStringLiteral("FXXXX"));
        QCOMPARE(stock.litIndex(Reglages::sectionStation(QStringLiteral("F1ABC")),
                                Reglages::bandeUtilisee, 0),
                 0);
    }

    void valeursGardeesParSectionEntreLancements()
    {
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(QStringLiteral("kzt.ini"));
        {
            StockReglages stock(fichier);
            stock.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation,
                        QStringLiteral("F1ABC_P"));
            stock.ecritIndex(Reglages::sectionStation(QStringLiteral("F1ABC_P")),
                             Reglages::modeUtilise, 2);
        }
        StockReglages stock(fichier);
        QCOMPARE(stock.lit(Reglages::sectionGlobale, Reglages::indicatifStation, QString()),
                 QStringLiteral("F1ABC_P"));
        QCOMPARE(stock.litIndex(Reglages::sectionStation(QStringLiteral("F1ABC_P")),
                                Reglages::modeUtilise, 0),
                 2);
        // Another station's section does not see it, nor does "Setup" without its blank.
        QCOMPARE(stock.litIndex(Reglages::sectionStation(QStringLiteral("F5XYZ")),
                                Reglages::modeUtilise, 0),
                 0);
        QCOMPARE(
            stock.lit(QStringLiteral("Setup"), Reglages::indicatifStation, QStringLiteral("none")),
            QStringLiteral("none"));
    }

    void indexNonNumeriquesLusSansSelection_data()
    {
        QTest::addColumn<QString>("stocke");
        QTest::addColumn<int>("index");
        QTest::newRow("number") << QStringLiteral("11") << 11;
        QTest::newRow("minus one") << QStringLiteral("-1") << -1;
        QTest::newRow("text") << QStringLiteral("abc") << -1;
        QTest::newRow("empty") << QString() << -1;
    }
    void indexNonNumeriquesLusSansSelection()
    {
        QFETCH(QString, stocke);
        QFETCH(int, index);
        QTemporaryDir dossier;
        StockReglages stock(dossier.filePath(QStringLiteral("kzt.ini")));
        stock.ecrit(QStringLiteral("Setup F1ABC"), Reglages::bandeUtilisee, stocke);
        QCOMPARE(stock.litIndex(QStringLiteral("Setup F1ABC"), Reglages::bandeUtilisee, 0), index);
    }

    // A write that does not reach the file fails and is reported once; the
    // report comes again after a write that succeeded.
    void ecritureRateeSignaleeUneFois()
    {
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(QStringLiteral("kzt.ini"));
        StockReglages stock(fichier);
        QStringList rapports;
        stock.signaleEchecsPar([&rapports](const QString& m) { rapports << m; });
        QVERIFY(stock
                    .ecrit(Reglages::sectionGlobale, Reglages::indicatifStation,
                           QStringLiteral("F1ABC"))
                    .estOk());
        QVERIFY(QFile::remove(fichier));
        QVERIFY(QDir().mkdir(fichier));
        const Statut enEchec =
            stock.ecritIndex(QStringLiteral("Setup F1ABC"), Reglages::bandeUtilisee, 3);
        QVERIFY(!enEchec.estOk());
        QVERIFY(
            stock.ecrit(QStringLiteral("Setup F1ABC"), Reglages::modeUtilise, QStringLiteral("1"))
                .code == Statut::Echec);
        QCOMPARE(rapports, QStringList{enEchec.message});
        QVERIFY(enEchec.message.contains(QDir::toNativeSeparators(fichier)));
        // The program goes on with the values it was given.
        QCOMPARE(stock.litIndex(QStringLiteral("Setup F1ABC"), Reglages::bandeUtilisee, 0), 3);

        QVERIFY(QDir().rmdir(fichier));
        QVERIFY(stock
                    .ecrit(Reglages::sectionGlobale, Reglages::indicatifStation,
                           QStringLiteral("F1XYZ"))
                    .estOk());
        QCOMPARE(StockReglages(fichier).litIndex(QStringLiteral("Setup F1ABC"),
                                                 Reglages::bandeUtilisee, 0),
                 3);
        QVERIFY(QFile::remove(fichier));
        QVERIFY(QDir().mkdir(fichier));
        QVERIFY(!stock
                     .ecrit(Reglages::sectionGlobale, Reglages::indicatifStation,
                            QStringLiteral("F5XYZ"))
                     .estOk());
        QCOMPARE(rapports.size(), 2);
    }

    // Two programs on one settings file: each choice of this one reaches the
    // file, even when its own copy of the file already held that value. The
    // other program is another process, which writes the file a little later.
    void deuxProgrammesSurUnFichier_data()
    {
        QTest::addColumn<QStringList>("choix"); // "ici=value" or "autre=value", in turn
        QTest::addColumn<QString>("attendu");
        QTest::newRow("back to its own choice")
            << QStringList{"ici=Non", "autre=Oui", "ici=Non"} << QStringLiteral("Non");
        QTest::newRow("the value it read at start")
            << QStringList{"autre=Non", "ici?", "autre=Oui", "ici=Non"} << QStringLiteral("Non");
        QTest::newRow("the other's choice kept")
            << QStringList{"ici=Non", "autre=Oui"} << QStringLiteral("Oui");
        QTest::newRow("the same twice")
            << QStringList{"ici=Oui", "ici=Oui"} << QStringLiteral("Oui");
    }
    void deuxProgrammesSurUnFichier()
    {
        QFETCH(QStringList, choix);
        QFETCH(QString, attendu);
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(QStringLiteral("kzt.ini"));
        const QString section = Reglages::sectionGlobale, cle = Reglages::dateAutomatique;
        // The value as the file holds it, read from its bytes.
        const auto dansLeFichier = [&fichier] {
            QFile f(fichier);
            if (!f.open(QIODevice::ReadOnly))
                return QString();
            for (const QByteArray& ligne : f.readAll().split('\n')) {
                if (ligne.trimmed().startsWith("Date%20Auto="))
                    return QString::fromLatin1(ligne.trimmed().mid(12));
            }
            return QString();
        };
        // This program starts at its first step.
        std::unique_ptr<StockReglages> ici;
        for (const QString& c : choix) {
            if (c.startsWith("ici") && !ici)
                ici = std::make_unique<StockReglages>(fichier);
            const QString valeur = c.section(QLatin1Char('='), 1);
            if (c == "ici?") {
                QCOMPARE(ici->lit(section, cle, {}), dansLeFichier());
            } else if (c.startsWith("ici")) {
                QVERIFY(ici->ecrit(section, cle, valeur).estOk());
            } else {
#ifdef Q_OS_WIN
                QSKIP("the other program is a copy of this one, which Windows cannot fork");
#else
                const pid_t autre = ::fork();
                QVERIFY(autre >= 0);
                if (autre == 0) {
                    StockReglages stock(fichier);
                    ::_exit(stock.ecrit(section, cle, valeur).estOk() ? 0 : 1);
                }
                int etat = -1;
                QCOMPARE(::waitpid(autre, &etat, 0), autre);
                QVERIFY(WIFEXITED(etat) && WEXITSTATUS(etat) == 0);
                // Its write dated later than the last one here, whatever the
                // file system's clock: Qt tells a changed file by its date.
                QFile ecrit(fichier);
                QVERIFY(ecrit.open(QIODevice::ReadWrite));
                QVERIFY(
                    ecrit.setFileTime(ecrit.fileTime(QFileDevice::FileModificationTime).addSecs(2),
                                      QFileDevice::FileModificationTime));
#endif
            }
            if (!valeur.isEmpty())
                QCOMPARE(dansLeFichier(), valeur);
        }
        QCOMPARE(dansLeFichier(), attendu);
    }

    // A value already stored is not written again: with a file that can no
    // longer be written, writing it is no failure, changing it is.
    void valeurInchangeeNonReecrite()
    {
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(QStringLiteral("kzt.ini"));
        StockReglages stock(fichier);
        QStringList rapports;
        stock.signaleEchecsPar([&rapports](const QString& m) { rapports << m; });
        const QString section = QStringLiteral("Setup F1ABC");
        QVERIFY(stock.ecrit(section, Reglages::revision, QStringLiteral("2.1")).estOk());
        QVERIFY(QFile::remove(fichier));
        QVERIFY(QDir().mkdir(fichier));
        QVERIFY(stock.ecrit(section, Reglages::revision, QStringLiteral("2.1")).estOk());
        QVERIFY(rapports.isEmpty());
        QVERIFY(!stock.ecrit(section, Reglages::revision, QStringLiteral("2.2")).estOk());
        QCOMPARE(rapports.size(), 1);
        // Once a write failed, the file may lack what the store holds: the
        // same value is written again, and fails again.
        QVERIFY(!stock.ecrit(section, Reglages::revision, QStringLiteral("2.2")).estOk());
    }
};

QTEST_GUILESS_MAIN(TestStockReglages)
#include "tst_stockreglages.moc"
