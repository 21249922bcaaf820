// Screening kept in the archive: the list versions a check was screened against and
// its matches, inside the record's digest (tampers caught, evidence files carrying
// them, files of the schema before read and carried forward), and `changes` naming a
// firm that a check found on a newer list version than an earlier check did not.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "archive/archive_changes.h"
#include "archive/archive_db.h"
#include "archive/archive_evidence.h"
#include "support/archive_records.h"
#include "support/archive_support.h"

namespace {

using archive::Archive;
using archive::CheckRecord;
using archive::Screening;
using archive::ScreenMatch;
using namespace archive_test;

// A screening against "sanctions" version `version` (and "watch" version 1), with a
// match of firm on "sanctions" when matched.
Screening Screened(int version, const lookup::FirmRecord* matched = nullptr) {
    Screening screening;
    screening.screened = true;
    screening.versions = {{"sanctions", version, std::string(64, 'a' + version % 6)},
                          {"watch", 1, std::string(64, 'f')}};
    if (matched != nullptr) {
        ScreenMatch match;
        match.firmName = archive::ToUtf8(matched->name);
        match.firmInn = matched->inn;
        match.firmOgrn = matched->ogrn;
        match.list = "sanctions";
        match.version = version;
        match.entityId = "co-берег";
        match.caption = "Bereg \"Trading\" LLC\tЮг";
        match.schema = "Company";
        match.topics = {"sanction", "export.control"};
        match.kind = "name";
        match.what = "alias via Latin to Russian (GOST 7.79 B)";
        match.firmValue = "ООО \"Берег\"";
        match.entityValue = "Bereg LLC";
        match.score = 0.9312345678901234;
        screening.matches.push_back(match);
    }
    return screening;
}

// Screened records on an archive file of their own.
class ArchiveScreening : public ArchiveFile {};

const lookup::FirmRecord kBereg = Firm("ООО \"Берег\"", "1037700000001");
const lookup::FirmRecord kLes = Firm("АО Лес", "1037700000002");

// A screened record reads back as it was written and verifies; one without screening
// keeps the digest records had before screening was kept.
TEST_F(ArchiveScreening, ScreeningIsKeptInTheDigestedRecord) {
    CheckRecord plain = Check("Берег", "2026-03-01T10:00:00Z");
    plain.firms = {kBereg};
    EXPECT_EQ(archive::RecordDigest(plain, ""),
              "4616c10635e06d3917e1693d8124aabdd0ee52aea512ec09f7cc885b5134c0d4");
    CheckRecord screened = plain;
    screened.screening = Screened(2, &kBereg);
    EXPECT_NE(archive::RecordDigest(screened, ""), archive::RecordDigest(plain, ""));
    CheckRecord clean = plain;
    clean.screening = Screened(2);
    Add({plain, screened, clean});

    CheckRecord read;
    bool found = false;
    ASSERT_TRUE(Succeeded(db_.Get(2), &read, &found));
    ASSERT_TRUE(found);
    ASSERT_TRUE(read.screening.screened);
    ASSERT_EQ(read.screening.versions.size(), 2u);
    EXPECT_EQ(read.screening.versions[0].list, "sanctions");
    EXPECT_EQ(read.screening.versions[0].number, 2);
    ASSERT_EQ(read.screening.matches.size(), 1u);
    const ScreenMatch& match = read.screening.matches[0];
    EXPECT_EQ(match.caption, "Bereg \"Trading\" LLC\tЮг");
    EXPECT_EQ(match.topics, (std::vector<std::string>{"sanction", "export.control"}));
    EXPECT_EQ(match.score, 0.9312345678901234);
    CheckRecord before;
    ASSERT_TRUE(Succeeded(db_.Get(1), &before, &found));
    EXPECT_FALSE(before.screening.screened);
    EXPECT_EQ(archive::RecordDigest(read, before.digest), read.digest);
    ASSERT_TRUE(Succeeded(db_.Get(3), &read, &found));
    EXPECT_TRUE(read.screening.screened);
    EXPECT_TRUE(read.screening.matches.empty());
    EXPECT_TRUE(Verify().intact);

    // A score that is no number in [0, 1] cannot be written.
    CheckRecord bad = screened;
    bad.screening.matches[0].score = 1.5;
    std::vector<CheckRecord> records{bad};
    const platform::Status appended = db_.Append(records);
    ASSERT_FALSE(appended);
    EXPECT_NE(appended.error().find("a screening score is not within 0 and 1"), std::string::npos)
        << appended.error();
}

// Every change to what screening gave is an altered record: a match removed, a version
// moved, the screening dropped or made unreadable, or added to a record without it.
TEST_F(ArchiveScreening, VerifyCatchesScreeningTampers) {
    CheckRecord plain = Check("Берег");
    plain.firms = {kBereg};
    CheckRecord screened = plain;
    screened.screening = Screened(2, &kBereg);
    Add({plain, screened, plain});
    db_.Close();
    const QString original = dir_.filePath(QStringLiteral("original.sqlite"));
    ASSERT_EQ(Sqlite(path_, QStringLiteral("VACUUM INTO '%1'").arg(original)), "");
    const struct {
        const char* sql;
        const char* problem;
    } tampers[] = {
        {"UPDATE checks SET screening = replace(screening, '0.9312345678901234', '0.95') "
         "WHERE id = 2",
         "record 2 was altered"},
        {"UPDATE checks SET screening = replace(screening, '\"number\":2', '\"number\":1') "
         "WHERE id = 2",
         "record 2 was altered"},
        {"UPDATE checks SET screening = '{\"versions\":[],\"matches\":[]}' WHERE id = 2",
         "record 2 was altered"},
        {"UPDATE checks SET screening = '' WHERE id = 2", "record 2 was altered"},
        {"UPDATE checks SET screening = (SELECT screening FROM checks WHERE id = 2) WHERE id = 3",
         "record 3 was altered"},
        {"UPDATE checks SET screening = '{\"versions\":' WHERE id = 2",
         "record 2 was altered (its screening cannot be read)"},
    };
    for (const auto& tamper : tampers) {
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(path_ + QLatin1String(suffix));
        ASSERT_TRUE(QFile::copy(original, path_));
        EXPECT_TRUE(Verify().intact);
        Sqlite(path_, QString::fromUtf8(tamper.sql));
        const archive::VerifyReport report = Verify();
        EXPECT_FALSE(report.intact) << tamper.sql;
        EXPECT_EQ(report.problem, tamper.problem) << tamper.sql;
    }
}

// An evidence file carries each record's screening, and a checker finds it altered.
TEST_F(ArchiveScreening, EvidenceFileCarriesTheScreening) {
    CheckRecord screened = Check("Берег");
    screened.firms = {kBereg};
    screened.screening = Screened(3, &kBereg);
    Add({Check("Лес"), screened});
    std::vector<std::string> lines;
    const platform::Status written = archive::WriteEvidence(db_, {}, [&](const std::string& line) {
        lines.push_back(line);
        return true;
    });
    ASSERT_TRUE(written) << written.error();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[2].find("\"screening\":{\"versions\":[{\"list\":\"sanctions\""),
              std::string::npos)
        << lines[2];
    EXPECT_EQ(lines[1].find("screening"), std::string::npos) << lines[1];
    const auto check = [&](const std::vector<std::string>& file) {
        std::size_t at = 0;
        archive::EvidenceReport report;
        archive::CheckEvidence(
            [&](std::string* line) {
                if (at == file.size())
                    return false;
                *line = file[at++];
                return true;
            },
            nullptr, &report);
        return report;
    };
    const archive::EvidenceReport whole = check(lines);
    EXPECT_TRUE(whole.intact) << whole.problem;
    EXPECT_EQ(whole.records, 2);

