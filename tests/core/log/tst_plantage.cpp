// A saving program is killed at random moments; the file it changes must
// survive every kill whole: the changes reported done, never a torn or
// missing file. And two programs changing the files of one folder at the
// same moment lose nothing and never mix their files.
#include "LignesPlantage.h"
#include "OutilsTest.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace OutilsTest;

namespace {

QString cheminEcrivain()
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/crash_writer.exe");
#else
    return QCoreApplication::applicationDirPath() + QStringLiteral("/crash_writer");
#endif
}

// The last change number the writer reported, or none.
int dernierSignale(QProcess& enfant, int aucun)
{
    const QList<QByteArray> lignes = enfant.readAllStandardOutput().split('\n');
    for (auto it = lignes.crbegin(); it != lignes.crend(); ++it) {
        if (!it->isEmpty())
            return it->toInt();
    }
    return aucun;
}

QSet<QByteArray> ensembleLignes(const QByteArray& contenu, int* nombre)
{
    QList<QByteArray> lignes = contenu.split('\n');
    if (!lignes.isEmpty() && lignes.last().isEmpty())
        lignes.removeLast();
    *nombre = int(lignes.size());
    return QSet<QByteArray>(lignes.cbegin(), lignes.cend());
}

} // namespace

class TestPlantage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void survitAuxArrets_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("tours");
        QTest::newRow("Enregistre_QSO and Insere_QSO_Chrono") << "log" << 220;
        QTest::newRow("Remplace_QSO") << "remplace" << 100;
        QTest::newRow("Enregistre_QSO and Supprime_QSO") << "supprime" << 100;
        QTest::newRow("Memorise_Prenom") << "prenoms" << 100;
    }
    void survitAuxArrets()
    {
        QFETCH(QString, mode);
        QFETCH(int, tours);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(LignesPlantage::fichierDe(mode));
        QVERIFY(ecritOctets(chemin, LignesPlantage::etat(mode, 0)));
        QVERIFY(QFile::exists(cheminEcrivain()));

        QRandomGenerator hasard(20261207);
        int fait = 0;
        int arrets = 0;
        int pendantEcriture = 0;
        // A writer that the system fails to start (seen under Wine on a busy
        // machine) has written nothing: it is started again, a few times,
        // and counted.
        int relances = 0;
        for (int tour = 0; tour < tours; ++tour) {
            QProcess enfant;
            enfant.start(cheminEcrivain(), {dossier.path(), mode, QString::number(fait)});
            while (!enfant.waitForStarted() && relances < 5) {
                ++relances;
                enfant.start(cheminEcrivain(), {dossier.path(), mode, QString::number(fait)});
            }
            QVERIFY2(enfant.state() != QProcess::NotRunning,
                     qPrintable(QString("the writer did not start, %1 restarts").arg(relances)));
            QVERIFY(enfant.waitForReadyRead(30000));
            QThread::usleep(hasard.bounded(2000, 25000));
            // SIGKILL, or TerminateProcess on Windows: nothing of the writer
            // runs after it, the system lets its locks go.
            enfant.kill();
            QVERIFY(enfant.waitForFinished());
            if (enfant.exitStatus() != QProcess::CrashExit)
                QFAIL(qPrintable(QString("the writer stopped by itself (code %1): %2")
                                     .arg(enfant.exitCode())
                                     .arg(QString::fromUtf8(enfant.readAllStandardError()))));
            ++arrets;
            // Killed between the creation of the work file and its rename.
            if (QFile::exists(dossier.filePath("Temporaire.txt")) ||
                QFile::exists(dossier.filePath("Temporaire6.txt")))
                ++pendantEcriture;

            QVERIFY2(QFile::exists(chemin),
                     qPrintable(QString("file missing after kill %1").arg(tour)));
            const int signale = dernierSignale(enfant, fait);
            QVERIFY(signale >= fait);
            const QByteArray contenu = litOctets(chemin);
            if (contenu == LignesPlantage::etat(mode, signale))
                fait = signale;
            else if (contenu == LignesPlantage::etat(mode, signale + 1))
                fait = signale + 1; // killed after the rename, before saying so
            else
                QFAIL(qPrintable(QString("file torn or changes lost after kill %1 (%2 reported)")
                                     .arg(tour)
                                     .arg(signale)));
        }
        qInfo("%d kills, %d during a write, %d changes, %d writers started again", arrets,
              pendantEcriture, fait, relances);
        QVERIFY(arrets == tours);
        QVERIFY2(fait > 0, "no change finished between kills");
        // A test whose kills all land outside the writes proves nothing: at
        // least one kill in ten must land inside one (about half do in the
        // ordinary build, a fifth in the much slower sanitizer build).
        QVERIFY2(pendantEcriture * 10 >= arrets,
                 qPrintable(QString("only %1 of %2 kills landed during a write")
                                .arg(pendantEcriture)
                                .arg(arrets)));
    }

    // Two programs save QSOs and first names in the same folder at the same
    // moment: every QSO reported saved is in the log, every first name in the
    // memory, and neither file holds a line of the other.
    void deuxEcrivainsNePerdentRien()
    {
        QTemporaryDir dossier;
        const QString log = dossier.filePath("CRASH_KZT.log");
        const QString noms = dossier.filePath("Liste_Prenom.txt");
        QVERIFY(ecritOctets(log, ""));
        QVERIFY(ecritOctets(noms, ""));
        const int changes = 100;
        QProcess a, b;
        a.start(cheminEcrivain(), {dossier.path(), "stress", "A", QString::number(changes)});
        b.start(cheminEcrivain(), {dossier.path(), "stress", "B", QString::number(changes)});
        for (QProcess* p : {&a, &b}) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0,
                     p->readAllStandardError().constData());
            QCOMPARE(dernierSignale(*p, 0), changes);
        }

        QSet<QByteArray> qsos, prenoms;
        for (const char* lettre : {"A", "B"}) {
            for (int n = 1; n <= changes; ++n) {
                const QString ligneQso = LignesPlantage::lignePlantage(n, lettre);
                qsos << ligneQso.toLatin1() + '\r';
                prenoms << FirstNameMemory::formeLigne(ligneQso.left(12).trimmed(), "77", "JEAN")
                                   .toLatin1() +
                               '\r';
            }
        }
        int nombre = 0;
        QCOMPARE(ensembleLignes(litOctets(log), &nombre), qsos);
        QCOMPARE(nombre, 2 * changes);
        QCOMPARE(ensembleLignes(litOctets(noms), &nombre), prenoms);
        QCOMPARE(nombre, 2 * changes);
        QCOMPARE(QDir(dossier.path()).entryList({"Temporaire*"}, QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestPlantage)
#include "tst_plantage.moc"
