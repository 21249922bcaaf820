// vendrake-batch's list runs end to end against the stand-in register: streaming and
// stopping, resuming, check digits, the daily limit, the pace, and the machine-readable
// outputs with their transliterated columns.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdint>
#include <utility>

#include "lists/list_run_driver.h"
#include "support/batch_run_support.h"
#include "support/cp1251_text.h"
#include "support/rule_files.h"

using batchtest::BatchFolder;
using batchtest::Count;
using batchtest::Lines;
using batchtest::Outcome;
using batchtest::Searches;
using batchtest::WaitUntil;
using testsupport::Cp1251;
using testsupport::StandinServer;

namespace {

std::string Utf16(const QString& text, bool littleEndian) {
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8);
        const char low = static_cast<char>(c.unicode() & 0xFF);
        out += littleEndian ? low : high;
        out += littleEndian ? high : low;
    }
    return out;
}

TEST(BatchRun, WritesEachLineAsItEndsAndStopsCleanlyOnSigterm) {
    StandinServer s({"--slow", "60"});
    BatchFolder folder;
    folder.WriteList("Лютик\nМедленно\nРомашка\n");
    folder.Start(s, {"--jobs", "1"});

    // Лютик's blocks and record are on disk while Медленно still waits for its answer.
    ASSERT_TRUE(WaitUntil([&] {
        return Count(folder.Read("list_enabled.progress"), "\n") == 3 && Searches(s).size() == 2;
    })) << folder.Read("list_enabled.progress");
    ASSERT_TRUE(folder.Running());
    const std::string written = folder.Read("list_enabled.txt");
    EXPECT_EQ(Count(written, Cp1251("[Лютик, records found: 2]\r\n")), 2u);
    const std::string progress = folder.Read("list_enabled.progress");
    EXPECT_EQ(progress.rfind("vendrake-batch progress, format text\nlist\t43\t", 0), 0u)
        << progress;
    EXPECT_NE(progress.find("\n1\tdone\t2\t0\t" + std::to_string(written.size()) + "\t"),
              std::string::npos)
        << progress;

    folder.Signal(SIGTERM);
    const Outcome run = folder.Finish();
    EXPECT_EQ(run.exitCode, 143) << run.err;
    EXPECT_NE(run.err.find("--resume"), std::string::npos) << run.err;
    // The aborted line is neither written nor recorded; Ромашка never started.
    EXPECT_EQ(folder.Read("list_enabled.txt"), written);
    EXPECT_EQ(Count(folder.Read("list_enabled.progress"), "\n"), 3u);
    EXPECT_EQ(Searches(s).size(), 2u);
    EXPECT_NE(run.err.find("Summary: checked 1 of 3 lines, found 2 firms and 0 messages, failed 0, "
                           "skipped 0, unchecked 0"),
              std::string::npos)
        << run.err;
}

TEST(BatchRun, AnInterruptedRunResumedEndsWithTheSameResultsFile) {
    const std::string list =
        "7713001232\nЛютик\nПусто\n\nПрямо\n1027700101230\nРомашка\n7801005557\nЛютик\n";
    StandinServer s({"--delay", "0.15"});

    BatchFolder whole;
    whole.WriteList(list);
    const Outcome uninterrupted = whole.Run(s, {"--jobs", "1"});
    ASSERT_EQ(uninterrupted.exitCode, 0) << uninterrupted.err;
    const std::size_t searchesOfOneRun = Searches(s).size();
    ASSERT_EQ(searchesOfOneRun, 8u);

    BatchFolder parts;
    parts.WriteList(list);
    parts.Start(s, {"--jobs", "1"});
    ASSERT_TRUE(WaitUntil([&] { return Count(parts.Read("list_enabled.progress"), "\n") >= 5; }));
    parts.Signal(SIGINT);
    const Outcome first = parts.Finish();
    EXPECT_EQ(first.exitCode, 130) << first.err;
    const std::size_t recorded = Count(parts.Read("list_enabled.progress"), "\n") - 2;
    ASSERT_LT(recorded, 8u);

    const Outcome second = parts.Run(s, {"--jobs", "1", "--resume"});
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(parts.Read("list_enabled.txt"), whole.Read("list_enabled.txt"));
    // Done lines were not sent again: at most the line the signal aborted twice.
    EXPECT_LE(Searches(s).size(), 2 * searchesOfOneRun + 1);
    EXPECT_NE(second.err.find("Summary: checked 8 of 8 lines, found 19 firms and 1 messages, "
                              "failed 0, skipped 0, unchecked 0"),
              std::string::npos)
        << second.err;

    // Without --resume a run starts afresh.
    const Outcome afresh = parts.Run(s, {"--jobs", "1"});
    EXPECT_EQ(afresh.exitCode, 0) << afresh.err;
    EXPECT_EQ(parts.Read("list_enabled.txt"), whole.Read("list_enabled.txt"));
    EXPECT_EQ(Count(parts.Read("list_enabled.progress"), "\n"), 10u);
}