    std::vector<std::string> altered = lines;
    const std::size_t entity = altered[2].find("co-берег");
    ASSERT_NE(entity, std::string::npos);
    altered[2].replace(entity, 3, "co+");
    const archive::EvidenceReport caught = check(altered);
    EXPECT_FALSE(caught.intact);
    EXPECT_EQ(caught.problem, "record 2 was altered");
}

// A file of the schema before screening was kept is read as it is, its records
// unscreened, and carried forward when opened for writing.
TEST_F(ArchiveScreening, FileOfTheEarlierSchemaIsReadAndCarriedForward) {
    CheckRecord record = Check("Берег");
    record.firms = {kBereg};
    Add({record, record});
    db_.Close();
    Sqlite(path_, QStringLiteral("ALTER TABLE checks DROP COLUMN screening; "
                                 "UPDATE archive_schema SET version = 5"));
    {
        Archive reader;
        ASSERT_TRUE(Succeeded(reader.Open(path_.toStdString(), Archive::Access::ReadOnly)));
        CheckRecord read;
        bool found = false;
        ASSERT_TRUE(Succeeded(reader.Get(2), &read, &found));
        EXPECT_TRUE(found);
        EXPECT_FALSE(read.screening.screened);
    }
    EXPECT_TRUE(Verify().intact);
    EXPECT_EQ(Sqlite(path_, QStringLiteral("SELECT version FROM archive_schema")), "5");

    ASSERT_TRUE(Succeeded(db_.Open(path_.toStdString(), Archive::Access::ReadWrite)));
    EXPECT_EQ(Sqlite(path_, QStringLiteral("SELECT version FROM archive_schema")),
              std::to_string(archive::kSchemaVersion));
    record.screening = Screened(1, &kBereg);
    Add({record});
    const archive::VerifyReport report = Verify();
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, 3);
}

