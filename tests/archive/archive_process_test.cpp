// The archive across processes: two writers at once, a writer killed mid-way, a file
// its writer may not change, and vendrake-archive end to end on real files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <set>

#include "archive/archive_db.h"
#include "support/archive_records.h"
#include "support/archive_support.h"

namespace {

using archive::Archive;
using archive::CheckRecord;
using namespace archive_test;

// Runs as nobody when the test runs as root, where file modes would not hold root back.
const archive_test::Launch kAsNobody{{}, true};

TEST(ArchiveProcesses, TwoWritersAtOnceKeepOneUnbrokenChain) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    QProcess window;
    QProcess batch;
    window.start(kWriter, {path, QStringLiteral("300"), QStringLiteral("window")});
    batch.start(kWriter, {path, QStringLiteral("300"), QStringLiteral("batch")});
    ASSERT_TRUE(window.waitForFinished(120000));
    ASSERT_TRUE(batch.waitForFinished(120000));
    EXPECT_EQ(window.exitCode(), 0) << window.readAllStandardOutput().toStdString();
    EXPECT_EQ(batch.exitCode(), 0) << batch.readAllStandardOutput().toStdString();

    const archive::VerifyReport report = VerifyFile(path);
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, 600);
    Archive db;
    ASSERT_TRUE(Succeeded(db.Open(path.toStdString(), Archive::Access::ReadOnly)));
    archive::HistoryFilter filter;
    filter.text = "Ромашка window";
    std::vector<archive::CheckSummary> checks;
    ASSERT_TRUE(Succeeded(db.List(filter), &checks));
    EXPECT_EQ(checks.size(), 300u);
}

TEST(ArchiveProcesses, KilledWriterLosesNothingItCommitted) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    QProcess writer;
    writer.start(kWriter, {path, QStringLiteral("1000000"), QStringLiteral("batch")});
    ASSERT_TRUE(writer.waitForStarted(10000));
    std::set<std::int64_t> written;
    QByteArray pending;
    const auto take = [&] {
        pending += writer.readAllStandardOutput();
        int end = 0;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            ASSERT_TRUE(line.startsWith("written ")) << line.toStdString();
            written.insert(line.mid(8).toLongLong());
        }
    };
    while (written.size() < 500 && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(10000);
        take();
    }
    ASSERT_EQ(::kill(static_cast<pid_t>(writer.processId()), SIGKILL), 0);
    ASSERT_TRUE(writer.waitForFinished(10000));
    take();
    EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit);
    ASSERT_GE(written.size(), 500u);

    Archive db;
    ASSERT_TRUE(Succeeded(db.Open(path.toStdString(), Archive::Access::ReadWrite)));
    for (const std::int64_t id : written) {
        CheckRecord record;
        bool found = false;
        ASSERT_TRUE(Succeeded(db.Get(id), &record, &found));
        ASSERT_TRUE(found) << "record " << id;
        EXPECT_EQ(record.firms.size(), 2u);
    }
    const archive::VerifyReport report = VerifyFile(path);
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_GE(report.records, static_cast<std::int64_t>(written.size()));
}

