// The archive on real SQLite files in temporary folders: records read back as they
// were written, the history and the firm search, the last answered check, the changes
// between checks, the digest chain after edits made with the sqlite3 tool, and files
// that are damaged, foreign, newer or links.
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

namespace {

using archive::Archive;
using archive::CheckRecord;
using archive::Outcome;
using namespace archive_test;

class ArchiveFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("archive.sqlite"));
        std::string error;
        ASSERT_TRUE(db_.Open(path_.toStdString(), Archive::Access::ReadWrite, &error)) << error;
    }

    std::int64_t Add(CheckRecord record) {
        std::vector<CheckRecord> records{std::move(record)};
        std::string error;
        EXPECT_TRUE(db_.Append(records, &error)) << error;
        return records[0].id;
    }

    std::vector<archive::FirmChange> Changes(const archive::ChangeQuery& query = {}) {
        std::vector<archive::FirmChange> changes;
        std::string error;
        EXPECT_TRUE(archive::FindChanges(
            db_, query, [&](const archive::FirmChange& c) { changes.push_back(c); }, &error))
            << error;
        return changes;
    }

    archive::VerifyReport Verify() {
        Archive reader;
        archive::VerifyReport report;
        std::string error;
        EXPECT_TRUE(reader.Open(path_.toStdString(), Archive::Access::ReadOnly, &error)) << error;
        EXPECT_TRUE(reader.Verify(&report, &error)) << error;
        return report;
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
    Archive db_;
};

TEST_F(ArchiveFile, RecordsReadBackAsWritten) {
    CheckRecord found = Check("Ромашка", "2026-01-05T10:00:00Z");
    found.origin = "window";
    found.criteria.region = testsupport::Cp1251("Все регионы");
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
    std::string error;
    ASSERT_TRUE(db_.Append(records, &error)) << error;
    EXPECT_EQ(records[0].id, 1);
    EXPECT_EQ(records[1].id, 2);
    EXPECT_NE(records[0].digest, records[1].digest);
    EXPECT_TRUE(archive::IsArchiveDate(records[1].checkedAt)) << records[1].checkedAt;

    Archive reader;
    ASSERT_TRUE(reader.Open(path_.toStdString(), Archive::Access::ReadOnly, &error)) << error;
    CheckRecord back;
    bool exists = false;
    ASSERT_TRUE(reader.Get(1, &back, &exists, &error)) << error;
    ASSERT_TRUE(exists);
    EXPECT_EQ(back.checkedAt, "2026-01-05T10:00:00Z");
    EXPECT_EQ(back.origin, "window");
    EXPECT_EQ(back.typed, "Ромашка");
    EXPECT_EQ(back.criteria.name, testsupport::Cp1251("Ромашка"));
    EXPECT_EQ(back.criteria.region, testsupport::Cp1251("Все регионы"));
    EXPECT_EQ(archive::QueryKey(back.criteria), archive::QueryKey(found.criteria));
    EXPECT_EQ(back.pages, 3);
    EXPECT_EQ(back.pagesSha256, found.pagesSha256);
    ASSERT_EQ(back.firms.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        for (const archive::FirmColumn& column : archive::FirmColumns())
            EXPECT_EQ(back.firms[i].*column.member, found.firms[i].*column.member) << column.key;
    }
    ASSERT_TRUE(reader.Get(2, &back, &exists, &error)) << error;
    EXPECT_EQ(back.outcome, Outcome::Message);
    EXPECT_EQ(back.messageKind, lookup::ServiceMessageKind::DailyLimit);
    EXPECT_EQ(back.message, "Превышен лимит запросов");
    EXPECT_FALSE(archive::IsAnswered(back));
    ASSERT_TRUE(reader.Get(3, &back, &exists, &error)) << error;
    EXPECT_FALSE(exists);
}

