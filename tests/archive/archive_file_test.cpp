// Where the archive lives: folders reached through symbolic links, files that are no
// archive (a named pipe, an empty file, a link beside it), the modes a new archive and
// its folder get, and readers that open the file while its first writer creates it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "archive/archive_db.h"
#include "archive/recorder.h"
#include "support/archive_records.h"
#include "support/archive_support.h"

namespace {

using archive::Archive;
using archive::CheckRecord;
using namespace archive_test;

std::string OpenError(const QString& path, Archive::Access access) {
    Archive db;
    const platform::Status opened = db.Open(path.toStdString(), access);
    EXPECT_FALSE(opened) << path.toStdString();
    return opened ? std::string() : opened.error();
}

int Mode(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.toLocal8Bit().constData(), &info), 0) << path.toStdString();
    return static_cast<int>(info.st_mode & 07777);
}

// Sets an environment variable for the test's time.
class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvironmentVariable() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// A home folder and a data folder reached through links are the user's own set-up:
// the archive is created, written and read through them as through real folders.
TEST(ArchiveLocation, LinkedHomeAndDataFoldersAreFollowed) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data/home/user")));
    const QString home = dir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("data/home")), home));

    for (const bool viaXdg : {false, true}) {
        const QString user = home + QStringLiteral("/user");
        EnvironmentVariable homeVariable("HOME", user.toLocal8Bit());
        const QString linkedData = dir.filePath(QStringLiteral("xdg"));
        if (viaXdg) {
            ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data/xdg")));
            ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("data/xdg")), linkedData));
        }
        EnvironmentVariable xdg("XDG_DATA_HOME", viaXdg ? linkedData.toLocal8Bit() : QByteArray());
        const std::string path = Archive::DefaultPath();
        {
            std::string reported;
            archive::Recorder recorder(path, [&](const std::string& m) { reported = m; });
            CheckRecord record = Check("Ромашка");
            record.firms = {Firm("ООО Ромашка", "1027700000001")};
            EXPECT_TRUE(recorder.WaitWritten(recorder.Append(record), std::chrono::seconds(60)))
                << reported;
        }
        Archive db;
        ASSERT_TRUE(Succeeded(db.Open(path, Archive::Access::ReadOnly)));
        archive::VerifyReport report;
        ASSERT_TRUE(Succeeded(db.Verify(), &report));
        EXPECT_EQ(report.records, 1) << path;
        const QString real = viaXdg ? dir.filePath(QStringLiteral("data/xdg"))
                                    : dir.filePath(QStringLiteral("data/home/user/.local/share"));
        EXPECT_TRUE(QFileInfo::exists(real + QStringLiteral("/Quillmarsh/Vendrake/archive.sqlite")))
            << path;
    }
}

// The archive file itself, or the log or shared-memory file beside it, as a link is
// refused with a message that names it, and nothing is written where it points.
TEST(ArchiveLocation, LinksAtTheFileOrBesideItAreRefused) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("elsewhere"));
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
        ASSERT_TRUE(QFile::link(target, path + suffix));
        const std::string error = OpenError(path, Archive::Access::ReadWrite);
        EXPECT_NE(error.find("archive " + path.toStdString() + ": its file " +
                             (path + suffix).toStdString() +
                             " is a symbolic link, which is never followed"),
                  std::string::npos)
            << error;
        EXPECT_FALSE(QFileInfo::exists(target));
    }
}

