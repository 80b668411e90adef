#include "FichierVerrou.h"

#include "Guillemets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <cerrno>
#include <memory>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

int attenteMs = 30000;

struct Tenu {
    explicit Tenu(const QString& chemin) : fichier(chemin) {}
    FichierTexte::FichierVerrou fichier;
    int profondeur = 0;
};
// The folders whose lock this thread holds, made with the first lock taken
// and deleted with the last one released: a plain pointer, so that nothing of
// it is left for the end of the thread. (A thread-local variable with a
// destructor is destroyed after its storage is freed by MinGW's emulated
// thread-local storage: the heap is damaged at the end of any thread that
// took a lock.)
using Tenus = QHash<QString, Tenu*>;
thread_local Tenus* tTenus = nullptr;

Tenu* tenuDe(const QString& cle)
{
    return tTenus ? tTenus->value(cle) : nullptr;
}

QString cleVerrou(const QString& dossier)
{
    const QFileInfo infos(dossier);
    const QString canonique = infos.canonicalFilePath();
    return canonique.isEmpty() ? infos.absoluteFilePath() : canonique;
}

#ifndef Q_OS_WIN
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
#else
const wchar_t* nomWindows(const QString& chemin)
{
    return reinterpret_cast<const wchar_t*>(chemin.utf16());
}

// The lock is taken on a byte far past the end of the file: Windows' locks
// forbid the reading of the bytes they cover, and those who wait read who
// holds the lock at the start of the file.
constexpr DWORD kOctetVerrouHaut = 0x40000000;

// The lock file opened for reading and writing, made when missing, or
// minus the error number. Its holders share it with those who wait, but not
// its removal: the file cannot go while anyone has it open. A reparse point
// (a link), a device or a second name of another file is refused (-ELOOP).
HANDLE ouvreVerrou(const QString& chemin, int* erreur)
{
    const QString nom = QDir::toNativeSeparators(chemin);
    HANDLE h = CreateFileW(nomWindows(nom), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *erreur = FichierTexte::erreurWindows(GetLastError());
        return h;
    }
    BY_HANDLE_FILE_INFORMATION infos;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &infos) ||
        (infos.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
        infos.nNumberOfLinks > 1) {
        CloseHandle(h);
        *erreur = ELOOP;
        return INVALID_HANDLE_VALUE;
    }
    *erreur = 0;
    return h;
}
#endif

} // namespace

namespace FichierTexte {

QString cheminEntreGuillemets(const QString& chemin)
{
    return entreGuillemets(QDir::toNativeSeparators(chemin));
}

QString erreurSysteme(int erreur)
{
    switch (erreur) {
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
    case ELOOP:
        return QStringLiteral("un lien ou un fichier spécial porte ce nom, retirez-le du dossier");
    case EIO:
        return QStringLiteral("erreur d'entrée-sortie du disque");
    default:
        return QStringLiteral("erreur système %1").arg(erreur);
    }
}

#ifdef Q_OS_WIN
int erreurWindows(unsigned long code)
{
    switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return ENOENT;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return EBUSY;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DIRECTORY:
        return EISDIR;
    case ERROR_CANT_ACCESS_FILE:
    case ERROR_CANT_RESOLVE_FILENAME:
        return ELOOP;
    default:
        return EIO;
    }
}
#endif

FichierVerrou::FichierVerrou(const QString& chemin) : m_cheminFichier(chemin) {}

FichierVerrou::~FichierVerrou()
{
    deverrouille();
}

bool FichierVerrou::verrouille(int attenteMs)
{
    if (m_descripteur >= 0)
        return true;
    m_erreur = 0;
#ifndef Q_OS_WIN
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
#else
    QElapsedTimer attendu;
    attendu.start();
    int pause = 2;
    for (;;) {
        int erreur = 0;
        HANDLE h = ouvreVerrou(m_cheminFichier, &erreur);
        // A holder that is letting go may be removing the file just now.
        const bool occupe = erreur == EBUSY;
        if (h == INVALID_HANDLE_VALUE && !occupe) {
            m_erreur = erreur;
            return false;
        }
        if (h != INVALID_HANDLE_VALUE) {
            OVERLAPPED loin = {};
            loin.OffsetHigh = kOctetVerrouHaut;
            if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                           &loin)) {
                // Kept as a descriptor of the C library: closed, or at the end
                // of the program in any way, the handle lets the lock go.
                m_descripteur = _open_osfhandle(reinterpret_cast<intptr_t>(h), 0);
                if (m_descripteur >= 0)
                    return true;
                m_erreur = EMFILE;
                CloseHandle(h);
                return false;
            }
            const DWORD raison = GetLastError();
            CloseHandle(h);
            if (raison != ERROR_LOCK_VIOLATION && raison != ERROR_IO_PENDING) {
                if (raison == ERROR_NOT_SUPPORTED || raison == ERROR_INVALID_FUNCTION) {
                    // A file system without locks: nothing better can be done
                    // than to go on alone.
                    h = ouvreVerrou(m_cheminFichier, &erreur);
                    m_descripteur = h == INVALID_HANDLE_VALUE
                                        ? -1
                                        : _open_osfhandle(reinterpret_cast<intptr_t>(h), 0);
                    m_erreur = m_descripteur >= 0 ? 0 : (erreur ? erreur : EIO);
                    return m_descripteur >= 0;
                }
                m_erreur = erreurWindows(raison);
                return false;
            }
        }
        if (attendu.elapsed() >= attenteMs) {
            m_erreur = h == INVALID_HANDLE_VALUE ? erreur : 0;
            return false;
        }
        QThread::msleep(pause);
        pause = qMin(pause * 2, 10);
    }
