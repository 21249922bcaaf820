// vendrake-batch and the lookup archive end to end against the stand-in register: every
// line's outcome recorded, no archive at all, an archive it cannot use, and lines
// answered from recent checks without a request.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <map>

#include "app/batch_run_support.h"
#include "archive/archive_db.h"
#include "platform/cp1251.h"

using batchtest::BatchFolder;
using batchtest::Count;
using batchtest::Outcome;
using batchtest::Searches;
using testsupport::StandinServer;

namespace {

// The records of the archive at path by what was typed, read through the archive API.
std::map<std::string, archive::CheckRecord> Records(const std::string& path) {
    archive::Archive a;
    std::string error;
    std::map<std::string, archive::CheckRecord> out;
    if (!a.Open(path, archive::Archive::Access::ReadOnly, &error)) {
        ADD_FAILURE() << error;
        return out;
    }
    std::vector<archive::CheckSummary> checks;
    EXPECT_TRUE(a.List({}, &checks, &error)) << error;
    for (const archive::CheckSummary& c : checks) {
        archive::CheckRecord r;
        bool found = false;
        EXPECT_TRUE(a.Get(c.id, &r, &found, &error)) << error;
        out[r.typed] = r;
    }
    return out;
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
    EXPECT_EQ(name.criteria.name, platform::ToCp1251(QStringLiteral("Лютик")));
}

TEST_F(BatchArchive, NoArchiveAskedForLeavesNoFile) {
    StandinServer s;
    folder_.WriteList("Лютик\n");
    for (const QStringList& arguments : {QStringList{}, QStringList{"--no-archive"}}) {
        const Outcome run = folder_.Run(s, arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(UsualArchive())));
        EXPECT_EQ(QDir(data_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList());
    }
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

}  // namespace
