// The archive on real SQLite files in temporary folders: records read back as they
// were written, the digest chain after edits made with the sqlite3 tool, pruning, and
// files that are damaged, foreign, newer or links. The history, the firm search and the
// changes between checks are in archive_search_test.cpp.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "archive/archive_changes.h"
#include "archive/archive_db.h"
#include "archive/recorder.h"
#include "support/archive_records.h"
#include "support/archive_support.h"
#include "support/cp1251_text.h"

namespace {

using archive::Archive;
using archive::CheckRecord;
using archive::Outcome;
using namespace archive_test;

TEST_F(ArchiveFile, RecordsReadBackAsWritten) {
    CheckRecord found = Check("Ромашка", "2026-01-05T10:00:00Z");
    found.origin = "window";
    found.criteria.region = testsupport::Cp1251Text("Все регионы");
    found.firms = {Firm("ООО \"Ромашка\"", "1027700000001"),
                   Firm("ЗАО «Ромашка»", "1027700000002", "")};
    // Byte 0x98 has no character in the code page and must still come back.
    found.firms[1].address = std::string("\x98 \xE0\xE1");
    found.pages = 3;
    CheckRecord refused = Check("Лютик");
    refused.outcome = Outcome::Message;
    refused.messageKind = lookup::ServiceMessageKind::DailyLimit;
    refused.message = "Превышен лимит запросов";
    std::vector<CheckRecord> records{found, refused};
    ASSERT_TRUE(Succeeded(db_.Append(records)));
    EXPECT_EQ(records[0].id, 1);
    EXPECT_EQ(records[1].id, 2);
    EXPECT_NE(records[0].digest, records[1].digest);
    EXPECT_TRUE(archive::IsArchiveDate(records[1].checkedAt)) << records[1].checkedAt;

    Archive reader;
    ASSERT_TRUE(Succeeded(reader.Open(path_.toStdString(), Archive::Access::ReadOnly)));
    CheckRecord back;
    bool exists = false;
    ASSERT_TRUE(Succeeded(reader.Get(1), &back, &exists));
    ASSERT_TRUE(exists);
    EXPECT_EQ(back.checkedAt, "2026-01-05T10:00:00Z");
    EXPECT_EQ(back.origin, "window");
    EXPECT_EQ(back.typed, "Ромашка");
    EXPECT_EQ(back.criteria.name, testsupport::Cp1251Text("Ромашка"));
    EXPECT_EQ(back.criteria.region, testsupport::Cp1251Text("Все регионы"));
    EXPECT_EQ(archive::QueryKey(back.criteria), archive::QueryKey(found.criteria));
    EXPECT_EQ(back.pages, 3);
    EXPECT_EQ(back.pagesSha256, found.pagesSha256);
    ASSERT_EQ(back.firms.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        for (const archive::FirmColumn& column : archive::FirmColumns())
            EXPECT_EQ(back.firms[i].*column.member, found.firms[i].*column.member) << column.key;
    }
    ASSERT_TRUE(Succeeded(reader.Get(2), &back, &exists));
    EXPECT_EQ(back.outcome, Outcome::Message);
    EXPECT_EQ(back.messageKind, lookup::ServiceMessageKind::DailyLimit);
    EXPECT_EQ(back.message, "Превышен лимит запросов");
    EXPECT_FALSE(archive::IsAnswered(back));
    ASSERT_TRUE(Succeeded(reader.Get(3), &back, &exists));
    EXPECT_FALSE(exists);
}

// Firms read from a source while the record is written: stored and chained exactly as
// the same firms held in the record; a source that fails leaves nothing behind.
class ListedFirms : public archive::FirmSource {
  public:
    ListedFirms(std::vector<lookup::FirmRecord> firms, bool failAtEnd)
        : firms_(std::move(firms)), failAtEnd_(failAtEnd) {}
    std::int64_t count() const override { return static_cast<std::int64_t>(firms_.size()); }
    platform::Status ForEach(
        const std::function<void(const lookup::FirmRecord&)>& visit) const override {
        for (const lookup::FirmRecord& firm : firms_)
            visit(firm);
        if (failAtEnd_)
            return platform::Failure("the spool cannot be read");
        return {};
    }

