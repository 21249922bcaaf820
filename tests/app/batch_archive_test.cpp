// vendrake-batch and the lookup archive end to end against the stand-in register: every
// line's outcome recorded, no archive at all, an archive it cannot use, an archive another
// program holds locked, and lines answered from recent checks without a request.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <csignal>
#include <map>
#include <thread>

#include "archive/archive_db.h"
#include "batch/progress_file.h"
#include "support/archive_support.h"
#include "support/batch_run_support.h"
#include "support/cp1251_text.h"

using batchtest::BatchFolder;
using batchtest::Count;
using batchtest::Outcome;
using batchtest::Searches;
using testsupport::Cp1251;
using testsupport::StandinServer;

namespace {

using archive_test::Succeeded;

// The records of the archive at path by what was typed, read through the archive API.
std::map<std::string, archive::CheckRecord> Records(const std::string& path) {
    archive::Archive a;
    std::map<std::string, archive::CheckRecord> out;
    const platform::Status opened = a.Open(path, archive::Archive::Access::ReadOnly);
    if (!opened) {
        ADD_FAILURE() << opened.error();
        return out;
    }
    std::vector<archive::CheckSummary> checks;
    EXPECT_TRUE(Succeeded(a.List({}), &checks));
    for (const archive::CheckSummary& c : checks) {
        archive::CheckRecord r;
        bool found = false;
        EXPECT_TRUE(Succeeded(a.Get(c.id), &r, &found));
        out[r.typed] = r;
    }
    return out;
}

// Another program holding the archive's write lock (sqlite3 in a transaction) until
// Release or its end.
class LockHolder {
  public:
    explicit LockHolder(const std::string& path) {
        process_.start(QStringLiteral("sqlite3"), {QString::fromStdString(path)});
        EXPECT_TRUE(process_.waitForStarted(10000));
        process_.write("BEGIN IMMEDIATE;\nSELECT 'held';\n");
        QByteArray out;
        while (!out.contains("held") && process_.waitForReadyRead(30000)) {
            out += process_.readAllStandardOutput();
        }
        EXPECT_TRUE(out.contains("held")) << process_.readAllStandardError().toStdString();
    }
    ~LockHolder() { Release(); }
    void Release() {
        if (process_.state() != QProcess::NotRunning) {
            process_.write("COMMIT;\n.quit\n");
            process_.closeWriteChannel();
            process_.waitForFinished(30000);
        }
    }

  private:
    QProcess process_;
};

// The records in the archive at path (0 when it cannot be read yet).
std::int64_t RecordCount(const std::string& path) {
    archive::Archive a;
    if (!a.Open(path, archive::Archive::Access::ReadOnly)) {
        return 0;
    }
    const platform::Result<archive::ChainHead> head = a.Head();
    return head ? head->records : 0;
}

// The lines a progress file records as done.
std::size_t DoneLines(const QString& progressPath) {
    const auto parsed =
        batch::ParseProgress(batchtest::ReadFile(progressPath), batch::OutputFormat::Text);
    EXPECT_TRUE(parsed) << parsed.error();
    const batch::ProgressState state = parsed ? *parsed : batch::ProgressState{};
    std::size_t done = 0;
    for (const auto& line : state.lines) {
        done += line.second.outcome == batch::LineOutcome::Done ? 1 : 0;
    }
    return done;
}

std::string NumberedList(const char* name, int lines) {
    std::string list;
    for (int n = 1; n <= lines; ++n) {
        list += std::string(name) + " " + std::to_string(n) + "\n";
    }
    return list;
}

std::vector<QJsonObject> JsonRecords(const std::string& text) {
    std::vector<QJsonObject> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        out.push_back(
            QJsonDocument::fromJson(QByteArray::fromStdString(text.substr(start, end - start)))
                .object());
    }
    return out;
}

// Each test's own XDG_DATA_HOME, so that the usual archive is a file of the test's.
class BatchArchive : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(data_.isValid());
        qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }

    std::string UsualArchive() const {
        return data_.filePath(QStringLiteral("Quillmarsh/Vendrake/archive.sqlite")).toStdString();
    }

    QTemporaryDir data_;
    BatchFolder folder_;
};

