#pragma once

// The start of a program timed from outside: the benchmark starts itself
// again with "--start <kind> <folder> <settings>", and the child prints the
// moment its window was drawn and its peak memory.

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QString>

#include <ctime>

#include <sys/wait.h>
#include <unistd.h>

// The peak resident memory of this process, in kB.
inline long long memoireMaxKo()
{
    long long hwm = 0;
    QFile etatProcessus(QStringLiteral("/proc/self/status"));
    if (etatProcessus.open(QIODevice::ReadOnly)) {
        for (const QByteArray& ligne : etatProcessus.readAll().split('\n')) {
            if (ligne.startsWith("VmHWM:"))
                hwm = ligne.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return hwm;
}

inline qint64 maintenantNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

struct Depart {
    double ms;
    double mo;
};

// Starts this benchmark again with the arguments, and returns the words that
// the child printed; stops the benchmark when the child failed or printed
// another number of words.
inline QList<QByteArray> relance(const QList<QByteArray>& arguments, qsizetype mots,
                                 const char* quoi)
{
    const QByteArray moi = QCoreApplication::applicationFilePath().toLocal8Bit();
    QList<const char*> argv{moi.constData()};
    for (const QByteArray& a : arguments)
        argv.append(a.constData());
    argv.append(nullptr);
    int tube[2];
    if (pipe(tube) != 0)
        qFatal("pipe");
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(tube[1], STDOUT_FILENO);
        close(tube[0]);
        execv(moi.constData(), const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    close(tube[1]);
    char texte[128] = {};
    ssize_t lu = 0;
    ssize_t n;
    while ((n = read(tube[0], texte + lu, sizeof texte - 1 - size_t(lu))) > 0)
        lu += n;
    close(tube[0]);
    int etat = 0;
    waitpid(pid, &etat, 0);
    const QList<QByteArray> lus = QByteArray(texte).trimmed().split(' ');
    if (!WIFEXITED(etat) || WEXITSTATUS(etat) != 0 || lus.size() != mots)
        qFatal("%s failed", quoi);
    return lus;
}

inline Depart lance(const char* genre, const QString& dossier, const QString& fichierIni)
{
    const qint64 debut = maintenantNs();
    const QList<QByteArray> lus =
        relance({"--start", genre, dossier.toLocal8Bit(), fichierIni.toLocal8Bit()}, 2, genre);
    return {double(lus.at(0).toLongLong() - debut) / 1e6, double(lus.at(1).toLongLong()) / 1024.0};
}