// Firms read from a source while the record is written: stored and chained exactly as
// the same firms held in the record; a source that fails leaves nothing behind.
class ListedFirms : public archive::FirmSource {
  public:
    ListedFirms(std::vector<lookup::FirmRecord> firms, bool failAtEnd)
        : firms_(std::move(firms)), failAtEnd_(failAtEnd) {}
    std::int64_t count() const override { return static_cast<std::int64_t>(firms_.size()); }
    bool ForEach(const std::function<void(const lookup::FirmRecord&)>& visit,
                 std::string* error) const override {
        for (const lookup::FirmRecord& firm : firms_)
            visit(firm);
        if (failAtEnd_)
            *error = "the spool cannot be read";
        return !failAtEnd_;
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
    record.criteria.name = testsupport::Cp1251("Ромашка");
    record.pagesSha256 = "ab";
    record.firms = {Firm("ООО \"Ромашка\"", "1027700000001")};
    std::vector<CheckRecord> one{record};
    std::string error;
    ASSERT_TRUE(db_.Append(one, &error)) << error;
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
    std::string error;
    EXPECT_FALSE(db_.Append(records, &error));
    EXPECT_NE(error.find("the spool cannot be read"), std::string::npos) << error;
    // A write that failed leaves the records as they came, to be tried again.
    EXPECT_EQ(records[0].id, 0);
    EXPECT_EQ(records[0].checkedAt, "");
    EXPECT_EQ(records[0].digest, "");

    CheckRecord back;
    bool exists = false;
    ASSERT_TRUE(db_.Get(streamedId, &back, &exists, &error)) << error;
    ASSERT_EQ(back.firms.size(), 2u);
    EXPECT_EQ(back.firms[1].ogrn, "1027700000002");
    ASSERT_TRUE(db_.Get(streamedId + 1, &back, &exists, &error)) << error;
    EXPECT_FALSE(exists);
    CheckRecord first;
    ASSERT_TRUE(db_.Get(heldId, &first, &exists, &error)) << error;
    // The digests differ only by the id and the previous digest they chain to.
    first.id = streamedId;
    EXPECT_EQ(archive::RecordDigest(first, first.digest), back.digest);
    EXPECT_TRUE(Verify().intact);
}

TEST_F(ArchiveFile, HistoryIsNewestFirstAndFiltered) {
    CheckRecord a = Check("Ромашка", "2026-01-05T10:00:00Z");
    a.firms = {Firm("ООО Ромашка", "1027700000001")};
    CheckRecord b = Check("7707083893", "2026-02-10T09:30:00Z");
    b.firms = {Firm("ПАО Сбербанк", "1027700132195")};
    CheckRecord c = Check("Лютик", "2026-03-01T08:00:00Z");
    c.outcome = Outcome::Failed;
    c.message = "connection refused";
    Add(a);
    Add(b);
    Add(c);

    const auto ids = [&](const archive::HistoryFilter& filter) {
        std::vector<archive::CheckSummary> checks;
        std::string error;
        EXPECT_TRUE(db_.List(filter, &checks, &error)) << error;
        std::vector<std::int64_t> out;
        for (const auto& check : checks)
            out.push_back(check.id);
        return out;
    };
    using Ids = std::vector<std::int64_t>;
    EXPECT_EQ(ids({}), (Ids{3, 2, 1}));
    EXPECT_EQ(ids({"лютик", "", "", "", 0}), (Ids{3}));                 // the criteria, any case
    EXPECT_EQ(ids({"сбербанк", "", "", "", 0}), (Ids{2}));              // a firm's name
    EXPECT_EQ(ids({"", "1027700132195", "", "", 0}), (Ids{2}));         // OGRN
    EXPECT_EQ(ids({"", "7700000001", "", "", 0}), (Ids{1}));            // INN
    EXPECT_EQ(ids({"", "", "2026-02-01", "2026-02-10", 0}), (Ids{2}));  // the last day counts
    EXPECT_EQ(ids({"", "", "", "", 2}), (Ids{3, 2}));
    EXPECT_EQ(ids({"", "", "", "", 2, 3}), (Ids{2, 1}));      // the page after id 3
    EXPECT_EQ(ids({"\" OR * NEAR(", "", "", "", 0}), Ids{});  // no operator takes effect
}

TEST_F(ArchiveFile, SearchFindsEveryFirmOnceByWordsInAnyCase) {
    CheckRecord first = Check("Ромашка", "2026-01-05T10:00:00Z");
    first.firms = {Firm("ООО \"Ромашка\"", "1027700000001"), Firm("АО Лютик", "1027700000002")};
    CheckRecord again = Check("Ромашка", "2026-02-05T10:00:00Z");
    again.firms = {Firm("ООО \"Ромашка\"", "1027700000001", "г. Тверь")};
    Add(first);
    Add(again);

    const auto search = [&](const char* text) {
        std::vector<archive::FoundFirm> firms;
        std::string error;
        EXPECT_TRUE(db_.Search(text, 100, &firms, &error)) << error;
        return firms;
    };
    auto firms = search("ромаш");
    ASSERT_EQ(firms.size(), 1u);
    EXPECT_EQ(firms[0].checkedAt, "2026-02-05T10:00:00Z");  // its latest appearance
    EXPECT_EQ(firms[0].firm.address, testsupport::Cp1251("г. Тверь"));
    EXPECT_EQ(search("1027700000002").size(), 1u);
    EXPECT_EQ(search("7700000002").size(), 1u);  // INN
    EXPECT_EQ(search("ООО лютик").size(), 0u);   // every word must match
    EXPECT_EQ(search("\"*").size(), 0u);
}

// Words in double quotes must stand together and in order in one field; outside
// quotes they may be anywhere.
TEST_F(ArchiveFile, SearchMatchesAQuotedPhraseOnlyWhereItsWordsStandTogether) {
    CheckRecord check = Check("Ромашка", "2026-01-05T10:00:00Z");
    check.firms = {
        Firm("ООО \"Ромашка Плюс\"", "1027700000001"), Firm("АО Плюс Ромашка", "1027700000002"),
        Firm("ООО Ромашка и Плюс", "1027700000003"), Firm("ЗАО «РОМАШКА-ПЛЮС»", "1027700000004"),
        Firm("ООО Ромашка", "1027700000005", "ул. Плюс, 1")};
    Add(check);
    const auto ogrns = [&](const std::string& text) {
        std::vector<archive::FoundFirm> firms;
        std::string error;
        EXPECT_TRUE(db_.Search(text, 100, &firms, &error)) << error;
        std::set<std::string> found;
        for (const archive::FoundFirm& firm : firms)
            found.insert(firm.firm.ogrn.substr(12));
        return found;
    };
    using Found = std::set<std::string>;
    EXPECT_EQ(ogrns("\"ромашка плюс\""), (Found{"1", "4"}));
    EXPECT_EQ(ogrns("\"Плюс ромашка\""), (Found{"2"}));
    EXPECT_EQ(ogrns("ромашка плюс"), (Found{"1", "2", "3", "4"}));
    EXPECT_EQ(ogrns("ООО \"ромашка и плюс\""), (Found{"3"}));
    EXPECT_EQ(ogrns("\"ромашка пл"), (Found{"1", "4"}));  // still being typed
    EXPECT_EQ(ogrns("\"ромашка пл\""), Found{});          // closed: whole words
    EXPECT_EQ(ogrns("\"ромашка\""), (Found{"1", "2", "3", "4", "5"}));
}

// A file whose firm index was built with word positions and column sizes, as files of
// schema version 1 were: opening it for writing rebuilds the index, which then finds
// the firms recorded before and after alike, and the chain still verifies.
TEST_F(ArchiveFile, FirmIndexOfAnEarlierSchemaIsRebuilt) {
    CheckRecord before = Check("Ромашка", "2026-01-05T10:00:00Z");
    before.firms = {Firm("ООО \"Ромашка\"", "1027700000001")};
    Add(before);
    db_.Close();
    MakeVersion2();
    Sqlite(path_, QStringLiteral("DROP TRIGGER firms_indexed; DROP TRIGGER firms_unindexed; "
                                 "DROP TABLE firm_text; "
                                 "CREATE VIRTUAL TABLE firm_text USING fts5(name, inn, ogrn, "
                                 "content='firms', content_rowid='id', "
                                 "tokenize='unicode61 remove_diacritics 2'); "
                                 "INSERT INTO firm_text(firm_text) VALUES ('rebuild'); "
                                 "CREATE TRIGGER firms_indexed AFTER INSERT ON firms BEGIN "
                                 "INSERT INTO firm_text(rowid, name, inn, ogrn) "
                                 "VALUES (new.id, new.name, new.inn, new.ogrn); END; "
                                 "CREATE TRIGGER firms_unindexed AFTER DELETE ON firms BEGIN "
                                 "INSERT INTO firm_text(firm_text, rowid, name, inn, ogrn) "
                                 "VALUES ('delete', old.id, old.name, old.inn, old.ogrn); END; "
                                 "UPDATE archive_schema SET version = 1;"));
    std::string error;
    ASSERT_TRUE(db_.Open(path_.toStdString(), Archive::Access::ReadWrite, &error)) << error;
    EXPECT_EQ(Sqlite(path_, QStringLiteral("SELECT version FROM archive_schema")),
              std::to_string(archive::kSchemaVersion));
    EXPECT_NE(Sqlite(path_, QStringLiteral("SELECT sql FROM sqlite_master WHERE name = "
                                           "'firm_text'"))
                  .find("detail=column"),
              std::string::npos);

    CheckRecord after = Check("Ромашка", "2026-02-05T10:00:00Z");
    after.firms = {Firm("АО Ромашка-Трейд", "1027700000002")};
    Add(after);
    std::vector<archive::FoundFirm> firms;
    ASSERT_TRUE(db_.Search("ромашка", 100, &firms, &error)) << error;
    EXPECT_EQ(firms.size(), 2u);
    ASSERT_TRUE(db_.Search("1027700000001", 100, &firms, &error)) << error;
    EXPECT_EQ(firms.size(), 1u);
    std::vector<archive::CheckSummary> checks;
    ASSERT_TRUE(db_.List({"", "7700000001", "", "", 0}, &checks, &error)) << error;
    EXPECT_EQ(checks.size(), 1u);
    EXPECT_EQ(Sqlite(path_, QStringLiteral("INSERT INTO firm_text(firm_text) "
                                           "VALUES ('integrity-check'); SELECT 'ok'")),
              "ok");
    EXPECT_TRUE(Verify().intact);
}

// A file of schema version 2: opening it for writing hashes the query keys of the
// checks already there, so that the checks before and after are one query's history,
// and firms recorded after are indexed once, like those before.
TEST_F(ArchiveFile, ChecksOfAnEarlierSchemaAreFoundByTheirQuery) {
    CheckRecord before = Check("Ромашка", "2026-01-05T10:00:00Z");
    before.firms = {Firm("ООО \"Ромашка\"", "1027700000001")};
    Add(before);
    Add(Check("Лютик", "2026-01-06T10:00:00Z"));
    db_.Close();
    MakeVersion2();

    std::string error;
    ASSERT_TRUE(db_.Open(path_.toStdString(), Archive::Access::ReadWrite, &error)) << error;
    EXPECT_EQ(Sqlite(path_, QStringLiteral("SELECT version FROM archive_schema")),
              std::to_string(archive::kSchemaVersion));
    EXPECT_EQ(Sqlite(path_, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = "
                                           "'trigger' OR name = 'checks_by_query'")),
              "0");
    CheckRecord after = Check("Ромашка", "2026-02-05T10:00:00Z");
    after.firms = {Firm("ООО \"Ромашка\"", "1027700000001", "г. Тверь, ул. Новая, 2")};
    Add(after);

