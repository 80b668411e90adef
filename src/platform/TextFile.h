#pragma once

#include "Status.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Line files of the program folder: Windows-1252 text, one record a line,
// every line written with CR LF. Reading takes CR LF, LF alone and a last line
// without a line end, and never drops or merges a line.
namespace TextFile {

// Calls visit(data, size) for each line of the buffer, without its line end.
void forEachLine(const QByteArray& content,
                 const std::function<void(const char* data, qsizetype size)>& visit);

// Reads the whole file. Missing when the file does not exist.
Status readAll(const QString& path, QByteArray* content);
Status readLines(const QString& path, QList<QByteArray>* lines);
Status readText(const QString& path, QStringList* lines);

// Replaces the file at target by the given lines: they are written to the
// work file (same folder), flushed to the disk, and the work file is renamed
// over the target, so that the target is at every moment either its old
// content or its new content, complete. On failure the target is left as it
// was, the work file is removed, and the status explains what went wrong.
Status replace(const QString& target, const QString& workFile, const QList<QByteArray>& lines);
// Same, with the whole new content (lines already ended by CR LF).
Status replaceContent(const QString& target, const QString& workFile, const QByteArray& content);

// Same, from text: refused as a whole, with nothing written, when a character
// has no Windows-1252 byte.
Status replaceText(const QString& target, const QString& workFile, const QStringList& lines);

// French explanation of a system error number ("disque plein", ...).
QString systemError(int err);

} // namespace TextFile
