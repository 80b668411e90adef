#pragma once

#include "FichierVerrou.h"
#include "Statut.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstring>
#include <functional>

class QFile;

// Line files of the program folder: Windows-1252 text, one record a line,
// every line written with CR LF. Reading takes CR LF, LF alone, CR alone and a
// last line without a line end, and never drops or merges a line.
namespace FichierTexte {

// Calls visit(data, size) for each line of the buffer, without its line end.
// A line ends at CR LF, at LF alone or at CR alone (old Mac files).
template <typename Visit> void forEachLineOf(const char* data, qsizetype size, Visit&& visit)
{
    qsizetype start = 0;
    while (start < size) {
        const void* lf = std::memchr(data + start, '\n', size_t(size - start));
        const qsizetype lfAt = lf ? static_cast<const char*>(lf) - data : size;
        const void* cr = std::memchr(data + start, '\r', size_t(lfAt - start));
        if (!cr) {
            visit(data + start, lfAt - start);
            start = lfAt + 1;
            continue;
        }
        const qsizetype crAt = static_cast<const char*>(cr) - data;
        visit(data + start, crAt - start);
        start = crAt + 1 == lfAt ? lfAt + 1 : crAt + 1;
    }
}
void pourChaqueLigne(const QByteArray& content,
                     const std::function<void(const char* data, qsizetype size)>& visit);
void pourChaqueLigne(const char* data, qsizetype size,
                     const std::function<void(const char* data, qsizetype size)>& visit);

// Opens the file for reading, unbuffered. Missing when the file does not
// exist; the same messages as readAll otherwise.
Statut openRead(const QString& path, QFile* file);
// The failure of a read from the open file, as readAll says it.
Statut readFailed(const QString& path);

// Calls visit(offset, data, size) for each block of whole lines of the file
// open at path, read from where it stands, so that a long file never stands
// whole in memory: forEachLineOf over the blocks gives the lines of the
// whole content, offset being where the block starts in the file.
Statut
forEachBlockRead(QFile& file, const QString& path,
                 const std::function<void(qint64 offset, const char* data, qsizetype size)>& visit);
// Opens the file and does the same. Missing when the file does not exist.
Statut readEachLine(const QString& path,
                    const std::function<void(const char* data, qsizetype size)>& visit);

// Reads the whole file. Missing when the file does not exist.
Statut readAll(const QString& path, QByteArray* content);
Statut litTexte(const QString& path, QStringList* lines);

// Replaces the file at target by the given lines: they are written to the
// work file (same folder), flushed to the disk, and the work file is renamed
// over the target, so that the target is at every moment either its old
// content or its new content, complete. On failure the target is left as it
// was, the work file is removed, and the status explains what went wrong.
// A target marked read-only is refused. The rewrite holds the lock of the
// work file's folder (VerrouDossier) from the creation of the work file to the
// rename.
// When the folder's flush is asked for Later, the rewrite ends with the
// rename and the caller flushes the folder with flushFolder: a caller that
// renames two files of a folder in one operation flushes it once for both.
enum class FolderFlush { Now, Later };
Statut replace(const QString& target, const QString& workFile, const QList<QByteArray>& lines,
               FolderFlush folderFlush = FolderFlush::Now);
// Same, with the whole new content (lines already ended by CR LF).
Statut remplaceContenu(const QString& target, const QString& workFile, const QByteArray& content,
                       FolderFlush folderFlush = FolderFlush::Now);
// Flushes the folder of target, so that the renames made in it last; the
// message names target when the disk does not confirm.
Statut flushFolder(const QString& target);

// Same, from text: refused as a whole, with nothing written, when a character
// has no Windows-1252 byte.
Statut remplaceTexte(const QString& target, const QString& workFile, const QStringList& lines,
                     FolderFlush folderFlush = FolderFlush::Now);

// Creates a file that must not exist yet with the given content, flushed to
// the disk with its folder entry. Nothing is left behind on failure.
Statut creeNouveau(const QString& path, const QByteArray& content);

// The system calls that make a rewrite durable. The program uses the
// system's; a test may put its own in place to watch their order or to make
// one of them fail. Each returns 0 or the system error number.
class OperationsFichier {
public:
    virtual ~OperationsFichier() = default;
    // Writes all the bytes and hands them to the system.
    virtual int write(QFile& file, const QByteArray& bytes);
    // Flushes the file's content to the disk.
    virtual int sync(QFile& file);
    // Renames from over to, in one step.
    virtual int rename(const QString& from, const QString& to);
    // Flushes the folder's entries (a rename, a new file) to the disk.
    virtual int synchroniseDossier(const QString& folder);
};

// Puts ops in place of the current operations (nullptr: the system's) and
// returns the previous ones.
OperationsFichier* changeOperationsFichier(OperationsFichier* ops);

} // namespace FichierTexte