    std::vector<archive::CheckSummary> checks;
    ASSERT_TRUE(db_.ChecksOf(archive::QueryKey(before.criteria), &checks, &error)) << error;
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_EQ(checks[0].id, 1);
    EXPECT_EQ(checks[1].id, 3);
    CheckRecord last;
    bool found = false;
    ASSERT_TRUE(db_.LastAnswered(Check("Лютик").criteria, "2026-01-01", &last, &found, &error));
    ASSERT_TRUE(found);
    EXPECT_EQ(last.id, 2);
    const std::vector<archive::FirmChange> changes = Changes();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].field, "address");
    std::vector<archive::FoundFirm> firms;
    ASSERT_TRUE(db_.Search("ромашка", 100, &firms, &error)) << error;
    EXPECT_EQ(firms.size(), 1u);  // the same firm, found once
    EXPECT_EQ(IndexIntegrity(), "ok");
    EXPECT_TRUE(Verify().intact);
}

// Checks are found by a hash of their query; a query whose hash another one's checks
// share (here made so with the sqlite3 tool) still sees only its own checks.
TEST_F(ArchiveFile, QueriesSharingAHashNeverMixTheirChecks) {
    CheckRecord b1 = Check("Лютик", "2026-01-05T10:00:00Z");
    b1.firms = {Firm("АО Лютик", "1027700000002")};
    Add(b1);
    CheckRecord a1 = Check("Ромашка", "2026-01-06T10:00:00Z");
    a1.firms = {Firm("ООО Ромашка", "1027700000001")};
    Add(a1);
    CheckRecord b2 = Check("Лютик", "2026-02-05T10:00:00Z");
    b2.firms = b1.firms;
    Add(b2);
    CheckRecord a2 = Check("Ромашка", "2026-02-06T10:00:00Z");
    a2.firms = {Firm("ООО Ромашка", "1027700000001", "г. Тверь, ул. Новая, 2")};
    Add(a2);
    Sqlite(path_, QStringLiteral("UPDATE checks SET query_hash = "
                                 "(SELECT query_hash FROM checks WHERE id = 1)"));

    std::string error;
    std::vector<archive::CheckSummary> checks;
    ASSERT_TRUE(db_.ChecksOf(archive::QueryKey(b1.criteria), &checks, &error)) << error;
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_EQ(checks[0].id, 1);
    EXPECT_EQ(checks[1].id, 3);
    CheckRecord last;
    bool found = false;
    ASSERT_TRUE(db_.LastAnswered(b1.criteria, "2026-01-01", &last, &found, &error)) << error;
    ASSERT_TRUE(found);
    EXPECT_EQ(last.id, 3);
    // Лютик's two checks hold the same firm: nothing changed, nothing added or removed.
    archive::ChangeQuery listed;
    listed.listGiven = true;
    listed.list = {b1.criteria};
    EXPECT_TRUE(Changes(listed).empty());
}

