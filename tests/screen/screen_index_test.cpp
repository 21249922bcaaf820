// The screening index with the list fixtures: what an import stores and refuses, the
// versions it keeps, and what a screener finds by number and by name.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "screen/index.h"
#include "screen/screener.h"
#include "support/child_process.h"
#include "support/screen_support.h"
#include "support/shipped_data.h"

namespace {

using screen::ImportStatus;
using screen::Match;
using screen::MatchKind;
using screen_test::Firm;
using screen_test::Fixture;
using screen_test::Matches;
using screen_test::Succeeded;
using screen_test::WriteFile;

class ScreenIndex : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        data_test::UseShippedData();
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("lists/screening.sqlite")).toStdString();
    }

    ImportStatus Import(const std::string& file, screen::ImportReport* report,
                        screen::ImportOptions options = {}) {
        screen::Index index;
        EXPECT_TRUE(Succeeded(index.Open(path_, screen::Index::Access::ReadWrite)));
        platform::Result<screen::ImportReport, screen::ImportFailure> imported =
            index.Import(file, options);
        *report = screen::ImportReport();
        if (!imported) {
            report->warnings = imported.error().warnings;
            error_ = imported.error().message;
            return imported.error().status;
        }
        *report = std::move(*imported);
        error_.clear();
        return report->unchanged ? ImportStatus::Unchanged : ImportStatus::Stored;
    }

    std::vector<screen::ListVersion> Versions() {
        screen::Index index;
        EXPECT_TRUE(Succeeded(index.Open(path_, screen::Index::Access::ReadOnly)));
        const platform::Result<std::vector<screen::ListVersion>> versions = index.Versions();
        EXPECT_TRUE(Succeeded(versions));
        return versions ? *versions : std::vector<screen::ListVersion>();
    }

    std::vector<Match> Screen(const lookup::FirmRecord& firm, double threshold = 0.9) {
        screen::Screener screener;
        EXPECT_TRUE(Succeeded(screener.Load(path_)));
        EXPECT_TRUE(screener.warnings().empty());
        screener.setThreshold(threshold);
        return Matches(screener.Screen(firm));
    }

    std::string Copy(const std::string& from, const QString& name, const QByteArray& extra = {}) {
        QFile in(QString::fromStdString(from));
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        const QString to = dir_.filePath(name);
        QFile out(to);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(in.readAll() + extra);
        return to.toStdString();
    }

    QTemporaryDir dir_;
    std::string path_;
    std::string error_;
};

bool IsJson() {
    return std::string(ScreenIndex::GetParam()).find(".jsonl") != std::string::npos;
}

