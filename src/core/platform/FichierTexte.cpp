#include "FichierTexte.h"

#include "Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString entreGuillemets(const QString& path)
{
    return FichierTexte::cheminEntreGuillemets(path);
}

FichierTexte::OperationsFichier gOperationsSysteme;
std::atomic<FichierTexte::OperationsFichier*> gOperations{&gOperationsSysteme};

FichierTexte::OperationsFichier& ops()
{
    return *gOperations.load();
}

// A file the user marked read-only, or that this user may not write, is not
// replaced behind his back: renaming over it would ignore the mark.
bool marqueLectureSeule(const QString& path)
{
#ifdef Q_OS_WIN
    return !QFileInfo(path).isWritable();
#else
    struct stat st;
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    // A file system mounted read-only is said by the creation of the work file.
    return ::access(name.constData(), W_OK) != 0 && errno != EROFS;
#endif
}

QString nonConfirme(const QString& path, int err)
{
    return QStringLiteral("Le fichier %1 a été écrit, mais le disque n'a pas confirmé son "
                          "enregistrement : %2. Vérifiez-le avant de recommencer.")
        .arg(entreGuillemets(path), FichierTexte::erreurSysteme(err));
}

// Index of the first CR or LF of the line; -1 when it holds none.
qsizetype finDeLigneDans(const QString& line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('\r') || line.at(i) == QLatin1Char('\n'))
            return i;
    }
    return -1;
}

} // namespace

namespace FichierTexte {

int OperationsFichier::write(QFile& file, const QByteArray& bytes)
{
    errno = 0;
    if (file.write(bytes) == bytes.size() && file.flush())
        return 0;
    return errno ? errno : EIO;
}

int OperationsFichier::sync(QFile& file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0 ? 0 : EIO;
#else
    return ::fsync(file.handle()) == 0 ? 0 : errno;
#endif
}

int OperationsFichier::rename(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    const bool ok =
        MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    return ok ? 0 : EACCES;
#else
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
               ? 0
               : errno;
#endif
}

// A rename or a new file only lasts through a power cut once the folder entry
// itself reaches the disk. A folder that cannot be opened for that (no read
// right) or a file system that has no such flush leave nothing to report.
int OperationsFichier::synchroniseDossier(const QString& folder)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return errno == EACCES || errno == EPERM ? 0 : errno;
    int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (err == EINVAL || err == ENOTSUP || err == EOPNOTSUPP)
        err = 0;
    return err;
#else
    Q_UNUSED(folder);
    return 0;
#endif
}

OperationsFichier* changeOperationsFichier(OperationsFichier* next)
{
    OperationsFichier* previous = gOperations.exchange(next ? next : &gOperationsSysteme);
    return previous == &gOperationsSysteme ? nullptr : previous;
}

// A line ends at CR LF, at LF alone or at CR alone (old Mac files).
void pourChaqueLigne(const char* data, qsizetype size,
                     const std::function<void(const char* data, qsizetype size)>& visit)
{
    forEachLineOf(data, size, visit);
}

void pourChaqueLigne(const QByteArray& content,
                     const std::function<void(const char* data, qsizetype size)>& visit)
{
    pourChaqueLigne(content.constData(), content.size(), visit);
}

Statut openRead(const QString& path, QFile* file)
{
    file->setFileName(path);
    if (!file->exists())
        return Statut::missing(
            QStringLiteral("Le fichier %1 est introuvable.").arg(entreGuillemets(path)));
    errno = 0;
    if (QFileInfo(path).isDir() || !file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const int err = QFileInfo(path).isDir() ? EISDIR : errno;
        return Statut::failed(QStringLiteral("Impossible d'ouvrir le fichier %1 : %2.")
                                  .arg(entreGuillemets(path), erreurSysteme(err ? err : EIO)));
    }
    return Statut::ok();
}

Statut readFailed(const QString& path)
{
    const int err = errno;
    return Statut::failed(QStringLiteral("Impossible de lire le fichier %1 : %2.")
                              .arg(entreGuillemets(path), erreurSysteme(err ? err : EIO)));
}

Statut forEachBlockRead(QFile& file, const QString& path,
                        const std::function<void(qint64, const char*, qsizetype)>& visit)
{
    // Each block is cut after its last LF: the lines before the cut end
    // there as they do in the whole file, and the rest goes with the next
    // block.
    constexpr qsizetype kBlock = 1024 * 1024;
    QByteArray block;
    qint64 position = file.pos(); // of the first byte of block in the file
    for (;;) {
        const qsizetype kept = block.size();
        block.resize(kept + kBlock);
        errno = 0;
        const qint64 read = file.read(block.data() + kept, kBlock);
        if (read < 0)
            return readFailed(path);
        block.resize(kept + read);
        const qsizetype lf = read > 0 ? block.lastIndexOf('\n') : -1;
        if (read > 0 && lf < 0)
            continue;
        const qsizetype cut = lf >= 0 ? lf + 1 : block.size();
        if (cut > 0)
            visit(position, block.constData(), cut);
        position += cut;
        block.remove(0, cut);
        if (read == 0)
            return Statut::ok();
    }
}

Statut readEachLine(const QString& path,
                    const std::function<void(const char* data, qsizetype size)>& visit)
{
    QFile file;
    const Statut opened = openRead(path, &file);
    if (!opened)
        return opened;
    return forEachBlockRead(file, path, [&visit](qint64, const char* data, qsizetype size) {
        forEachLineOf(data, size, visit);
    });
}