// A prune killed part-way leaves an archive that verifies, with the last check of
// each query, and a later prune finishes the work.
TEST(ArchiveProcesses, KilledPruneLeavesAVerifiableArchive) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    std::vector<CheckRecord> records;
    for (int i = 0; i < 1500; ++i) {
        CheckRecord record = Check("Ромашка " + std::to_string(i % 20));
        for (int f = 0; f < 8; ++f)
            record.firms.push_back(Firm("ООО Ромашка Лесная " + std::to_string(i * 8 + f),
                                        std::to_string(1027700000000LL + i * 8 + f),
                                        std::string(300, 'a')));
        records.push_back(std::move(record));
    }
    ASSERT_TRUE(AppendTo(path, records));
    for (const int killAt : {1, 3}) {
        QProcess pruner;
        pruner.start(kWriter, {path, QStringLiteral("1"), QStringLiteral("prune")});
        ASSERT_TRUE(pruner.waitForStarted(10000));
        QByteArray out;
        const QByteArray wanted = "step " + QByteArray::number(killAt) + "\n";
        while (!out.contains(wanted) && pruner.state() == QProcess::Running) {
            pruner.waitForReadyRead(30000);
            out += pruner.readAllStandardOutput();
        }
        ::kill(static_cast<pid_t>(pruner.processId()), SIGKILL);
        ASSERT_TRUE(pruner.waitForFinished(10000));
        ASSERT_TRUE(out.contains(wanted)) << out.toStdString();

        const archive::VerifyReport report = VerifyFile(path);
        EXPECT_TRUE(report.intact) << report.problem;
        Archive db;
        ASSERT_TRUE(Succeeded(db.Open(path.toStdString(), Archive::Access::ReadOnly)));
        for (int q = 0; q < 20; ++q) {
            std::vector<archive::CheckSummary> checks;
            ASSERT_TRUE(Succeeded(
                db.ChecksOf(archive::QueryKey(Check("Ромашка " + std::to_string(q)).criteria)),
                &checks));
            ASSERT_FALSE(checks.empty()) << q;
            EXPECT_EQ(checks.back().id, 1481 + q);
        }
    }
    const Ended finished =
        RunProgram(kWriter, {path, QStringLiteral("1"), QStringLiteral("prune")});
    EXPECT_EQ(finished.exitCode, 0) << finished.out;
    EXPECT_LE(QFileInfo(path).size(), 1024 * 1024);
    EXPECT_TRUE(VerifyFile(path).intact);
}

// A file its user may read but not write: recording is refused once with the reason,
// the records are given up, and vendrake-archive still reads it.
TEST(ArchiveProcesses, ReadOnlyArchiveIsReportedOnceAndStaysReadable) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    ASSERT_EQ(RunProgram(kWriter, {path, QStringLiteral("3"), QStringLiteral("window")}).exitCode,
              0);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    ::chmod(dir.path().toLocal8Bit().constData(), 0755);
    ::chmod(path.toLocal8Bit().constData(), 0444);
    const QString writer = dir.filePath(QStringLiteral("archive_writer"));
    const QString tool = dir.filePath(QStringLiteral("vendrake-archive"));
    ASSERT_TRUE(QFile::copy(kWriter, writer));
    ASSERT_TRUE(QFile::copy(kTool, tool));
    ::chmod(writer.toLocal8Bit().constData(), 0755);
    ::chmod(tool.toLocal8Bit().constData(), 0755);

    const Ended recorded = RunProgram(
        writer, {path, QStringLiteral("50"), QStringLiteral("batch"), "--recorder"}, kAsNobody);
    EXPECT_EQ(recorded.exitCode, 0) << recorded.err;
    EXPECT_EQ(recorded.out, "reported: archive " + path.toStdString() +
                                ": it is read-only (attempt to write a readonly database)\n"
                                "last written: no\n");

    const Ended listed = RunProgram(tool, {"--archive", path, "list"}, kAsNobody);
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(QString::fromStdString(listed.out).count(QLatin1Char('\n')), 3);
}

