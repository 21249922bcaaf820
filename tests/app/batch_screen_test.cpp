// vendrake-batch --screen end to end: the stand-in register's firms screened against
// the invented watch list of the screening tests, in the four formats; the refusals
// when there is nothing to screen against; and a resumed run that counts what the
// results already hold.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "screen/index.h"
#include "support/archive_support.h"
#include "support/batch_run_support.h"
#include "support/cp1251_text.h"
#include "support/xlsx_read.h"

using batchtest::BatchFolder;
using batchtest::Count;
using batchtest::Lines;
using batchtest::Outcome;
using testsupport::Cp1251;
using testsupport::StandinServer;

namespace {

// Firm 1 of the stand-in is listed by its INN, firm 9 only by its name in GOST 7.79 B.
const std::string kListedByNumber = "7713001232\n";
const std::string kListedByName = "5407003332\n";

QJsonObject Json(const std::string& line) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
}

// Results with every time of a check as "T", for comparing two runs.
std::string Timeless(const std::string& results) {
    static const QRegularExpression time(
        QStringLiteral("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ"));
    return QString::fromLatin1(QByteArray::fromStdString(results))
        .replace(time, QStringLiteral("T"))
        .toLatin1()
        .toStdString();
}

// A screened run's results with the screening taken out: a run without --screen's.
std::string Unscreened(const std::string& results, const char* format) {
    const std::string f = format;
    std::string out;
    if (f == "jsonl") {
        for (const std::string& line : Lines(results)) {
            if (Json(line).value(QStringLiteral("kind")).toString() !=
                QStringLiteral("screening")) {
                out += line + "\n";
            }
        }
    } else if (f == "csv") {
        // A row's cells up to its 16th separator outside quotes: the columns of a run
        // without screening.
        for (const std::string& line : Lines(results)) {
            bool quoted = false;
            int separators = 0;
            std::size_t i = 0;
            for (; i < line.size() && separators < 16; ++i) {
                quoted = line[i] == '"' ? !quoted : quoted;
                separators += !quoted && line[i] == ';' ? 1 : 0;
            }
            out += line.substr(0, i - 1) + "\r\n";
        }
    } else {
        // Each "Screening:" block runs up to the empty line after it.
        std::size_t at = 0;
        for (std::size_t s; (s = results.find("Screening: ", at)) != std::string::npos;) {
            out += results.substr(at, s - at);
            at = results.find("\r\n\r\n", s) + 4;
        }
        out += results.substr(at);
    }
    return out;
}

class BatchScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        // The language folders screening writes names in, beside the program's copy.
        for (const char* language :
             {"GOST 7.79 B", "ISO 9", "English", "English (passport)", "Latin to Russian"}) {
            const QString from =
                QStringLiteral(VENDRAKE_SOURCE_DIR "/data/Transliteration/") + language;
            const QString to = folder_.path("Transliteration/") + language;
            QDir().mkpath(to);
            for (const QString& file : QDir(from).entryList(QDir::Files)) {
                QFile::copy(from + "/" + file, to + "/" + file);
            }
        }
        index_ = folder_.path("screening.sqlite").toStdString();
    }

    // Imports the invented watch list into the test's index. The screening tool does it
    // in a process of its own: an import in this process starts threads, and a process
    // that has started threads and then starts the program under test (a fork) cannot
    // start threads any more under the thread sanitizer.
    void ImportWatchList() {
        const archive_test::Ended imported =
            archive_test::RunProgram(QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-screen"),
                                     {"--index", QString::fromStdString(index_), "import",
                                      VENDRAKE_SOURCE_DIR "/tests/screen/data/watchlist.jsonl",
                                      "--name", "invented", "--keep", "3"});
        ASSERT_EQ(imported.exitCode, 0) << imported.out << imported.err;
    }

    Outcome Run(const std::string& list, const char* format, bool screened, QStringList more = {}) {
        folder_.WriteList(list);
        QStringList args = {"--format", format, "--no-archive", "--jobs", "1"};
        if (screened) {
            args << "--screen"
                 << "--screen-index" << QString::fromStdString(index_);
        }
        return folder_.Run(s_, args + more);
    }

    std::string Results(const char* format) const {
        const std::string f = format;
        return folder_.Read(f == "text" ? "list_enabled.txt" : ("list_enabled." + f).c_str());
    }

    StandinServer s_;
    BatchFolder folder_;
    std::string index_;
};