TEST_F(BatchArchive, RecordsEveryLineOutcomeInTheGivenArchive) {
    StandinServer s;
    folder_.WriteList("1027700101230\nПусто\nОбрыв\n7713001233\nЛютик\n");
    const Outcome run =
        folder_.Run(s, {"--archive", QString::fromStdString(UsualArchive()), "--jobs", "2"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.err.find("archive.sqlite"), std::string::npos) << run.err;

    const auto records = Records(UsualArchive());
    ASSERT_EQ(records.size(), 5u);
    const archive::CheckRecord& ogrn = records.at("1027700101230");
    EXPECT_EQ(ogrn.outcome, archive::Outcome::Firms);
    ASSERT_EQ(ogrn.firms.size(), 1u);
    EXPECT_EQ(ogrn.firms[0].inn, "7713001232");
    EXPECT_EQ(ogrn.origin, "batch");
    EXPECT_EQ(ogrn.language, "ru");
    EXPECT_EQ(ogrn.service, s.root());
    EXPECT_EQ(ogrn.criteria.mode, lookup::SearchMode::Number);

    const archive::CheckRecord& empty = records.at("Пусто");
    EXPECT_EQ(empty.outcome, archive::Outcome::Message);
    EXPECT_EQ(empty.messageKind, lookup::ServiceMessageKind::NotFound);
    EXPECT_EQ(empty.message, "Записей не найдено");
    EXPECT_EQ(records.at("Обрыв").outcome, archive::Outcome::Failed);
    EXPECT_EQ(records.at("Обрыв").message, "HTTP 500");
    EXPECT_EQ(records.at("7713001233").outcome, archive::Outcome::Skipped);
    EXPECT_EQ(records.at("7713001233").message, "check digit does not match (INN)");
    const archive::CheckRecord& name = records.at("Лютик");
    EXPECT_EQ(name.outcome, archive::Outcome::Firms);
    EXPECT_EQ(name.firms.size(), 2u);
    EXPECT_EQ(name.criteria.name.bytes(), Cp1251("Лютик"));
}

TEST_F(BatchArchive, RecordsInTheUsualArchiveUnlessToldNot) {
    StandinServer s;
    folder_.WriteList("Лютик\n");
    const Outcome none = folder_.Run(s, {"--no-archive"});
    EXPECT_EQ(none.exitCode, 0) << none.err;
    EXPECT_EQ(QDir(data_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());

    const Outcome usual = folder_.Run(s, {});
    EXPECT_EQ(usual.exitCode, 0) << usual.err;
    const auto records = Records(UsualArchive());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records.at("Лютик").firms.size(), 2u);
}

// The answer pages are counted and digested: the search answer and each result page it
// led to, the same bytes giving the same digest and other bytes another.
TEST_F(BatchArchive, RecordsTheAnswerPagesAndTheirDigest) {
    const std::string archivePath = folder_.path("archive.sqlite").toStdString();
    StandinServer s;
    folder_.WriteList("Ромашка\nЛютик\n1027700101230\n");
    const QStringList args{"--archive", QString::fromStdString(archivePath), "--jobs", "1"};
    ASSERT_EQ(folder_.Run(s, args).exitCode, 0);
    const auto first = Records(archivePath);
    ASSERT_EQ(first.size(), 3u);
    const archive::CheckRecord& many = first.at("Ромашка");
    EXPECT_EQ(many.firms.size(), 9u);
    EXPECT_EQ(many.pages, 1 + 3);
    EXPECT_EQ(first.at("Лютик").pages, 1 + 1);
    for (const auto& [typed, record] : first) {
        EXPECT_EQ(record.pagesSha256.size(), 64u) << typed;
        EXPECT_EQ(record.pagesSha256.find_first_not_of("0123456789abcdef"), std::string::npos)
            << typed;
    }
    EXPECT_NE(many.pagesSha256, first.at("Лютик").pagesSha256);

    folder_.WriteList("Ромашка\n");
    ASSERT_EQ(folder_.Run(s, args).exitCode, 0);
    archive::Archive a;
    ASSERT_TRUE(Succeeded(a.Open(archivePath, archive::Archive::Access::ReadOnly)));
    archive::CheckRecord again;
    bool found = false;
    ASSERT_TRUE(Succeeded(a.Get(4), &again, &found));
    ASSERT_TRUE(found);
    EXPECT_EQ(again.typed, "Ромашка");
    EXPECT_EQ(again.pages, many.pages);
    EXPECT_EQ(again.pagesSha256, many.pagesSha256);
}

// A file that is not a database: one message, the run's results and exit status as
// without an archive, and the file left as it was.
TEST_F(BatchArchive, DamagedArchiveIsToldOnceAndTheRunGoesOn) {
    StandinServer s;
    const QString damaged = folder_.path("damaged.sqlite");
    const std::string garbage(8192, '\x5a');
    batchtest::WriteFile(damaged, garbage);
    folder_.WriteList("Лютик\n1027700101230\n=Лютик\n");
    const Outcome run = folder_.Run(s, {"--archive", damaged, "--jobs", "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Count(run.err, "damaged.sqlite"), 1u) << run.err;
    EXPECT_NE(run.err.find("Checking completed"), std::string::npos) << run.err;
    EXPECT_EQ(Count(folder_.Read("list_enabled.txt"), "\r\n\r\n"), 5u);
    EXPECT_EQ(batchtest::ReadFile(damaged), garbage);
}

TEST_F(BatchArchive, RecentLinesAnswerFromTheArchiveWithoutARequest) {
    const QString archivePath = folder_.path("archive.sqlite");
    std::string firstText;
    {
        StandinServer s;
        folder_.WriteList("Лютик\nПусто\n1027700101230\n");
        const Outcome run = folder_.Run(s, {"--archive", archivePath, "--jobs", "1"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        firstText = folder_.Read("list_enabled.txt");
    }
    const auto first = Records(archivePath.toStdString());
    ASSERT_EQ(first.size(), 3u);

    // The same list in text: the same twelve-line blocks, nothing sent, nothing added.
    {
        StandinServer s;
        const Outcome run =
            folder_.Run(s, {"--archive", archivePath, "--max-age", "1", "--jobs", "1"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(Searches(s).empty());
        EXPECT_EQ(folder_.Read("list_enabled.txt"), firstText);
        EXPECT_NE(run.err.find("unchecked 0, from the archive: 3\n"), std::string::npos) << run.err;
        EXPECT_EQ(Records(archivePath.toStdString()).size(), 3u);
    }

    // jsonl with a new line: only that one is sent; the others carry their first check.
    StandinServer s;
    folder_.WriteList("Лютик\nПусто\n1027700101230\n=Лютик\n");
    const Outcome run = folder_.Run(
        s, {"--archive", archivePath, "--max-age", "1", "--format", "jsonl", "--jobs", "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(Searches(s).size(), 1u);
    EXPECT_NE(run.err.find("from the archive: 3\n"), std::string::npos) << run.err;
    std::map<std::string, int> bySource;
    for (const QJsonObject& o : JsonRecords(folder_.Read("list_enabled.jsonl"))) {
        const std::string query = o.value("query").toString().toStdString();
        const std::string source = o.value("source").toString().toStdString();
        ++bySource[source];
        EXPECT_EQ(source, query == "=Лютик" ? "register" : "archive") << query;
        if (source == "archive") {
            EXPECT_EQ(o.value("checked_at").toString().toStdString(), first.at(query).checkedAt);
        }
        if (query == "Пусто") {
            EXPECT_EQ(o.value("kind").toString(), QStringLiteral("message"));
            EXPECT_EQ(o.value("text").toString(), QStringLiteral("Записей не найдено"));
        }
    }
    EXPECT_EQ(bySource["archive"], 2 + 1 + 1);
    EXPECT_EQ(bySource["register"], 2);
    EXPECT_EQ(Records(archivePath.toStdString()).size(), 4u);
}

// Killed at an arbitrary moment of a long run: the archive opens, its chain is whole,
// and every line the progress file reports ended has its record.
TEST_F(BatchArchive, KilledRunKeepsEveryReportedLineInTheArchive) {
    const std::string archivePath = folder_.path("archive.sqlite").toStdString();
    StandinServer s({"--delay", "0.005"});
    std::string list;
    for (int n = 1; n <= 1000; ++n) {
        list += "Фирма " + std::to_string(n) + "\n";
    }
    folder_.WriteList(list);
    const QString progressPath = folder_.path("list_enabled.progress");
    folder_.Start(s, {"--archive", QString::fromStdString(archivePath), "--jobs", "4"});
    ASSERT_TRUE(batchtest::WaitUntil([&] {
        return Count(batchtest::ReadFile(progressPath), "\tdone\t") >= 150 || !folder_.Running();
    }));
    ASSERT_TRUE(folder_.Running()) << "the run ended before it could be killed";
    folder_.Signal(SIGKILL);
    folder_.Finish();

    const auto parsed =
        batch::ParseProgress(batchtest::ReadFile(progressPath), batch::OutputFormat::Text);
    ASSERT_TRUE(parsed) << parsed.error();
    const batch::ProgressState& state = *parsed;
    ASSERT_GE(state.lines.size(), 150u);
    ASSERT_LT(state.lines.size(), 1000u);

    archive::Archive a;
    ASSERT_TRUE(Succeeded(a.Open(archivePath, archive::Archive::Access::ReadWrite)));
    archive::VerifyReport report;
    ASSERT_TRUE(Succeeded(a.Verify(), &report));
    EXPECT_TRUE(report.intact) << report.problem;
    a.Close();
    const auto records = Records(archivePath);
    EXPECT_GE(records.size(), state.lines.size());
    for (const auto& [number, line] : state.lines) {
        const std::string typed = "Фирма " + std::to_string(number);
        EXPECT_EQ(records.count(typed), 1u) << typed << " is reported ended but not recorded";
    }
}

// Another program holds the write lock for seven seconds in the middle of a run: the
// run waits for it, and every line ends up both done and recorded, once.
TEST_F(BatchArchive, LockHeldDuringTheRunLosesNoRecord) {
    const std::string archivePath = folder_.path("archive.sqlite").toStdString();
    StandinServer s({"--delay", "0.05"});
    folder_.WriteList(NumberedList("Фирма", 80));
    folder_.Start(s, {"--archive", QString::fromStdString(archivePath), "--jobs", "2"});
    ASSERT_TRUE(
        batchtest::WaitUntil([&] { return RecordCount(archivePath) >= 5 || !folder_.Running(); }));
    ASSERT_TRUE(folder_.Running()) << "the run ended before the archive could be locked";
    {
        LockHolder holder(archivePath);
        std::this_thread::sleep_for(std::chrono::seconds(7));
        ASSERT_TRUE(folder_.Running());
    }
    const Outcome run = folder_.Finish();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("tried again"), std::string::npos) << run.err;
    EXPECT_EQ(DoneLines(folder_.path("list_enabled.progress")), 80u);
    const auto records = Records(archivePath);
    EXPECT_EQ(records.size(), 80u);
    EXPECT_EQ(RecordCount(archivePath), 80);
}

// A lock that outlasts --archive-wait stops the run with its own status: the lines
// done are exactly those recorded, and --resume once the lock is gone brings the rest.
TEST_F(BatchArchive, LockOutlastingTheWaitStopsTheRunAndResumeBringsTheRest) {
    const std::string archivePath = folder_.path("archive.sqlite").toStdString();
    const QString progressPath = folder_.path("list_enabled.progress");
    StandinServer s({"--delay", "0.05"});
    folder_.WriteList(NumberedList("Фирма", 60));
    const QStringList args{
        "--archive", QString::fromStdString(archivePath), "--jobs", "2", "--archive-wait", "2"};
    folder_.Start(s, args);
    ASSERT_TRUE(
        batchtest::WaitUntil([&] { return RecordCount(archivePath) >= 3 || !folder_.Running(); }));
    ASSERT_TRUE(folder_.Running()) << "the run ended before the archive could be locked";
    std::size_t doneAtStop = 0;
    {
        LockHolder holder(archivePath);
        const Outcome run = folder_.Finish();
        EXPECT_EQ(run.exitCode, 7) << run.err;
        EXPECT_NE(run.err.find("for more than 2 s (--archive-wait)"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("are not marked done"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("Checking completed"), std::string::npos) << run.err;
        doneAtStop = DoneLines(progressPath);
    }
    EXPECT_LT(doneAtStop, 60u);
    EXPECT_EQ(RecordCount(archivePath), static_cast<std::int64_t>(doneAtStop));

    QStringList resume = args;
    resume << "--resume";
    const Outcome rest = folder_.Run(s, resume);
    EXPECT_EQ(rest.exitCode, 0) << rest.err;
    EXPECT_EQ(DoneLines(progressPath), 60u);
    EXPECT_EQ(Records(archivePath).size(), 60u);
    EXPECT_EQ(RecordCount(archivePath), 60);
}

}  // namespace
