#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

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

} // namespace OutilsTest
