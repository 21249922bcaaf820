// vendrake-batch --format xlsx end to end against the stand-in register, the workbook
// unzipped and its sheets read as XML: the csv file's rows as text cells under a bold,
// frozen, filtered header, the run's summary sheet, a run stopped by the daily limit
// and resumed into one workbook, and the file's mode.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>
#include <string>
#include <vector>

#include "batch/xlsx_results.h"
#include "support/batch_run_support.h"
#include "support/xlsx_read.h"

using batchtest::BatchFolder;
using batchtest::ModeOf;
using batchtest::Outcome;
using testsupport::StandinServer;

namespace {

using Rows = std::vector<std::vector<std::string>>;

QString Sheet(int n) {
    return QStringLiteral("xl/worksheets/sheet%1.xml").arg(n);
}

// A sheet's cells as rows of texts (cells never written are empty); every cell must be
// a text cell.
Rows SheetRows(const QString& path, int n) {
    const QByteArray sheet = xlsxtest::Part(path, Sheet(n));
    EXPECT_FALSE(sheet.isEmpty()) << path.toStdString();
    EXPECT_FALSE(sheet.contains("<f>")) << "a formula in sheet " << n;
    Rows rows;
    static const QRegularExpression ref(QStringLiteral("^([A-Z]+)(\\d+)$"));
    for (const auto& [name, cell] : xlsxtest::Cells(sheet, xlsxtest::SharedStrings(path))) {
        const QRegularExpressionMatch m = ref.match(name);
        if (!m.hasMatch()) {
            ADD_FAILURE() << name.toStdString();
            continue;
        }
        std::size_t column = 0;
        for (const QChar c : m.captured(1)) {
            column = column * 26 + static_cast<std::size_t>(c.unicode() - 'A' + 1);
        }
        const auto row = static_cast<std::size_t>(m.captured(2).toInt());
        EXPECT_TRUE(cell.type == "inlineStr" || cell.type == "s")
            << name.toStdString() << " is no text cell: " << cell.type.toStdString();
        if (rows.size() < row) {
            rows.resize(row);
        }
        if (rows[row - 1].size() < column) {
            rows[row - 1].resize(column);
        }
        rows[row - 1][column - 1] = cell.text.toStdString();
    }
    return rows;
}

// The rows of a csv file (the byte-order mark dropped), each padded to width.
Rows CsvRows(const std::string& bytes, std::size_t width) {
    Rows rows;
    batch::CsvRowReader reader;
    const auto row = [&](std::vector<std::string>& cells) {
        cells.resize(std::max(width, cells.size()));
        rows.push_back(cells);
        return true;
    };
    reader.Add(bytes.data(), bytes.size(), row);
    reader.Finish(row);
    return rows;
}

// Cells ending a row that hold nothing are never written to a sheet.
void TrimRows(Rows* rows) {
    for (auto& row : *rows) {
        while (!row.empty() && row.back().empty()) {
            row.pop_back();
        }
    }
}

// The summary sheet's caption/value lines.
std::map<std::string, std::string> Summary(const QString& path) {
    std::map<std::string, std::string> out;
    for (const auto& row : SheetRows(path, 2)) {
        if (row.size() == 2) {
            out[row[0]] = row[1];
        }
    }
    return out;
}

const char kList[] = "1027700101230\nЛютик\nПусто\n7713001233\n=Лютик\nОбрыв\n";

// The workbook holds the csv export's rows as they are, only without the apostrophe
// that keeps a spreadsheet from reading "=Лютик" as a formula (a text cell needs none);
// OGRNs and INNs stay whole digits, the header is bold, frozen and filtered, the
// columns are fitted, and the summary sheet sums the run up with its archive head.
TEST(BatchXlsx, WorkbookHoldsTheCsvRowsAsTextUnderItsHeader) {
    StandinServer s;
    BatchFolder csv;
    csv.WriteList(kList);
    ASSERT_EQ(csv.Run(s, {"--format", "csv", "--jobs", "1", "--no-archive"}).exitCode, 1);

    BatchFolder folder;
    folder.WriteList(kList);
    const QString archivePath = folder.path("archive.sqlite");
    const Outcome run =
        folder.Run(s, {"--format", "xlsx", "--jobs", "1", "--archive", archivePath});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const QString book = folder.path("list_enabled.xlsx");
    EXPECT_NE(run.err.find("Checking completed. Results: " + book.toStdString()), std::string::npos)
        << run.err;

    Rows rows = SheetRows(book, 1);
    // The header, five firms, a message, a skipped line and a failed one.
    ASSERT_EQ(rows.size(), 1u + 5 + 3) << run.err;
    Rows expected = CsvRows(csv.Read("list_enabled.csv"), rows[0].size());
    ASSERT_EQ(expected.size(), rows.size());
    const std::size_t checkedAt = 15;
    ASSERT_EQ(expected[0][checkedAt], "checked_at");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        rows[r].resize(expected[r].size());
        if (r > 0) {
            rows[r][checkedAt] = expected[r][checkedAt] = "T";  // the times of two runs
        }
        if (expected[r][1] == "'=Лютик") {
            expected[r][1] = "=Лютик";
        }
    }
    EXPECT_EQ(rows, expected);
    bool ogrnSeen = false;
    for (const auto& row : rows) {
        ogrnSeen = ogrnSeen || (row[5] == "1027700101230" && row[7] == "7713001232");
    }
    EXPECT_TRUE(ogrnSeen);