TEST_F(ArchiveFile, LastAnsweredCheckSkipsFailuresAndOldChecks) {
    CheckRecord old = Check("Ромашка", archive::UtcDaysAgo(10));
    old.firms = {Firm("ООО Ромашка", "1027700000001")};
    Add(old);
    CheckRecord failed = Check("Ромашка", archive::UtcDaysAgo(2));
    failed.outcome = Outcome::Failed;
    Add(failed);
    CheckRecord limit = Check("Ромашка", archive::UtcDaysAgo(1));
    limit.outcome = Outcome::Message;
    limit.messageKind = lookup::ServiceMessageKind::DailyLimit;
    Add(limit);
    CheckRecord none = Check("Лютик", archive::UtcDaysAgo(1));
    none.outcome = Outcome::Message;
    none.messageKind = lookup::ServiceMessageKind::NotFound;
    Add(none);

    CheckRecord record;
    bool found = false;
    std::string error;
    ASSERT_TRUE(db_.LastAnswered(old.criteria, archive::UtcDaysAgo(30), &record, &found, &error));
    ASSERT_TRUE(found);
    EXPECT_EQ(record.id, 1);
    ASSERT_EQ(record.firms.size(), 1u);
    EXPECT_EQ(record.firms[0].ogrn, "1027700000001");
    ASSERT_TRUE(db_.LastAnswered(old.criteria, archive::UtcDaysAgo(5), &record, &found, &error));
    EXPECT_FALSE(found);
    // "Nothing found" is an answer too.
    ASSERT_TRUE(db_.LastAnswered(none.criteria, archive::UtcDaysAgo(5), &record, &found, &error));
    EXPECT_TRUE(found);
}