TEST_P(ScreenIndex, ImportStoresAVersionAndCountsWhatItSkipped) {
    screen::ImportReport report;
    ASSERT_EQ(Import(Fixture(GetParam()), &report), ImportStatus::Stored) << error_;
    const screen::ListVersion& v = report.version;
    EXPECT_EQ(v.list, "watchlist");
    EXPECT_EQ(v.number, 1);
    EXPECT_EQ(v.entities, 14);
    EXPECT_EQ(report.notIndexed, 2);  // the person and the security
    const platform::Result<std::string> digest = screen::FileDigest(Fixture(GetParam()));
    ASSERT_TRUE(Succeeded(digest));
    EXPECT_EQ(v.digest, *digest);
    EXPECT_EQ(v.format, IsJson() ? "jsonl" : "csv");
    if (IsJson()) {
        EXPECT_EQ(report.skipped, 4);
        EXPECT_EQ(report.skippedLines, (std::vector<std::int64_t>{6, 14, 17, 21}));
    } else {
        EXPECT_EQ(report.skipped, 2);
        EXPECT_EQ(report.skippedLines, (std::vector<std::int64_t>{6, 14}));
    }
    const std::vector<screen::ListVersion> versions = Versions();
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].entities, 14);
    EXPECT_EQ(versions[0].importedAt, v.importedAt);

    // Owner only: the file 0600 in a folder 0700 made for it.
    struct stat st {};
    ASSERT_EQ(::stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(QFileInfo(QString::fromStdString(path_)).path().toUtf8().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_P(ScreenIndex, FirmsMatchByTheirNumbersWithValidCheckDigits) {
    screen::ImportReport report;
    ASSERT_EQ(Import(Fixture(GetParam()), &report), ImportStatus::Stored) << error_;
    struct Case {
        lookup::FirmRecord firm;
        const char* entity;  // empty: no match
        const char* what;
    } cases[] = {
        {Firm("ООО \"Ромашка-Север\"", "7713001232", "1027700101230", "771301001"), "wl-inn-north",
         "INN"},
        {Firm("ООО \"Ромашка-Юг\"", "2308004562", "1032301234569"), "wl-ogrn-south", "OGRN"},
        {Firm("ООО \"Торговый дом Ромашка\"", "7705003211", "1117746012340", "770501001"),
         "wl-kpp-trade", IsJson() ? "KPP+INN" : "INN"},
        // Another KPP: the INN alone still names the firm.
        {Firm("ООО \"Торговый дом Ромашка\"", "7705003211", "", "770502002"), "wl-kpp-trade",
         "INN"},
        {Firm("ООО \"Лютик\"", "7702004440", "1087700012300"), "wl-vessel", "INN"},
        // The list's INN has a wrong check digit: a typo, never a match.
        {Firm("", "7841007896"), "", ""},
        // A firm number with a wrong check digit is not looked up.
        {Firm("", "7713001233"), "", ""},
        // Only in an entity nested in another's properties.
        {Firm("", "2311009874"), "", ""},
    };
    for (const Case& c : cases) {
        std::vector<Match> ids;
        for (const Match& m : Screen(c.firm)) {
            if (m.kind == MatchKind::Identifier)
                ids.push_back(m);
        }
        if (c.entity[0] == '\0') {
            EXPECT_TRUE(ids.empty()) << c.firm.inn << ": " << ids.front().entityId;
            continue;
        }
        ASSERT_EQ(ids.size(), 1u) << c.firm.inn;
        EXPECT_EQ(ids[0].entityId, c.entity);
        EXPECT_EQ(ids[0].what, c.what) << c.firm.inn;
        EXPECT_EQ(ids[0].list, "watchlist");
        EXPECT_EQ(ids[0].versionNumber, 1);
        EXPECT_EQ(ids[0].score, 1.0);
    }
    const std::vector<Match> north = Screen(cases[0].firm);
    ASSERT_FALSE(north.empty());
    EXPECT_EQ(north[0].caption, "Northern Star Trading");
    EXPECT_EQ(north[0].schema, "Company");
    if (IsJson()) {
        EXPECT_EQ(north[0].topics, std::vector<std::string>{"sanction"});
    }
}

TEST_P(ScreenIndex, NamesMatchAcrossScriptsInEachStandard) {
    screen::ImportReport report;
    ASSERT_EQ(Import(Fixture(GetParam()), &report), ImportStatus::Stored) << error_;
    struct Case {
        const char* firm;
        const char* entity;
        const char* how;
        const char* entityName;
    } cases[] = {
        {"ООО \"Ромашка и партнёры\"", "wl-gost", "GOST 7.79 B", "OOO Romashka i partnyory"},
        {"ООО \"Ромашка-Строй\"", "wl-iso9", "ISO 9", "Romaška-Stroj LLC"},
        {"ООО \"Торговый дом Ромашка\"", "wl-english", "English", "Torgovyy Dom Romashka"},
        {"ООО \"Ромашка-Юг\"", "wl-passport", "English (passport)", "Romashka-Iug Ltd"},
        // A spelling no standard writes, read into Russian by "Latin to Russian".
        {"ООО \"Лютик\"", "wl-informal", "Cyrillic", "OOO Ljutik"},
        {"АО \"Ромашка Плюс\"", "wl-cyrillic", "Cyrillic", "АО «Ромашка Плюс»"},
    };
    for (const Case& c : cases) {
        const std::vector<Match> matches = Screen(Firm(c.firm));
        ASSERT_EQ(matches.size(), 1u) << c.firm;
        const Match& m = matches[0];
        EXPECT_EQ(m.kind, MatchKind::Name);
        EXPECT_EQ(m.entityId, c.entity) << c.firm;
        EXPECT_EQ(m.how, c.how) << c.firm;
        EXPECT_EQ(m.entityValue, c.entityName) << c.firm;
        EXPECT_EQ(m.firmValue, c.firm);
        EXPECT_DOUBLE_EQ(m.score, 1.0) << c.firm;
    }
    const Match informal = Screen(Firm("ООО \"Лютик\""))[0];
    EXPECT_EQ(informal.what,
              IsJson() ? "previousName via Latin to Russian" : "alias via Latin to Russian");
}

TEST_P(ScreenIndex, NearMissesStayBelowTheThreshold) {
    screen::ImportReport report;
    ASSERT_EQ(Import(Fixture(GetParam()), &report), ImportStatus::Stored) << error_;
    // "Romashka-Vostok" shares one of two words with Ромашка-Север, "Lyutiki" is one
    // letter longer than Лютик's Lyutik: neither is shown at the default threshold.
    EXPECT_TRUE(Screen(Firm("ООО \"Ромашка-Север\"")).empty());
    for (const Match& m : Screen(Firm("ООО \"Лютик\"")))
        EXPECT_NE(m.entityId, "wl-near-lyutiki");
    // With a lower threshold the near miss shows, with its score.
    bool seen = false;
    for (const Match& m : Screen(Firm("ООО \"Ромашка-Север\""), 0.5)) {
        if (m.entityId == "wl-near-east") {
            seen = true;
            EXPECT_NEAR(m.score, 16.0 / 27, 1e-3);
        }
    }
    EXPECT_TRUE(seen);
    // The name of a company nested in another's properties is not the entity's name.
    EXPECT_TRUE(Screen(Firm("ЗАО \"Ромашка-Агро\"")).empty());
}

TEST_P(ScreenIndex, PersonsAreIndexedOnlyWhenAskedFor) {
    screen::ImportReport report;
    ASSERT_EQ(Import(Fixture(GetParam()), &report), ImportStatus::Stored) << error_;
    EXPECT_TRUE(Screen(Firm("Петров Иван Сергеевич")).empty());
    screen::ImportOptions options;
    options.name = "with-persons";
    options.persons = true;
    ASSERT_EQ(Import(Fixture(GetParam()), &report, options), ImportStatus::Stored) << error_;
    EXPECT_EQ(report.version.entities, 15);
    EXPECT_EQ(report.notIndexed, 1);
    const std::vector<Match> matches = Screen(Firm("Петров Иван Сергеевич"));
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].entityId, "wl-person");
    EXPECT_EQ(matches[0].list, "with-persons");
}

