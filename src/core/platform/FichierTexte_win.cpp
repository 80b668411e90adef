#include "FichierSysteme.h"
#include "FichierTexte.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>

#include <io.h>
#include <windows.h>

namespace FichierTexte::systeme {

// A file the user marked read-only, or that this user may not write, is not
// replaced behind his back: renaming over it would ignore the mark.
bool marqueLectureSeule(const QString& chemin)
{
    const QFileInfo infos(chemin);
    return infos.exists() && !infos.isDir() && !infos.isWritable();
}

// Creates the file at chemin for writing, only when no file, link or
// anything else bears its name, and opens fichier on it. 0, or the system
// error number (EEXIST when the name is taken). NewOnly is the system's
// exclusive creation (O_CREAT | O_EXCL), which never follows a link, even one
// that leads nowhere.
int creeExclusif(const QString& chemin, QFile* fichier)
{
    // NewOnly is CreateFileW's CREATE_NEW here. The bytes reach the disk by
    // the flush (FlushFileBuffers) that comes before the file takes its place.
    if (fichier->open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return 0;
    const QFileInfo infos(chemin);
    if (infos.isDir())
        return EISDIR;
    if (infos.exists() || infos.isSymLink())
        return EEXIST;
    return fichier->error() == QFileDevice::PermissionsError ? EACCES : EIO;
}

// Makes the work file anew, the folder's lock held: a work file left by a
// rewrite that was cut short (a crash, a power cut) is removed first; a link,
// a folder or a special file of that name is left where it is and refused
// (ELOOP, EISDIR), since the program never makes one.
int creeTravail(const QString& chemin, QFile* fichier)
{
    if (QFileInfo(chemin).isDir())
        return EISDIR;
    if (QFileInfo(chemin).isSymLink())
        return ELOOP;
    QFile::remove(chemin);
    const int erreur = creeExclusif(chemin, fichier);
    return erreur == EEXIST ? ELOOP : erreur;
}

} // namespace FichierTexte::systeme

namespace FichierTexte {

int OperationsFichier::synchronise(QFile& fichier)
{
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fichier.handle()));
    return FlushFileBuffers(h) ? 0 : FichierTexte::erreurWindows(GetLastError());
}

int OperationsFichier::renomme(const QString& depuis, const QString& vers)
{
    // One move that replaces the file in a single step and reaches the disk
    // before it returns. (ReplaceFileW is not used: it may move the replaced
    // file away first, and a crash in between would leave no file of that
    // name.) A folder is never replaced.
    if (QFileInfo(vers).isDir())
        return EISDIR;
    const QString source = QDir::toNativeSeparators(QFileInfo(depuis).absoluteFilePath());
    const QString cible = QDir::toNativeSeparators(QFileInfo(vers).absoluteFilePath());
    // Programs that open files behind the user's back (an antivirus, the
    // search indexer, a backup or sync client) hold the log or the work file
    // for a few milliseconds: the move is tried again for about a second
    // before the save is refused.
    QElapsedTimer attendu;
    attendu.start();
    int pause = 5;
    for (;;) {
        if (MoveFileExW(reinterpret_cast<const wchar_t*>(source.utf16()),
                        reinterpret_cast<const wchar_t*>(cible.utf16()),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        const DWORD raison = GetLastError();
        const bool passager = raison == ERROR_SHARING_VIOLATION || raison == ERROR_LOCK_VIOLATION ||
                              raison == ERROR_ACCESS_DENIED;
        if (!passager || attendu.elapsed() >= systeme::reessaiMs)
            return FichierTexte::erreurWindows(raison);
        QThread::msleep(DWORD(pause));
        pause = qMin(pause * 2, 50);
    }
}

// A rename or a new file only lasts through a power cut once the folder entry
// itself reaches the disk. A folder that cannot be opened for that (no read
// right) or a file system that has no such flush leave nothing to report.
int OperationsFichier::synchroniseDossier(const QString& dossier)
{
    Q_UNUSED(dossier);
    return 0;
}

} // namespace FichierTexte
