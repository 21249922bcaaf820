#include "archive/archive_file.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "archive/archive_db.h"

namespace archive {

std::string ResolvedPath(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        return {};
    return (folder + QLatin1Char('/') + info.fileName()).toStdString();
}

platform::Status MakePrivateFolders(const std::string& folder) {
    QString path = QDir::cleanPath(QDir(QString::fromStdString(folder)).absolutePath());
    std::vector<QString> missing;
    while (!QFileInfo::exists(path)) {
        missing.push_back(path);
        const QString above = QFileInfo(path).path();
        if (above == path)
            break;
        path = above;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        const QByteArray name = it->toLocal8Bit();
        // Another program may make the same folder at the same moment.
        if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
            return platform::Failure("its folder " + it->toStdString() + " cannot be made (" +
                                     std::strerror(errno) + ")");
    }
    return {};
}

std::string Refusal(const std::string& file, const std::string& given, bool* exists) {
    struct stat info {};
    *exists = ::lstat(file.c_str(), &info) == 0;
    if (*exists) {
        if (S_ISLNK(info.st_mode))
            return "it is a symbolic link, which is never followed";
        if (!S_ISREG(info.st_mode))
            return "it is not a regular file";
        if (info.st_size == 0)
            return "it is an empty file, not an archive";
    }
    for (const char* suffix : kCompanionSuffixes) {
        struct stat beside {};
        if (::lstat((file + suffix).c_str(), &beside) != 0)
            continue;
        if (S_ISLNK(beside.st_mode))
            return "its file " + given + suffix + " is a symbolic link, which is never followed";
        if (!S_ISREG(beside.st_mode))
            return "its file " + given + suffix + " is not a regular file";
    }
    return {};
}

platform::Status Archive::Create(const std::string& file) {
    // The archive is made whole under a name of its own beside the file, then put in
    // place in one step that never replaces a file another program put there first:
    // a reader finds either no file or one with its schema. mkstemp makes it 0600,
    // and SQLite gives the log files beside it the same mode.
    std::string made = file + ".new-XXXXXX";
    const int descriptor = ::mkstemp(made.data());
    if (descriptor < 0)
        return Problem(SQLITE_CANTOPEN,
                       std::string("it cannot be made (") + std::strerror(errno) + ")");
    ::close(descriptor);
    platform::Status done =
        Connect(made, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX);
    if (done)
        done = Prepare();
    if (done)
        done = Migrate();
    // Closing copies the log into the file and removes it.
    Close();
    if (done && ::link(made.c_str(), file.c_str()) != 0 && errno != EEXIST) {
        // A file system without hard links: a rename that refuses to replace does the same.
        if (::renameat2(AT_FDCWD, made.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) != 0 &&
            errno != EEXIST)
            done = Problem(SQLITE_CANTOPEN,
                           std::string("it cannot be made (") + std::strerror(errno) + ")");
    }
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        ::unlink((made + suffix).c_str());
    return done;
}

}  // namespace archive
