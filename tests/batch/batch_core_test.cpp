// The pieces a list run is made of, on real files: the options it accepts and refuses,
// a line's spool once it leaves memory, the progress file after a run that was cut
// short, the results file before and after the first line, and the cells of the csv
// and jsonl outputs.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "batch/batch_options.h"
#include "batch/line_spool.h"
#include "batch/progress_file.h"
#include "batch/results_writer.h"
#include "batch/xlsx_results.h"
#include "support/batch_run_support.h"

using batchtest::ReadFile;
using batchtest::WriteFile;

namespace {

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
        {{"a.txt", "--format", "xml"}, "--format must be text, jsonl, csv or xlsx, not \"xml\""},
        {{"a.txt", "--format"}, "--format needs a value"},
        {{"a.txt", "--dictionary", "English"}, "--dictionary needs --language"},
        {{"a.txt", "--service", "127.0.0.1:0"},
         "--service: The port \"0\" is not a number from 1 to 65535."},
        {{"a.txt", "--fast"}, "unknown option \"--fast\""},
        {{"a.txt", "--language", "Latin"}, "--language needs --format jsonl, csv or xlsx"},
        {{"a.txt", "--archive-wait", "0"},
         "--archive-wait must be a whole number of seconds from 1 to 86400, not \"0\""},
        {{"a.txt", "--no-archive", "--archive-wait", "5"},
         "--no-archive cannot go with --archive, --max-age or --archive-wait"},
        {{"a.txt", "--tsa", "http://tsa.example/"}, "--tsa needs --stamp"},
        {{"a.txt", "--stamp", "--no-archive"}, "--stamp cannot go with --no-archive"},
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
    EXPECT_EQ(defaults.archiveWait, 120);
    EXPECT_EQ(batch::ParseOptions({"list.txt", "--archive-wait", "3"}).options->archiveWait, 3);
    EXPECT_FALSE(defaults.privateFiles);
    EXPECT_TRUE(batch::ParseOptions({"list.txt", "--private"}).options->privateFiles);
}

// The rows a workbook is built from, however the file's pieces fall: quoted cells
// holding separators, quotes and line ends, empty cells, a byte-order mark split, and a
// last row without its line end.
TEST(CsvRowReader, ReadsQuotedCellsAcrossAnyPieceBoundary) {
    const std::string text =
        "\xEF\xBB\xBFline;query;text\r\n"
        "1;\"a;b\";\"say \"\"hi\"\"\"\r\n"
        "2;;\"two\r\nlines\"\r\n"
        "3;=Лютик;'x";
    const std::vector<std::vector<std::string>> expected{
        {"line", "query", "text"},
        {"1", "a;b", "say \"hi\""},
        {"2", "", "two\r\nlines"},
        {"3", "=Лютик", "'x"},
    };
    for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{7}, text.size()}) {
        batch::CsvRowReader reader;
        std::vector<std::vector<std::string>> rows;
        const auto row = [&](std::vector<std::string>& cells) {
            rows.push_back(cells);
            return true;
        };
        for (std::size_t at = 0; at < text.size(); at += piece) {
            ASSERT_TRUE(reader.Add(text.data() + at, std::min(piece, text.size() - at), row));
        }
        ASSERT_TRUE(reader.Finish(row));
        EXPECT_EQ(rows, expected) << "pieces of " << piece;
    }
    // Bytes that only begin like a byte-order mark are text.
    batch::CsvRowReader reader;
    std::vector<std::string> first;
    const auto keep = [&](std::vector<std::string>& cells) {
        first = cells;
        return false;  // one row is enough
    };
    EXPECT_FALSE(reader.Add("\xEF\xBBx;y\n", 6, keep));
    EXPECT_EQ(first, (std::vector<std::string>{"\xEF\xBBx", "y"}));
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

std::string Record(int line, batch::LineOutcome outcome, int firms, std::int64_t bytes) {
    return batch::ProgressRecordText(line, {outcome, firms, 0}, bytes) + "\n";
}

const std::string kHead = "vendrake-batch progress, format text\nlist\t12\tabc\n";