TEST_F(BatchScreen, AMatchByNumberIsRecordedInEachFormatAndEndsWithSix) {
    ImportWatchList();
    const std::string list = kListedByNumber + kListedByName + "7713001233\n";
    for (const char* format : {"jsonl", "csv", "text"}) {
        SCOPED_TRACE(format);
        const Outcome plain = Run(list, format, false);
        EXPECT_EQ(plain.exitCode, 1) << plain.err;  // the third line's check digit is wrong
        const std::string unscreened = Results(format);

        const Outcome run = Run(list, format, true);
        // A listed firm outweighs the skipped line; the summary names both.
        EXPECT_EQ(run.exitCode, 6) << run.err;
        EXPECT_NE(run.err.find("Screening against invented v1 (14 entities, SHA-256 "),
                  std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find("Summary: checked 3 of 3 lines, found 2 firms and 0 messages, "
                               "failed 0, skipped 1, unchecked 0, listed by number: 1, by name "
                               "only: 1\n"),
                  std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find("Screening: 1 firms match a watch list by number (exit status 6); "
                               "1 lines also failed or were skipped.\n"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.err.find("names are not compared"), std::string::npos) << run.err;

        // Screening only adds: without it the results are what they were.
        const std::string results = Results(format);
        EXPECT_EQ(Timeless(Unscreened(results, format)), Timeless(unscreened));
        EXPECT_NE(unscreened, results);
    }
}

// A screened line's archive record keeps the versions it was screened against and each
// match with its firm, inside the digest: the chain still verifies.
TEST_F(BatchScreen, TheArchiveRecordKeepsTheVersionsAndTheMatches) {
    ImportWatchList();
    const std::string archivePath = folder_.path("a.sqlite").toStdString();
    folder_.WriteList(kListedByNumber + kListedByName);
    const Outcome run = folder_.Run(
        s_, {"--format", "jsonl", "--jobs", "1", "--archive", QString::fromStdString(archivePath),
             "--screen", "--screen-index", QString::fromStdString(index_)});
    ASSERT_EQ(run.exitCode, 6) << run.err;

    archive::Archive db;
    ASSERT_TRUE(archive_test::Succeeded(db.Open(archivePath, archive::Archive::Access::ReadOnly)));
    std::vector<std::string> kinds;
    ASSERT_TRUE(archive_test::Succeeded(db.Scan("", [&kinds](const archive::CheckRecord& r) {
        EXPECT_TRUE(r.screening.screened);
        EXPECT_EQ(r.screening.versions.size(), 1u);
        if (!r.screening.versions.empty()) {
            EXPECT_EQ(r.screening.versions[0].list, "invented");
            EXPECT_EQ(r.screening.versions[0].number, 1);
        }
        for (const archive::ScreenMatch& m : r.screening.matches) {
            kinds.push_back(m.kind + " " + m.firmInn);
        }
        return true;
    })));
    const auto has = [&kinds](const char* kind) {
        return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
    };
    EXPECT_TRUE(has("identifier 7713001232"));
    EXPECT_TRUE(has("name 5407003332"));
    EXPECT_FALSE(has("identifier 5407003332"));
    // The chain is followed by the archive tool: following it here starts a thread,
    // which this process may no longer do (see ImportWatchList).
    const archive_test::Ended verified =
        archive_test::Tool({"--archive", QString::fromStdString(archivePath), "verify"});
    EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;
}

TEST_F(BatchScreen, EachFormatSaysWhatMatchedWhichEntityOfWhichListVersion) {
    ImportWatchList();
    const std::string list = kListedByNumber + kListedByName;

    ASSERT_EQ(Run(list, "jsonl", true).exitCode, 6);
    std::vector<QJsonObject> screening;
    std::string previousKind;
    for (const std::string& line : Lines(Results("jsonl"))) {
        const QJsonObject o = Json(line);
        if (o.value("kind").toString() == "screening") {
            EXPECT_EQ(previousKind, "firm") << "a screening record follows its firm: " << line;
            screening.push_back(o);
        }
        previousKind = o.value("kind").toString().toStdString();
    }
    ASSERT_EQ(screening.size(), 2u);
    const QJsonObject byNumber = screening[0];
    EXPECT_EQ(byNumber.value("result").toString(), "identifier");
    EXPECT_EQ(byNumber.value("inn").toString(), "7713001232");
    const QJsonObject hit = byNumber.value("matches").toArray().at(0).toObject();
    EXPECT_EQ(hit.value("list").toString(), "invented");
    EXPECT_EQ(hit.value("version").toInt(), 1);
    EXPECT_EQ(hit.value("digest").toString().size(), 64);
    EXPECT_EQ(hit.value("entity_id").toString(), "wl-inn-north");
    EXPECT_EQ(hit.value("topics").toArray().at(0).toString(), "sanction");
    EXPECT_EQ(hit.value("what").toString(), "INN");
    const QJsonObject byName = screening[1];
    EXPECT_EQ(byName.value("result").toString(), "name");
    const QJsonObject name = byName.value("matches").toArray().at(0).toObject();
    EXPECT_EQ(name.value("entity_id").toString(), "wl-gost");
    EXPECT_EQ(name.value("how").toString(), "GOST 7.79 B");
    EXPECT_EQ(name.value("entity_value").toString(), "OOO Romashka i partnyory");
    EXPECT_DOUBLE_EQ(name.value("score").toDouble(), 1.0);

    ASSERT_EQ(Run(list, "csv", true).exitCode, 6);
    const std::vector<std::string> rows = Lines(Results("csv"));
    ASSERT_EQ(rows.size(), 3u);
    const std::string header = rows[0];
    EXPECT_NE(header.find(";checked_at;screening;screening_count;screening_matches\r"),
              std::string::npos)
        << header;
    EXPECT_NE(rows[1].find(";identifier;1;\"invented v1: wl-inn-north \"\"Northern Star "
                           "Trading\"\" (Company; sanction): INN 7713001232\"\r"),
              std::string::npos)
        << rows[1];
    EXPECT_NE(rows[2].find(";name;1;\"invented v1: wl-gost"), std::string::npos) << rows[2];

    ASSERT_EQ(Run(list, "text", true).exitCode, 6);
    const std::string text = Results("text");
    EXPECT_NE(text.find("\r\n\r\nScreening: identifier match (1)\r\n  invented v1: wl-inn-north "
                        "\"Northern Star Trading\" (Company; sanction): INN 7713001232\r\n\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(Cp1251(
                  "\r\n\r\nScreening: name match (1)\r\n  invented v1: wl-gost \"OOO Romashka i "
                  "partnyory\" (Company; sanction): name 1.00: ООО \"Ромашка и партнёры\" (GOST "
                  "7.79 B) ~ OOO Romashka i partnyory (name)\r\n\r\n")),
              std::string::npos)
        << text;
}

