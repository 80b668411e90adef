#include "FichierVerrou.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens the lock file, made when missing, for reading and writing: the
// descriptor, or minus the system error number. The lock's holder writes
// into the file, so a name that leads anywhere else than to a plain file of
// the folder of its own is refused (-ELOOP): a link, which would have the
// file it points to overwritten, a pipe or a device, or a second name of
// another file.
int ouvreVerrou(const QByteArray& nom)
{
    const int fd =
        ::open(nom.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno == ELOOP || errno == ENXIO ? -ELOOP : -(errno ? errno : EIO);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink > 1) {
        ::close(fd);
        return -ELOOP;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

namespace FichierTexte {

bool FichierVerrou::verrouille(int attenteMs)
{
    if (m_descripteur >= 0)
        return true;
    m_erreur = 0;
    const QByteArray name = QFile::encodeName(m_cheminFichier);
    QElapsedTimer attendu;
    attendu.start();
    int pause = 2;
    for (;;) {
        const int fd = ouvreVerrou(name);
        if (fd < 0) {
            m_erreur = -fd;
            return false;
        }
        struct flock entier = {};
        entier.l_type = F_WRLCK;
        entier.l_whence = SEEK_SET;
#ifdef F_OFD_SETLK
        // A lock of its own open file: two threads of one program exclude
        // each other too, and closing another descriptor does not drop it.
        int taken = ::fcntl(fd, F_OFD_SETLK, &entier);
        if (taken != 0 && errno == EINVAL)
            taken = ::fcntl(fd, F_SETLK, &entier);
#else
        int taken = ::fcntl(fd, F_SETLK, &entier);
#endif
        const int erreur = taken == 0 ? 0 : errno;
        if (taken != 0 && (erreur == ENOLCK || erreur == ENOSYS || erreur == EOPNOTSUPP)) {
            // A file system without locks: nothing better can be done than
            // to go on alone.
            m_descripteur = fd;
            return true;
        }
        if (taken == 0) {
            // The holder before may have removed the file as it let go: the
            // lock is only good on the file that still bears the name.
            struct stat tenu, nomme;
            if (::fstat(fd, &tenu) == 0 && ::lstat(name.constData(), &nomme) == 0 &&
                tenu.st_dev == nomme.st_dev && tenu.st_ino == nomme.st_ino) {
                m_descripteur = fd;
                return true;
            }
            ::close(fd);
            continue;
        }
        ::close(fd);
        if (erreur != EAGAIN && erreur != EACCES && erreur != EWOULDBLOCK) {
            m_erreur = erreur;
            return false;
        }
        if (attendu.elapsed() >= attenteMs)
            return false;
        QThread::msleep(pause);
        pause = qMin(pause * 2, 10);
    }
}

void FichierVerrou::deverrouille()
{
    if (m_descripteur < 0)
        return;
    // Removed while still held: whoever opened it meanwhile sees that it is
    // gone and takes the new one.
    ::unlink(QFile::encodeName(m_cheminFichier).constData());
    ::close(m_descripteur);
    m_descripteur = -1;
}

bool FichierVerrou::ecritInfo(const QByteArray& infos)
{
    if (m_descripteur < 0 || ::ftruncate(m_descripteur, 0) != 0)
        return false;
    return ::pwrite(m_descripteur, infos.constData(), size_t(infos.size()), 0) == infos.size();
}

QByteArray FichierVerrou::litInfo(const QString& chemin)
{
    // Never through a link, and never waiting on a pipe that bears the name.
    const int fd = ::open(QFile::encodeName(chemin).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat st;
    QByteArray infos;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        infos.resize(4096);
        const ssize_t lu = ::pread(fd, infos.data(), size_t(infos.size()), 0);
        infos.resize(lu > 0 ? qsizetype(lu) : 0);
    }
    ::close(fd);
    return infos;
}

} // namespace FichierTexte