TEST_F(ProgressTest, OnlyWholeRecordsVouchForResults) {
    using batch::LineOutcome;
    const std::string sound =
        kHead + Record(1, LineOutcome::Done, 2, 100) + Record(3, LineOutcome::Failed, 0, 100) +
        Record(3, LineOutcome::Done, 1, 180) + Record(4, LineOutcome::Skipped, 0, 180);
    const std::string last = Record(5, LineOutcome::Done, 9, 83132);
    std::string garbled = last;
    garbled[2] = 'x';
    const struct {
        const char* what;
        std::string tail;
    } cases[] = {
        // A disk that filled up inside the last number.
        {"cut inside a number", last.substr(0, last.find("83132") + 2)},
        // The same, then completed by a line end that a later run appended.
        {"cut, then a line end", last.substr(0, last.find("83132") + 2) + "\n"},
        {"a checksum cut", last.substr(0, last.size() - 3) + "\n"},
        {"a garbled byte", garbled},
    };
    for (const auto& c : cases) {
        const auto parsed = batch::ParseProgress(sound + c.tail, batch::OutputFormat::Text);
        ASSERT_TRUE(parsed) << c.what << ": " << parsed.error();
        const batch::ProgressState& state = *parsed;
        EXPECT_EQ(state.lines.size(), 3u) << c.what;
        ASSERT_TRUE(state.lines.Find(3) && state.lines.Find(4)) << c.what;
        EXPECT_EQ(state.lines.Find(3)->outcome, LineOutcome::Done) << c.what;  // the later wins
        EXPECT_EQ(state.lines.Find(4)->outcome, LineOutcome::Skipped) << c.what;
        EXPECT_EQ(state.resultsBytes, 180) << c.what;
        EXPECT_EQ(state.listSize, 12) << c.what;
        EXPECT_EQ(state.listDigest, "abc") << c.what;
        // A cut record is dropped, never completed: the next record starts a line.
        const bool ended = c.tail.back() == '\n';
        EXPECT_EQ(state.wholeBytes,
                  static_cast<std::int64_t>(sound.size() + (ended ? c.tail.size() : 0)))
            << c.what;
    }
}

TEST_F(ProgressTest, RefusesShrinkingSizesAnotherFormatOrAnotherFile) {
    using batch::LineOutcome;
    const auto shrinking = batch::ParseProgress(
        kHead + Record(1, LineOutcome::Done, 2, 100) + Record(2, LineOutcome::Done, 2, 99),
        batch::OutputFormat::Text);
    ASSERT_FALSE(shrinking);
    EXPECT_EQ(shrinking.error(), "records a results size that shrinks (line 2)");
    const auto csv = batch::ParseProgress("vendrake-batch progress, format csv\nlist\t1\ta\n",
                                          batch::OutputFormat::Jsonl);
    ASSERT_FALSE(csv);
    EXPECT_EQ(csv.error(), "belongs to a run with --format csv; resume with that format");
    const auto noList = batch::ParseProgress("vendrake-batch progress, format text\n1\tdone\n",
                                             batch::OutputFormat::Text);
    ASSERT_FALSE(noList);
    EXPECT_EQ(noList.error(), "does not say which list it belongs to");
    const auto noHeader = batch::ParseProgress("1\tdone\t0\t0\t10\n", batch::OutputFormat::Text);
    ASSERT_FALSE(noHeader);
    EXPECT_EQ(noHeader.error(), "is not a progress file of vendrake-batch");
}

TEST_F(ProgressTest, AFileKilledBeforeItsListLineRecordsNothing) {
    for (const std::string& bytes :
         {std::string(), std::string("vendrake-b"),
          std::string("vendrake-batch progress, format text\n"),
          std::string("vendrake-batch progress, format text\nlist\t12\ta")}) {
        const auto state = batch::ParseProgress(bytes, batch::OutputFormat::Text);
        ASSERT_TRUE(state) << bytes << ": " << state.error();
        EXPECT_TRUE(state->blank) << bytes;
        EXPECT_TRUE(state->lines.empty());
    }
    EXPECT_FALSE(batch::ParseProgress("garbage", batch::OutputFormat::Text));
}

