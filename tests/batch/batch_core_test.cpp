// The pieces a list run is made of, on real files: the options it accepts and refuses,
// how a list splits into numbered lines, a line's spool once it leaves memory, the
// progress file after a run that was cut short, and the cells of the csv and jsonl
// outputs.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "batch/batch_options.h"
#include "batch/line_spool.h"
#include "batch/list_lines.h"
#include "batch/progress_file.h"
#include "batch/results_writer.h"

namespace {

void WriteFile(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
}

TEST(BatchOptions, RefusesWhatItCannotRunWithAReason) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const Case cases[] = {
        {{}, "FILE is missing"},
        {{"a.txt", "b.txt"}, "one FILE only"},
        {{"a.txt", "--jobs", "0"}, "--jobs must be a whole number from 1 to 8, not \"0\""},
        {{"a.txt", "--jobs", "9"}, "--jobs must be a whole number from 1 to 8, not \"9\""},
        {{"a.txt", "--jobs", "2x"}, "--jobs must be a whole number from 1 to 8, not \"2x\""},
        {{"a.txt", "--interval", "-1"},
         "--interval must be a number of seconds from 0 to 86400, not \"-1\""},
        {{"a.txt", "--interval", "1e9"},
         "--interval must be a number of seconds from 0 to 86400, not \"1e9\""},
        {{"a.txt", "--format", "xml"}, "--format must be text, jsonl or csv, not \"xml\""},
        {{"a.txt", "--format"}, "--format needs a value"},
        {{"a.txt", "--dictionary", "English"}, "--dictionary needs --language"},
        {{"a.txt", "--service", "127.0.0.1:0"},
         "--service: The port \"0\" is not a number from 1 to 65535."},
        {{"a.txt", "--fast"}, "unknown option \"--fast\""},
        {{"a.txt", "--language", "Latin"}, "--language needs --format jsonl or csv"},
    };
    for (const Case& c : cases) {
        const batch::ParsedOptions parsed = batch::ParseOptions(c.args);
        EXPECT_FALSE(parsed.options.has_value()) << c.error;
        EXPECT_EQ(parsed.error, c.error);
    }
}

TEST(BatchOptions, ReadsEveryOptionInAnyOrder) {
    const batch::ParsedOptions parsed = batch::ParseOptions(
        {"--jobs", "8", "list.txt", "--interval", "0.25", "--format", "csv", "--resume",
         "--language", "Latin", "--dictionary", "English", "--service", "127.0.0.1:8080"});
    ASSERT_TRUE(parsed.options.has_value()) << parsed.error;
    const batch::BatchOptions& o = *parsed.options;
    EXPECT_EQ(o.file, QStringLiteral("list.txt"));
    EXPECT_EQ(o.jobs, 8);
    EXPECT_DOUBLE_EQ(o.interval, 0.25);
    EXPECT_EQ(o.format, batch::OutputFormat::Csv);
    EXPECT_TRUE(o.resume);
    EXPECT_EQ(o.language, QStringLiteral("Latin"));
    EXPECT_EQ(o.dictionary, QStringLiteral("English"));
    EXPECT_EQ(o.service, QStringLiteral("127.0.0.1:8080"));

    const batch::BatchOptions defaults = *batch::ParseOptions({"list.txt"}).options;
    EXPECT_EQ(defaults.jobs, 4);
    EXPECT_EQ(defaults.interval, 0);
    EXPECT_EQ(defaults.format, batch::OutputFormat::Text);
    EXPECT_FALSE(defaults.resume);
}