  private:
    std::vector<lookup::FirmRecord> firms_;
    bool failAtEnd_;
};

// A record's digest is SHA-256 over its values, each as its length in decimal, a
// colon and its UTF-8 bytes: the digests of records already stored stay valid. The
// expected values were worked out apart from the program.
TEST_F(ArchiveFile, DigestsAreTakenOverLengthPrefixedValues) {
    CheckRecord record = Check("Ромашка", "2026-01-05T10:00:00Z");
    record.criteria = lookup::SearchCriteria();
    record.criteria.name = testsupport::Cp1251Text("Ромашка");
    record.pagesSha256 = "ab";
    record.firms = {Firm("ООО \"Ромашка\"", "1027700000001")};
    std::vector<CheckRecord> one{record};
    ASSERT_TRUE(Succeeded(db_.Append(one)));
    EXPECT_EQ(one[0].digest, "05859ca82de2e32f568f5eb2edde84d3941f3ac1100051d0827475f6364a1f6e");

    // An answer far longer than what is hashed at a time.
    record.id = 7;
    record.firms.clear();
    for (int i = 0; i < 300; ++i)
        record.firms.push_back(Firm("ООО Ромашка " + std::to_string(i),
                                    std::to_string(1027700000000LL + i), std::string(300, 'a')));
    EXPECT_EQ(archive::RecordDigest(record, std::string(64, '0')),
              "79def544debdeaf2ce8489162ce57a299350ea643515fd48cc4ffb0da7c558a9");
}

TEST_F(ArchiveFile, FirmsFromASourceAreStoredAsHeldOnes) {
    const std::vector<lookup::FirmRecord> firms = {Firm("ООО \"Ромашка\"", "1027700000001"),
                                                   Firm("АО \"Лютик\"", "1027700000002")};
    CheckRecord held = Check("Ромашка", "2026-01-05T10:00:00Z");
    held.firms = firms;
    const std::int64_t heldId = Add(held);
    CheckRecord streamed = Check("Ромашка", "2026-01-05T10:00:00Z");
    streamed.firmSource = std::make_shared<ListedFirms>(firms, false);
    const std::int64_t streamedId = Add(streamed);

    CheckRecord broken = Check("Лютик");
    broken.firmSource = std::make_shared<ListedFirms>(firms, true);
    std::vector<CheckRecord> records{Check("Пусто"), broken};
    const platform::Status appended = db_.Append(records);
    ASSERT_FALSE(appended);
    EXPECT_NE(appended.error().find("the spool cannot be read"), std::string::npos)
        << appended.error();
    // A write that failed leaves the records as they came, to be tried again.
    EXPECT_EQ(records[0].id, 0);
    EXPECT_EQ(records[0].checkedAt, "");
    EXPECT_EQ(records[0].digest, "");

    CheckRecord back;
    bool exists = false;
    ASSERT_TRUE(Succeeded(db_.Get(streamedId), &back, &exists));
    ASSERT_EQ(back.firms.size(), 2u);
    EXPECT_EQ(back.firms[1].ogrn, "1027700000002");
    ASSERT_TRUE(Succeeded(db_.Get(streamedId + 1), &back, &exists));
    EXPECT_FALSE(exists);
    CheckRecord first;
    ASSERT_TRUE(Succeeded(db_.Get(heldId), &first, &exists));
    // The digests differ only by the id and the previous digest they chain to.
    first.id = streamedId;
    EXPECT_EQ(archive::RecordDigest(first, first.digest), back.digest);
    EXPECT_TRUE(Verify().intact);
}

TEST_F(ArchiveFile, VerifyNamesTheFirstRecordAlteredOrRemoved) {
    for (int i = 0; i < 4; ++i) {
        CheckRecord record = Check("Ромашка " + std::to_string(i));
        record.firms = {Firm("ООО Ромашка", "102770000000" + std::to_string(i))};
        Add(record);
    }
    db_.Close();
    EXPECT_TRUE(Verify().intact);
    EXPECT_EQ(Verify().records, 4);

    const QString original = dir_.filePath(QStringLiteral("original.sqlite"));
    Sqlite(path_, QStringLiteral("VACUUM INTO '%1'").arg(original));
    const auto tamper = [&](const char* sql) {
        QFile::remove(path_);
        QFile::remove(path_ + QStringLiteral("-wal"));
        QFile::remove(path_ + QStringLiteral("-shm"));
        EXPECT_TRUE(QFile::copy(original, path_));
        Sqlite(path_, QString::fromUtf8(sql));
        return Verify();
    };
    struct Case {
        const char* sql;
        const char* problem;
    };
    const Case cases[] = {
        {"UPDATE firms SET address = 'x' WHERE check_id = 2", "record 2 was altered"},
        {"UPDATE checks SET checked_at = '2020-01-01T00:00:00Z' WHERE id = 3",
         "record 3 was altered"},
        {"DELETE FROM firms WHERE check_id = 3", "record 3 was altered"},
        {"DELETE FROM checks WHERE id = 2", "record 2 was removed"},
        {"DELETE FROM checks WHERE id = 4", "record 4 was removed"},
        {"DELETE FROM checks WHERE id >= 3; UPDATE chain SET head_id = 2", "record 3 was removed"},
    };
    for (const Case& c : cases) {
        const archive::VerifyReport report = tamper(c.sql);
        EXPECT_FALSE(report.intact) << c.sql;
        EXPECT_EQ(report.problem, c.problem) << c.sql;
    }
}

TEST_F(ArchiveFile, PruningKeepsTheChainVerifiable) {
    for (int i = 0; i < 3; ++i) {
        CheckRecord old = Check("Ромашка", archive::UtcDaysAgo(40 - i));
        old.firms = {Firm("ООО Ромашка", "1027700000001")};
        Add(old);
    }
    CheckRecord recent = Check("Лютик", archive::UtcDaysAgo(1));
    recent.firms = {Firm("АО Лютик", "1027700000009")};
    Add(recent);
    archive::PruneReport pruned;
    ASSERT_TRUE(Succeeded(db_.Prune({30, 0}), &pruned));
    EXPECT_EQ(pruned.removed, 3);
    EXPECT_EQ(Add(Check("Лютик")), 5);  // ids go on, never reused
    const archive::VerifyReport report = Verify();
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, 2);
    std::vector<archive::FoundFirm> firms;
    ASSERT_TRUE(Succeeded(db_.Search("Лютик", 10), &firms));
    EXPECT_EQ(firms.size(), 1u);
    // The removed firms left the search index too.
    EXPECT_EQ(IndexIntegrity(), "ok");
    EXPECT_EQ(Sqlite(path_, QStringLiteral("SELECT count(*) FROM firm_text WHERE firm_text "
                                           "MATCH 'ромашка'")),
              "0");