TEST_F(ProgressTest, ContinuingDropsACutRecordAndAFreshStartReplacesAll) {
    WriteFile(Path("p"), kHead + Record(1, batch::LineOutcome::Done, 2, 100) + "2\tdone\t1\t0\t1");
    batch::ProgressFile progress;
    const auto opened = progress.Open(Path("p"));
    ASSERT_TRUE(opened) << opened.error().why;
    const auto state = progress.Read(batch::OutputFormat::Text);
    ASSERT_TRUE(state) << state.error();
    const platform::Status continued = progress.Continue(state->wholeBytes);
    ASSERT_TRUE(continued) << continued.error();
    const platform::Status recorded = progress.Record(2, {batch::LineOutcome::Done, 1, 0}, 150);
    ASSERT_TRUE(recorded) << recorded.error();
    EXPECT_EQ(ReadFile(Path("p")), kHead + Record(1, batch::LineOutcome::Done, 2, 100) +
                                       Record(2, batch::LineOutcome::Done, 1, 150));
    const platform::Status started = progress.Start(batch::OutputFormat::Csv, 7, "ff");
    ASSERT_TRUE(started) << started.error();
    EXPECT_EQ(ReadFile(Path("p")), "vendrake-batch progress, format csv\nlist\t7\tff\n");
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
        {"\n=1+1", "\"'\n=1+1\""},
        {" =1+1", "' =1+1"},
        {"  @x", "'  @x"},
        {" a", " a"},
        {"a\x1b[31mb", "a[31mb"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(batch::CsvCell(c.value), c.cell) << c.value;
    }
    EXPECT_EQ(batch::CsvCell(std::string("a\0b\x1b", 4)), "ab");
}

TEST(ResultsCells, JsonStringsEscapeQuotesBackslashesAndControls) {
    EXPECT_EQ(batch::JsonString("ООО \"Лютик\""), "\"ООО \\\"Лютик\\\"\"");
    EXPECT_EQ(batch::JsonString("a\\b\r\n\t\x01\x1f"), "\"a\\\\b\\r\\n\\t\\u0001\\u001f\"");
}

TEST_F(ProgressTest, AResumedResultsFileLosesWhatNoRecordVouchesFor) {
    // A csv run that recorded its lines up to the header, then died while writing more.
    const std::string header =
        "\xEF\xBB\xBFline;query;kind;name;address;ogrn;grn;inn;kpp;date;"
        "authority;authority_address;region;text;service;checked_at\r\n";
    WriteFile(Path("r.csv"), header + "1;half a li");

    batch::ResultsWriter resumed(batch::OutputFormat::Csv, "host", nullptr);
    const auto opened = resumed.Open(Path("r.csv"), static_cast<std::int64_t>(header.size()));
    ASSERT_TRUE(opened) << opened.error().why;
    EXPECT_TRUE(resumed.EndsRecordAt(static_cast<std::int64_t>(header.size())));
    EXPECT_FALSE(resumed.EndsRecordAt(static_cast<std::int64_t>(header.size()) + 3));
    batch::LineReport line{2,
                           "x",
                           "x",
                           batch::LineOutcome::Skipped,
                           "check digit does not match (INN)",
                           "2026-01-02T03:04:05Z"};
    const platform::Status written = resumed.WriteLine(line, nullptr);
    ASSERT_TRUE(written) << written.error();
    EXPECT_EQ(ReadFile(Path("r.csv")),
              header +
                  "2;x;skipped;;;;;;;;;;;check digit does not match (INN);host;"
                  "2026-01-02T03:04:05Z\r\n");
    EXPECT_EQ(resumed.size(), static_cast<std::int64_t>(ReadFile(Path("r.csv")).size()));
}

TEST_F(ProgressTest, AResultsFileStaysWholeUntilTheFirstLineIsWritten) {
    WriteFile(Path("old.txt"), "eight firms' worth\r\n");
    {
        batch::ResultsWriter writer(batch::OutputFormat::Text, "host", nullptr);
        const auto opened = writer.Open(Path("old.txt"), 0);
        ASSERT_TRUE(opened) << opened.error().why;
    }
    EXPECT_EQ(ReadFile(Path("old.txt")), "eight firms' worth\r\n");
    {
        batch::ResultsWriter fresh(batch::OutputFormat::Text, "host", nullptr);
        const auto opened = fresh.Open(Path("new.txt"), 0);
        ASSERT_TRUE(opened) << opened.error().why;
    }
    EXPECT_FALSE(QFile::exists(Path("new.txt")));  // created, nothing written: removed
}