INSTANTIATE_TEST_SUITE_P(Formats, ScreenIndex,
                         ::testing::Values("watchlist.jsonl", "watchlist.csv"));

TEST_F(ScreenIndex, ReimportsAddVersionsAndOldOnesArePruned) {
    screen::ImportReport report;
    const std::string list = Fixture("watchlist.jsonl");
    ASSERT_EQ(Import(list, &report), ImportStatus::Stored) << error_;
    // The same file again is no new version.
    ASSERT_EQ(Import(list, &report), ImportStatus::Unchanged);
    EXPECT_EQ(report.version.number, 1);
    screen::ImportOptions keepTwo;
    keepTwo.name = "watchlist";
    keepTwo.keep = 2;
    const QByteArray added =
        R"({"id": "wl-new", "schema": "Company", "properties": {"name": ["Romashka-Sever"]}})"
        "\n";
    ASSERT_EQ(Import(Copy(list, QStringLiteral("v2.jsonl"), added), &report, keepTwo),
              ImportStatus::Stored);
    EXPECT_EQ(report.version.number, 2);
    EXPECT_EQ(report.version.entities, 15);
    EXPECT_EQ(report.pruned, 0);
    ASSERT_EQ(Import(Copy(list, QStringLiteral("v3.jsonl"), added + added), &report, keepTwo),
              ImportStatus::Stored);
    EXPECT_EQ(report.version.number, 3);
    EXPECT_EQ(report.pruned, 1);
    const std::vector<screen::ListVersion> versions = Versions();
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(versions[0].number, 3);
    EXPECT_EQ(versions[1].number, 2);
    // Screening reads the newest version only: the new entity matches once.
    const std::vector<Match> matches = Screen(Firm("ООО \"Ромашка-Север\""));
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].entityId, "wl-new");
    EXPECT_EQ(matches[0].versionNumber, 3);

    screen::Index index;
    ASSERT_TRUE(Succeeded(index.Open(path_, screen::Index::Access::ReadWrite)));
    platform::Result<bool> found = index.Remove("watchlist");
    ASSERT_TRUE(Succeeded(found));
    EXPECT_TRUE(*found);
    found = index.Remove("watchlist");
    ASSERT_TRUE(Succeeded(found));
    EXPECT_FALSE(*found);
    index.Close();
    EXPECT_TRUE(Versions().empty());
    EXPECT_TRUE(Screen(Firm("ООО \"Ромашка-Север\"", "7713001232")).empty());
}