TEST(ListLines, NumbersEveryLineWhateverItsEnd) {
    // LF, CR LF, a lone CR, an empty line and a last line without an end.
    const batch::ListFile list = batch::SplitListFile(
        "\xEF\xBB\xBF"
        "a\nb\r\nc\rd\n\ne");
    ASSERT_EQ(list.lines.size(), 6u);
    const char* texts[] = {"a", "b", "c", "d", "", "e"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(list.lines[i].number, static_cast<int>(i + 1));
        EXPECT_EQ(list.lines[i].text, texts[i]);
    }
    EXPECT_EQ(list.lineEnd, "\n");

    // UTF-8 becomes the Windows-1251 query; the bytes stay as they were.
    const batch::ListFile utf8 = batch::SplitListFile("Лютик\r\n");
    ASSERT_EQ(utf8.lines.size(), 1u);
    EXPECT_EQ(utf8.lines[0].text, "\xCB\xFE\xF2\xE8\xEA");
    EXPECT_EQ(utf8.lines[0].bytes, "Лютик");
    EXPECT_EQ(utf8.lineEnd, "\r\n");

    // Not UTF-8: read as Windows-1251, both forms the same bytes.
    const batch::ListFile cp1251 = batch::SplitListFile("\xCB\xFE\xF2\xE8\xEA");
    ASSERT_EQ(cp1251.lines.size(), 1u);
    EXPECT_EQ(cp1251.lines[0].text, "\xCB\xFE\xF2\xE8\xEA");
    EXPECT_EQ(cp1251.lines[0].bytes, cp1251.lines[0].text);
}

TEST(LineSpool, GivesBackEveryEntryInOrderOnceItLeavesMemory) {
    batch::LineSpool spool(1000);  // a few entries, then the temporary file
    for (int i = 0; i < 500; ++i) {
        batch::SpoolEntry e;
        e.isFirm = i % 7 != 3;
        if (e.isFirm) {
            e.firm.name = "firm " + std::to_string(i);
            e.firm.kpp = std::string("a\0b", 3);  // any byte survives
            e.firm.region = std::string(i, 'r');
        } else {
            e.text = "message " + std::to_string(i);
        }
        spool.Add(std::move(e));
    }
    EXPECT_TRUE(spool.spilled());
    int i = 0;
    spool.ForEach([&](const batch::SpoolEntry& e) {
        ASSERT_EQ(e.isFirm, i % 7 != 3) << i;
        if (e.isFirm) {
            EXPECT_EQ(e.firm.name, "firm " + std::to_string(i));
            EXPECT_EQ(e.firm.kpp, std::string("a\0b", 3));
            EXPECT_EQ(e.firm.region, std::string(i, 'r'));
            EXPECT_TRUE(e.firm.address.empty());
        } else {
            EXPECT_EQ(e.text, "message " + std::to_string(i));
        }
        ++i;
    });
    EXPECT_EQ(i, 500);
    EXPECT_EQ(spool.firms() + spool.messages(), 500);
    EXPECT_EQ(spool.messages(), 71);
}

