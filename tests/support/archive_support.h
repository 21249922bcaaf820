// Running programs against archive files in the archive tests: vendrake-archive, the
// sqlite3 tool and the test writer, each as a process of its own, vendrake-archive's
// commands in-process too, and the chain of a file followed in-process.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

#include "archive/archive_db.h"
#include "archive/archive_tool.h"
#include "archive/check_record.h"

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
    archive::VerifyReport report;
    std::string error;
    EXPECT_TRUE(db.Open(path.toStdString(), archive::Archive::Access::ReadOnly, &error)) << error;
    EXPECT_TRUE(db.Verify(&report, &error)) << error;
    return report;
}

// Appends records to the archive at path, making the archive when there is none.
inline ::testing::AssertionResult AppendTo(const QString& path,
                                           std::vector<archive::CheckRecord> records) {
    archive::Archive db;
    std::string error;
    if (!db.Open(path.toStdString(), archive::Archive::Access::ReadWrite, &error) ||
        !db.Append(records, &error))
        return ::testing::AssertionFailure() << error;
    return ::testing::AssertionSuccess();
}

}  // namespace archive_test