    const QByteArray sheet = xlsxtest::Part(book, Sheet(1));
    EXPECT_TRUE(sheet.contains("<autoFilter ref=\"A1:P9\"/>")) << sheet.toStdString();
    EXPECT_TRUE(QString::fromUtf8(sheet).contains(
        QRegularExpression(QStringLiteral("<pane ySplit=\"1\"[^>]*state=\"frozen\""))));
    const auto cells = xlsxtest::Cells(sheet);
    EXPECT_NE(cells.at("A1").style, cells.at("A2").style);
    EXPECT_TRUE(xlsxtest::Part(book, QStringLiteral("xl/styles.xml")).contains("<b/>"));
    const QRegularExpressionMatch ogrnWidth =
        QRegularExpression(QStringLiteral("<col min=\"6\" max=\"6\" width=\"([\\d.]+)\""))
            .match(QString::fromUtf8(sheet));
    ASSERT_TRUE(ogrnWidth.hasMatch()) << sheet.toStdString();
    EXPECT_GE(ogrnWidth.captured(1).toDouble(), 13);

    const auto summary = Summary(book);
    EXPECT_EQ(summary.at("Service"), "127.0.0.1:" + std::to_string(s.port()));
    EXPECT_EQ(summary.at("Run"), "complete");
    EXPECT_EQ(summary.at("Lines"), "6");
    EXPECT_EQ(summary.at("Done"), "4");
    EXPECT_EQ(summary.at("Failed"), "1");
    EXPECT_EQ(summary.at("Skipped"), "1");
    EXPECT_EQ(summary.at("Firms"), "5");
    const std::size_t head = run.err.find("Archive head: ");
    ASSERT_NE(head, std::string::npos) << run.err;
    EXPECT_EQ(summary.at("Archive head"),
              run.err.substr(head + 14, run.err.find('\n', head) - head - 14));
    EXPECT_EQ(summary.at("Finished at").size(), 20u);
}

// A workbook cannot be appended to: the rows are kept beside it, so a run the daily
// limit stopped is resumed into one workbook that holds every line once.
TEST(BatchXlsx, ResumedRunRebuildsOneWorkbookFromTheKeptRows) {
    BatchFolder folder;
    folder.WriteList("Лютик\n1027700101230\nПусто\n");
    const QStringList args{"--format", "xlsx", "--jobs", "1", "--no-archive"};
    const QString book = folder.path("list_enabled.xlsx");
    {
        StandinServer limited({"--daily-limit", "1"});
        const Outcome run = folder.Run(limited, args);
        EXPECT_EQ(run.exitCode, 5) << run.err;
        const Rows rows = SheetRows(book, 1);
        ASSERT_EQ(rows.size(), 1u + 2) << run.err;
        EXPECT_EQ(rows[1][1], "Лютик");
        EXPECT_EQ(Summary(book).at("Run"),
                  "stopped by the daily request limit: --resume on another day");
        EXPECT_EQ(Summary(book).at("Unchecked"), "2");
    }
    const QString spool = folder.path(".list_enabled.xlsx.spool");
    EXPECT_EQ(ModeOf(spool), 0600);
    EXPECT_FALSE(QFile::exists(folder.path("list_enabled.xlsx.csv")));
    StandinServer nextDay;
    QStringList resume = args;
    resume << "--resume";
    const Outcome rest = folder.Run(nextDay, resume);
    EXPECT_EQ(rest.exitCode, 0) << rest.err;
    EXPECT_FALSE(QFile::exists(spool)) << "nothing is left to resume";
    Rows rows = SheetRows(book, 1);
    TrimRows(&rows);
    ASSERT_EQ(rows.size(), 1u + 2 + 1 + 1);
    EXPECT_EQ(rows[0][0], "line");
    std::vector<std::string> lines;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        lines.push_back(rows[r][0]);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"1", "1", "2", "3"}));
    EXPECT_EQ(Summary(book).at("Run"), "complete");
    EXPECT_EQ(Summary(book).at("Done"), "3");
    EXPECT_EQ(Summary(book).at("Unchecked"), "0");

    // Without the kept rows there is nothing sound to resume from.
    EXPECT_EQ(folder.Run(nextDay, resume).exitCode, 2);
}