Statut readAll(const QString& path, QByteArray* content)
{
    QFile file;
    const Statut opened = openRead(path, &file);
    if (!opened)
        return opened;
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return readFailed(path);
    *content = std::move(bytes);
    return Statut::ok();
}

namespace {

template <typename TypeLigne, typename Fabrication>
Statut litChaque(const QString& path, QList<TypeLigne>* lines, Fabrication make)
{
    QByteArray content;
    const Statut status = readAll(path, &content);
    if (!status)
        return status;
    lines->clear();
    pourChaqueLigne(content,
                    [&](const char* data, qsizetype size) { lines->append(make(data, size)); });
    return status;
}

} // namespace

Statut litTexte(const QString& path, QStringList* lines)
{
    return litChaque(path, lines,
                     [](const char* data, qsizetype size) { return Cp1252::decode(data, size); });
}

Statut replace(const QString& target, const QString& workFile, const QList<QByteArray>& lines,
               FolderFlush folderFlush)
{
    qsizetype total = 0;
    for (const QByteArray& line : lines)
        total += line.size() + 2;
    QByteArray content;
    content.reserve(total);
    for (const QByteArray& line : lines) {
        content.append(line);
        content.append("\r\n", 2);
    }
    return remplaceContenu(target, workFile, content, folderFlush);
}

Statut remplaceContenu(const QString& target, const QString& workFile, const QByteArray& content,
                       FolderFlush folderFlush)
{
    if (marqueLectureSeule(target)) {
        return Statut::failed(
            QStringLiteral("Le fichier %1 est protégé en écriture (lecture seule) : il n'a pas été "
                           "modifié. Retirez cette protection pour pouvoir l'enregistrer.")
                .arg(entreGuillemets(target)));
    }

    const VerrouDossier lock(QFileInfo(workFile).absolutePath());
    if (!lock)
        return lock.status();

    QFile work(workFile);
    errno = 0;
    if (!work.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const int err = errno;
        return Statut::failed(QStringLiteral("Impossible de créer le fichier de travail %1 : %2.")
                                  .arg(entreGuillemets(workFile), erreurSysteme(err ? err : EIO)));
    }
    // Keep the access rights of the file being replaced.
    if (QFileInfo::exists(target))
        work.setPermissions(QFile::permissions(target));

    int writeErr = ops().write(work, content);
    if (writeErr == 0)
        writeErr = ops().sync(work);
    work.close();
    if (writeErr == 0 && work.error() != QFileDevice::NoError)
        writeErr = EIO;
    if (writeErr != 0) {
        QFile::remove(workFile);
        return Statut::failed(
            QStringLiteral(
                "Impossible d'écrire le fichier de travail %1 : %2. %3 n'a pas été modifié.")
                .arg(entreGuillemets(workFile), erreurSysteme(writeErr), entreGuillemets(target)));
    }

    const int renameErr = ops().rename(workFile, target);
    if (renameErr != 0) {
        QFile::remove(workFile);
        return Statut::failed(
            QStringLiteral("Impossible de remplacer le fichier %1 : %2. Il n'a pas été modifié.")
                .arg(entreGuillemets(target), erreurSysteme(renameErr)));
    }
    return folderFlush == FolderFlush::Now ? flushFolder(target) : Statut::ok();
}

Statut flushFolder(const QString& target)
{
    const int syncErr = ops().synchroniseDossier(QFileInfo(target).absolutePath());
    if (syncErr != 0)
        return Statut::failed(nonConfirme(target, syncErr));
    return Statut::ok();
}

Statut remplaceTexte(const QString& target, const QString& workFile, const QStringList& lines,
                     FolderFlush folderFlush)
{
    QList<QByteArray> encoded;
    encoded.reserve(lines.size());
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray bytes;
        // A line end within a line would make two lines of it in the file.
        qsizetype bad = finDeLigneDans(lines.at(n));
        if (bad >= 0 || !Cp1252::encode(lines.at(n), &bytes, &bad)) {
            return Statut::failed(
                QStringLiteral("Le caractère %1 ne peut pas être enregistré dans le fichier %2. "
                               "Rien n'a été écrit.")
                    .arg(Cp1252::describe(lines.at(n), bad), entreGuillemets(target)));
        }
        encoded.append(bytes);
    }
    return replace(target, workFile, encoded, folderFlush);
}

Statut creeNouveau(const QString& path, const QByteArray& content)
{
    // NewOnly: the file is created only when no file of that name exists.
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        const int err = QFileInfo::exists(path) ? EEXIST : errno;
        return Statut::failed(
            QStringLiteral("Impossible de créer le fichier %1 : %2.")
                .arg(entreGuillemets(path), err == EEXIST ? QStringLiteral("il existe déjà")
                                                          : erreurSysteme(err ? err : EIO)));
    }
    int err = ops().write(file, content);
    if (err == 0)
        err = ops().sync(file);
    file.close();
    if (err == 0 && file.error() != QFileDevice::NoError)
        err = EIO;
    if (err != 0) {
        QFile::remove(path);
        return Statut::failed(QStringLiteral("Impossible d'écrire le fichier %1 : %2.")
                                  .arg(entreGuillemets(path), erreurSysteme(err)));
    }
    const int syncErr = ops().synchroniseDossier(QFileInfo(path).absolutePath());
    if (syncErr != 0)
        return Statut::failed(nonConfirme(path, syncErr));
    return Statut::ok();
}

} // namespace FichierTexte
