#include "FichierVerrou.h"

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

int attenteMs = 30000;

struct Tenu {
    explicit Tenu(const QString& path) : file(path) {}
    FichierTexte::FichierVerrou file;
    int depth = 0;
};
thread_local QHash<QString, Tenu*> tTenus;

QString cleVerrou(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

namespace FichierTexte {

QString cheminEntreGuillemets(const QString& path)
{
    return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
}

QString erreurSysteme(int err)
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

FichierVerrou::FichierVerrou(const QString& path) : m_cheminFichier(path) {}

FichierVerrou::~FichierVerrou()
{
    unlock();
}

bool FichierVerrou::lock(int attenteMs)
{
    if (m_descripteur >= 0)
        return true;
    m_erreur = 0;
#ifndef Q_OS_WIN
    const QByteArray name = QFile::encodeName(m_cheminFichier);
    QElapsedTimer waited;
    waited.start();
    int pause = 2;
    for (;;) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            m_erreur = errno ? errno : EIO;
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
            m_descripteur = fd;
            return true;
        }
        if (taken == 0) {
            // The holder before may have removed the file as it let go: the
            // lock is only good on the file that still bears the name.
            struct stat held, named;
            if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 &&
                held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
                m_descripteur = fd;
                return true;
            }
            ::close(fd);
            continue;
        }
        ::close(fd);
        if (err != EAGAIN && err != EACCES && err != EWOULDBLOCK) {
            m_erreur = err;
            return false;
        }
        if (waited.elapsed() >= attenteMs)
            return false;
        QThread::msleep(pause);
        pause = qMin(pause * 2, 10);
    }
#else
    Q_UNUSED(attenteMs);
    m_descripteur = 0;
    return true;
#endif
}

void FichierVerrou::unlock()
{
    if (m_descripteur < 0)
        return;
#ifndef Q_OS_WIN
    // Removed while still held: whoever opened it meanwhile sees that it is
    // gone and takes the new one.
    ::unlink(QFile::encodeName(m_cheminFichier).constData());
    ::close(m_descripteur);
#endif
    m_descripteur = -1;
}

bool FichierVerrou::ecritInfo(const QByteArray& info)
{
#ifndef Q_OS_WIN
    if (m_descripteur < 0 || ::ftruncate(m_descripteur, 0) != 0)
        return false;
    return ::pwrite(m_descripteur, info.constData(), size_t(info.size()), 0) == info.size();
#else
    Q_UNUSED(info);
    return false;
#endif
}

QByteArray FichierVerrou::litInfo(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
}

VerrouDossier::VerrouDossier(const QString& folder) : m_cle(cleVerrou(folder))
{
    if (Tenu* held = tTenus.value(m_cle)) {
        ++held->depth;
        return;
    }
    const QString path = QDir(folder).filePath(NomFichierVerrou);
    auto held = std::make_unique<Tenu>(path);
    if (!held->file.lock(attenteMs)) {
        if (held->file.error() == 0) {
            m_statut = Statut::failed(
                QStringLiteral("Un autre programme est en train de modifier les fichiers du "
                               "dossier %1 : rien n'a été enregistré. Réessayez dans un instant.")
                    .arg(cheminEntreGuillemets(folder)));
        } else {
            m_statut = Statut::failed(
                QStringLiteral("Impossible de créer le fichier de verrou %1 : %2. Rien n'a été "
                               "enregistré.")
                    .arg(cheminEntreGuillemets(path), erreurSysteme(held->file.error())));
        }
        m_cle.clear();
        return;
    }
    held->depth = 1;
    tTenus.insert(m_cle, held.release());
}

VerrouDossier::~VerrouDossier()
{
    if (m_cle.isEmpty())
        return;
    Tenu* held = tTenus.value(m_cle);
    if (held && --held->depth == 0) {
        tTenus.remove(m_cle);
        delete held;
    }
}

void VerrouDossier::changeAttenteMs(int ms)
{
    attenteMs = ms;
}

} // namespace FichierTexte
