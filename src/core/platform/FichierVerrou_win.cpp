#include "FichierVerrou.h"

#include "FichierSysteme.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>

#include <io.h>
#include <windows.h>

namespace {

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

} // namespace

namespace FichierTexte {

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

bool FichierVerrou::verrouille(int attenteMs)
{
    if (m_descripteur >= 0)
        return true;
    m_erreur = 0;
    QElapsedTimer attendu;
    attendu.start();
    int pause = 2;
    for (;;) {
        int erreur = 0;
        HANDLE h = ouvreVerrou(m_cheminFichier, &erreur);
        // A holder that is letting go may be removing the file just now (a
        // file being deleted refuses to open, "access denied"), or another
        // program may read it behind the user's back: tried again, the
        // refusal for about a second.
        const bool occupe =
            erreur == EBUSY || (erreur == EACCES && attendu.elapsed() < systeme::reessaiMs);
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
}

void FichierVerrou::deverrouille()
{
    if (m_descripteur < 0)
        return;
    // Closed first: the file then goes unless someone waiting has it open,
    // who takes it over as it stands.
    _close(m_descripteur);
    DeleteFileW(nomWindows(QDir::toNativeSeparators(m_cheminFichier)));
    m_descripteur = -1;
}

bool FichierVerrou::ecritInfo(const QByteArray& infos)
{
    if (m_descripteur < 0)
        return false;
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(m_descripteur));
    LARGE_INTEGER debut = {};
    DWORD ecrits = 0;
    return SetFilePointerEx(h, debut, nullptr, FILE_BEGIN) && SetEndOfFile(h) &&
           WriteFile(h, infos.constData(), DWORD(infos.size()), &ecrits, nullptr) &&
           qsizetype(ecrits) == infos.size();
}

QByteArray FichierVerrou::litInfo(const QString& chemin)
{
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
}

} // namespace FichierTexte
