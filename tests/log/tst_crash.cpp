// A saving program is killed at random moments; the log must survive every
// kill whole: the lines of the saves that finished, never a torn or missing log.
#include "CrashLines.h"
#include "TestSupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace TestSupport;

class TestCrash : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void logSurvivesKills()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("CRASH_KZT.log");
        QVERIFY(writeBytes(path, ""));
        const QString writer = QCoreApplication::applicationDirPath() + "/crash_writer";
        QVERIFY(QFile::exists(writer));

        QRandomGenerator random(20261207);
        int lines = 0;
        int kills = 0;
        QByteArray expected;
        for (int round = 0; round < 220; ++round) {
            QProcess child;
            child.start(writer, {dir.path()});
            QVERIFY(child.waitForStarted());
            QThread::usleep(random.bounded(2000, 25000));
            ::kill(pid_t(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished());
            if (child.exitStatus() == QProcess::CrashExit)
                ++kills;
            else
                QFAIL(qPrintable(
                    QString("the writer stopped by itself (code %1)").arg(child.exitCode())));

            QVERIFY2(QFile::exists(path),
                     qPrintable(QString("log missing after kill %1").arg(round)));
            const QByteArray content = readBytes(path);
            const int now = int(content.count('\n'));
            QVERIFY2(now >= lines, "the log lost saved QSOs");
            while (lines < now)
                expected += CrashLines::line(++lines).toLatin1() + "\r\n";
            QVERIFY2(content == expected,
                     qPrintable(QString("log torn after kill %1 (%2 lines)").arg(round).arg(now)));
        }
        QVERIFY(kills >= 200);
        QVERIFY2(lines > 0, "no save finished between kills");
        qInfo("%d kills, %d QSOs saved", kills, lines);
    }
};

QTEST_GUILESS_MAIN(TestCrash)
#include "tst_crash.moc"
