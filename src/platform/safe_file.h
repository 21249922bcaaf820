// Reading and writing the files a user keeps: only regular files are read (a named pipe
// or a device in a file's place is refused instead of blocking), and files are
// replaced atomically, so a failed write leaves the old file whole.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

struct FileBytes {
    QByteArray bytes;
    QString error;         // empty on success; names the file and what is wrong
    QString reason;        // what is wrong, without the file's name
    bool missing = false;  // the file does not exist (error is set too)

    bool ok() const { return error.isEmpty(); }
};

// The whole of path when it is a regular file of at most maxBytes. Opening never
// waits: a named pipe, a device or a folder gives an error at once.
FileBytes ReadRegularFile(const QString& path, qint64 maxBytes);

// Replaces path with bytes through a temporary file renamed over it. A symbolic link
// at path is replaced by the new file, never followed. Returns an empty string on
// success, otherwise what went wrong (the old file is then left as it was).
QString SaveFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace platform