TEST_F(ProgressTest, TextBlocksCarryNoControlCharacters) {
    batch::ResultsWriter writer(batch::OutputFormat::Text, "host", nullptr);
    const auto opened = writer.Open(Path("r.txt"), 0);
    ASSERT_TRUE(opened) << opened.error().why;
    batch::LineSpool spool;
    lookup::FirmRecord firm;
    firm.name = std::string("A\0B\x1b[2JC\nD", 10);
    spool.AddFirm(firm);
    batch::LineReport line{1, "q", std::string("q\0", 2), batch::LineOutcome::Done, {}, "t"};
    const platform::Status written = writer.WriteLine(line, &spool);
    ASSERT_TRUE(written) << written.error();
    const std::string text = ReadFile(Path("r.txt"));
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(text.find('\x1b'), std::string::npos);
    EXPECT_NE(text.find("AB[2JCD\r\n"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);
}

// Occurrences is read a piece at a time: a text that straddles two pieces counts once,
// one beyond the bytes asked about not at all.
TEST_F(ProgressTest, OccurrencesAreCountedAcrossPiecesUpToTheGivenSize) {
    const std::string text = "cut short here";
    std::string bytes(1u << 20, 'x');
    bytes.replace(bytes.size() - 5, 5, text.substr(0, 5));  // straddles the first piece's end
    bytes += text.substr(5) + "y" + text + text + "z";
    const std::int64_t withoutLast = static_cast<std::int64_t>(bytes.size());
    bytes += text;
    WriteFile(Path("r.jsonl"), bytes);
    batch::ResultsWriter writer(batch::OutputFormat::Jsonl, "host", nullptr);
    const auto opened = writer.Open(Path("r.jsonl"), withoutLast);
    ASSERT_TRUE(opened) << opened.error().why;
    EXPECT_EQ(writer.Occurrences(withoutLast, text), 3);
    EXPECT_EQ(writer.Occurrences(static_cast<std::int64_t>(bytes.size()), text), 4);
    EXPECT_EQ(writer.Occurrences(0, text), 0);
}

// A progress file resumed over and over holds several records of a line, in any order
// of lines; read whole or a piece at a time, the last record of each line wins, also
// when there are more records than are sorted at once.
TEST_F(ProgressTest, TheLastRecordOfEachLineWinsInALongFile) {
    using batch::LineOutcome;
    constexpr int kLines = 700000;
    std::string bytes = kHead;
    std::int64_t size = 0;
    for (int n = 1; n <= kLines; ++n) {
        bytes += Record(n, LineOutcome::Unchecked, 0, size);
    }
    // A resumed run ends the lines out of order: even ones from the back, then odd ones.
    for (int n = kLines - (kLines % 2); n > 0; n -= 2) {
        bytes += Record(n, LineOutcome::Done, n % 7, ++size);
    }
    for (int n = 1; n <= kLines; n += 2) {
        bytes += Record(n, LineOutcome::Failed, 0, size);
        bytes += Record(n, n % 3 == 0 ? LineOutcome::Skipped : LineOutcome::Done, n % 5, ++size);
    }
    WriteFile(Path("p"), bytes);
    batch::ProgressFile file;
    const auto opened = file.Open(Path("p"));
    ASSERT_TRUE(opened) << opened.error().why;
    const auto read = file.Read(batch::OutputFormat::Text);
    ASSERT_TRUE(read) << read.error();
    const auto parsed = batch::ParseProgress(bytes, batch::OutputFormat::Text);
    ASSERT_TRUE(parsed) << parsed.error();
    for (const batch::ProgressState* state : {&*read, &*parsed}) {
        ASSERT_EQ(state->lines.size(), static_cast<std::size_t>(kLines));
        EXPECT_EQ(state->resultsBytes, size);
        EXPECT_EQ(state->wholeBytes, static_cast<std::int64_t>(bytes.size()));
        int expected = 1;
        int wrong = 0;
        for (const auto& [number, record] : state->lines) {
            const bool odd = number % 2 == 1;
            const LineOutcome outcome =
                odd && number % 3 == 0 ? LineOutcome::Skipped : LineOutcome::Done;
            const int firms = odd ? number % 5 : number % 7;
            wrong += number != expected++ || record.outcome != outcome || record.firms != firms;
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(state->lines.Find(kLines / 2 + 1)->firms, (kLines / 2 + 1) % 5);
        EXPECT_FALSE(state->lines.Find(kLines + 1));
    }
}

}  // namespace
