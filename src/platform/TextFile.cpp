#include "TextFile.h"

#include "Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

QString quoted(const QString& path)
{
    return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
}

bool syncToDisk(QFile& file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// The rename is only durable once the folder entry itself reaches the disk.
void syncFolder(const QString& folder)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

int renameOver(const QString& from, const QString& to)
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

// Index of the first CR or LF of the line; -1 when it holds none.
qsizetype lineEnd(const QString& line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('\r') || line.at(i) == QLatin1Char('\n'))
            return i;
    }
    return -1;
}

} // namespace

namespace TextFile {

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

void forEachLine(const QByteArray& content,
                 const std::function<void(const char* data, qsizetype size)>& visit)
{
    const char* data = content.constData();
    const qsizetype size = content.size();
    qsizetype start = 0;
    while (start < size) {
        const void* found = std::memchr(data + start, '\n', size_t(size - start));
        const qsizetype end = found ? static_cast<const char*>(found) - data : size;
        qsizetype length = end - start;
        if (length > 0 && data[start + length - 1] == '\r')
            --length;
        visit(data + start, length);
        start = end + 1;
    }
}

Status readAll(const QString& path, QByteArray* content)
{
    QFile file(path);
    if (!file.exists())
        return Status::missing(QStringLiteral("Le fichier %1 est introuvable.").arg(quoted(path)));
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        return Status::failed(QStringLiteral("Impossible d'ouvrir le fichier %1 : %2.")
                                  .arg(quoted(path), systemError(errno)));
    }
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return Status::failed(QStringLiteral("Impossible de lire le fichier %1 : %2.")
                                  .arg(quoted(path), systemError(errno)));
    }
    *content = std::move(bytes);
    return Status::ok();
}

namespace {

template <typename Line, typename Make>
Status readEach(const QString& path, QList<Line>* lines, Make make)
{
    QByteArray content;
    const Status status = readAll(path, &content);
    if (!status)
        return status;
    lines->clear();
    forEachLine(content,
                [&](const char* data, qsizetype size) { lines->append(make(data, size)); });
    return status;
}

} // namespace

Status readLines(const QString& path, QList<QByteArray>* lines)
{
    return readEach(path, lines,
                    [](const char* data, qsizetype size) { return QByteArray(data, size); });
}

Status readText(const QString& path, QStringList* lines)
{
    return readEach(path, lines,
                    [](const char* data, qsizetype size) { return Cp1252::decode(data, size); });
}

Status replace(const QString& target, const QString& workFile, const QList<QByteArray>& lines)
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
    return replaceContent(target, workFile, content);
}

Status replaceContent(const QString& target, const QString& workFile, const QByteArray& content)
{
    QFile work(workFile);
    errno = 0;
    if (!work.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const int err = errno;
        return Status::failed(QStringLiteral("Impossible de créer le fichier de travail %1 : %2.")
                                  .arg(quoted(workFile), systemError(err)));
    }
    // Keep the access rights of the file being replaced.
    if (QFileInfo::exists(target))
        work.setPermissions(QFile::permissions(target));

    errno = 0;
    const bool written = work.write(content) == content.size() && syncToDisk(work);
    const int writeErr = errno;
    work.close();
    if (!written || work.error() != QFileDevice::NoError) {
        QFile::remove(workFile);
        return Status::failed(
            QStringLiteral(
                "Impossible d'écrire le fichier de travail %1 : %2. %3 n'a pas été modifié.")
                .arg(quoted(workFile), systemError(writeErr ? writeErr : EIO), quoted(target)));
    }

    const int renameErr = renameOver(workFile, target);
    if (renameErr != 0) {
        QFile::remove(workFile);
        return Status::failed(
            QStringLiteral("Impossible de remplacer le fichier %1 : %2. Il n'a pas été modifié.")
                .arg(quoted(target), systemError(renameErr)));
    }
    syncFolder(QFileInfo(target).absolutePath());
    return Status::ok();
}

Status replaceText(const QString& target, const QString& workFile, const QStringList& lines)
{
    QList<QByteArray> encoded;
    encoded.reserve(lines.size());
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray bytes;
        // A line end within a line would make two lines of it in the file.
        qsizetype bad = lineEnd(lines.at(n));
        if (bad >= 0 || !Cp1252::encode(lines.at(n), &bytes, &bad)) {
            return Status::failed(
                QStringLiteral("Le caractère %1 ne peut pas être enregistré dans le fichier %2. "
                               "Rien n'a été écrit.")
                    .arg(Cp1252::describe(lines.at(n), bad), quoted(target)));
        }
        encoded.append(bytes);
    }
    return replace(target, workFile, encoded);
}

} // namespace TextFile
