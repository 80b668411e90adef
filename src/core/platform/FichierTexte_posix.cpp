#include "FichierSysteme.h"
#include "FichierTexte.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FichierTexte::systeme {

// A file the user marked read-only, or that this user may not write, is not
// replaced behind his back: renaming over it would ignore the mark.
bool marqueLectureSeule(const QString& chemin)
{
    struct stat st;
    const QByteArray name = QFile::encodeName(chemin);
    if (::stat(name.constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    // A file system mounted read-only is said by the creation of the work file.
    return ::access(name.constData(), W_OK) != 0 && errno != EROFS;
}

// Creates the file at chemin for writing, only when no file, link or
// anything else bears its name, and opens fichier on it. 0, or the system
// error number (EEXIST when the name is taken). NewOnly is the system's
// exclusive creation (O_CREAT | O_EXCL), which never follows a link, even one
// that leads nowhere.
int creeExclusif(const QString& chemin, QFile* fichier)
{
    errno = 0;
    if (fichier->open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return 0;
    const int erreur = errno;
    if (erreur == EEXIST || QFileInfo::exists(chemin) || QFileInfo(chemin).isSymLink())
        return EEXIST;
    return erreur ? erreur : EIO;
}

// Makes the work file anew, the folder's lock held: a work file left by a
// rewrite that was cut short (a crash, a power cut) is removed first; a link,
// a folder or a special file of that name is left where it is and refused
// (ELOOP, EISDIR), since the program never makes one.
int creeTravail(const QString& chemin, QFile* fichier)
{
    const QByteArray nom = QFile::encodeName(chemin);
    struct stat st;
    if (::lstat(nom.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        if (!S_ISREG(st.st_mode))
            return ELOOP;
        if (::unlink(nom.constData()) != 0 && errno != ENOENT)
            return errno;
    } else if (errno != ENOENT) {
        return errno;
    }
    // Something that bears the name again now was put there by someone else
    // while the folder was locked: it is refused like a link.
    const int erreur = creeExclusif(chemin, fichier);
    return erreur == EEXIST || erreur == ELOOP ? ELOOP : erreur;
}

} // namespace FichierTexte::systeme

namespace FichierTexte {

int OperationsFichier::synchronise(QFile& fichier)
{
    return ::fsync(fichier.handle()) == 0 ? 0 : errno;
}

int OperationsFichier::renomme(const QString& depuis, const QString& vers)
{
    return ::rename(QFile::encodeName(depuis).constData(), QFile::encodeName(vers).constData()) == 0
               ? 0
               : errno;
}

// A rename or a new file only lasts through a power cut once the folder entry
// itself reaches the disk. A folder that cannot be opened for that (no read
// right) or a file system that has no such flush leave nothing to report.
int OperationsFichier::synchroniseDossier(const QString& dossier)
{
    const int fd = ::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return errno == EACCES || errno == EPERM ? 0 : errno;
    int erreur = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (erreur == EINVAL || erreur == ENOTSUP || erreur == EOPNOTSUPP)
        erreur = 0;
    return erreur;
}

} // namespace FichierTexte