    // A file within the size limit loses nothing.
    ASSERT_TRUE(Succeeded(db_.Prune({0, 1}), &pruned));
    EXPECT_EQ(pruned.removed, 0);
}

TEST_F(ArchiveFile, SizeLimitRemovesOldestUntilTheFileFits) {
    std::vector<CheckRecord> records;
    for (int i = 0; i < 600; ++i) {
        // Fifty queries, each checked again and again: the last check of each stays.
        CheckRecord record = Check("Ромашка " + std::to_string(i % 50));
        for (int f = 0; f < 10; ++f)
            record.firms.push_back(Firm("ООО Ромашка " + std::to_string(f),
                                        std::to_string(1027700000000LL + i * 10 + f),
                                        std::string(200, 'a') + std::to_string(i)));
        records.push_back(std::move(record));
    }
    ASSERT_TRUE(Succeeded(db_.Append(records)));
    db_.Close();
    ASSERT_TRUE(Succeeded(db_.Open(path_.toStdString(), Archive::Access::ReadWrite)));
    ASSERT_GT(QFileInfo(path_).size(), 2 * 1024 * 1024);

    archive::PruneReport pruned;
    ASSERT_TRUE(Succeeded(db_.Prune({0, 1}), &pruned));
    const std::int64_t removed = pruned.removed;
    EXPECT_GT(removed, 0);
    EXPECT_LT(removed, 600);
    EXPECT_LE(QFileInfo(path_).size(), 1024 * 1024);
    CheckRecord newest;
    bool found = false;
    ASSERT_TRUE(Succeeded(db_.Get(600), &newest, &found));
    EXPECT_TRUE(found);
    const archive::VerifyReport report = Verify();
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, 600 - removed);
}