// Paths that are no regular file, and files that exist but are empty, are refused and
// left as they are: a named pipe never blocks the program, an empty file is never
// made into a new archive with a chain of its own.
TEST(ArchiveLocation, PipesAndEmptyFilesAreRefusedUntouched) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.sqlite"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const QString empty = dir.filePath(QStringLiteral("empty.sqlite"));
    QFile file(empty);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString folder = dir.filePath(QStringLiteral("folder.sqlite"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.sqlite")));

    struct Case {
        QString path;
        const char* says;
    };
    const Case cases[] = {
        {pipe, ": it is not a regular file"},
        {folder, ": it is not a regular file"},
        {empty, ": it is an empty file, not an archive"},
    };
    for (const Case& c : cases) {
        for (const auto access : {Archive::Access::ReadOnly, Archive::Access::ReadWrite}) {
            const std::string error = OpenError(c.path, access);
            EXPECT_NE(error.find("archive " + c.path.toStdString() + c.says), std::string::npos)
                << error;
        }
        for (const QStringList& command :
             {QStringList{"verify"}, QStringList{"prune", "--keep-days", "1"}}) {
            QProcess tool;
            tool.start(kTool, QStringList{"--archive", c.path} + command);
            ASSERT_TRUE(tool.waitForFinished(60000)) << "blocked on " << c.path.toStdString();
            EXPECT_EQ(tool.exitCode(), 2)
                << command[0].toStdString() << ' ' << c.path.toStdString();
            EXPECT_NE(tool.readAllStandardError().toStdString().find(c.says), std::string::npos);
        }
    }
    EXPECT_EQ(QFileInfo(empty).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(empty + QStringLiteral("-wal")));
}

// At the common umask a new archive, its log, its shared-memory file and the folders
// made for it are the user's alone; folders that were there keep their modes.
TEST(ArchiveLocation, NewArchiveAndItsFolderArePrivate) {
    QTemporaryDir dir;
    const mode_t old = ::umask(022);
    ::chmod(dir.path().toLocal8Bit().constData(), 0755);
    const QString path = dir.filePath(QStringLiteral("Quillmarsh/Vendrake/archive.sqlite"));
    Archive db;
    ASSERT_TRUE(Succeeded(db.Open(path.toStdString(), Archive::Access::ReadWrite)));
    std::vector<CheckRecord> records{Check("Ромашка")};
    ASSERT_TRUE(Succeeded(db.Append(records)));
    ::umask(old);
    EXPECT_EQ(Mode(path), 0600);
    EXPECT_EQ(Mode(path + QStringLiteral("-wal")), 0600);
    EXPECT_EQ(Mode(path + QStringLiteral("-shm")), 0600);
    EXPECT_EQ(Mode(dir.filePath(QStringLiteral("Quillmarsh/Vendrake"))), 0700);
    EXPECT_EQ(Mode(dir.filePath(QStringLiteral("Quillmarsh"))), 0700);
    EXPECT_EQ(Mode(dir.path()), 0755);
    // Nothing of the making is left beside it.
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("Quillmarsh/Vendrake")))
                  .entryList(QDir::Files | QDir::Hidden)
                  .size(),
              3);
}

// Readers that open the archive while its first writer creates it see either no
// archive yet or a whole one, never a file without its schema.
TEST(ArchiveLocation, ReadersDuringCreationSeeNoneOrAWholeArchive) {
    for (int trial = 0; trial < 12; ++trial) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
        QProcess writer;
        writer.start(kWriter, {path, QStringLiteral("1"), QStringLiteral("window")});
        ASSERT_TRUE(writer.waitForStarted(10000));
        int whole = 0;
        while (writer.state() != QProcess::NotRunning || whole == 0) {
            Archive reader;
            const platform::Status opened =
                reader.Open(path.toStdString(), Archive::Access::ReadOnly);
            if (opened) {
                ASSERT_TRUE(Succeeded(reader.List({}))) << "trial " << trial;
                ++whole;
            } else {
                ASSERT_NE(opened.error().find(": there is no archive yet"), std::string::npos)
                    << "trial " << trial << ": " << opened.error();
            }
            if (writer.state() == QProcess::NotRunning && whole == 0 && writer.exitCode() != 0)
                FAIL() << writer.readAllStandardOutput().toStdString();
            writer.waitForFinished(0);
        }
        EXPECT_EQ(writer.exitCode(), 0);
    }
}

}  // namespace
