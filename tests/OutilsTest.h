#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include <csignal>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

namespace OutilsTest {

inline QByteArray litOctets(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool ecritOctets(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
}

// Caps the size of any file this process writes, as a full disk would.
// Windows has no such cap: the tests that need it skip there.
#ifdef Q_OS_WIN
#define EXIGE_LIMITE_TAILLE() QSKIP("Windows cannot cap the size of a process's files")
class LimiteTailleFichier {
public:
    explicit LimiteTailleFichier(qint64) {}
};
#else
#define EXIGE_LIMITE_TAILLE()
class LimiteTailleFichier {
public:
    explicit LimiteTailleFichier(rlim_t octets)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_ancienne);
        rlimit limite = m_ancienne;
        limite.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteTailleFichier() { setrlimit(RLIMIT_FSIZE, &m_ancienne); }

private:
    rlimit m_ancienne{};
};
#endif

} // namespace OutilsTest