// One append larger than the log's limit: once it has ended the log is back within
// the limit, and everything appended is in the file.
TEST_F(ArchiveFile, LogIsCutBackAfterALargeAppend) {
    std::vector<CheckRecord> records;
    for (int i = 0; i < 1800; ++i) {
        CheckRecord record = Check("Ромашка " + std::to_string(i));
        for (int f = 0; f < 10; ++f)
            record.firms.push_back(Firm("ООО Ромашка " + std::to_string(f),
                                        std::to_string(1027700000000LL + i * 10 + f),
                                        std::string(2000, 'a')));
        records.push_back(std::move(record));
    }
    ASSERT_TRUE(Succeeded(db_.Append(records)));
    const QString wal = path_ + QStringLiteral("-wal");
    EXPECT_LE(QFileInfo(wal).size(), archive::kWalLimitBytes);
    EXPECT_GT(QFileInfo(path_).size() + QFileInfo(wal).size(), archive::kWalLimitBytes);
    db_.Close();
    EXPECT_EQ(Sqlite(path_, QStringLiteral("SELECT count(*) FROM checks")), "1800");
}

// Files the archive must not use, each refused with one message that says why.
TEST(ArchiveOpen, UnusableFilesGiveOneClearMessage) {
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("garbage.sqlite"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();

    const QString foreign = dir.filePath(QStringLiteral("foreign.sqlite"));
    Sqlite(foreign, QStringLiteral("CREATE TABLE notes(text)"));

    const QString newer = dir.filePath(QStringLiteral("newer.sqlite"));
    {
        Archive db;
        ASSERT_TRUE(Succeeded(db.Open(newer.toStdString(), Archive::Access::ReadWrite)));
    }
    Sqlite(newer, QStringLiteral("UPDATE archive_schema SET version = 99"));

    const QString link = dir.filePath(QStringLiteral("link.sqlite"));
    ASSERT_TRUE(QFile::link(newer, link));

    struct Case {
        QString path;
        const char* says;
    };
    const Case cases[] = {
        {garbage, ": it is damaged (file is not a database)"},
        {foreign, ": it is no archive"},
        {newer, ": a newer version of the program wrote it"},
        {link, ": it is a symbolic link, which is never followed"},
    };
    for (const Case& c : cases) {
        for (const auto access : {Archive::Access::ReadOnly, Archive::Access::ReadWrite}) {
            Archive db;
            const platform::Status opened = db.Open(c.path.toStdString(), access);
            ASSERT_FALSE(opened);
            EXPECT_NE(opened.error().find("archive " + c.path.toStdString() + c.says),
                      std::string::npos)
                << opened.error();
        }
    }
    EXPECT_EQ(Sqlite(foreign, QStringLiteral("SELECT count(*) FROM sqlite_master")), "1");
}

// A file damaged after it was opened: the recorder says so once, and every record
// after that is given up without holding up the caller.
TEST(ArchiveRecorder, DamagedFileIsReportedOnceAndRecordingGoesOn) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("SQLite format 3") + QByteArray(4096, '\x7f'));
    file.close();

    std::atomic<int> reports{0};
    std::string message;
    archive::Recorder recorder(path.toStdString(), [&](const std::string& m) {
        message = m;
        ++reports;
    });
    archive::Recorder::Ticket last = 0;
    for (int i = 0; i < 20; ++i)
        last = recorder.Append(Check("Ромашка"));
    EXPECT_FALSE(recorder.WaitWritten(last, std::chrono::seconds(60)));
    EXPECT_TRUE(recorder.failed());
    EXPECT_EQ(reports.load(), 1);
    EXPECT_NE(message.find("it is damaged"), std::string::npos) << message;
}

