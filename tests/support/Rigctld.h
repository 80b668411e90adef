#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/prctl.h>
#endif

// hamlib's own network daemon serving its dummy radio (rigctld -m 1) on a
// free loopback port, as an operator's rigctld serves a real one. The test
// talks to it over a connection of its own, with rigctld's commands.
class Rigctld {
public:
    Rigctld()
    {
        QTcpServer libre;
        if (libre.listen(QHostAddress::LocalHost, 0))
            m_port = libre.serverPort();
    }
    ~Rigctld() { arrete(); }

    // The system's rigctld; on Windows, where the tests have no hamlib, the
    // test support's stand-in (RigctldSubstitut.cpp).
    static QString programme()
    {
#ifdef KZT_DOSSIER_SUBSTITUT
        return QStandardPaths::findExecutable(QStringLiteral("rigctld"),
                                              {QStringLiteral(KZT_DOSSIER_SUBSTITUT)});
#else
        return QStandardPaths::findExecutable(QStringLiteral("rigctld"));
#endif
    }

    quint16 port() const
    {
        return m_port;
    }
    // What the program's settings name: hamlib's network model and host:port.
    QString adresse() const
    {
        return QStringLiteral("127.0.0.1:%1").arg(m_port);
    }

    // Starts the daemon and waits until it takes connections.
    bool demarre()
    {
        m_processus.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // The daemon ends with the test, even a test that crashes or is
        // stopped by its time-out: left behind, it would keep the test's
        // output open and hold the test runner.
#ifndef Q_OS_WIN
        m_processus.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
        m_processus.start(programme(), {QStringLiteral("-m"), QStringLiteral("1"),
                                        QStringLiteral("-T"), QStringLiteral("127.0.0.1"),
                                        QStringLiteral("-t"), QString::number(m_port)});
        if (!m_processus.waitForStarted(10000))
            return false;
        QElapsedTimer attente;
        attente.start();
        while (attente.elapsed() < 10000) {
            QTcpSocket essai;
            essai.connectToHost(QHostAddress::LocalHost, m_port);
            if (essai.waitForConnected(500))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    // Stops it as a kill would: the radio's connection drops.
    void arrete()
    {
        if (m_processus.state() == QProcess::NotRunning)
            return;
        m_processus.kill();
        m_processus.waitForFinished(5000);
    }

    // Sends one rigctld command ("F 14250000", "M USB 2400", "f") and
    // returns its answer, without the line ends. A connection that rigctld
    // closes without an answer (seen once, on a loaded machine) is made
    // again, three times at most.
    QString commande(const QString& ligne)
    {
        QString reponse;
        for (int essai = 0; essai < 3 && reponse.isEmpty(); ++essai)
            reponse = unEssai(ligne);
        return reponse;
    }

private:
    QString unEssai(const QString& ligne)
    {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, m_port);
        if (!s.waitForConnected(5000))
            return QStringLiteral("(no connection)");
        s.write(ligne.toLatin1() + '\n');
        s.waitForBytesWritten(5000);
        QByteArray reponse;
        // One line for a reading, "RPRT 0" for a setting, two lines for "m".
        const int lignes = ligne.startsWith(QLatin1Char('m')) ? 2 : 1;
        while (reponse.count('\n') < lignes && s.waitForReadyRead(5000))
            reponse += s.readAll();
        return QString::fromLatin1(reponse).trimmed();
    }

    QProcess m_processus;
    quint16 m_port = 0;
};

// A stand-in for rigctld, in the test's own thread: it answers "f", "m",
// "F" and "M" as rigctld does, remembers what it is set to, and answers
// "RPRT <code>" to every command that starts with `refusee` (a mode the
// radio lacks: "M FM", a frequency out of its range: "F").
class RigctldRefusant : public QObject {
public:
    RigctldRefusant(const QByteArray& refusee, int code,
                    const QHostAddress& hote = QHostAddress::LocalHost, quint16 port = 0)
        : m_refusee(refusee), m_code(code)
    {
        m_serveur.listen(hote, port);
        QObject::connect(&m_serveur, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_serveur.nextPendingConnection()) {
                ++connexions;
                QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] { repond(s); });
            }
        });
    }
    QString adresse() const { return QStringLiteral("127.0.0.1:%1").arg(m_serveur.serverPort()); }
    bool ecoute() const { return m_serveur.isListening(); }
    qint64 hz = 14250000;
    QByteArray mode = "USB";
    int refus = 0;      // commands refused so far
    int connexions = 0; // connections taken so far

private:
    void repond(QTcpSocket* s)
    {
        while (s->canReadLine()) {
            const QByteArray ligne = s->readLine().trimmed();
            if (!m_refusee.isEmpty() && ligne.startsWith(m_refusee)) {
                ++refus;
                s->write("RPRT " + QByteArray::number(m_code) + '\n');
            } else if (ligne == "f") {
                s->write(QByteArray::number(hz) + '\n');
            } else if (ligne == "m") {
                s->write(mode + (mode == "FM" ? "\n15000\n" : "\n2400\n"));
            } else if (ligne.startsWith("F ")) {
                hz = ligne.mid(2).toLongLong();
                s->write("RPRT 0\n");
            } else if (ligne.startsWith("M ")) {
                mode = ligne.split(' ').value(1);
                s->write("RPRT 0\n");
            } else {
                s->write("RPRT -4\n");
            }
        }
    }

    QTcpServer m_serveur;
    QByteArray m_refusee;
    int m_code;
};