#endif
}

void FichierVerrou::deverrouille()
{
    if (m_descripteur < 0)
        return;
#ifndef Q_OS_WIN
    // Removed while still held: whoever opened it meanwhile sees that it is
    // gone and takes the new one.
    ::unlink(QFile::encodeName(m_cheminFichier).constData());
    ::close(m_descripteur);
#else
    // Closed first: the file then goes unless someone waiting has it open,
    // who takes it over as it stands.
    _close(m_descripteur);
    DeleteFileW(nomWindows(QDir::toNativeSeparators(m_cheminFichier)));
#endif
    m_descripteur = -1;
}

bool FichierVerrou::ecritInfo(const QByteArray& infos)
{
#ifndef Q_OS_WIN
    if (m_descripteur < 0 || ::ftruncate(m_descripteur, 0) != 0)
        return false;
    return ::pwrite(m_descripteur, infos.constData(), size_t(infos.size()), 0) == infos.size();
#else
    if (m_descripteur < 0)
        return false;
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(m_descripteur));
    LARGE_INTEGER debut = {};
    DWORD ecrits = 0;
    return SetFilePointerEx(h, debut, nullptr, FILE_BEGIN) && SetEndOfFile(h) &&
           WriteFile(h, infos.constData(), DWORD(infos.size()), &ecrits, nullptr) &&
           qsizetype(ecrits) == infos.size();
#endif
}

QByteArray FichierVerrou::litInfo(const QString& chemin)
{
#ifndef Q_OS_WIN
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
#else
    // Never through a link, and only from a file on a disk.
    HANDLE h = CreateFileW(nomWindows(QDir::toNativeSeparators(chemin)), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return {};
    QByteArray infos;
    BY_HANDLE_FILE_INFORMATION attributs;
    if (GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &attributs) &&
        !(attributs.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        infos.resize(4096);
        DWORD lu = 0;
        if (!ReadFile(h, infos.data(), DWORD(infos.size()), &lu, nullptr))
            lu = 0;
        infos.resize(qsizetype(lu));
    }
    CloseHandle(h);
    return infos;
#endif
}

VerrouDossier::VerrouDossier(const QString& dossier) : m_cle(cleVerrou(dossier))
{
    if (Tenu* tenu = tenuDe(m_cle)) {
        ++tenu->profondeur;
        return;
    }
    const QString chemin = QDir(dossier).filePath(NomFichierVerrou);
    auto tenu = std::make_unique<Tenu>(chemin);
    if (!tenu->fichier.verrouille(attenteMs)) {
        if (tenu->fichier.erreurDe() == 0) {
            m_statut = Statut::enEchec(
                QStringLiteral("Un autre programme est en train de modifier les fichiers du "
                               "dossier %1 : rien n'a été enregistré. Réessayez dans un instant.")
                    .arg(cheminEntreGuillemets(dossier)));
        } else {
            m_statut = Statut::enEchec(
                QStringLiteral("Impossible de créer le fichier de verrou %1 : %2. Rien n'a été "
                               "enregistré.")
                    .arg(cheminEntreGuillemets(chemin), erreurSysteme(tenu->fichier.erreurDe())));
        }
        m_cle.clear();
        return;
    }
    tenu->profondeur = 1;
    if (!tTenus)
        tTenus = new Tenus;
    tTenus->insert(m_cle, tenu.release());
}

VerrouDossier::~VerrouDossier()
{
    if (m_cle.isEmpty())
        return;
    Tenu* tenu = tenuDe(m_cle);
    if (tenu && --tenu->profondeur == 0) {
        tTenus->remove(m_cle);
        delete tenu;
        if (tTenus->isEmpty()) {
            delete tTenus;
            tTenus = nullptr;
        }
    }
}

void VerrouDossier::changeAttenteMs(int ms)
{
    attenteMs = ms;
}

} // namespace FichierTexte
