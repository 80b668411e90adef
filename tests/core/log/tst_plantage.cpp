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
    return QCoreApplication::applicationDirPath() + QStringLiteral("/crash_writer");
}

// The last change number the writer reported, or none.
int dernierSignale(QProcess& child, int none)
{
    const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (!it->isEmpty())
            return it->toInt();
    }
    return none;
}

QSet<QByteArray> ensembleLignes(const QByteArray& content, int* count)
{
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    *count = int(lines.size());
    return QSet<QByteArray>(lines.cbegin(), lines.cend());
}

} // namespace

class TestPlantage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void survitAuxArrets_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("rounds");
        QTest::newRow("Enregistre_QSO and Insere_QSO_Chrono") << "log" << 220;
        QTest::newRow("Remplace_QSO") << "remplace" << 100;
        QTest::newRow("Enregistre_QSO and Supprime_QSO") << "supprime" << 100;
        QTest::newRow("Memorise_Prenom") << "prenoms" << 100;
    }
    void survitAuxArrets()
    {
        QFETCH(QString, mode);
        QFETCH(int, rounds);
        QTemporaryDir dir;
        const QString path = dir.filePath(LignesPlantage::fichierDe(mode));
        QVERIFY(ecritOctets(path, LignesPlantage::state(mode, 0)));
        QVERIFY(QFile::exists(cheminEcrivain()));

        QRandomGenerator random(20261207);
        int done = 0;
        int kills = 0;
        int duringWrite = 0;
        for (int round = 0; round < rounds; ++round) {
            QProcess child;
            child.start(cheminEcrivain(), {dir.path(), mode, QString::number(done)});
            QVERIFY(child.waitForStarted());
            QVERIFY(child.waitForReadyRead(30000));
            QThread::usleep(random.bounded(2000, 25000));
            ::kill(pid_t(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished());
            if (child.exitStatus() != QProcess::CrashExit)
                QFAIL(qPrintable(QString("the writer stopped by itself (code %1): %2")
                                     .arg(child.exitCode())
                                     .arg(QString::fromUtf8(child.readAllStandardError()))));
            ++kills;
            // Killed between the creation of the work file and its rename.
            if (QFile::exists(dir.filePath("Temporaire.txt")) ||
                QFile::exists(dir.filePath("Temporaire6.txt")))
                ++duringWrite;

            QVERIFY2(QFile::exists(path),
                     qPrintable(QString("file missing after kill %1").arg(round)));
            const int reported = dernierSignale(child, done);
            QVERIFY(reported >= done);
            const QByteArray content = litOctets(path);
            if (content == LignesPlantage::state(mode, reported))
                done = reported;
            else if (content == LignesPlantage::state(mode, reported + 1))
                done = reported + 1; // killed after the rename, before saying so
            else
                QFAIL(qPrintable(QString("file torn or changes lost after kill %1 (%2 reported)")
                                     .arg(round)
                                     .arg(reported)));
        }
        qInfo("%d kills, %d during a write, %d changes", kills, duringWrite, done);
        QVERIFY(kills == rounds);
        QVERIFY2(done > 0, "no change finished between kills");
        // A test whose kills all land outside the writes proves nothing: at
        // least one kill in ten must land inside one (about half do in the
        // ordinary build, a fifth in the much slower sanitizer build).
        QVERIFY2(
            duringWrite * 10 >= kills,
            qPrintable(
                QString("only %1 of %2 kills landed during a write").arg(duringWrite).arg(kills)));
    }

    // Two programs save QSOs and first names in the same folder at the same
    // moment: every QSO reported saved is in the log, every first name in the
    // memory, and neither file holds a line of the other.
    void deuxEcrivainsNePerdentRien()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("CRASH_KZT.log");
        const QString names = dir.filePath("Liste_Prenom.txt");
        QVERIFY(ecritOctets(log, ""));
        QVERIFY(ecritOctets(names, ""));
        const int changes = 100;
        QProcess a, b;
        a.start(cheminEcrivain(), {dir.path(), "stress", "A", QString::number(changes)});
        b.start(cheminEcrivain(), {dir.path(), "stress", "B", QString::number(changes)});
        for (QProcess* p : {&a, &b}) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0,
                     p->readAllStandardError().constData());
            QCOMPARE(dernierSignale(*p, 0), changes);
        }

        QSet<QByteArray> qsos, firstNames;
        for (const char* letter : {"A", "B"}) {
            for (int n = 1; n <= changes; ++n) {
                const QString ligneQso = LignesPlantage::line(n, letter);
                qsos << ligneQso.toLatin1() + '\r';
                firstNames << FirstNameMemory::formeLigne(ligneQso.left(12).trimmed(), "77", "JEAN")
                                      .toLatin1() +
                                  '\r';
            }
        }
        int count = 0;
        QCOMPARE(ensembleLignes(litOctets(log), &count), qsos);
        QCOMPARE(count, 2 * changes);
        QCOMPARE(ensembleLignes(litOctets(names), &count), firstNames);
        QCOMPARE(count, 2 * changes);
        QCOMPARE(QDir(dir.path()).entryList({"Temporaire*"}, QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestPlantage)
#include "tst_plantage.moc"