TEST(ArchiveRecorder, RecordsFromSeveralThreadsAreAllWrittenInChain) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("deep/er/archive.sqlite")).toStdString();
    {
        archive::Recorder recorder(path, [](const std::string& m) { ADD_FAILURE() << m; });
        std::vector<std::thread> threads;
        for (int t = 0; t < 3; ++t) {
            threads.emplace_back([&recorder, t] {
                for (int i = 0; i < 200; ++i) {
                    CheckRecord record = Check("Ромашка " + std::to_string(t));
                    record.firms = {Firm("ООО Ромашка", std::to_string(1027700000000LL + i))};
                    recorder.Append(std::move(record));
                }
            });
        }
        for (std::thread& thread : threads)
            thread.join();
    }  // the recorder writes what is queued before it goes
    Archive db;
    ASSERT_TRUE(Succeeded(db.Open(path, Archive::Access::ReadOnly)));
    archive::VerifyReport report;
    ASSERT_TRUE(Succeeded(db.Verify(), &report));
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, 600);
}

// Another program holding the file's write lock longer than the wait for it: the
// records are kept and written once it lets go, in order and chained, not dropped.
TEST(ArchiveRecorder, RecordsMeetingALockedFileAreWrittenOnceItIsFree) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    {
        Archive db;
        ASSERT_TRUE(Succeeded(db.Open(path.toStdString(), Archive::Access::ReadWrite)));
    }
    QProcess holder;
    holder.start(QStringLiteral("sqlite3"), {path});
    ASSERT_TRUE(holder.waitForStarted(10000));
    holder.write("BEGIN IMMEDIATE;\nSELECT 'held';\n");
    while (!holder.readAllStandardOutput().contains("held"))
        ASSERT_TRUE(holder.waitForReadyRead(30000));

    std::mutex mutex;
    std::condition_variable told;
    std::vector<std::string> messages;
    archive::Recorder recorder(path.toStdString(), [&](const std::string& m) {
        std::lock_guard<std::mutex> lock(mutex);
        messages.push_back(m);
        told.notify_all();
    });
    archive::Recorder::Ticket last = 0;
    for (int i = 0; i < 5; ++i)
        last = recorder.Append(Check("Ромашка " + std::to_string(i)));
    {
        std::unique_lock<std::mutex> lock(mutex);
        ASSERT_TRUE(
            told.wait_for(lock, std::chrono::seconds(60), [&] { return !messages.empty(); }));
    }
    EXPECT_TRUE(recorder.retrying());
    EXPECT_FALSE(recorder.failed());
    // More records queued while the lock is held join the ones kept.
    last = recorder.Append(Check("Лютик"));
    holder.write("COMMIT;\n.quit\n");
    ASSERT_TRUE(holder.waitForFinished(30000));

    EXPECT_TRUE(recorder.WaitWritten(last, std::chrono::seconds(60)));
    EXPECT_FALSE(recorder.failed());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(": it is locked by another program (database is locked); "
                               "recording is tried again until it is free"),
              std::string::npos)
        << messages[0];
    Archive db;
    ASSERT_TRUE(Succeeded(db.Open(path.toStdString(), Archive::Access::ReadOnly)));
    archive::VerifyReport report;
    ASSERT_TRUE(Succeeded(db.Verify(), &report));
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, 6);
    CheckRecord sixth;
    bool found = false;
    ASSERT_TRUE(Succeeded(db.Get(6), &sixth, &found));
    EXPECT_EQ(sixth.typed, "Лютик");
}

}  // namespace
