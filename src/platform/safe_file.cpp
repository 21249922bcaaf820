#include "platform/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace platform {
namespace {

QString SystemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

FileBytes Failure(const QString& path, const QString& what, bool missing = false) {
    FileBytes result;
    result.error = QStringLiteral("Cannot read \"%1\": %2.").arg(path, what);
    result.reason = what;
    result.missing = missing;
    return result;
}

}  // namespace

FileBytes ReadRegularFile(const QString& path, qint64 maxBytes) {
    // O_NONBLOCK: opening a named pipe would otherwise wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        return Failure(path, SystemError(error), error == ENOENT);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Failure(path, QStringLiteral("not a regular file"));
    }
    if (info.st_size > maxBytes) {
        ::close(fd);
        return Failure(path, QStringLiteral("larger than %1 bytes").arg(maxBytes));
    }
    FileBytes result;
    result.bytes.resize(static_cast<qsizetype>(info.st_size));
    qsizetype used = 0;
    for (;;) {
        if (used == result.bytes.size()) {
            // The file may have grown since fstat: read on, within the limit.
            if (used >= maxBytes + 1) {
                ::close(fd);
                return Failure(path, QStringLiteral("larger than %1 bytes").arg(maxBytes));
            }
            result.bytes.resize(std::min<qint64>(maxBytes + 1, used + 64 * 1024));
        }
        const ssize_t got =
            ::read(fd, result.bytes.data() + used, static_cast<size_t>(result.bytes.size() - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return Failure(path, SystemError(error));
        }
        if (got == 0)
            break;
        used += got;
    }
    ::close(fd);
    if (used > maxBytes)
        return Failure(path, QStringLiteral("larger than %1 bytes").arg(maxBytes));
    result.bytes.truncate(used);
    return result;
}

QString SaveFileAtomically(const QString& path, const QByteArray& bytes) {
    // The temporary file renamed over the target would follow a link there and write
    // to wherever it points; the link itself is removed so the new file takes its
    // place. What it pointed to stays untouched.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        return QStringLiteral("Cannot replace the link \"%1\".").arg(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Cannot write file \"%1\". %2").arg(path, error);
    }
    if (!file.commit())
        return QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString());
    return QString();
}

}  // namespace platform
