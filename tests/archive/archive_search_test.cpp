// Finding what the archive holds, on real SQLite files in temporary folders: the
// history and the firm search, checks found by their query in files of earlier schemas,
// the last answered check, and the changes between checks of one query.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "archive/archive_changes.h"
#include "archive/archive_db.h"
#include "support/archive_records.h"
#include "support/archive_support.h"
#include "support/cp1251_text.h"

namespace {

using archive::Archive;
using archive::CheckRecord;
using archive::Outcome;
using namespace archive_test;

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
        EXPECT_TRUE(Succeeded(db_.List(filter), &checks));
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
        EXPECT_TRUE(Succeeded(db_.Search(text, 100), &firms));
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
        EXPECT_TRUE(Succeeded(db_.Search(text, 100), &firms));
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
    ASSERT_TRUE(Succeeded(db_.Open(path_.toStdString(), Archive::Access::ReadWrite)));
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
    ASSERT_TRUE(Succeeded(db_.Search("ромашка", 100), &firms));
    EXPECT_EQ(firms.size(), 2u);
    ASSERT_TRUE(Succeeded(db_.Search("1027700000001", 100), &firms));
    EXPECT_EQ(firms.size(), 1u);
    std::vector<archive::CheckSummary> checks;
    ASSERT_TRUE(Succeeded(db_.List({"", "7700000001", "", "", 0}), &checks));
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

    ASSERT_TRUE(Succeeded(db_.Open(path_.toStdString(), Archive::Access::ReadWrite)));
    EXPECT_EQ(Sqlite(path_, QStringLiteral("SELECT version FROM archive_schema")),
              std::to_string(archive::kSchemaVersion));
    EXPECT_EQ(Sqlite(path_, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = "
                                           "'trigger' OR name = 'checks_by_query'")),
              "0");
    CheckRecord after = Check("Ромашка", "2026-02-05T10:00:00Z");
    after.firms = {Firm("ООО \"Ромашка\"", "1027700000001", "г. Тверь, ул. Новая, 2")};
    Add(after);

    std::vector<archive::CheckSummary> checks;
    ASSERT_TRUE(Succeeded(db_.ChecksOf(archive::QueryKey(before.criteria)), &checks));
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_EQ(checks[0].id, 1);
    EXPECT_EQ(checks[1].id, 3);
    CheckRecord last;
    bool found = false;
    ASSERT_TRUE(Succeeded(db_.LastAnswered(Check("Лютик").criteria, "2026-01-01"), &last, &found));
    ASSERT_TRUE(found);
    EXPECT_EQ(last.id, 2);
    const std::vector<archive::FirmChange> changes = Changes();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].field, "address");
    std::vector<archive::FoundFirm> firms;
    ASSERT_TRUE(Succeeded(db_.Search("ромашка", 100), &firms));
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

    std::vector<archive::CheckSummary> checks;
    ASSERT_TRUE(Succeeded(db_.ChecksOf(archive::QueryKey(b1.criteria)), &checks));
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_EQ(checks[0].id, 1);
    EXPECT_EQ(checks[1].id, 3);
    CheckRecord last;
    bool found = false;
    ASSERT_TRUE(Succeeded(db_.LastAnswered(b1.criteria, "2026-01-01"), &last, &found));
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
    ASSERT_TRUE(
        Succeeded(db_.LastAnswered(old.criteria, archive::UtcDaysAgo(30)), &record, &found));
    ASSERT_TRUE(found);
    EXPECT_EQ(record.id, 1);
    ASSERT_EQ(record.firms.size(), 1u);
    EXPECT_EQ(record.firms[0].ogrn, "1027700000001");
    ASSERT_TRUE(Succeeded(db_.LastAnswered(old.criteria, archive::UtcDaysAgo(5)), &record, &found));
    EXPECT_FALSE(found);
    // "Nothing found" is an answer too.
    ASSERT_TRUE(
        Succeeded(db_.LastAnswered(none.criteria, archive::UtcDaysAgo(5)), &record, &found));
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
    listed.list = {lookup::SearchCriteria::ForLine(testsupport::Cp1251Text("Лютик"))};
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

}  // namespace