TEST_F(BatchScreen, AMatchByNameAloneEndsAsARunWithoutScreening) {
    ImportWatchList();
    for (const char* format : {"jsonl", "csv", "text"}) {
        SCOPED_TRACE(format);
        const Outcome run = Run(kListedByName, format, true);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.err.find("listed by number: 0, by name only: 1\n"), std::string::npos)
            << run.err;
        EXPECT_EQ(run.err.find("exit status 6"), std::string::npos) << run.err;
    }
}

TEST_F(BatchScreen, NothingToScreenAgainstRefusesTheRunBeforeAnyRequest) {
    struct Case {
        const char* what;
        bool createEmpty;
        const char* error;
    };
    const Case cases[] = {
        {"no index file", false, ": no list has been imported yet"},
        {"an index without a list", true, ": no list has been imported yet"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(QString::fromStdString(index_));
        if (c.createEmpty) {
            screen::Index index;
            ASSERT_TRUE(
                archive_test::Succeeded(index.Open(index_, screen::Index::Access::ReadWrite)));
        }
        const Outcome run = Run(kListedByNumber, "jsonl", true);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_NE(run.err.find("vendrake-batch: --screen: screening index " + index_ + c.error),
                  std::string::npos)
            << run.err;
        EXPECT_TRUE(s_.requestLog().empty());
        EXPECT_EQ(folder_.Read("list_enabled.jsonl"), "<missing>");
    }
    // The index is named only with --screen.
    const Outcome alone = folder_.Run(s_, {"--screen-index", "x.sqlite"});
    EXPECT_EQ(alone.exitCode, 2);
    EXPECT_NE(alone.err.find("--screen-index needs --screen"), std::string::npos) << alone.err;
}

TEST_F(BatchScreen, AResumedRunCountsTheMatchesItsResultsHoldAndKeepsToItsSideOfScreen) {
    ImportWatchList();
    const std::string list = kListedByNumber + kListedByName;
    for (const char* format : {"jsonl", "csv", "text"}) {
        SCOPED_TRACE(format);
        ASSERT_EQ(Run(list, format, true).exitCode, 6);
        const std::string results = Results(format);
        // Every line is done: the resumed run sends nothing and counts what is there.
        const std::size_t searches = batchtest::Searches(s_).size();
        const Outcome resumed = Run(list, format, true, {"--resume"});
        EXPECT_EQ(resumed.exitCode, 6) << resumed.err;
        EXPECT_NE(resumed.err.find("listed by number: 1, by name only: 1\n"), std::string::npos)
            << resumed.err;
        EXPECT_EQ(Results(format), results);

        const Outcome unscreened = Run(list, format, false, {"--resume"});
        EXPECT_EQ(unscreened.exitCode, 2) << unscreened.err;
        EXPECT_NE(unscreened.err.find("belongs to a run with --screen; resume with --screen"),
                  std::string::npos)
            << unscreened.err;
        EXPECT_EQ(Results(format), results);
        EXPECT_EQ(batchtest::Searches(s_).size(), searches);
    }
}

// A firm that cannot be screened fails its line (to be sent again on a resume) rather
// than passing for one that matched nothing.
TEST(BatchScreenBroken, AnIndexThatCannotBeReadDuringTheRunFailsTheLine) {
    // Every answer of the register's pages waits two seconds: the firm arrives well
    // after its search has gone out.
    StandinServer s({"--delay", "2"});
    BatchFolder folder;
    const std::string index = folder.path("screening.sqlite").toStdString();
    // Imported by the screening tool, as in BatchScreen::ImportWatchList.
    const archive_test::Ended imported =
        archive_test::RunProgram(QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-screen"),
                                 {"--index", QString::fromStdString(index), "import",
                                  VENDRAKE_SOURCE_DIR "/tests/screen/data/watchlist.jsonl"});
    ASSERT_EQ(imported.exitCode, 0) << imported.out << imported.err;
    folder.WriteList("7713001232\n");
    folder.Start(s, {"--format", "jsonl", "--no-archive", "--screen", "--screen-index",
                     QString::fromStdString(index)});
    // The screener has loaded the lists once the search is out; then the file goes bad.
    ASSERT_TRUE(batchtest::WaitUntil([&] { return batchtest::Searches(s).size() == 1; }));
    {
        QFile file(QString::fromStdString(index));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const QByteArray garbage(static_cast<int>(file.size()), '\x5a');
        file.write(garbage.left(100));
        file.seek(4096);
        file.write(garbage.mid(4096));
    }
    const Outcome run = folder.Finish();
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("line 1: screening: screening index " + index), std::string::npos)
        << run.err;
    const std::string results = folder.Read("list_enabled.jsonl");
    EXPECT_EQ(Count(results, "\"kind\":\"firm\""), 0u) << results;
    EXPECT_NE(results.find("\"kind\":\"error\",\"text\":\"screening: "), std::string::npos)
        << results;
}