TEST_F(ScreenIndex, FilesThatAreNoListAreRefusedBeforeAnythingIsStored) {
    screen::ImportReport report;
    ASSERT_EQ(Import(Fixture("watchlist.jsonl"), &report), ImportStatus::Stored) << error_;
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"notes.jsonl", "hello\nworld\n", "not a watch list (neither"},
        {"empty.jsonl", "", "not a watch list (neither"},
        {"pretty.json", "{\n  \"id\": \"a\",\n  \"schema\": \"Company\"\n}\n",
         "not a watch list (no line holds an entity"},
        {"garbage.jsonl", "{broken\n{\"id\": \"only\"}\n[1]\n", "not a watch list (no line"},
        {"columns.csv", "id,name,identifiers\na,Romashka,7713001232\n",
         "not a watch list (neither"},
        {"binary.jsonl", QByteArray("\x00\x01\x02{\xff\xfe", 6), "not a watch list (neither"},
    };
    for (const Case& c : cases) {
        const QString path = dir_.filePath(QString::fromUtf8(c.name));
        ASSERT_TRUE(WriteFile(path, c.bytes));
        screen::ImportOptions options;
        options.name = "watchlist";
        EXPECT_EQ(Import(path.toStdString(), &report, options), ImportStatus::NotAList) << c.name;
        EXPECT_NE(error_.find(c.message), std::string::npos) << c.name << ": " << error_;
    }
    // A folder or a missing file cannot be read at all.
    EXPECT_EQ(Import(dir_.path().toStdString(), &report), ImportStatus::Failed);
    EXPECT_NE(error_.find("not a regular file"), std::string::npos) << error_;
    EXPECT_EQ(Import(dir_.filePath(QStringLiteral("missing.jsonl")).toStdString(), &report),
              ImportStatus::Failed);
    const std::vector<screen::ListVersion> versions = Versions();
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].number, 1);
}

