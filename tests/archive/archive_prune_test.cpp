// Pruning real archives: a size limit met by a file whose search index is large,
// the last check of each query kept whatever the limit, the chain still verifiable
// from the new base (over records removed between kept ones), the log kept near its
// limit with a reader attached, and files of the schema before pruning kept gaps.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <map>

#include "archive/archive_db.h"
#include "support/archive_records.h"
#include "support/archive_support.h"

namespace {

using archive::Archive;
using archive::CheckRecord;
using namespace archive_test;

// Pruning a large file may take minutes on a loaded machine.
const archive_test::Launch kPruning{{}, false, 300000};

// count checks of `queries` queries in turn, each with `firms` firms of many words,
// so that the search index is a large part of the file.
void Fill(const QString& path, int count, int queries, int firms) {
    Archive db;
    ASSERT_TRUE(Succeeded(db.Open(path.toStdString(), Archive::Access::ReadWrite)));
    std::vector<CheckRecord> records;
    for (int i = 0; i < count; ++i) {
        CheckRecord record = Check("Ромашка " + std::to_string(i % queries));
        for (int f = 0; f < firms; ++f) {
            const std::string n = std::to_string(i * firms + f);
            record.firms.push_back(Firm(
                "ООО Ромашка Плюс Лесная Торговая Компания " + n + " Ветер" + n + " Берег" + n,
                std::to_string(1027700000000LL + i * firms + f), "г. Москва, ул. Лесная, д. " + n));
        }
        records.push_back(std::move(record));
        if (records.size() == 200 || i + 1 == count) {
            ASSERT_TRUE(Succeeded(db.Append(records)));
            records.clear();
        }
    }
}

// The newest check of each query, by query.
std::map<std::string, std::int64_t> LastChecks(const QString& path) {
    std::map<std::string, std::int64_t> last;
    for (const QString& row :
         QString::fromStdString(
             Sqlite(path, QStringLiteral("SELECT typed || '=' || max(id) FROM checks GROUP BY "
                                         "typed")))
             .split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList parts = row.split(QLatin1Char('='));
        last[parts[0].toStdString()] = parts[1].toLongLong();
    }
    return last;
}

// A limit well below the file: records go, oldest first, only until the file, its
// index merged and its free pages handed back, fits; the newest check of each query
// stays, and the chain verifies from the new base.
TEST(ArchivePrune, SizeLimitIsMetWithALargeSearchIndex) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    Fill(path, 2012, 40, 12);
    ASSERT_GT(QFileInfo(path).size(), 8 * 1024 * 1024);
    const auto lastBefore = LastChecks(path);

    // A reader attached the whole time does not keep the log from being cut back.
    Archive reader;
    ASSERT_TRUE(Succeeded(reader.Open(path.toStdString(), Archive::Access::ReadOnly)));
    std::vector<archive::CheckSummary> checks;
    ASSERT_TRUE(Succeeded(reader.List({}), &checks));

    const Ended pruned = Tool({"--archive", path, "prune", "--max-mib", "5"}, kPruning);
    ASSERT_EQ(pruned.exitCode, 0) << pruned.err;
    const QStringList words = QString::fromStdString(pruned.out).split(QLatin1Char(' '));
    ASSERT_GE(words.size(), 5) << pruned.out;
    const std::int64_t removed = words[1].toLongLong();
    const std::int64_t kept = words[4].toLongLong();
    EXPECT_EQ(removed + kept, 2012) << pruned.out;
    EXPECT_GT(kept, 40) << pruned.out;
    EXPECT_LE(QFileInfo(path).size(), 5 * 1024 * 1024);
    // Not far below it either: records go only until the limit is met.
    EXPECT_GT(QFileInfo(path).size(), 3 * 1024 * 1024);
    EXPECT_LE(QFileInfo(path + QStringLiteral("-wal")).size(), archive::kWalLimitBytes);
    EXPECT_EQ(LastChecks(path), lastBefore);
    EXPECT_EQ(Sqlite(path, QStringLiteral("INSERT INTO firm_text(firm_text) "
                                          "VALUES ('integrity-check'); SELECT 'ok'")),
              "ok");
    const archive::VerifyReport report = VerifyFile(path);
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, kept);
    const Ended verified = Tool({"--archive", path, "verify"}, kPruning);
    EXPECT_EQ(verified.exitCode, 0) << verified.out;
}

// When only the last checks of their queries are left and the file is still above
// the limit, they stay and the tool says why the limit was not met.
TEST(ArchivePrune, LastCheckOfEachQueryIsNeverRemovedForSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    Fill(path, 60, 30, 300);
    const Ended pruned = Tool({"--archive", path, "prune", "--max-mib", "1"}, kPruning);
    ASSERT_EQ(pruned.exitCode, 0) << pruned.err;
    EXPECT_EQ(pruned.out.rfind("prune: 30 records removed, 30 kept; the archive is ", 0), 0u)
        << pruned.out;
    EXPECT_NE(pruned.out.find(", above the 1 MiB asked: what is left is the last check of each "
                              "query, which is never removed for the size\n"),
              std::string::npos)
        << pruned.out;
    EXPECT_EQ(Sqlite(path, QStringLiteral("SELECT min(id) || '-' || max(id) FROM checks")),
              "31-60");
    EXPECT_TRUE(VerifyFile(path).intact);
}

