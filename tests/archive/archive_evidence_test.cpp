// Evidence that holds outside this computer: each tamper of a real archive file, made
// with the sqlite3 tool, caught by verify, with a kept head where only a head can tell;
// heads kept as a line or as JSON; evidence files written by vendrake-archive and
// checked without the archive, tampered too.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "archive/archive_db.h"
#include "archive/archive_evidence.h"
#include "support/archive_records.h"
#include "support/archive_support.h"

namespace {

using archive::Archive;
using archive::CheckRecord;
using namespace archive_test;

// The digest of a record's line in an evidence file.
std::string RecordLineDigest(const QString& line) {
    return QJsonDocument::fromJson(line.toUtf8())
        .object()
        .value(QStringLiteral("record"))
        .toObject()
        .value(QStringLiteral("digest"))
        .toString()
        .toStdString();
}

class Evidence : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = dir_.filePath(QStringLiteral("archive.sqlite"));
        Archive db;
        ASSERT_TRUE(Succeeded(db.Open(path_.toStdString(), Archive::Access::ReadWrite)));
        std::vector<CheckRecord> records;
        for (int i = 0; i < 6; ++i) {
            // Two queries in turn: "Ромашка" (odd ids) and "Лютик" (even ids).
            CheckRecord record = Check(i % 2 == 0 ? "Ромашка" : "Лютик");
            record.firms = {
                Firm(i % 2 == 0 ? "ООО Ромашка" : "АО Лютик", std::to_string(1027700000000LL + i)),
                Firm("ООО Берег", std::to_string(1037700000000LL + i))};
            records.push_back(std::move(record));
        }
        ASSERT_TRUE(Succeeded(db.Append(records)));
        ASSERT_TRUE(Succeeded(db.Head(), &kept_));
        db.Close();
        original_ = dir_.filePath(QStringLiteral("original.sqlite"));
        Sqlite(path_, QStringLiteral("VACUUM INTO '%1'").arg(original_));
    }

    // The archive as it was written, then changed by sql.
    void Tamper(const QString& sql) {
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(path_ + QLatin1String(suffix));
        ASSERT_TRUE(QFile::copy(original_, path_));
        if (!sql.isEmpty())
            Sqlite(path_, sql);
    }

    archive::VerifyReport Verify(const archive::ChainHead* head = nullptr) {
        Archive db;
        archive::VerifyReport report;
        EXPECT_TRUE(Succeeded(db.Open(path_.toStdString(), Archive::Access::ReadOnly)));
        EXPECT_TRUE(Succeeded(head != nullptr ? db.Verify(*head) : db.Verify(), &report));
        return report;
    }

    // Rewrites record 2's first firm and chains every record after it anew, as someone
    // who knows how digests are taken would.
    QString Rechained() {
        Archive db;
        EXPECT_TRUE(Succeeded(db.Open(original_.toStdString(), Archive::Access::ReadOnly)));
        // The search index is mended too, so that nothing but the chain could tell.
        const QString firm = QStringLiteral(" FROM firms WHERE check_id = 2 AND position = 0;");
        QString sql =
            "INSERT INTO firm_text(firm_text, rowid, name, inn, ogrn) SELECT 'delete', "
            "id, name, inn, ogrn" +
            firm +
            "UPDATE firms SET name = 'ООО Подлог' WHERE check_id = 2 AND "
            "position = 0; INSERT INTO firm_text(rowid, name, inn, ogrn) SELECT "
            "id, name, inn, ogrn" +
            firm;
        std::string previous;
        for (std::int64_t id = 1; id <= 6; ++id) {
            CheckRecord record;
            bool found = false;
            EXPECT_TRUE(Succeeded(db.Get(id), &record, &found));
            if (id == 2)
                record.firms[0].name = testsupport::Cp1251("ООО Подлог");
            if (id >= 2) {
                record.digest = archive::RecordDigest(record, previous);
                sql += QStringLiteral("UPDATE checks SET digest = '%1' WHERE id = %2;")
                           .arg(QString::fromStdString(record.digest))
                           .arg(id);
            }
            previous = record.digest;
        }
        return sql + QStringLiteral("UPDATE chain SET head_digest = '%1';")
                         .arg(QString::fromStdString(previous));
    }

    QTemporaryDir dir_;
    QString path_;
    QString original_;
    archive::ChainHead kept_;
};