TEST_F(ScreenIndex, LineEndsOverlongLinesAndQuotedLineBreaksAreRead) {
    const QByteArray entity =
        R"({"id":"e%1","schema":"Company","properties":{"name":["Kalina %1"]}})";
    QByteArray jsonl = entity;
    jsonl.replace("%1", "1");
    // Windows line ends, a line of 9 MiB (skipped, never held whole), a last line
    // without an end.
    jsonl += "\r\n" + QByteArray(9 << 20, 'x') + "\r\n" + QByteArray(entity).replace("%1", "2") +
             "\r\n\r\n" + QByteArray(entity).replace("%1", "3");
    QByteArray csv =
        "id,schema,name,aliases\r\n"
        "c1,Company,\"Kalina, Malina\",\"Line one\r\nline two\"\r\n"
        "c2,Company,Kalina 2,\r\n"
        "c3,Company,\"" +
        QByteArray(9 << 20, 'y') + "\",\r\nc4,Company,Kalina 4,";
    struct Case {
        const char* name;
        QByteArray bytes;
        std::int64_t entities;
        std::vector<std::int64_t> skippedLines;
    } cases[] = {
        {"long.jsonl", jsonl, 3, {2}},
        {"long.csv", csv, 3, {5}},
    };
    for (const Case& c : cases) {
        const QString path = dir_.filePath(QString::fromUtf8(c.name));
        ASSERT_TRUE(WriteFile(path, c.bytes));
        screen::ImportReport report;
        screen::ImportOptions options;
        options.name = c.name;
        ASSERT_EQ(Import(path.toStdString(), &report, options), ImportStatus::Stored)
            << c.name << ": " << error_;
        EXPECT_EQ(report.version.entities, c.entities) << c.name;
        EXPECT_EQ(report.skippedLines, c.skippedLines) << c.name;
    }
    screen::Screener screener;
    ASSERT_TRUE(Succeeded(screener.Load(path_, {"long.csv"})));
    const std::vector<Match> quoted = Matches(screener.ScreenName("Kalina Malina"));
    ASSERT_EQ(quoted.size(), 1u);
    EXPECT_EQ(quoted[0].entityId, "c1");
    ASSERT_EQ(Matches(screener.ScreenName("Line one line two")).size(), 1u);
}

// A name index that cannot be read fails the screen with a message naming the file,
// instead of passing for a name that no list holds.
TEST_F(ScreenIndex, AnUnreadableNameIndexFailsTheScreen) {
    screen::ImportReport report;
    ASSERT_EQ(Import(Fixture("watchlist.jsonl"), &report), ImportStatus::Stored) << error_;
    {
        screen::Screener screener;
        ASSERT_TRUE(Succeeded(screener.Load(path_)));
        EXPECT_FALSE(Matches(screener.ScreenName("ООО \"Лютик\"")).empty());
    }
    // The index still loads, but every read of a name's postings fails.
    const testsupport::ProgramResult sqlite = testsupport::RunProgram(
        QStringLiteral("sqlite3"), {QString::fromStdString(path_), screen_test::kUnreadableTerms});
    ASSERT_EQ(sqlite.exitCode, 0) << sqlite.err.toStdString();
    screen::Screener screener;
    ASSERT_TRUE(Succeeded(screener.Load(path_)));
    const platform::Result<std::vector<Match>> byName = screener.ScreenName("ООО \"Лютик\"");
    ASSERT_FALSE(byName) << byName->size() << " matches";
    EXPECT_EQ(byName.error().rfind("screening index " + path_ + ": cannot read it", 0), 0u)
        << byName.error();
    EXPECT_FALSE(screener.Screen(Firm("ООО \"Лютик\"")));
}