class ArchiveTool : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = dir_.filePath(QStringLiteral("archive.sqlite"));
        std::vector<CheckRecord> records;
        CheckRecord first = Check("Ромашка", "2026-01-05T10:00:00Z");
        first.firms = {Firm("ООО Ромашка", "1027700000001"), Firm("АО Ромашка", "1027700000002")};
        CheckRecord again = Check("Ромашка", "2026-02-05T10:00:00Z");
        again.firms = {Firm("ООО Ромашка", "1027700000001", "=г. Тверь; д. 2")};
        CheckRecord failed = Check("Лютик", "2026-01-06T10:00:00Z");
        failed.firms = {Firm("АО Лютик", "1027700000003")};
        CheckRecord limit = Check("Лютик", "2026-02-06T10:00:00Z");
        limit.outcome = archive::Outcome::Unchecked;
        limit.message = "daily limit reached";
        records = {first, failed, again, limit};
        ASSERT_TRUE(AppendTo(path_, records));
    }

    Ended Tool(QStringList args) {
        return RunProgram(kTool, QStringList{"--archive", path_} + args);
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(ArchiveTool, ChangesInEachFormat) {
    const Ended text = Tool({"changes"});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out,
              "2026-02-05T10:00:00Z\tРомашка\tchanged\tООО Ромашка INN 7700000001 OGRN "
              "1027700000001\taddress: \"г. Москва, ул. Лесная, 1\" (2026-01-05T10:00:00Z) -> "
              "\"=г. Тверь; д. 2\" (2026-02-05T10:00:00Z)\n"
              "2026-02-05T10:00:00Z\tРомашка\tremoved\tАО Ромашка INN 7700000002 OGRN "
              "1027700000002\n"
              "2026-02-06T10:00:00Z\tЛютик\tnot re-checked since 2026-01-06T10:00:00Z: "
              "unchecked: daily limit reached\n");

    const Ended jsonl = Tool({"changes", "--since", "2026-02-06", "--format", "jsonl"});
    EXPECT_EQ(jsonl.exitCode, 0) << jsonl.err;
    EXPECT_EQ(jsonl.out,
              "{\"kind\":\"not re-checked\",\"query\":\"Лютик\",\"name\":\"\",\"inn\":\"\","
              "\"ogrn\":\"\",\"field\":\"\",\"old_value\":\"\",\"new_value\":\"\","
              "\"old_checked_at\":\"2026-01-06T10:00:00Z\",\"new_checked_at\":"
              "\"2026-02-06T10:00:00Z\",\"old_record\":\"2\",\"new_record\":\"4\",\"reason\":"
              "\"unchecked: daily limit reached\"}\n");

    QFile list(dir_.filePath(QStringLiteral("list.txt")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(testsupport::Cp1251("Ромашка\r\n").c_str());
    list.close();
    const Ended csv = Tool({"changes", "--list", list.fileName(), "--format", "csv"});
    EXPECT_EQ(csv.exitCode, 0) << csv.err;
    const QStringList rows = QString::fromStdString(csv.out).split(QStringLiteral("\r\n"));
    ASSERT_EQ(rows.size(), 4) << csv.out;  // header, two changes, the empty rest
    EXPECT_EQ(csv.out.rfind("\xEF\xBB\xBFkind;query;name;inn;ogrn;field;", 0), 0u);
    // The new address is kept from running as a formula and quoted for its ';'.
    EXPECT_TRUE(rows[1].contains(QStringLiteral(";\"'=г. Тверь; д. 2\";")))
        << rows[1].toStdString();
    EXPECT_TRUE(rows[2].startsWith(QStringLiteral("removed;Ромашка;АО Ромашка;")));
}

// A value that a spreadsheet would run after a line break or leading blanks is kept
// from running as a formula in the export as in every other csv file.
TEST_F(ArchiveTool, CsvExportGuardsHiddenFormulas) {
    CheckRecord hidden = Check("Формула", "2026-03-01T10:00:00Z");
    hidden.firms = {Firm("ООО Формула", "1027700000009", " =1+1"),
                    Firm("АО Формула", "1027700000010", "\n=1+1")};
    Archive db;
    ASSERT_TRUE(Succeeded(db.Open(path_.toStdString(), Archive::Access::ReadWrite)));
    std::vector<CheckRecord> records = {hidden};
    ASSERT_TRUE(Succeeded(db.Append(records)));

    const Ended csv = Tool({"export", "--since", "2026-03-01", "--format", "csv"});
    EXPECT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_NE(csv.out.find(";' =1+1;"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find(";\"'\n=1+1\";"), std::string::npos) << csv.out;
}

TEST_F(ArchiveTool, ListShowSearchExportAndVerify) {
    const Ended list = Tool({"list", "--number", "1027700000003"});
    EXPECT_EQ(list.out, "2\t2026-01-06T10:00:00Z\tbatch\t1\tfirms\tЛютик\n") << list.err;
    const Ended show = Tool({"show", "3"});
    EXPECT_NE(show.out.find("checked at: 2026-02-05T10:00:00Z\n"), std::string::npos);
    EXPECT_NE(show.out.find("\nИНН: 7700000001\n"), std::string::npos) << show.out;
    const Ended search = Tool({"search", "ромашка"});
    EXPECT_EQ(QString::fromStdString(search.out).count(QLatin1Char('\n')), 2) << search.out;
    const Ended exported = Tool({"export", "--since", "2026-02-01", "--format", "jsonl"});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(QString::fromStdString(exported.out).count(QLatin1Char('\n')), 2) << exported.out;
    EXPECT_NE(exported.out.find("\"outcome\":\"unchecked\""), std::string::npos);
    const Ended verified = Tool({"verify"});
    EXPECT_EQ(verified.exitCode, 0);
    EXPECT_EQ(verified.out, "verify: 4 records intact\n");

    QProcess tamper;
    tamper.start(QStringLiteral("sqlite3"),
                 {path_, QStringLiteral("DELETE FROM checks WHERE id = 2")});
    ASSERT_TRUE(tamper.waitForFinished(30000));
    const Ended broken = Tool({"verify"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out, "verify: record 2 was removed\n");
}

TEST_F(ArchiveTool, BadUsageSaysWhatIsWrong) {
    struct Case {
        QStringList args;
        const char* says;
    };
    const Case cases[] = {
        {{"changes", "--since", "yesterday"}, "--since takes a date"},
        {{"changes", "--format", "xml"}, "--format takes text, jsonl or csv"},
        {{"export", "--format", "csv"}, "export needs --since DATE"},
        {{"show", "x"}, "show takes one record number"},
        {{"list", "--colour"}, "unknown option --colour"},
        {{"frobnicate"}, "unknown command frobnicate"},
    };
    for (const Case& c : cases) {
        const Ended run = Tool(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.says;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
    const Ended missing = RunProgram(kTool, {"--archive", dir_.filePath("none.sqlite"), "list"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("there is no archive yet"), std::string::npos) << missing.err;
}

// What stands before the command, and options given twice: the last one counts.
TEST_F(ArchiveTool, LeadingOptionsAndRepeatedOptions) {
    const Ended none = RunProgram(kTool, {});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(none.err.rfind("vendrake-archive: no command given\nusage: vendrake-archive", 0), 0u)
        << none.err;
    const Ended noPath = RunProgram(kTool, {"list", "--archive"});
    EXPECT_EQ(noPath.exitCode, 2);
    EXPECT_NE(noPath.err.find("vendrake-archive: --archive needs a path"), std::string::npos)
        << noPath.err;
    const Ended version = RunProgram(kTool, {"--version", "list"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("vendrake-archive ", 0), 0u) << version.out;
    const Ended help = RunProgram(kTool, {"list", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: vendrake-archive [--archive PATH] COMMAND\n", 0), 0u);
    EXPECT_EQ(help.err, "");

    const Ended twice = Tool({"list", "--limit", "3", "--limit", "1"});
    EXPECT_EQ(twice.exitCode, 0) << twice.err;
    EXPECT_EQ(QString::fromStdString(twice.out).count(QLatin1Char('\n')), 1) << twice.out;
    const Ended dates = Tool({"list", "--from", "2026-01-01", "--from", "2026-02-01"});
    EXPECT_EQ(QString::fromStdString(dates.out).count(QLatin1Char('\n')), 2) << dates.out;
    const Ended noValue = Tool({"list", "--text"});
    EXPECT_EQ(noValue.exitCode, 2);
    EXPECT_NE(noValue.err.find("--text needs a value"), std::string::npos) << noValue.err;
}

}  // namespace