TEST_F(ArchiveFile, ChangesNameAddedRemovedAlteredAndNotRechecked) {
    CheckRecord first = Check("Ромашка", "2026-01-05T10:00:00Z");
    first.firms = {Firm("ООО Ромашка", "1027700000001"), Firm("АО Ромашка", "1027700000002")};
    CheckRecord failed = Check("Ромашка", "2026-02-05T10:00:00Z");
    failed.outcome = Outcome::Failed;
    failed.message = "timed out";
    CheckRecord limit = Check("Ромашка", "2026-02-06T10:00:00Z");
    limit.outcome = Outcome::Message;
    limit.messageKind = lookup::ServiceMessageKind::DailyLimit;
    CheckRecord third = Check("Ромашка", "2026-03-05T10:00:00Z");
    third.firms = {Firm("ООО Ромашка", "1027700000001", "г. Тверь"),
                   Firm("ПАО Ромашка", "1027700000003")};
    CheckRecord other = Check("Лютик", "2026-03-05T10:00:00Z");  // checked once only
    for (const CheckRecord& record : {first, failed, limit, third, other})
        Add(record);

    const auto changes = Changes();
    ASSERT_EQ(changes.size(), 5u);
    EXPECT_EQ(changes[0].kind, archive::ChangeKind::NotRechecked);
    EXPECT_EQ(changes[0].reason, "failed: timed out");
    EXPECT_EQ(changes[0].oldDate, "2026-01-05T10:00:00Z");
    EXPECT_EQ(changes[1].kind, archive::ChangeKind::NotRechecked);
    EXPECT_EQ(changes[2].kind, archive::ChangeKind::Changed);
    EXPECT_EQ(changes[2].field, "address");
    EXPECT_EQ(changes[2].oldValue, "г. Москва, ул. Лесная, 1");
    EXPECT_EQ(changes[2].newValue, "г. Тверь");
    EXPECT_EQ(changes[2].oldDate, "2026-01-05T10:00:00Z");  // compared with the last answer
    EXPECT_EQ(changes[2].newDate, "2026-03-05T10:00:00Z");
    EXPECT_EQ(changes[3].kind, archive::ChangeKind::Added);
    EXPECT_EQ(changes[3].ogrn, "1027700000003");
    EXPECT_EQ(changes[4].kind, archive::ChangeKind::Removed);
    EXPECT_EQ(changes[4].name, "АО Ромашка");

    archive::ChangeQuery recent;
    recent.since = "2026-03-01";
    EXPECT_EQ(Changes(recent).size(), 3u);
    archive::ChangeQuery listed;
    listed.listGiven = true;
    listed.list = {lookup::SearchCriteria::ForLine(testsupport::Cp1251("Лютик"))};
    EXPECT_TRUE(Changes(listed).empty());
}