// "newly listed": a firm screened clean against version 1 of a list and matched on
// version 2 by a later check, of the same query or another. Not when it was already
// listed, when the earlier check was not screened, or when the later check is before
// --since.
TEST_F(ArchiveScreening, ChangesNameFirmsNewlyListed) {
    CheckRecord first = Check("Берег", "2026-03-01T10:00:00Z");
    first.firms = {kBereg, kLes};
    first.screening = Screened(1);
    CheckRecord unscreened = Check("Лес", "2026-03-02T10:00:00Z");
    unscreened.firms = {Firm("ООО Поле", "1037700000003")};
    CheckRecord later = Check("Лес", "2026-04-01T10:00:00Z");
    later.firms = {kLes, Firm("ООО Поле", "1037700000003")};
    later.screening = Screened(2, &kLes);
    later.screening.matches.push_back(later.screening.matches[0]);
    later.screening.matches[1].firmName = "ООО Поле";
    later.screening.matches[1].firmOgrn = "1037700000003";
    later.screening.matches[1].firmInn = later.firms[1].inn;
    CheckRecord again = Check("Берег", "2026-05-01T10:00:00Z");
    again.firms = {kBereg, kLes};
    again.screening = Screened(3, &kLes);
    Add({first, unscreened, later, again});

    std::vector<archive::FirmChange> listed;
    for (const archive::FirmChange& change : Changes()) {
        if (change.kind == archive::ChangeKind::NewlyListed)
            listed.push_back(change);
    }
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].name, "АО Лес");
    EXPECT_EQ(listed[0].ogrn, "1037700000002");
    EXPECT_EQ(listed[0].oldCheck, 1);
    EXPECT_EQ(listed[0].newCheck, 3);
    EXPECT_EQ(listed[0].field, "sanctions");
    EXPECT_EQ(listed[0].oldValue, "version 1");
    EXPECT_EQ(listed[0].newValue, "version 2");
    EXPECT_NE(listed[0].reason.find("co-берег"), std::string::npos) << listed[0].reason;
    for (const archive::FirmChange& change : Changes("2026-04-02"))
        EXPECT_NE(change.kind, archive::ChangeKind::NewlyListed);

    db_.Close();
    QProcess tool;
    tool.start(kTool, {"--archive", path_, "changes"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    const QString out = QString::fromUtf8(tool.readAllStandardOutput());
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_TRUE(out.contains(QStringLiteral(
        "2026-04-01T10:00:00Z\tЛес\tnewly listed\tАО Лес INN 7700000002 OGRN 1037700000002\t"
        "sanctions version 2 (not on version 1 at record 1, 2026-03-01T10:00:00Z): name alias "
        "via Latin to Russian (GOST 7.79 B): ООО \"Берег\" ~ Bereg LLC (entity co-берег, Bereg "
        "\"Trading\" LLC Юг), score 0.9312345678901234\n")))
        << out.toStdString();

    QProcess show;
    show.start(kTool, {"--archive", path_, "show", "3"});
    ASSERT_TRUE(show.waitForFinished(30000));
    const QString shown = QString::fromUtf8(show.readAllStandardOutput());
    EXPECT_TRUE(shown.contains(QStringLiteral("\nscreened against: sanctions v2 (cccc")))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(
        QStringLiteral("\nlisted: АО Лес on sanctions v2: co-берег (Bereg \"Trading\" LLC Юг), "
                       "name alias via Latin to Russian (GOST 7.79 B), score "
                       "0.9312345678901234\n")))
        << shown.toStdString();
}

}  // namespace
