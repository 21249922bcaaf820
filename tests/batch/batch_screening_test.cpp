// Screening inside a list run, on its own: the queue that screens firms as they
// arrive, each firm's screening written after the right firm, the count of screened
// firms read back from a results file whatever its values hold, and the progress
// file that keeps a screened run and an unscreened one apart.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <optional>

#include "batch/progress_file.h"
#include "batch/results_writer.h"
#include "batch/screening.h"
#include "support/batch_run_support.h"

using batchtest::ReadFile;

namespace {

lookup::FirmRecord Firm(const std::string& name, const std::string& inn = "7713001232") {
    lookup::FirmRecord firm;
    firm.name = name;
    firm.inn = inn;
    return firm;
}

batch::ScreenHit Hit(bool identifier) {
    batch::ScreenHit hit;
    hit.identifier = identifier;
    hit.list = "wl";
    hit.version = 2;
    hit.entityId = identifier ? "e-number" : "e-name";
    hit.caption = "C";
    hit.schema = "Company";
    hit.topics = {"sanction"};
    hit.what = identifier ? "INN" : "name";
    hit.describe = identifier ? "INN 7713001232" : "name 0.95: a (ISO 9) ~ b (name)";
    hit.score = identifier ? 1 : 0.95;
    return hit;
}

// Firms named "number" match by number and by name, "name" by name; "broken" cannot
// be read.
platform::Result<std::vector<batch::ScreenHit>> FakeScreen(const lookup::FirmRecord& firm) {
    if (firm.name == "broken") {
        return platform::Failure("disk I/O error");
    }
    if (firm.name == "number") {
        return std::vector<batch::ScreenHit>{Hit(true), Hit(false)};
    }
    if (firm.name == "name") {
        return std::vector<batch::ScreenHit>{Hit(false)};
    }
    return std::vector<batch::ScreenHit>{};
}

TEST(ScreeningQueue, GivesEachLineTheHitsOfItsOwnFirmsByTheirPlace) {
    // A backlog of one: every Submit waits for the screening thread, and nothing deadlocks.
    batch::ScreeningQueue queue(FakeScreen, 1);
    for (const char* name : {"a", "number", "b", "name"}) {
        queue.Submit(7, Firm(name));
        queue.Submit(9, Firm(std::string(name) == "a" ? "name" : "c"));
    }
    queue.Submit(11, Firm("broken"));
    queue.Submit(11, Firm("number"));
    queue.Submit(12, Firm("number"));
    queue.Drop(12);

    const batch::LineScreening seven = queue.Take(7);
    EXPECT_TRUE(seven.error.empty());
    ASSERT_EQ(seven.hits.size(), 2u);
    ASSERT_NE(seven.Of(1), nullptr);
    EXPECT_EQ(seven.Of(1)->size(), 2u);
    ASSERT_NE(seven.Of(3), nullptr);
    EXPECT_EQ(seven.Of(3)->front().entityId, "e-name");
    EXPECT_EQ(seven.Of(0), nullptr);
    EXPECT_EQ(seven.identifierFirms, 1);
    EXPECT_EQ(seven.nameFirms, 1);

    const batch::LineScreening nine = queue.Take(9);
    EXPECT_EQ(nine.hits.size(), 1u);
    EXPECT_NE(nine.Of(0), nullptr);
    EXPECT_EQ(nine.nameFirms, 1);

    // A firm that cannot be screened fails its line; the rest are not screened.
    const batch::LineScreening eleven = queue.Take(11);
    EXPECT_EQ(eleven.error, "disk I/O error");
    EXPECT_EQ(eleven.identifierFirms, 0);

    // Lines dropped or never submitted have nothing.
    EXPECT_TRUE(queue.Take(12).hits.empty());
    EXPECT_TRUE(queue.Take(13).hits.empty());
}

TEST(ScreeningQueue, TakeWaitsForEveryFirmOfTheLineAndAFirmSeenBeforeIsNotScreenedAgain) {
    std::vector<std::string> screened;  // the screening thread's alone until Take returns
    batch::ScreeningQueue queue(
        [&](const lookup::FirmRecord& firm) {
            screened.push_back(firm.name + "/" + firm.kpp);
            return FakeScreen(firm);
        },
        64, 4096);
    for (int i = 0; i < 2000; ++i) {
        queue.Submit(1, Firm(i % 500 == 0 ? "number" : std::to_string(i)));
    }
    const batch::LineScreening one = queue.Take(1);
    EXPECT_EQ(screened.size(), 1997u);  // "number" four times, screened once
    EXPECT_EQ(one.identifierFirms, 4);
    EXPECT_EQ(one.hits.size(), 4u);
    ASSERT_NE(one.Of(1500), nullptr);

    // Another KPP is another firm; a failure is not remembered.
    lookup::FirmRecord branch = Firm("number");
    branch.kpp = "771301002";
    for (const lookup::FirmRecord& firm : {Firm("number"), branch, Firm("broken")}) {
        queue.Submit(2, firm);
    }
    EXPECT_EQ(queue.Take(2).error, "disk I/O error");
    queue.Submit(3, Firm("broken"));
    EXPECT_EQ(queue.Take(3).error, "disk I/O error");
    EXPECT_EQ(std::vector<std::string>(screened.end() - 3, screened.end()),
              (std::vector<std::string>{"number/771301002", "broken/", "broken/"}));
}

class ScreenedResults : public ::testing::Test {
  protected:
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    // Writes one done line: a firm, a message, a listed firm, then a firm whose fields
    // hold what the screening records look like; returns the file's bytes.
    std::string Write(batch::OutputFormat format, const char* file,
                      batch::ResultsWriter** kept = nullptr) {
        writer_ = std::make_unique<batch::ResultsWriter>(format, "host", nullptr);
        writer_->MarkScreening();
        const auto opened = writer_->Open(Path(file), 0);
        EXPECT_TRUE(opened) << opened.error().why;
        batch::LineSpool spool;
        spool.AddFirm(Firm("first"));
        spool.Add({false, {}, "a message"});
        spool.AddFirm(Firm("listed"));
        lookup::FirmRecord forged = Firm("\"kind\":\"screening\",\"result\":\"identifier\"");
        forged.address = "x\r\nScreening: identifier match\r\n1;q;firm;a\";identifier;1;\r\n";
        forged.region = "\";identifier;1;x\r\n";
        spool.AddFirm(forged);
        batch::LineScreening screening;
        screening.hits[1] = {Hit(true), Hit(false)};
        batch::LineReport line{1, "q", "q", batch::LineOutcome::Done, {}, "t"};
        const platform::Status written = writer_->WriteLine(line, &spool, &screening);
        EXPECT_TRUE(written) << written.error();
        if (kept != nullptr) {
            *kept = writer_.get();
        }
        return ReadFile(Path(file));
    }