// Each tamper is caught by verify; those that leave a chain consistent in itself
// (records cut off with the head or base moved, a forgery chained anew) are caught
// only against a kept head, and pass without one: the limit of a chain on its own.
TEST_F(Evidence, EveryTamperIsCaughtAgainstAKeptHead) {
    struct Case {
        const char* what;
        QString sql;
        const char* alone;     // verify without a head; empty: passes
        const char* withHead;  // verify against the head kept before
    };
    const Case cases[] = {
        {"field edit", "UPDATE firms SET address = 'x' WHERE check_id = 2", "record 2 was altered",
         "record 2 was altered"},
        {"reorder",
         "UPDATE checks SET id = -id WHERE id IN (2, 3); UPDATE checks SET id = 5 + id WHERE id "
         "< 0; UPDATE firms SET check_id = -check_id WHERE check_id IN (2, 3); UPDATE firms SET "
         "check_id = 5 + check_id WHERE check_id < 0",
         "record 2 was altered", "record 2 was altered"},
        {"delete middle", "DELETE FROM firms WHERE check_id = 3; DELETE FROM checks WHERE id = 3",
         "record 3 was removed", "record 3 was removed"},
        {"delete tail, head moved",
         "DELETE FROM checks WHERE id >= 5; UPDATE chain SET head_id = 4, head_digest = (SELECT "
         "digest FROM checks WHERE id = 4)",
         "", "record 5 was removed (the kept head has records up to 6)"},
        {"delete oldest, base moved",
         "DELETE FROM checks WHERE id <= 2; UPDATE chain SET base_id = 2, base_digest = (SELECT "
         "digest FROM checks WHERE id = 3)",
         "record 3 was altered", "record 3 was altered"},
        {"delete oldest, base moved with its digest",
         "UPDATE chain SET base_id = 2, base_digest = (SELECT digest FROM checks WHERE id = 2); "
         "DELETE FROM checks WHERE id <= 2",
         "", "record 1 was removed (the kept head covers 6 records, 4 are left)"},
        {"re-chained forgery", Rechained(), "",
         "record 6 was altered, or one before it (record 6 differs from the kept head)"},
        {"changed query key",
         "UPDATE checks SET query_key = (SELECT query_key FROM checks WHERE id = 1), query_hash = "
         "(SELECT query_hash FROM checks WHERE id = 1) WHERE id = 4",
         "record 4 was altered (its query key does not match its criteria)",
         "record 4 was altered (its query key does not match its criteria)"},
        {"changed count", "UPDATE checks SET firm_count = 7 WHERE id = 2",
         "record 2 was altered (its firm count does not match its firms)",
         "record 2 was altered (its firm count does not match its firms)"},
        {"deleted index rows",
         "INSERT INTO firm_text(firm_text, rowid, name, inn, ogrn) SELECT 'delete', id, name, "
         "inn, ogrn FROM firms WHERE check_id = 2",
         "the search index does not match the records",
         "the search index does not match the records"},
    };
    Tamper({});
    EXPECT_TRUE(Verify().intact);
    EXPECT_TRUE(Verify(&kept_).intact) << Verify(&kept_).problem;
    for (const Case& c : cases) {
        Tamper(c.sql);
        const archive::VerifyReport alone = Verify();
        EXPECT_EQ(alone.intact, *c.alone == '\0') << c.what;
        EXPECT_EQ(alone.problem, c.alone) << c.what;
        const archive::VerifyReport withHead = Verify(&kept_);
        EXPECT_FALSE(withHead.intact) << c.what;
        EXPECT_EQ(withHead.problem, c.withHead) << c.what;
    }
}

