#pragma once

#include "Status.h"

#include <QString>

// The locks that keep two writers of one program folder apart.
namespace TextFile {

// French explanation of a system error number ("disque plein", ...).
QString systemError(int err);

// A path as the messages show it: « path », with the system's separators.
QString quotedPath(const QString& path);

// A lock between processes, also between computers that share the folder:
// the file system's lock on an open lock file. The system releases it when
// its holder ends in any way, killed or crashed, so that no lock is ever left
// behind; a lock file left by such a holder is simply taken. The file is
// removed when the lock is released.
class LockFile {
public:
    explicit LockFile(const QString& path);
    ~LockFile();
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // Waits at most waitMs for the holder to let go. False when it did not
    // (error() is then 0) or when the lock file cannot be made (error() is
    // the system error number).
    bool lock(int waitMs);
    void unlock();
    bool isLocked() const { return m_fd >= 0; }
    int error() const { return m_error; }

    // Who holds the lock, for those who wait: written by the holder.
    bool writeInfo(const QByteArray& info);
    static QByteArray readInfo(const QString& path);

private:
    QString m_path;
    int m_fd = -1;
    int m_error = 0;
};

// One writer at a time in a folder, across processes and computers sharing
// the folder: whoever changes a file of the folder holds this lock from
// before reading the file until the new content is in place. The same thread
// may take the lock of a folder again while it holds it; the lock is released
// with the outermost.
class FolderLock {
public:
    static inline const QString FileName = QStringLiteral("Temporaire.lock");

    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Failed, with a French message, when the lock could not be had.
    const Status& status() const { return m_status; }
    explicit operator bool() const { return m_status.isOk(); }

    // How long a writer waits for another one before giving up.
    static void setWaitMs(int ms);

private:
    QString m_key;
    Status m_status;
};

} // namespace TextFile