TEST_F(ArchiveFile, ChangesAfterOnlyFailedRecheckRemoveNothing) {
    CheckRecord first = Check("Ромашка", "2026-01-05T10:00:00Z");
    first.firms = {Firm("ООО Ромашка", "1027700000001")};
    CheckRecord skipped = Check("Ромашка", "2026-02-05T10:00:00Z");
    skipped.outcome = Outcome::Skipped;
    Add(first);
    Add(skipped);
    const auto changes = Changes();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].kind, archive::ChangeKind::NotRechecked);
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
    std::int64_t removed = 0;
    std::string error;
    ASSERT_TRUE(db_.Prune({30, 0}, &removed, &error)) << error;
    EXPECT_EQ(removed, 3);
    EXPECT_EQ(Add(Check("Лютик")), 5);  // ids go on, never reused
    const archive::VerifyReport report = Verify();
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, 2);
    std::vector<archive::FoundFirm> firms;
    ASSERT_TRUE(db_.Search("Лютик", 10, &firms, &error)) << error;
    EXPECT_EQ(firms.size(), 1u);
    // The removed firms left the search index too.
    EXPECT_EQ(IndexIntegrity(), "ok");
    EXPECT_EQ(Sqlite(path_, QStringLiteral("SELECT count(*) FROM firm_text WHERE firm_text "
                                           "MATCH 'ромашка'")),
              "0");

    // A file within the size limit loses nothing.
    ASSERT_TRUE(db_.Prune({0, 1}, &removed, &error)) << error;
    EXPECT_EQ(removed, 0);
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
    std::string error;
    ASSERT_TRUE(db_.Append(records, &error)) << error;
    db_.Close();
    ASSERT_TRUE(db_.Open(path_.toStdString(), Archive::Access::ReadWrite, &error)) << error;
    ASSERT_GT(QFileInfo(path_).size(), 2 * 1024 * 1024);

    std::int64_t removed = 0;
    ASSERT_TRUE(db_.Prune({0, 1}, &removed, &error)) << error;
    EXPECT_GT(removed, 0);
    EXPECT_LT(removed, 600);
    EXPECT_LE(QFileInfo(path_).size(), 1024 * 1024);
    CheckRecord newest;
    bool found = false;
    ASSERT_TRUE(db_.Get(600, &newest, &found, &error)) << error;
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
    std::string error;
    ASSERT_TRUE(db_.Append(records, &error)) << error;
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
        std::string error;
        ASSERT_TRUE(db.Open(newer.toStdString(), Archive::Access::ReadWrite, &error)) << error;
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
            std::string error;
            EXPECT_FALSE(db.Open(c.path.toStdString(), access, &error));
            EXPECT_NE(error.find("archive " + c.path.toStdString() + c.says), std::string::npos)
                << error;
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
    std::string error;
    ASSERT_TRUE(db.Open(path, Archive::Access::ReadOnly, &error)) << error;
    archive::VerifyReport report;
    ASSERT_TRUE(db.Verify(&report, &error)) << error;
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
        std::string error;
        ASSERT_TRUE(db.Open(path.toStdString(), Archive::Access::ReadWrite, &error)) << error;
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
    std::string error;
    ASSERT_TRUE(db.Open(path.toStdString(), Archive::Access::ReadOnly, &error)) << error;
    archive::VerifyReport report;
    ASSERT_TRUE(db.Verify(&report, &error)) << error;
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, 6);
    CheckRecord sixth;
    bool found = false;
    ASSERT_TRUE(db.Get(6, &sixth, &found, &error)) << error;
    EXPECT_EQ(sixth.typed, "Лютик");
}

}  // namespace