TEST(BatchRun, ResumeRefusesWhenTheRecordedResultsAreGone) {
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("Лютик\n");
    ASSERT_EQ(folder.Run(s, {}).exitCode, 0);
    ASSERT_TRUE(QFile::remove(folder.path("list_enabled.txt")));

    const Outcome run = folder.Run(s, {"--resume"});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("does not hold the results its progress file records"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(Searches(s).size(), 1u);

    // Another format's progress is refused too, before any request.
    const Outcome csv = folder.Run(s, {"--resume", "--format", "csv"});
    EXPECT_EQ(csv.exitCode, 2) << csv.err;
    EXPECT_NE(csv.err.find("belongs to a run with --format text"), std::string::npos) << csv.err;
    EXPECT_EQ(Searches(s).size(), 1u);
}

TEST(BatchRun, ANumberWithAWrongCheckDigitIsSkippedWithoutARequest) {
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("7713001233\nЛютик\n1027700101231\n304500116000158\n77130012\n");
    const Outcome run = folder.Run(s, {"--jobs", "2"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    for (const char* message : {"line 1: check digit does not match (INN)\n",
                                "line 3: check digit does not match (OGRN)\n",
                                "line 4: check digit does not match (OGRNIP)\n"}) {
        EXPECT_NE(run.err.find(message), std::string::npos) << message << run.err;
    }
    // Only Лютик and the eight digits (no register number's length) were sent.
    EXPECT_EQ(Searches(s).size(), 2u);
    const std::string progress = folder.Read("list_enabled.progress");
    for (const char* record : {"\n1\tskipped\t", "\n3\tskipped\t", "\n4\tskipped\t",
                               "\n2\tdone\t2\t", "\n5\tdone\t0\t1\t"}) {
        EXPECT_NE(progress.find(record), std::string::npos) << record << progress;
    }
    EXPECT_NE(run.err.find("skipped 3"), std::string::npos) << run.err;
}

TEST(BatchRun, TheDailyLimitStopsTheRunAndListsTheLinesLeft) {
    // The Windows-1251 list with CR LF ends: the unchecked file keeps those bytes.
    const std::string list = Cp1251("Лютик\r\n7713001232\r\nРомашка\r\n\r\nПусто\r\nПрямо\r\n");
    BatchFolder folder;
    folder.WriteList(list);
    {
        StandinServer limited({"--daily-limit", "2"});
        const Outcome run = folder.Run(limited, {"--jobs", "1"});
        EXPECT_EQ(run.exitCode, 5) << run.err;
        EXPECT_EQ(Searches(limited).size(), 3u);  // two answered, the third met the limit
        EXPECT_EQ(folder.Read("list_unchecked.txt"), Cp1251("Ромашка\r\nПусто\r\nПрямо\r\n"));
        EXPECT_NE(run.err.find("--resume on another day"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("unchecked 3"), std::string::npos) << run.err;
        const std::string progress = folder.Read("list_enabled.progress");
        for (const char* record : {"\n3\tunchecked\t", "\n5\tunchecked\t", "\n6\tunchecked\t"}) {
            EXPECT_NE(progress.find(record), std::string::npos) << record << progress;
        }
        // The limit's own message is no result.
        EXPECT_EQ(Count(folder.Read("list_enabled.txt"), Cp1251("Ромашка, records")), 0u);
    }
    StandinServer nextDay;
    const Outcome resumed = folder.Run(nextDay, {"--jobs", "1", "--resume"});
    EXPECT_EQ(resumed.exitCode, 0) << resumed.err;
    EXPECT_EQ(Searches(nextDay).size(), 3u);
    EXPECT_EQ(folder.Read("list_unchecked.txt"), "<missing>");
    EXPECT_EQ(Count(folder.Read("list_enabled.txt"), Cp1251("[Ромашка, records found: 9]")), 9u);
}

TEST(BatchRun, JobsAndIntervalSetThePace) {
    // Every answer under /fns/ waits 0.3 s, so a query takes at least 0.6 s.
    StandinServer s({"--delay", "0.3"});
    BatchFolder folder;
    folder.WriteList("Пусто\nПусто\nПусто\nПусто\n");
    const Outcome paced = folder.Run(s, {"--jobs", "4", "--interval", "0.5"});
    ASSERT_EQ(paced.exitCode, 0) << paced.err;
    std::vector<double> starts;
    for (const std::string& line : s.requestLog()) {
        if (line.rfind("GET /fns/\t", 0) == 0) {
            starts.push_back(batchtest::TimeOf(line));
        }
    }
    // The tool spaces its starts by 0.5 s; the stand-in's receive times add some jitter
    // either way on a busy machine (or under a sanitizer), which this margin allows for.
    ASSERT_EQ(starts.size(), 4u);
    for (std::size_t i = 1; i < starts.size(); ++i) {
        EXPECT_GE(starts[i] - starts[i - 1], 0.35) << i;
    }

    // Two at once: the third query starts only when one of the first two has ended.
    StandinServer t({"--delay", "0.3"});
    const Outcome two = folder.Run(t, {"--jobs", "2"});
    ASSERT_EQ(two.exitCode, 0) << two.err;
    starts.clear();
    for (const std::string& line : t.requestLog()) {
        if (line.rfind("GET /fns/\t", 0) == 0) {
            starts.push_back(batchtest::TimeOf(line));
        }
    }
    // A query takes at least 0.6 s; without the bound the four would start together.
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_GE(starts[2] - starts[0], 0.45);
    EXPECT_GE(starts[3] - starts[1], 0.45);
}

// jsonl and csv: one record per firm, message, failure and skipped line, with the
// _latin twins of the five text fields.
class BatchFormats : public ::testing::Test {
  protected:
    void SetUp() override {
        shared_.WriteLanguage(
            QStringLiteral("Latin"),
            {"О|O", "Р|R",  "м|m",    "ш|sh", "Л|L",  "ю|yu", "т|t",  "и|i", "к|k", "г|g",  ".|.",
             "М|M", "о|o",  "с|s",    "в|v",  "а|a",  "С|S",  "н|n",  "П|P", "е|e", "р|r",  "б|b",
             "у|u", "ч|ch", "Щ|Shch", "п|p",  "ц|ts", "л|l",  "ь|'",  "ы|y", "д|d", "я|ya", "й|y",
             "Ф|F", "з|z",  "Д|D",    "Б|B",  "Н|N",  "ж|zh", "х|kh", "ф|f", "А|A"},
            {});
        folder_.WriteList("1027700101230\nПусто\nОбрыв\n7713001233\n=Лютик\n");
    }

    translit_test::SharedRoot shared_;
    BatchFolder folder_;
};

TEST_F(BatchFormats, JsonlHasOneObjectPerRecordWithItsKeys) {
    StandinServer s;
    const Outcome run = folder_.Run(s, {"--format", "jsonl", "--language", "Latin", "--jobs", "1"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("line 3: HTTP 500"), std::string::npos) << run.err;
    EXPECT_EQ(folder_.Read("list_enabled.txt"), "<missing>");

    std::map<std::string, std::vector<QJsonObject>> byKind;
    for (const std::string& line : Lines(folder_.Read("list_enabled.jsonl"))) {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
        const QJsonObject o = doc.object();
        byKind[o.value("kind").toString().toStdString()].push_back(o);
        EXPECT_EQ(o.value("service").toString(), QStringLiteral("127.0.0.1:%1").arg(s.port()));
        EXPECT_TRUE(o.value("checked_at")
                        .toString()
                        .contains(QRegularExpression(
                            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"))));
    }
    // Обрыв failed on its third page: what its first two gave is not written.
    ASSERT_EQ(byKind["firm"].size(), 1u + 2u);
    ASSERT_EQ(byKind["message"].size(), 1u);
    ASSERT_EQ(byKind["error"].size(), 1u);
    ASSERT_EQ(byKind["skipped"].size(), 1u);

    const QJsonObject firm = byKind["firm"].front();
    EXPECT_EQ(firm.keys(), (QStringList{"address",
                                        "address_latin",
                                        "authority",
                                        "authority_address",
                                        "authority_address_latin",
                                        "authority_latin",
                                        "checked_at",
                                        "date",
                                        "grn",
                                        "inn",
                                        "kind",
                                        "kpp",
                                        "line",
                                        "name",
                                        "name_latin",
                                        "ogrn",
                                        "query",
                                        "region",
                                        "region_latin",
                                        "service"}));
    EXPECT_EQ(firm.value("line").toInt(), 1);
    EXPECT_EQ(firm.value("query").toString(), QStringLiteral("1027700101230"));
    EXPECT_EQ(firm.value("name").toString(), QStringLiteral("ООО \"Ромашка-Север\""));
    EXPECT_EQ(firm.value("name_latin").toString(), QStringLiteral("OOO \"Romashka-Sever\""));
    EXPECT_EQ(firm.value("region_latin").toString(), QStringLiteral("g. Moskva"));
    EXPECT_EQ(
        firm.value("authority").toString(),
        QStringLiteral("Межрайонная инспекция Федеральной налоговой службы № 46 по г. Москве"));
    EXPECT_EQ(firm.value("grn").toString(), QStringLiteral("2127700123450"));

    const QJsonObject message = byKind["message"].front();
    EXPECT_EQ(message.keys(),
              (QStringList{"checked_at", "kind", "line", "query", "service", "text"}));
    EXPECT_EQ(message.value("text").toString(), QStringLiteral("Записей не найдено"));
    EXPECT_EQ(byKind["error"].front().value("line").toInt(), 3);
    EXPECT_EQ(byKind["error"].front().value("text").toString(), QStringLiteral("HTTP 500"));
    EXPECT_EQ(byKind["skipped"].front().value("text").toString(),
              QStringLiteral("check digit does not match (INN)"));
    EXPECT_EQ(byKind["firm"].back().value("query").toString(), QStringLiteral("=Лютик"));
}

TEST_F(BatchFormats, CsvIsSemicolonSeparatedUtf8WithGuardedCells) {
    StandinServer s;
    const Outcome run = folder_.Run(s, {"--format", "csv", "--language", "Latin", "--jobs", "1"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const std::vector<std::string> rows = Lines(folder_.Read("list_enabled.csv"));
    ASSERT_EQ(rows.size(), 1u + 3u + 1u + 1u + 1u);
    EXPECT_EQ(rows[0],
              "\xEF\xBB\xBFline;query;kind;name;address;ogrn;grn;inn;kpp;date;authority;"
              "authority_address;region;text;service;checked_at;name_latin;address_latin;"
              "authority_latin;authority_address_latin;region_latin\r");
    const std::string service = std::to_string(s.port());
    EXPECT_EQ(rows[1].rfind("1;1027700101230;firm;\"ООО \"\"Ромашка-Север\"\"\";127411, г. Москва, "
                            "Дмитровское ш., д. 157, стр. 7;1027700101230;2127700123450;7713001232;"
                            "771301001;14.03.2002;Межрайонная инспекция Федеральной налоговой "
                            "службы № 46 по г. Москве;125373, г. Москва, Походный проезд, "
                            "домовладение 3, стр. 2;г. Москва;;127.0.0.1:" +
                                service + ";",
                            0),
              0u)
        << rows[1];
    EXPECT_NE(rows[1].find(";\"OOO \"\"Romashka-Sever\"\"\";"), std::string::npos) << rows[1];
    EXPECT_EQ(rows[2].rfind("2;Пусто;message;;;;;;;;;;;Записей не найдено;", 0), 0u) << rows[2];
    // The line that starts with "=" is no formula in a spreadsheet.
    EXPECT_EQ(rows.back().rfind("5;'=Лютик;firm;", 0), 0u) << rows.back();
}

// A result list the register cut short (the stand-in's "Стоп" shows its stop text on
// page 2) keeps the firms of page 1 and says so: a message record or block after them
// in every format, a line on stderr, and a count in the summary.
TEST(BatchCut, AListCutShortIsSaidSoInEveryFormat) {
    const std::string cut = lookup::kListCutText;
    const std::string node = Cp1251("[Стоп, records found: 3]\r\n");
    StandinServer s;
    for (const char* format : {"text", "jsonl", "csv"}) {
        BatchFolder folder;
        folder.WriteList("Стоп\nЛютик\n");
        const Outcome run = folder.Run(s, {"--format", format, "--jobs", "1"});
        EXPECT_EQ(run.exitCode, 0) << format << run.err;
        EXPECT_NE(run.err.find("\nline 1: " + cut + "\n"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("line 2: "), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Summary: checked 2 of 2 lines, found 5 firms and 1 messages, "
                               "failed 0, skipped 0, unchecked 0, cut short: 1\n"),
                  std::string::npos)
            << format << run.err;
        EXPECT_NE(folder.Read("list_enabled.progress").find("\n1\tdone\t3\t1\t"),
                  std::string::npos);

        if (std::string(format) == "text") {
            const std::string text = folder.Read("list_enabled.txt");
            EXPECT_EQ(Count(text, node), 4u) << text;
            const std::size_t block = text.find(node + cut + "\r\n\r\n");
            ASSERT_NE(block, std::string::npos) << text;
            EXPECT_GT(block, text.rfind(node + Cp1251("Название: ")));
            EXPECT_LT(block, text.find(Cp1251("[Лютик")));
            EXPECT_EQ(Count(text, cut), 1u);
        } else if (std::string(format) == "jsonl") {
            std::vector<std::pair<int, std::string>> records;  // line and kind
            std::string message;
            for (const std::string& line : Lines(folder.Read("list_enabled.jsonl"))) {
                const QJsonObject o =
                    QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
                records.emplace_back(o.value("line").toInt(),
                                     o.value("kind").toString().toStdString());
                if (records.back().second == "message") {
                    message = o.value("text").toString().toStdString();
                }
            }
            const std::vector<std::pair<int, std::string>> expected = {
                {1, "firm"}, {1, "firm"}, {1, "firm"}, {1, "message"}, {2, "firm"}, {2, "firm"}};
            EXPECT_EQ(records, expected);
            EXPECT_EQ(message, cut);
        } else {
            const std::vector<std::string> rows = Lines(folder.Read("list_enabled.csv"));
            ASSERT_EQ(rows.size(), 1u + 3u + 1u + 2u);
            EXPECT_EQ(rows[4].rfind("1;Стоп;message;;;;;;;;;;;" + cut + ";", 0), 0u) << rows[4];
        }
    }
}

// A resumed run counts the lines cut short before it, as it counts their firms.
TEST(BatchCut, AResumedRunCountsTheLinesCutShortBefore) {
    StandinServer s({"--slow", "60"});
    BatchFolder folder;
    folder.WriteList("Стоп\nМедленно\nЛютик\n");
    folder.Start(s, {"--format", "jsonl", "--jobs", "1"});
    ASSERT_TRUE(WaitUntil([&] { return Count(folder.Read("list_enabled.progress"), "\n") == 3; }));
    folder.Signal(SIGINT);
    ASSERT_EQ(folder.Finish().exitCode, 130);

    StandinServer quick({"--slow", "0"});
    const Outcome resumed = folder.Run(quick, {"--format", "jsonl", "--jobs", "1", "--resume"});
    EXPECT_EQ(resumed.exitCode, 0) << resumed.err;
    EXPECT_NE(resumed.err.find("Summary: checked 3 of 3 lines, found 14 firms and 1 messages, "
                               "failed 0, skipped 0, unchecked 0, cut short: 1\n"),
              std::string::npos)
        << resumed.err;
}

// A list saved as UTF-16 with its byte-order mark is read as such: its names are
// found (an invisible format character inside one is dropped before sending).
TEST(BatchLists, Utf16ListsAreReadByTheirByteOrderMark) {
    StandinServer s;
    for (const bool littleEndian : {true, false}) {
        BatchFolder folder;
        folder.WriteList(Utf16(QStringLiteral("Лютик\r\nЛю\u200Bтик\r\n"), littleEndian));
        const Outcome run = folder.Run(s, {"--jobs", "1"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.err.find("Summary: checked 2 of 2 lines, found 4 firms and 0 messages"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(Count(folder.Read("list_enabled.txt"), Cp1251("[Лютик, records found: 2]\r\n")),
                  4u);
    }
    EXPECT_EQ(Searches(s).size(), 4u);
}

// Bytes that are not a list are refused, naming the file, before any request and
// before any file is written beside it.
TEST(BatchLists, AFileThatIsNotTextIsRefusedBeforeAnyRequest) {
    std::string random(4096, '\0');
    std::uint32_t state = 2026;
    for (char& c : random) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    StandinServer s;
    BatchFolder folder;
    folder.WriteList(random);
    const Outcome run = folder.Run(s, {});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_EQ(run.err.rfind("Cannot read file \"" + folder.path("list.txt").toStdString() +
                                "\". It is not a text list: ",
                            0),
              0u)
        << run.err;
    EXPECT_TRUE(s.requestLog().empty());
    EXPECT_FALSE(QFile::exists(folder.path("list_enabled.txt")));
    EXPECT_FALSE(QFile::exists(folder.path("list_enabled.progress")));
}

TEST(BatchRun, TheServiceComesFromTheOptionTheSettingOrFailsWithAHint) {
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("Пусто\n");

    // Neither option nor setting: the placeholder address, which nothing answers: one
    // message with the hint, no line recorded.
    const Outcome unset = folder.Run(s, {}, false);
    EXPECT_EQ(unset.exitCode, 3) << unset.err;
    EXPECT_EQ(unset.err.find("line 1: "), std::string::npos) << unset.err;
    EXPECT_NE(unset.err.find("with --service HOST[:PORT]"), std::string::npos) << unset.err;
    EXPECT_FALSE(QFile::exists(folder.path("list_enabled.txt")));
    EXPECT_TRUE(Searches(s).empty());

    // The user's setting.
    QDir().mkpath(folder.path("config/Quillmarsh"));
    batchtest::WriteFile(folder.path("config/Quillmarsh/Vendrake.conf"),
                         "[General]\nServiceHost=127.0.0.1:" + std::to_string(s.port()) + "\n");
    const Outcome fromSetting = folder.Run(s, {}, false);
    EXPECT_EQ(fromSetting.exitCode, 0) << fromSetting.err;
    ASSERT_EQ(Searches(s).size(), 1u);

    // The option wins over the setting.
    StandinServer other;
    const Outcome fromOption = folder.Run(other, {});
    EXPECT_EQ(fromOption.exitCode, 0) << fromOption.err;
    EXPECT_EQ(Searches(s).size(), 1u);
    EXPECT_EQ(Searches(other).size(), 1u);
}

}  // namespace