// A related party ("target": false) matches as a link, never as listed; an index of
// the first schema, without the flag, keeps working and its entities stay targets,
// read-only and after an import has brought it to the new schema.
TEST_F(ScreenIndex, NonTargetsMatchAsLinksAndOlderIndexesHoldTargets) {
    screen::ImportReport report;
    ASSERT_EQ(Import(Fixture("watchlist.jsonl"), &report), ImportStatus::Stored) << error_;
    const lookup::FirmRecord north = Firm("", "7713001232");
    const auto sql = [&](const QString& statements) {
        const testsupport::ProgramResult run = testsupport::RunProgram(
            QStringLiteral("sqlite3"), {QString::fromStdString(path_), statements});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.trimmed().toStdString();
    };
    std::vector<Match> found = Screen(north);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].target);
    EXPECT_TRUE(screen::ListedByNumber(found[0]));

    sql(QStringLiteral("UPDATE entities SET target = 0 WHERE entity_id = 'wl-inn-north'"));
    found = Screen(north);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_FALSE(found[0].target);
    EXPECT_FALSE(screen::ListedByNumber(found[0]));
    EXPECT_EQ(found[0].kind, MatchKind::Identifier);
    EXPECT_EQ(screen::DescribeMatch(found[0]), "linked to a listed entity: INN 7713001232");
    // Its relations name the listed entities at their other end, a person included;
    // an end that is no target is not named.
    sql(QStringLiteral(
        "INSERT INTO relations VALUES((SELECT max(id) FROM versions), 'wl-inn-north', 'asset', "
        "'p-1', 'owner', 'Ownership', '51%'); "
        "INSERT INTO relations VALUES((SELECT max(id) FROM versions), 'wl-inn-north', 'owner', "
        "'other-1', 'asset', 'Ownership', ''); "
        "INSERT INTO named VALUES((SELECT max(id) FROM versions), 'p-1', 'Person', 'Ivan "
        "Petrov');"));
    found = Screen(north);
    ASSERT_EQ(found.size(), 1u);
    ASSERT_EQ(found[0].linkedTo.size(), 1u);
    EXPECT_EQ(found[0].linkedTo[0].relation, "owned by");
    EXPECT_EQ(screen::DescribeMatch(found[0]),
              "linked to a listed entity: INN 7713001232; owned by Ivan Petrov (Person, id p-1; "
              "51%)");
    // A listed entity found by number comes before a link.
    found = Screen(Firm("ООО \"Ромашка-Юг\"", "7713001232", "1032301234569"));
    ASSERT_GE(found.size(), 2u);
    EXPECT_EQ(found[0].entityId, "wl-ogrn-south");
    EXPECT_TRUE(found[0].target);

    // Back to the first schema: no target column, version 1.
    sql(
        QStringLiteral("ALTER TABLE entities DROP COLUMN target; "
                       "UPDATE screen_schema SET version = 1;"));
    found = Screen(north);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].target);
    // An import migrates it; what it held before stays a target.
    ASSERT_EQ(Import(Copy(Fixture("watchlist.jsonl"), QStringLiteral("other.jsonl")), &report),
              ImportStatus::Stored)
        << error_;
    EXPECT_EQ(sql(QStringLiteral("SELECT version FROM screen_schema")), "2");
    EXPECT_EQ(sql(QStringLiteral("SELECT count(*) FROM entities WHERE target = 0")), "0");
    for (const Match& m : Screen(north))
        EXPECT_TRUE(m.target) << m.list;
}

TEST_F(ScreenIndex, ALinkAtTheIndexPathIsNeverFollowed) {
    const QString target = dir_.filePath(QStringLiteral("elsewhere.sqlite"));
    const QString link = dir_.filePath(QStringLiteral("link.sqlite"));
    ASSERT_TRUE(QFile::link(target, link));
    screen::Index index;
    const platform::Status linked =
        index.Open(link.toStdString(), screen::Index::Access::ReadWrite);
    ASSERT_FALSE(linked);
    EXPECT_NE(linked.error().find("symbolic link"), std::string::npos) << linked.error();
    EXPECT_FALSE(QFileInfo::exists(target));
    // Nor a file that is no index.
    QFile other(dir_.filePath(QStringLiteral("other.sqlite")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("this is a text file, not a database, and it is long enough to be read as one");
    other.close();
    const platform::Status foreign =
        index.Open(other.fileName().toStdString(), screen::Index::Access::ReadWrite);
    ASSERT_FALSE(foreign);
    EXPECT_NE(foreign.error().find("it is no screening index"), std::string::npos)
        << foreign.error();
}

}  // namespace
