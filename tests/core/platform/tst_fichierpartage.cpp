// A file shared with other programs: another writer of the folder, waited
// for then given up; a program that holds the log open (Windows' antivirus,
// indexer, sync client) for a moment, or too long.
#include "OutilsTest.h"
#include "core/platform/FichierTexte.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace OutilsTest;

class TestFichierPartage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Another program holds the folder: the rewrite waits, then gives up
    // without touching anything; the lock of a program that died is taken over.
    void ecrivainsDUnDossierChacunLeurTour()
    {
        QTemporaryDir dossier;
        const QString cible = dossier.filePath(QStringLiteral("log.txt"));
        const QString travail = dossier.filePath(QStringLiteral("Temporaire.txt"));
        const QString cheminVerrou =
            dossier.filePath(FichierTexte::VerrouDossier::NomFichierVerrou);
        ecritOctets(cible, "old\r\n");
        FichierTexte::VerrouDossier::changeAttenteMs(300);
        {
            FichierTexte::FichierVerrou autre(cheminVerrou);
            QVERIFY(autre.verrouille(0));
            // Who holds it is read while it is held (Windows' locks forbid
            // the reading of the bytes they cover), the last words alone.
            QVERIFY(autre.ecritInfo("pid 4242 F1ABC"));
            QVERIFY(autre.ecritInfo("pid 42"));
            QCOMPARE(FichierTexte::FichierVerrou::litInfo(cheminVerrou), QByteArray("pid 42"));
            FichierTexte::FichierVerrou second(cheminVerrou);
            QVERIFY(!second.verrouille(0));
            QCOMPARE(second.erreurDe(), 0);
            QElapsedTimer attendu;
            attendu.start();
            const Statut s = FichierTexte::remplace(cible, travail, {"new"});
            QVERIFY(attendu.elapsed() >= 250);
            QVERIFY(!s.estOk());
            QVERIFY2(s.message.contains(QLatin1String("Un autre programme")),
                     qPrintable(s.message));
            QCOMPARE(litOctets(cible), QByteArray("old\r\n"));
            QVERIFY(!QFile::exists(travail));
        }
        // The file of a program that was killed holding the lock: the system
        // let the lock go, the file stays.
        QVERIFY(!QFile::exists(cheminVerrou));
        QVERIFY(ecritOctets(cheminVerrou, "left behind"));
        QVERIFY(QFile::exists(cheminVerrou));
        QVERIFY(FichierTexte::remplace(cible, travail, {"new"}).estOk());
        QCOMPARE(litOctets(cible), QByteArray("new\r\n"));
        QVERIFY(!QFile::exists(cheminVerrou));

        // Taken again by the same thread while held: no wait, released with the outermost.
        {
            const FichierTexte::VerrouDossier exterieur(dossier.path());
            QVERIFY(exterieur.statut().estOk());
            QVERIFY(FichierTexte::remplace(cible, travail, {"again"}).estOk());
            QVERIFY(QFile::exists(cheminVerrou));
        }
        QVERIFY(!QFile::exists(cheminVerrou));
        FichierTexte::VerrouDossier::changeAttenteMs(30000);
    }

    // Another program holds the log open for a while, without letting it be
    // replaced (an antivirus, an indexer, a sync client on Windows): a short
    // hold only delays the save; a long one refuses it, the log untouched.
    void logTenuParUnAutreProgramme_data()
    {
        QTest::addColumn<int>("tenuMs");
        QTest::addColumn<bool>("enregistre");
        QTest::newRow("held 300 ms: saved") << 300 << true;
        QTest::newRow("held 5 s: refused") << 5000 << false;
    }
    void logTenuParUnAutreProgramme()
    {
#ifndef Q_OS_WIN
        QSKIP("a sharing mode that forbids the replacement is Windows' own");
#endif
        QFETCH(int, tenuMs);
        QFETCH(bool, enregistre);
        QTemporaryDir dossier;
        const QString cible = dossier.filePath(QStringLiteral("log.txt"));
        const QString travail = dossier.filePath(QStringLiteral("Temporaire.txt"));
        ecritOctets(cible, "keep\r\n");
        QProcess tient;
        tient.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tient_fichier"),
                    {QDir::toNativeSeparators(cible), QString::number(tenuMs)});
        QVERIFY(tient.waitForReadyRead(20000));
        QCOMPARE(tient.readAll().trimmed(), QByteArray("tenu"));
        const Statut s = FichierTexte::remplace(cible, travail, {"new"});
        QCOMPARE(s.estOk(), enregistre);
        if (enregistre) {
            QCOMPARE(litOctets(cible), QByteArray("new\r\n"));
        } else {
            // Windows says "sharing violation" or "access denied", as it
            // pleases: the message is the one of any refused replacement.
            QVERIFY2(s.message.startsWith(QLatin1String("Impossible de remplacer le fichier")),
                     qPrintable(s.message));
            QCOMPARE(litOctets(cible), QByteArray("keep\r\n"));
        }
        QVERIFY(!QFile::exists(travail));
        QVERIFY(tient.waitForFinished(20000));
    }
};

QTEST_GUILESS_MAIN(TestFichierPartage)
#include "tst_fichierpartage.moc"
