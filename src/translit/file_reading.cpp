// Reading rule files (UTF-16LE, CR LF) and dictionary files (by byte-order mark).
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/cp1251.h"
#include "translit/rule_lines.h"
#include "translit/rule_tables.h"

namespace translit {
namespace {

[[noreturn]] void Fail(const char* what, const QString& path, int error) {
    throw detail::FileReadError(std::string(what) + " " + QFile::encodeName(path).toStdString() +
                                    ": " + std::strerror(error),
                                error);
}

detail::FileIdentity IdentityFromStat(const struct stat& info) {
    detail::FileIdentity identity;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    identity.size = info.st_size;
    identity.modifiedSeconds = info.st_mtim.tv_sec;
    identity.modifiedNanoseconds = info.st_mtim.tv_nsec;
    identity.changedSeconds = info.st_ctim.tv_sec;
    identity.changedNanoseconds = info.st_ctim.tv_nsec;
    return identity;
}

// Whether a descriptor anywhere has the file open for writing. The kernel grants a read
// lease only when none has; it is given back at once. A writer that opens the file in
// the instant the lease is held waits until it is given back, and the process is sent
// a signal: SIGURG, whose default action is to ignore it, rather than SIGIO, which
// would end the process. Files the process does not own (no lease allowed to it) and
// file systems without leases tell nothing, and count as not being written.
bool OpenForWriting(int fd) {
    if (::fcntl(fd, F_SETSIG, SIGURG) != 0)
        return false;
    if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
        return false;
    }
    return errno == EAGAIN;
}

// The whole file, read with plain system calls: open, read and close.
// Only regular files are read: opening does not wait (a named pipe would block until
// a writer came), and a pipe or device put in a rule file's place is refused. With
// refuseWhileWritten, a file someone has open for writing is refused with
// FileBeingWritten before anything is read.
QByteArray ReadWholeFile(const QString& path, detail::FileIdentity* identity,
                         bool refuseWhileWritten = false) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        Fail("cannot open", path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        Fail("cannot read", path, error);
    }
    if (identity)
        *identity = IdentityFromStat(info);
    if (refuseWhileWritten && OpenForWriting(fd)) {
        ::close(fd);
        throw detail::FileBeingWritten("being written: " + QFile::encodeName(path).toStdString());
    }
    QByteArray bytes(16 * 1024, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > kMaxRuleFileBytes) {
                ::close(fd);
                Fail("cannot read", path, EFBIG);
            }
            bytes.resize(std::min<qsizetype>(used * 2, kMaxRuleFileBytes + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;  // a folder gives EISDIR here
            ::close(fd);
            Fail("cannot read", path, error);
        }
        if (got == 0)
            break;
        used += got;
    }
    ::close(fd);
    bytes.truncate(used);
    return bytes;
}

// UTF-16 code units in the given byte order; an odd last byte is ignored. No
// byte-order mark is looked for or removed.
QString Utf16Units(const char* data, qsizetype bytes, bool littleEndian) {
    const qsizetype n = bytes / 2;
    QString text(n, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < n; ++i) {
        out[i] = littleEndian ? qFromLittleEndian<quint16>(data + 2 * i)
                              : qFromBigEndian<quint16>(data + 2 * i);
    }
    return text;
}

}  // namespace

namespace detail {

bool IdentityOf(const QString& path, FileIdentity& identity) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    identity = IdentityFromStat(info);
    return true;
}

RuleFileText ReadRuleFile(const QString& path, FileIdentity* identity) {
    const QByteArray bytes = ReadWholeFile(path, identity, identity != nullptr);
    RuleFileText file;
    file.text = Utf16Units(bytes.constData(), bytes.size(), true);
    const QStringView text(file.text);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf(QLatin1String("\r\n"), start);
        if (end < 0)
            break;
        file.lines.push_back(text.mid(start, end - start));
        start = end + 2;
    }
    return file;
}

}  // namespace detail

QStringList ReadRuleFileLines(const QString& path) {
    const detail::RuleFileText file = detail::ReadRuleFile(path);
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(file.lines.size()));
    for (QStringView line : file.lines)
        lines << line.toString();
    return lines;
}

namespace detail {

QStringList ReadDictionaryLines(const QString& path, FileIdentity* identity) {
    const QByteArray bytes = ReadWholeFile(path, identity, identity != nullptr);
    const char* data = bytes.constData();
    const auto n = bytes.size();
    auto byteAt = [&](qsizetype i) { return static_cast<unsigned char>(data[i]); };
    QString text;
    if (n >= 3 && byteAt(0) == 0xEF && byteAt(1) == 0xBB && byteAt(2) == 0xBF)
        text = QString::fromUtf8(data + 3, n - 3);
    else if (n >= 2 && byteAt(0) == 0xFF && byteAt(1) == 0xFE)
        text = Utf16Units(data + 2, n - 2, true);
    else if (n >= 2 && byteAt(0) == 0xFE && byteAt(1) == 0xFF)
        text = Utf16Units(data + 2, n - 2, false);
    else
        text = platform::DecodeUtf8OrCp1251(std::string_view(data, static_cast<size_t>(n)));

    QStringList lines;
    const qsizetype len = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < len) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << text.mid(start, i - start);
            if (c == QLatin1Char('\r') && i + 1 < len && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < len)
        lines << text.mid(start);
    return lines;
}

}  // namespace detail

QStringList LoadDictionaryLines(const QString& path) {
    return detail::ReadDictionaryLines(path);
}

}  // namespace translit