// Records removed between kept ones leave their digests: the chain passes over them,
// a changed one is caught, and once the older kept records go too the base moves
// past them all.
TEST(ArchivePrune, ChainRunsOverRecordsRemovedBetweenKeptOnes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    Archive db;
    ASSERT_TRUE(Succeeded(db.Open(path.toStdString(), Archive::Access::ReadWrite)));
    std::vector<CheckRecord> records;
    // "Лютик" is checked once, first; "Ромашка" many times with large answers.
    records.push_back(Check("Лютик"));
    for (int i = 0; i < 40; ++i) {
        CheckRecord record = Check("Ромашка");
        for (int f = 0; f < 200; ++f)
            record.firms.push_back(Firm("ООО Ромашка " + std::to_string(i * 200 + f),
                                        std::to_string(1027700000000LL + i * 200 + f),
                                        std::string(300, 'a')));
        records.push_back(std::move(record));
    }
    ASSERT_TRUE(Succeeded(db.Append(records)));
    archive::PruneReport report;
    ASSERT_TRUE(Succeeded(db.Prune({0, 1}), &report));
    EXPECT_GT(report.removed, 0);
    EXPECT_TRUE(report.sizeMet);
    EXPECT_EQ(Sqlite(path, QStringLiteral("SELECT min(id), base_id FROM checks, chain")), "1|0");
    EXPECT_EQ(Sqlite(path, QStringLiteral("SELECT count(*) FROM pruned")),
              std::to_string(report.removed));
    archive::VerifyReport verified = VerifyFile(path);
    EXPECT_TRUE(verified.intact) << verified.problem;
    EXPECT_EQ(verified.records, report.kept);

    const QString lastPruned = QStringLiteral("(SELECT max(id) FROM pruned)");
    const std::string kept = Sqlite(path, "SELECT digest FROM pruned WHERE id = " + lastPruned);
    Sqlite(path, "UPDATE pruned SET digest = 'x' || substr(digest, 2) WHERE id = " + lastPruned);
    verified = VerifyFile(path);
    EXPECT_FALSE(verified.intact);
    Sqlite(path, QStringLiteral("UPDATE pruned SET digest = '%1' WHERE id = %2")
                     .arg(QString::fromStdString(kept), lastPruned));
    EXPECT_TRUE(VerifyFile(path).intact);

    // A newer "Лютик" check lets the first one go; the base moves past the gap.
    records.clear();
    records = {Check("Лютик")};
    for (int i = 0; i < 40; ++i) {
        CheckRecord record = Check("Ромашка");
        for (int f = 0; f < 200; ++f)
            record.firms.push_back(Firm("АО Ромашка " + std::to_string(i * 200 + f),
                                        std::to_string(1037700000000LL + i * 200 + f),
                                        std::string(300, 'b')));
        records.push_back(std::move(record));
    }
    ASSERT_TRUE(Succeeded(db.Append(records)));
    ASSERT_TRUE(Succeeded(db.Prune({0, 1}), &report));
    EXPECT_GT(report.removed, 0);
    EXPECT_EQ(Sqlite(path, QStringLiteral("SELECT min(id) - 1 = base_id, (SELECT count(*) FROM "
                                          "pruned WHERE id <= base_id) FROM checks, chain")),
              "1|0");
    verified = VerifyFile(path);
    EXPECT_TRUE(verified.intact) << verified.problem;
    EXPECT_EQ(verified.records, report.kept);
}

// A file of the schema before pruning kept gaps reads and verifies as it is, and is
// carried forward when opened for writing.
TEST(ArchivePrune, FileOfTheEarlierSchemaVerifiesAndIsCarriedForward) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archive.sqlite"));
    Fill(path, 30, 10, 3);
    Sqlite(path, QStringLiteral("DROP TABLE pruned; UPDATE archive_schema SET version = 3"));
    const archive::VerifyReport report = VerifyFile(path);
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, 30);
    const Ended head = Tool({"--archive", path, "head"}, kPruning);
    EXPECT_EQ(head.exitCode, 0) << head.err;
    const Ended verified =
        Tool({"--archive", path, "verify", "--head", QString::fromStdString(head.out).trimmed()},
             kPruning);
    EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;

    const Ended pruned = Tool({"--archive", path, "prune", "--max-mib", "1"}, kPruning);
    EXPECT_EQ(pruned.exitCode, 0) << pruned.err;
    EXPECT_EQ(Sqlite(path, QStringLiteral("SELECT version FROM archive_schema")),
              std::to_string(archive::kSchemaVersion));
    EXPECT_EQ(Sqlite(path, QStringLiteral("SELECT count(*) FROM pruned")), "0");
    EXPECT_TRUE(VerifyFile(path).intact);
}

}  // namespace
