// Running programs against archive files in the archive tests: vendrake-archive, the
// sqlite3 tool and the test writer, each as a process of its own, vendrake-archive's
// commands in-process too, the chain of a file followed in-process, and a fixture
// holding an archive open in a temporary folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "archive/archive_changes.h"
#include "archive/archive_db.h"
#include "archive/archive_tool.h"
#include "archive/check_record.h"
#include "platform/result.h"

namespace archive_test {

inline const QString kTool = QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-archive");
inline const QString kWriter = QStringLiteral(VENDRAKE_TEST_BIN_DIR "/archive_writer");

// How a program ended: its exit code (-1 when it crashed) and what it wrote.
struct Ended {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Where and how a program runs.
struct Launch {
    QString folder;             // its working folder, unless empty
    bool unprivileged = false;  // run as nobody when the test runs as root
    int timeoutMs = 120000;
};

inline Ended RunProgram(const QString& program, const QStringList& args,
                        const Launch& launch = {}) {
    QProcess process;
    if (!launch.folder.isEmpty())
        process.setWorkingDirectory(launch.folder);
    if (launch.unprivileged && ::geteuid() == 0) {
        process.setChildProcessModifier([] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(120);
        });
    }
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(launch.timeoutMs));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// Passes when result succeeded, else fails with why it did not.
template <class T>
::testing::AssertionResult Succeeded(const platform::Result<T>& result) {
    if (result)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << result.error();
}

// The same, moving the value into *value when there is one.
template <class T>
::testing::AssertionResult Succeeded(platform::Result<T> result, T* value) {
    if (!result)
        return ::testing::AssertionFailure() << result.error();
    *value = std::move(*result);
    return ::testing::AssertionSuccess();
}

// The same for a value that may be absent: *found says whether there was one.
template <class T>
::testing::AssertionResult Succeeded(platform::Result<std::optional<T>> result, T* value,
                                     bool* found) {
    if (!result)
        return ::testing::AssertionFailure() << result.error();
    *found = result->has_value();
    if (*found)
        *value = std::move(**result);
    return ::testing::AssertionSuccess();
}

// vendrake-archive with args.
inline Ended Tool(const QStringList& args, const Launch& launch = {}) {
    return RunProgram(kTool, args, launch);
}

// vendrake-archive's commands with args, run in this process: what they wrote on stdout
// and stderr, and the exit status the program would end with.
inline Ended ToolInProcess(const std::vector<std::string>& args) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = archive::RunArchiveTool(args);
    std::string out = ::testing::internal::GetCapturedStdout();
    return {status, std::move(out), ::testing::internal::GetCapturedStderr()};
}

// Runs sql on the file with the sqlite3 tool; returns what it printed, trimmed.
inline std::string Sqlite(const QString& path, const QString& sql) {
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), {path, sql});
    EXPECT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    return tool.readAllStandardOutput().trimmed().toStdString();
}

// Follows the digest chain of the archive at path.
inline archive::VerifyReport VerifyFile(const QString& path) {
    archive::Archive db;
    EXPECT_TRUE(Succeeded(db.Open(path.toStdString(), archive::Archive::Access::ReadOnly)));
    const platform::Result<archive::VerifyReport> report = db.Verify();
    EXPECT_TRUE(Succeeded(report));
    return report ? *report : archive::VerifyReport();
}

// Appends records to the archive at path, making the archive when there is none.
inline ::testing::AssertionResult AppendTo(const QString& path,
                                           std::vector<archive::CheckRecord> records) {
    archive::Archive db;
    const platform::Status opened =
        db.Open(path.toStdString(), archive::Archive::Access::ReadWrite);
    return Succeeded(opened ? db.Append(records) : opened);
}

// A fixture holding an archive open for writing in a temporary folder, with the steps
// the archive tests share.
class ArchiveFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("archive.sqlite"));
        ASSERT_TRUE(Succeeded(db_.Open(path_.toStdString(), archive::Archive::Access::ReadWrite)));
    }

    std::int64_t Add(archive::CheckRecord record) {
        std::vector<archive::CheckRecord> records{std::move(record)};
        EXPECT_TRUE(Succeeded(db_.Append(records)));
        return records[0].id;
    }

    // Appends the records in one transaction.
    void Add(std::vector<archive::CheckRecord> records) {
        ASSERT_TRUE(Succeeded(db_.Append(records)));
    }

    std::vector<archive::FirmChange> Changes(const archive::ChangeQuery& query = {}) {
        std::vector<archive::FirmChange> changes;
        EXPECT_TRUE(Succeeded(archive::FindChanges(
            db_, query, [&](const archive::FirmChange& c) { changes.push_back(c); })));
        return changes;
    }

    std::vector<archive::FirmChange> Changes(const std::string& since) {
        archive::ChangeQuery query;
        query.since = since;
        return Changes(query);
    }

    archive::VerifyReport Verify() {
        archive::Archive reader;
        EXPECT_TRUE(
            Succeeded(reader.Open(path_.toStdString(), archive::Archive::Access::ReadOnly)));
        const platform::Result<archive::VerifyReport> report = reader.Verify();
        EXPECT_TRUE(Succeeded(report));
        return report ? *report : archive::VerifyReport();
    }

    // Turns the closed file into one as schema version 2 wrote it: checks indexed by
    // their whole query key, firms indexed by triggers.
    void MakeVersion2() {
        Sqlite(path_, QStringLiteral("DROP INDEX checks_by_query_hash; "
                                     "ALTER TABLE checks DROP COLUMN query_hash; "
                                     "CREATE INDEX checks_by_query ON checks(query_key, id); "
                                     "CREATE TRIGGER firms_indexed AFTER INSERT ON firms BEGIN "
                                     "INSERT INTO firm_text(rowid, name, inn, ogrn) "
                                     "VALUES (new.id, new.name, new.inn, new.ogrn); END; "
                                     "CREATE TRIGGER firms_unindexed AFTER DELETE ON firms BEGIN "
                                     "INSERT INTO firm_text(firm_text, rowid, name, inn, ogrn) "
                                     "VALUES ('delete', old.id, old.name, old.inn, old.ogrn); END; "
                                     "UPDATE archive_schema SET version = 2;"));
    }

    std::string IndexIntegrity() {
        return Sqlite(path_, QStringLiteral("INSERT INTO firm_text(firm_text) "
                                            "VALUES ('integrity-check'); SELECT 'ok'"));
    }

    QTemporaryDir dir_;
    QString path_;
    archive::Archive db_;
};

}  // namespace archive_test