class ProgressTest : public ::testing::Test {
  protected:
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

TEST_F(ProgressTest, AResumedRunTrustsOnlyCompleteRecords) {
    WriteFile(Path("p"),
              "vendrake-batch progress, format text\n"
              "1\tdone\t2\t0\t100\n"
              "3\tfailed\t0\t0\t100\n"
              "2\tdo"  // cut short by a crash, then a resumed run went on after it
              "\n3\tdone\t1\t1\t180\n"
              "4\tskipped\t0\t0\t180\n"
              "5\tdone\t9\t0\t9");  // the last record, cut short
    batch::ProgressState state;
    std::string error;
    ASSERT_TRUE(batch::ReadProgress(Path("p"), batch::OutputFormat::Text, &state, &error)) << error;
    ASSERT_EQ(state.lines.size(), 3u);
    EXPECT_EQ(state.lines[1].outcome, batch::LineOutcome::Done);
    EXPECT_EQ(state.lines[3].outcome, batch::LineOutcome::Done);  // the later record wins
    EXPECT_EQ(state.lines[3].messages, 1);
    EXPECT_EQ(state.lines[4].outcome, batch::LineOutcome::Skipped);
    EXPECT_EQ(state.resultsBytes, 180);

    // Continuing the file puts the next record on a line of its own.
    batch::ProgressFile progress;
    ASSERT_TRUE(progress.Open(Path("p"), batch::OutputFormat::Text, true, &error)) << error;
    ASSERT_TRUE(progress.Record(5, {batch::LineOutcome::Unchecked, 0, 0}, 180, &error));
    ASSERT_TRUE(batch::ReadProgress(Path("p"), batch::OutputFormat::Text, &state, &error));
    EXPECT_EQ(state.lines[5].outcome, batch::LineOutcome::Unchecked);
}

TEST_F(ProgressTest, RefusesAnotherFormatOrAnotherFile) {
    WriteFile(Path("p"), "vendrake-batch progress, format csv\n1\tdone\t0\t0\t10\n");
    WriteFile(Path("q"), "1\tdone\t0\t0\t10\n");
    batch::ProgressState state;
    std::string error;
    EXPECT_FALSE(batch::ReadProgress(Path("p"), batch::OutputFormat::Jsonl, &state, &error));
    EXPECT_EQ(error, "\"" + Path("p").toStdString() +
                         "\" belongs to a run with --format csv; resume with that format");
    EXPECT_FALSE(batch::ReadProgress(Path("q"), batch::OutputFormat::Text, &state, &error));
    EXPECT_EQ(error,
              "\"" + Path("q").toStdString() + "\" is not a progress file of vendrake-batch");
}

TEST(ResultsCells, CsvCellsAreGuardedAgainstFormulasAndQuoted) {
    struct Case {
        const char* value;
        const char* cell;
    };
    const Case cases[] = {
        {"", ""},
        {"ООО Ромашка", "ООО Ромашка"},
        {"=1+2", "'=1+2"},
        {"+7 495", "'+7 495"},
        {"-5", "'-5"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"a;b", "\"a;b\""},
        {"ООО \"Лютик\"", "\"ООО \"\"Лютик\"\"\""},
        {"=a;\"b\"", "\"'=a;\"\"b\"\"\""},
        {"a=b", "a=b"},  // only the first character counts
    };
    for (const Case& c : cases) {
        EXPECT_EQ(batch::CsvCell(c.value), c.cell) << c.value;
    }
}

TEST(ResultsCells, JsonStringsEscapeQuotesBackslashesAndControls) {
    EXPECT_EQ(batch::JsonString("ООО \"Лютик\""), "\"ООО \\\"Лютик\\\"\"");
    EXPECT_EQ(batch::JsonString("a\\b\r\n\t\x01\x1f"), "\"a\\\\b\\r\\n\\t\\u0001\\u001f\"");
}

TEST_F(ProgressTest, AResumedResultsFileLosesWhatNoRecordVouchesFor) {
    // A csv run that recorded its lines up to byte 40, then died while writing more.
    {
        batch::ResultsWriter first(batch::OutputFormat::Csv, "host", nullptr);
        std::string error;
        ASSERT_TRUE(first.Open(Path("r.csv"), false, -1, &error)) << error;
    }
    const std::string header = ReadFile(Path("r.csv"));
    ASSERT_EQ(header.rfind("\xEF\xBB\xBFline;query;kind;name;address;ogrn;grn;inn;kpp;date;"
                           "authority;authority_address;region;text;service;checked_at\r\n",
                           0),
              0u);
    WriteFile(Path("r.csv"), header + "1;half a li");

    batch::ResultsWriter resumed(batch::OutputFormat::Csv, "host", nullptr);
    std::string error;
    ASSERT_TRUE(resumed.Open(Path("r.csv"), true, static_cast<std::int64_t>(header.size()), &error))
        << error;
    batch::LineReport line{2,
                           "x",
                           "x",
                           batch::LineOutcome::Skipped,
                           "check digit does not match (INN)",
                           "2026-01-02T03:04:05Z"};
    ASSERT_TRUE(resumed.WriteLine(line, nullptr, &error)) << error;
    EXPECT_EQ(ReadFile(Path("r.csv")),
              header +
                  "2;x;skipped;;;;;;;;;;;check digit does not match (INN);host;"
                  "2026-01-02T03:04:05Z\r\n");
    EXPECT_EQ(resumed.size(), static_cast<std::int64_t>(ReadFile(Path("r.csv")).size()));
}

}  // namespace
