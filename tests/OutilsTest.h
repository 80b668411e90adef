#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace OutilsTest {

inline QByteArray litOctets(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool ecritOctets(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Caps the size of any file this process writes, as a full disk would.
class LimiteTailleFichier {
public:
    explicit LimiteTailleFichier(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_ancienne);
        rlimit limit = m_ancienne;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~LimiteTailleFichier() { setrlimit(RLIMIT_FSIZE, &m_ancienne); }

private:
    rlimit m_ancienne{};
};

} // namespace OutilsTest