// A changed query key never makes another query's firms the answer "from the archive".
TEST_F(Evidence, ChangedQueryKeyNeverAnswersAnotherQuery) {
    Tamper(
        "UPDATE checks SET query_key = (SELECT query_key FROM checks WHERE id = 1), query_hash = "
        "(SELECT query_hash FROM checks WHERE id = 1) WHERE id = 6");
    Archive db;
    ASSERT_TRUE(Succeeded(db.Open(path_.toStdString(), Archive::Access::ReadOnly)));
    const platform::Result<std::optional<CheckRecord>> last =
        db.LastAnswered(Check("Ромашка").criteria, "2000-01-01");
    ASSERT_FALSE(last) << (*last ? archive::ToUtf8((*last)->firms.empty() ? std::string()
                                                                          : (*last)->firms[0].name)
                                 : std::string());
    EXPECT_NE(last.error().find("record 6 was altered: its query key does not match its criteria"),
              std::string::npos)
        << last.error();
}

// Appending extends a kept head; the head reads back from its line and its JSON, and
// text that is neither is refused.
TEST_F(Evidence, HeadsAreKeptAsALineOrJsonAndExtendedByAppends) {
    Tamper({});
    const Ended line = Tool({"--archive", path_, "head"});
    EXPECT_EQ(line.exitCode, 0) << line.err;
    EXPECT_EQ(line.out, archive::HeadLine(kept_) + "\n");
    EXPECT_EQ(line.out.rfind("vendrake-head records=6 last=6 base=0 time=", 0), 0u) << line.out;
    const Ended json = Tool({"--archive", path_, "head", "--format", "json"});
    const platform::Result<archive::ChainHead> fromLine = archive::ParseHead(line.out);
    const platform::Result<archive::ChainHead> fromJson = archive::ParseHead(json.out);
    ASSERT_TRUE(fromLine) << fromLine.error();
    ASSERT_TRUE(fromJson) << fromJson.error();
    for (const archive::ChainHead& head : {*fromLine, *fromJson}) {
        EXPECT_EQ(head.records, 6);
        EXPECT_EQ(head.lastId, 6);
        EXPECT_EQ(head.digest, kept_.digest);
        EXPECT_EQ(head.time, kept_.time);
    }
    EXPECT_FALSE(archive::ParseHead("vendrake-head records=6"));
    EXPECT_FALSE(archive::ParseHead("{\"records\":1}"));

    ASSERT_TRUE(AppendTo(path_, {Check("Ромашка")}));
    QFile headFile(dir_.filePath(QStringLiteral("head.json")));
    ASSERT_TRUE(headFile.open(QIODevice::WriteOnly));
    headFile.write(QByteArray::fromStdString("\n" + json.out));
    headFile.close();
    for (const QString& given : {headFile.fileName(), QString::fromStdString(line.out).trimmed()}) {
        const Ended verified = Tool({"--archive", path_, "verify", "--head", given});
        EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;
        EXPECT_EQ(verified.out,
                  "verify: 7 records intact; the archive extends the kept head (record 6)\n");
    }
    const Ended bad = Tool({"--archive", path_, "verify", "--head", "vendrake-head nonsense"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("a kept head is a line"), std::string::npos) << bad.err;
}

// An evidence file checks on its own, against a kept head too; an edit, a removed
// line, or a tail cut off with its head moved is named.
TEST_F(Evidence, ExportedEvidenceIsCheckedWithoutTheArchive) {
    Tamper({});
    const Ended exported = Tool({"--archive", path_, "export", "--format", "evidence"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    QStringList lines = QString::fromStdString(exported.out).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 9);  // the base, six records, the head, the empty rest
    const QString keptLine = QString::fromStdString(archive::HeadLine(kept_));
    const auto check = [&](const QStringList& content, bool withHead) {
        const QString file = dir_.filePath(QStringLiteral("evidence.jsonl"));
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content.join(QLatin1Char('\n')).toUtf8());
        out.close();
        QStringList args{"check-export", file};
        if (withHead)
            args << "--head" << keptLine;
        return Tool(args);
    };
    const Ended whole = check(lines, true);
    EXPECT_EQ(whole.exitCode, 0) << whole.out << whole.err;
    EXPECT_EQ(whole.out.rfind("check-export: 6 records intact from the base 0 to the head: ", 0),
              0u)
        << whole.out;

    QStringList edited = lines;
    edited[3].replace(QStringLiteral("ООО Ромашка"), QStringLiteral("ООО Лесная"));
    EXPECT_EQ(check(edited, false).out, "check-export: record 3 was altered\n");
    QStringList removed = lines;
    removed.removeAt(4);
    EXPECT_EQ(check(removed, false).out, "check-export: record 4 was removed\n");
    // The last record cut off and a head written for the one before it: consistent
    // in itself, caught against the head kept before.
    QStringList cut = lines.mid(0, 6);
    archive::ChainHead earlier = kept_;
    earlier.lastId = 5;
    earlier.records = 5;
    earlier.digest = RecordLineDigest(lines[5]);
    cut << QStringLiteral("{\"head\":") + QString::fromStdString(archive::HeadJson(earlier)) +
               QLatin1Char('}');
    const Ended selfOnly = check(cut, false);
    EXPECT_EQ(selfOnly.exitCode, 3);
    EXPECT_NE(selfOnly.out.find("\ncheck-export: consistent with itself only; not proven "
                                "against a kept head or a time stamp\n"),
              std::string::npos)
        << selfOnly.out;
    const Ended caught = check(cut, true);
    EXPECT_EQ(caught.exitCode, 1);
    EXPECT_EQ(caught.out,
              "check-export: record 6 was removed (the kept head has records up to 6)\n");
    EXPECT_EQ(check({QStringLiteral("not json"), QString()}, false).out,
              "check-export: line 1 is no evidence\n");
    // Records out of order are named as such, not as removed.
    QStringList swapped = lines;
    swapped.swapItemsAt(3, 4);
    EXPECT_EQ(check(swapped, false).out, "check-export: records 3 and 4 swapped\n");
    QStringList moved = lines;
    moved.move(2, 5);
    EXPECT_EQ(check(moved, false).out,
              "check-export: record 3 does not follow record 1 (record 2 comes later)\n");
    // Every field of the head is held against the records.
    QStringList counted = lines;
    counted[7].replace(QStringLiteral("\"records\":6"), QStringLiteral("\"records\":7"));
    const Ended miscounted = check(counted, false);
    EXPECT_EQ(miscounted.exitCode, 1);
    EXPECT_EQ(miscounted.out, "check-export: the head counts 7 records, the file holds 6\n");
    QStringList timed = lines;
    timed[7].replace(QStringLiteral("\"time\":\"2"), QStringLiteral("\"time\":\"1"));
    EXPECT_EQ(check(timed, false).out.rfind("check-export: the head's time 1", 0), 0u)
        << check(timed, false).out;
    // Cut at a line's end: the head is gone with the last record, which is tampering.
    const Ended headless = check(lines.mid(0, 7), false);
    EXPECT_EQ(headless.exitCode, 1) << headless.out << headless.err;
    // A CA given to a file with no time stamp proves nothing, and says so.
    EXPECT_EQ(check(lines, false).exitCode, 3);
    const Ended unstamped = Tool({"check-export", dir_.filePath(QStringLiteral("evidence.jsonl")),
                                  "--tsa-ca", dir_.filePath(QStringLiteral("evidence.jsonl"))});
    EXPECT_EQ(unstamped.exitCode, 1) << unstamped.out << unstamped.err;
    EXPECT_NE(unstamped.out.find("holds no time stamp"), std::string::npos) << unstamped.out;
}

// A file that is no evidence at all, given as the export or the kept head, is named
// and refused with status 2: never read until it ends (a FIFO), never "intact".
TEST_F(Evidence, FilesThatAreNoEvidenceAreRefused) {
    const Ended exported = Tool({"--archive", path_, "export", "--format", "evidence"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const QByteArray whole = QByteArray::fromStdString(exported.out);
    const auto write = [&](const QString& name, const QByteArray& content) {
        const QString file = dir_.filePath(name);
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
        return file;
    };
    const QString fifo = dir_.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("mkfifo"), {fifo}), 0);
    const QString good = write(QStringLiteral("good.jsonl"), whole);
    const QByteArray binary = whole.left(40) + QByteArray("\0\x01\xff", 3) + whole.mid(40);
    const struct {
        QString file;
        const char* said;
    } cases[] = {
        {dir_.path(), "it is a folder"},
        {fifo, "it is a FIFO"},
        {write(QStringLiteral("empty.jsonl"), {}), "it is empty"},
        {write(QStringLiteral("cut.jsonl"), whole.left(whole.size() - 20)), "its last line is cut"},
        {write(QStringLiteral("binary.jsonl"), binary), "it is binary"},
    };
    for (const auto& bad : cases) {
        const Ended checked = Tool({"check-export", bad.file});
        EXPECT_EQ(checked.exitCode, 2) << bad.said << checked.out << checked.err;
        EXPECT_NE(checked.err.find(bad.file.toStdString() + ": " + bad.said), std::string::npos)
            << checked.err;
        EXPECT_EQ(checked.out.find("intact"), std::string::npos) << checked.out;
        const Ended asHead = Tool({"check-export", good, "--head", bad.file});
        EXPECT_EQ(asHead.exitCode, 2) << bad.said << asHead.out << asHead.err;
    }
}

// Checks lines as an evidence file; the problem found, or "" when the file holds.
std::string EvidenceProblem(const QStringList& lines) {
    int next = 0;
    archive::EvidenceReport report;
    const bool holds = archive::CheckEvidence(
        [&](std::string* line) {
            if (next >= lines.size())
                return false;
            *line = lines[next++].toStdString();
            return true;
        },
        nullptr, &report);
    EXPECT_EQ(holds, report.intact);
    return holds ? std::string() : report.problem;
}

// Record numbers in an evidence file are whole numbers the archive can hold: one out of
// range, negative or with a fraction is no evidence, not a record read as another.
TEST_F(Evidence, RecordNumbersOutOfRangeAreNoEvidence) {
    Tamper({});
    const Ended exported = Tool({"--archive", path_, "export", "--format", "evidence"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const QStringList lines =
        QString::fromStdString(exported.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(EvidenceProblem(lines), "");

    const QString emptyHead = QStringLiteral(
        "{\"head\":{\"records\":0,\"last\":%1,\"base\":0,\"time\":\"\",\"digest\":\"\"}}");
    const QString base = QStringLiteral(
        "{\"evidence\":\"vendrake archive\",\"version\":1,\"base\":%1,"
        "\"base_digest\":\"\"}");
    EXPECT_EQ(EvidenceProblem({base.arg(QStringLiteral("1e19")),
                               emptyHead.arg(QStringLiteral("-9223372036854775808"))}),
              "line 1 is no evidence");
    EXPECT_EQ(
        EvidenceProblem({base.arg(QStringLiteral("-1")), emptyHead.arg(QStringLiteral("-1"))}),
        "line 1 is no evidence");

    QStringList fraction = lines;
    fraction[1].replace(QStringLiteral("{\"record\":{\"id\":1,"),
                        QStringLiteral("{\"record\":{\"id\":1.25,"));
    ASSERT_NE(fraction[1], lines[1]);
    EXPECT_EQ(EvidenceProblem(fraction), "line 2 is no evidence");

    QStringList head = lines;
    head[7].replace(QStringLiteral("\"last\":6,"), QStringLiteral("\"last\":6.5,"));
    ASSERT_NE(head[7], lines[7]);
    EXPECT_EQ(EvidenceProblem(head), "line 8 is no evidence");
}

}  // namespace