    QTemporaryDir dir_;
    std::unique_ptr<batch::ResultsWriter> writer_;
};

TEST_F(ScreenedResults, EachFirmsScreeningFollowsThatFirmAndNoOther) {
    const std::string jsonl = Write(batch::OutputFormat::Jsonl, "r.jsonl");
    const std::size_t listed = jsonl.find("\"name\":\"listed\"");
    const std::size_t first = jsonl.find("\"kind\":\"screening\",\"result\":\"none\"");
    const std::size_t hit = jsonl.find(
        "\"kind\":\"screening\",\"result\":\"identifier\",\"name\":\"listed\",\"ogrn\":\"\","
        "\"inn\":\"7713001232\",\"matches\":[{\"match\":\"identifier\",\"list\":\"wl\","
        "\"version\":2,\"digest\":\"\",\"entity_id\":\"e-number\",\"caption\":\"C\","
        "\"schema\":\"Company\",\"topics\":[\"sanction\"],\"what\":\"INN\",\"how\":\"\","
        "\"firm_value\":\"\",\"entity_value\":\"\",\"score\":1.000},{\"match\":\"name\"");
    ASSERT_NE(hit, std::string::npos) << jsonl;
    EXPECT_LT(first, jsonl.find("a message"));
    EXPECT_LT(listed, hit);
    EXPECT_EQ(jsonl.find("\"kind\":\"screening\",\"result\":\"identifier\"", hit + 1),
              std::string::npos)
        << jsonl;

    const std::string text = Write(batch::OutputFormat::Text, "r.txt");
    EXPECT_NE(text.find("listed\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\r\nScreening: identifier match (2)\r\n  wl v2: e-number \"C\" "
                        "(Company; sanction): INN 7713001232\r\n  wl v2: e-name \"C\" (Company; "
                        "sanction): name 0.95: a (ISO 9) ~ b (name)\r\n\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("a message"), std::string::npos);
    EXPECT_EQ(batch::ScreenCells({}), (std::vector<std::string>{"none", "0", ""}));
}

// The count read back on a resume sees only what the writer recorded, not register
// values that look like it (a csv cell may even hold line ends).
TEST_F(ScreenedResults, CountingTheScreenedFirmsIsNotFooledByTheFirmsValues) {
    const struct {
        batch::OutputFormat format;
        const char* file;
    } cases[] = {{batch::OutputFormat::Jsonl, "r.jsonl"},
                 {batch::OutputFormat::Csv, "r.csv"},
                 {batch::OutputFormat::Text, "r.txt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        batch::ResultsWriter* writer = nullptr;
        const std::string bytes = Write(c.format, c.file, &writer);
        const std::optional<batch::ScreenedFirms> whole =
            writer->CountScreened(static_cast<std::int64_t>(bytes.size()));
        ASSERT_TRUE(whole);
        EXPECT_EQ(whole->byNumber, 1);
        EXPECT_EQ(whole->byName, 0);
        // Only up to the bytes asked about.
        const std::optional<batch::ScreenedFirms> start = writer->CountScreened(40);
        ASSERT_TRUE(start);
        EXPECT_EQ(start->byNumber, 0);
    }
}

TEST(ScreenedProgress, AScreenedRunAndAnUnscreenedOneAreNotResumedAsEachOther) {
    const std::string screened = "vendrake-batch progress, format jsonl, screened\nlist\t1\ta\n";
    const std::string plain = "vendrake-batch progress, format jsonl\nlist\t1\ta\n";
    const struct {
        const std::string* bytes;
        batch::OutputFormat format;
        bool screen;
        const char* error;  // empty: read
    } cases[] = {
        {&screened, batch::OutputFormat::Jsonl, true, ""},
        {&plain, batch::OutputFormat::Jsonl, false, ""},
        {&screened, batch::OutputFormat::Jsonl, false,
         "belongs to a run with --screen; resume with --screen"},
        {&plain, batch::OutputFormat::Jsonl, true,
         "belongs to a run without --screen; resume without it"},
        {&screened, batch::OutputFormat::Csv, true,
         "belongs to a run with --format jsonl; resume with that format"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(*c.bytes + c.error);
        const auto state = batch::ParseProgress(*c.bytes, c.format, c.screen);
        EXPECT_EQ(state.ok(), std::string(c.error).empty());
        EXPECT_EQ(state.ok() ? std::string() : state.error(), c.error);
    }
    QTemporaryDir dir;
    batch::ProgressFile file;
    ASSERT_TRUE(file.Open(dir.filePath("p")));
    const platform::Status started = file.Start(batch::OutputFormat::Jsonl, 1, "a", true);
    ASSERT_TRUE(started) << started.error();
    EXPECT_EQ(ReadFile(dir.filePath("p")), screened);
}

}  // namespace