// At umask 022 the workbook follows it, unless --private makes it the user's alone;
// the spool of a run that ended every line is gone.
TEST(BatchXlsx, WorkbookFollowsTheUmaskUnlessPrivate) {
    const mode_t umaskBefore = ::umask(022);
    StandinServer s;
    for (const bool privateFiles : {false, true}) {
        BatchFolder folder;
        folder.WriteList("Лютик\n");
        QStringList args{"--format", "xlsx", "--no-archive"};
        if (privateFiles) {
            args << "--private";
        }
        const Outcome run = folder.Run(s, args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const int mode = privateFiles ? 0600 : 0644;
        EXPECT_EQ(ModeOf(folder.path("list_enabled.xlsx")), mode) << privateFiles;
        EXPECT_FALSE(QFile::exists(folder.path(".list_enabled.xlsx.spool"))) << privateFiles;
        EXPECT_FALSE(QFile::exists(folder.path("list_enabled.xlsx.csv"))) << privateFiles;
    }
    ::umask(umaskBefore);
}

// The spool of a stopped run is the user's alone at umask 022, and holds a value that
// looks like a formula behind the csv guard, a leading apostrophe doubled; the
// workbook holds both values as they were.
TEST(BatchXlsx, SpoolOfAStoppedRunIsPrivateAndGuarded) {
    const mode_t umaskBefore = ::umask(022);
    BatchFolder folder;
    const std::string link = "=HYPERLINK(\"http://127.0.0.1:1/\";\"Лютик\")";
    folder.WriteList(link + "\n'=Лютик\nЛютик\n");
    StandinServer limited({"--daily-limit", "2"});
    const Outcome run = folder.Run(limited, {"--format", "xlsx", "--jobs", "1", "--no-archive"});
    ::umask(umaskBefore);
    EXPECT_EQ(run.exitCode, 5) << run.err;
    const QString spool = folder.path(".list_enabled.xlsx.spool");
    EXPECT_EQ(ModeOf(spool), 0600);
    EXPECT_FALSE(QFile::exists(folder.path("list_enabled.xlsx.csv")));
    // The query column of each line's rows, from the spool and from the workbook.
    const auto queries = [](const Rows& rows) {
        std::set<std::pair<std::string, std::string>> out;
        for (std::size_t r = 1; r < rows.size(); ++r) {
            out.emplace(rows[r].at(0), rows[r].at(1));
        }
        return out;
    };
    using Queries = std::set<std::pair<std::string, std::string>>;
    EXPECT_EQ(queries(CsvRows(folder.Read(".list_enabled.xlsx.spool"), 2)),
              (Queries{{"1", "'" + link}, {"2", "''=Лютик"}}))
        << run.err;
    EXPECT_EQ(queries(SheetRows(folder.path("list_enabled.xlsx"), 1)),
              (Queries{{"1", link}, {"2", "'=Лютик"}}));
}

// A run stopped by an earlier version kept its rows as "FILE_enabled.xlsx.csv": it is
// resumed from that file into one workbook, and the file goes once the run is whole.
TEST(BatchXlsx, RunResumesFromTheRowsFileOfAnEarlierVersion) {
    BatchFolder folder;
    folder.WriteList("Лютик\n1027700101230\nПусто\n");
    const QStringList args{"--format", "xlsx", "--jobs", "1", "--no-archive"};
    {
        StandinServer limited({"--daily-limit", "1"});
        EXPECT_EQ(folder.Run(limited, args).exitCode, 5);
    }
    const QString earlier = folder.path("list_enabled.xlsx.csv");
    ASSERT_TRUE(QFile::rename(folder.path(".list_enabled.xlsx.spool"), earlier));
    StandinServer nextDay;
    const Outcome rest = folder.Run(nextDay, QStringList(args) << "--resume");
    EXPECT_EQ(rest.exitCode, 0) << rest.err;
    Rows rows = SheetRows(folder.path("list_enabled.xlsx"), 1);
    TrimRows(&rows);
    ASSERT_EQ(rows.size(), 1u + 2 + 1 + 1) << rest.err;
    EXPECT_EQ(rows[1][1], "Лютик");
    EXPECT_FALSE(QFile::exists(earlier));
    EXPECT_FALSE(QFile::exists(folder.path(".list_enabled.xlsx.spool")));
}

}  // namespace