// A workbook carries the csv file's screening columns, a firm's row its result.
TEST_F(BatchScreen, AWorkbookCarriesTheScreeningColumns) {
    ImportWatchList();
    const Outcome run = Run(kListedByNumber + kListedByName, "xlsx", true);
    EXPECT_EQ(run.exitCode, 6) << run.err;
    const QString book = folder_.path("list_enabled.xlsx");
    const auto cells = xlsxtest::Cells(xlsxtest::Part(book, "xl/worksheets/sheet1.xml"),
                                       xlsxtest::SharedStrings(book));
    // line, query, kind, the ten fields, text, service, checked_at, then the screening.
    EXPECT_EQ(cells.at("Q1").text, "screening");
    EXPECT_EQ(cells.at("R1").text, "screening_count");
    EXPECT_EQ(cells.at("S1").text, "screening_matches");
    EXPECT_EQ(cells.at("H2").text, "7713001232");
    EXPECT_EQ(cells.at("Q2").text, "identifier");
    EXPECT_EQ(cells.at("R2").text, "1");
    EXPECT_EQ(cells.at("Q3").text, "name");
    const auto summary = xlsxtest::Cells(xlsxtest::Part(book, "xl/worksheets/sheet2.xml"),
                                         xlsxtest::SharedStrings(book));
    bool listed = false;
    for (const auto& [ref, cell] : summary) {
        if (cell.text == "Listed by number") {
            listed = summary.at("B" + ref.mid(1)).text == "1";
        }
    }
    EXPECT_TRUE(listed);
}

}  // namespace
