#include "FileLock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <cerrno>
#include <memory>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

int waitMs = 30000;

struct Held {
    explicit Held(const QString& path) : file(path) {}
    TextFile::LockFile file;
    int depth = 0;
};
thread_local QHash<QString, Held*> tHeld;

QString lockKey(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

namespace TextFile {

QString quotedPath(const QString& path)
{
    return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
}

QString systemError(int err)
{
    switch (err) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return QStringLiteral("le disque est plein");
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case EROFS:
        return QStringLiteral("le dossier est en lecture seule");
    case ENOENT:
        return QStringLiteral("fichier ou dossier introuvable");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("le fichier est utilisé par un autre programme");
    case EISDIR:
        return QStringLiteral("un dossier porte ce nom");
    case EIO:
        return QStringLiteral("erreur d'entrée-sortie du disque");
    default:
        return QStringLiteral("erreur système %1").arg(err);
    }
}

LockFile::LockFile(const QString& path) : m_path(path) {}

LockFile::~LockFile()
{
    unlock();
}

bool LockFile::lock(int waitMs)
{
    if (m_fd >= 0)
        return true;
    m_error = 0;
#ifndef Q_OS_WIN
    const QByteArray name = QFile::encodeName(m_path);
    QElapsedTimer waited;
    waited.start();
    int pause = 2;
    for (;;) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            m_error = errno ? errno : EIO;
            return false;
        }
        struct flock whole = {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
#ifdef F_OFD_SETLK
        // A lock of its own open file: two threads of one program exclude
        // each other too, and closing another descriptor does not drop it.
        int taken = ::fcntl(fd, F_OFD_SETLK, &whole);
        if (taken != 0 && errno == EINVAL)
            taken = ::fcntl(fd, F_SETLK, &whole);
#else
        int taken = ::fcntl(fd, F_SETLK, &whole);
#endif
        const int err = taken == 0 ? 0 : errno;
        if (taken != 0 && (err == ENOLCK || err == ENOSYS || err == EOPNOTSUPP)) {
            // A file system without locks: nothing better can be done than
            // to go on alone.
            m_fd = fd;
            return true;
        }
        if (taken == 0) {
            // The holder before may have removed the file as it let go: the
            // lock is only good on the file that still bears the name.
            struct stat held, named;
            if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 &&
                held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
                m_fd = fd;
                return true;
            }
            ::close(fd);
            continue;
        }
        ::close(fd);
        if (err != EAGAIN && err != EACCES && err != EWOULDBLOCK) {
            m_error = err;
            return false;
        }
        if (waited.elapsed() >= waitMs)
            return false;
        QThread::msleep(pause);
        pause = qMin(pause * 2, 10);
    }
#else
    Q_UNUSED(waitMs);
    m_fd = 0;
    return true;
#endif
}

void LockFile::unlock()
{
    if (m_fd < 0)
        return;
#ifndef Q_OS_WIN
    // Removed while still held: whoever opened it meanwhile sees that it is
    // gone and takes the new one.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
#endif
    m_fd = -1;
}

bool LockFile::writeInfo(const QByteArray& info)
{
#ifndef Q_OS_WIN
    if (m_fd < 0 || ::ftruncate(m_fd, 0) != 0)
        return false;
    return ::pwrite(m_fd, info.constData(), size_t(info.size()), 0) == info.size();
#else
    Q_UNUSED(info);
    return false;
#endif
}

QByteArray LockFile::readInfo(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
}

FolderLock::FolderLock(const QString& folder) : m_key(lockKey(folder))
{
    if (Held* held = tHeld.value(m_key)) {
        ++held->depth;
        return;
    }
    const QString path = QDir(folder).filePath(FileName);
    auto held = std::make_unique<Held>(path);
    if (!held->file.lock(waitMs)) {
        if (held->file.error() == 0) {
            m_status = Status::failed(
                QStringLiteral("Un autre programme est en train de modifier les fichiers du "
                               "dossier %1 : rien n'a été enregistré. Réessayez dans un instant.")
                    .arg(quotedPath(folder)));
        } else {
            m_status = Status::failed(
                QStringLiteral("Impossible de créer le fichier de verrou %1 : %2. Rien n'a été "
                               "enregistré.")
                    .arg(quotedPath(path), systemError(held->file.error())));
        }
        m_key.clear();
        return;
    }
    held->depth = 1;
    tHeld.insert(m_key, held.release());
}

FolderLock::~FolderLock()
{
    if (m_key.isEmpty())
        return;
    Held* held = tHeld.value(m_key);
    if (held && --held->depth == 0) {
        tHeld.remove(m_key);
        delete held;
    }
}

void FolderLock::setWaitMs(int ms)
{
    waitMs = ms;
}

} // namespace TextFile
