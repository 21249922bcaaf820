// vendrake-batch's face run in the test's own process: what it prints for --help,
// --version and arguments it refuses, what it refuses before any request, and a short
// list run against the stand-in register on loopback.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sstream>
#include <string>
#include <vector>

#include "batch/batch_options.h"
#include "batch/batch_tool.h"
#include "support/batch_run_support.h"
#include "support/cp1251_text.h"
#include "support/standin.h"

using batchtest::ReadFile;
using testsupport::Cp1251;
using testsupport::StandinServer;

namespace {

struct Said {
    int status = -1;
    std::string out;
    std::string err;
};

Said RunTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = batch::RunBatchTool(args, out, err);
    return Said{status, out.str(), err.str()};
}

// A folder with list.txt holding bytes.
class ListFolder {
  public:
    explicit ListFolder(const std::string& bytes) { batchtest::WriteFile(path("list.txt"), bytes); }
    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    std::string list() const { return path("list.txt").toStdString(); }

  private:
    QTemporaryDir dir_;
};

}  // namespace

TEST(BatchToolFace, HelpAndVersionGoToTheOutputAndEndWell) {
    for (const char* help : {"--help", "-h"}) {
        const Said said = RunTool({"list.txt", help, "--jobs", "99"});
        EXPECT_EQ(said.status, 0) << help;
        EXPECT_EQ(said.out, batch::HelpText()) << help;
        EXPECT_EQ(said.err, "") << help;
    }
    const Said version = RunTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "vendrake-batch " VENDRAKE_VERSION "\n");
    EXPECT_EQ(version.err, "");
}

TEST(BatchToolFace, RefusedArgumentsGiveStatusTwoTheReasonAndTheUsage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--bogus"}, "unknown option \"--bogus\""},
        {{}, "FILE is missing"},
        {{"a.txt", "b.txt"}, "one FILE only"},
        {{"a.txt", "--jobs", "9"}, "--jobs must be a whole number from 1 to 8, not \"9\""},
        {{"a.txt", "--format"}, "--format needs a value"},
        {{"a.txt", "--stamp", "--no-archive"}, "--stamp cannot go with --no-archive"},
    };
    for (const auto& [args, reason] : cases) {
        const Said said = RunTool(args);
        EXPECT_EQ(said.status, 2) << reason;
        EXPECT_EQ(said.err, "vendrake-batch: " + reason + "\n" + batch::UsageText());
        EXPECT_EQ(said.out, "");
    }
}

// What cannot work is refused before any file beside the list is made.
TEST(BatchToolFace, RefusesBeforeWritingAnything) {
    const Said missing = RunTool({"/nonexistent/folder/list.txt", "--no-archive"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("list.txt"), std::string::npos) << missing.err;

    ListFolder folder("7713001232\n");
    const Said tsa =
        RunTool({folder.list(), "--service", "127.0.0.1:1", "--stamp", "--tsa", "ftp://x"});
    EXPECT_EQ(tsa.status, 2);
    EXPECT_EQ(tsa.err, "vendrake-batch: --tsa: \"ftp://x\" is not an http or https address\n");

    const Said language =
        RunTool({folder.list(), "--no-archive", "--format", "csv", "--language", "Nowhere"});
    EXPECT_EQ(language.status, 2);
    EXPECT_EQ(
        language.err.rfind("vendrake-batch: --language: there is no \"Nowhere\". Installed: ", 0),
        0u)
        << language.err;
    EXPECT_EQ(QDir(folder.path("")).entryList(QDir::Files), QStringList{"list.txt"});
}

TEST(BatchToolFace, RunsAListAgainstTheStandIn) {
    StandinServer s;
    ListFolder folder("7713001232\nЛютик\n\n");
    const std::string service = "127.0.0.1:" + std::to_string(s.port());
    const Said said = RunTool({folder.list(), "--service", service, "--no-archive", "--jobs", "1"});
    EXPECT_EQ(said.status, 0) << said.err;
    EXPECT_EQ(said.out, "");
    EXPECT_EQ(said.err.rfind("Checking...\n", 0), 0u) << said.err;
    EXPECT_NE(said.err.find("Checked 2 of 2 lines, found 3 firms and 0 messages, failed 0, "
                            "skipped 0\n"),
              std::string::npos)
        << said.err;
    EXPECT_NE(said.err.find("Summary: checked 2 of 2 lines, found 3 firms and 0 messages, "
                            "failed 0, skipped 0, unchecked 0\n"),
              std::string::npos)
        << said.err;
    const std::string results = folder.path("list_enabled.txt").toStdString();
    EXPECT_NE(said.err.find("Checking completed. Results: " + results + "\n"), std::string::npos)
        << said.err;
    const std::string written = ReadFile(folder.path("list_enabled.txt"));
    EXPECT_NE(written.find("[7713001232]\r\n"), std::string::npos);
    EXPECT_NE(written.find(Cp1251("[Лютик, records found: 2]\r\n")), std::string::npos);
    EXPECT_NE(ReadFile(folder.path("list_enabled.progress")), "<missing>");

    // Run again with --resume: every line is done, nothing is sent again.
    const std::size_t searches = s.requestLog().size();
    const Said again = RunTool({folder.list(), "--service", service, "--no-archive", "--resume"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.err.find("Summary: checked 2 of 2 lines"), std::string::npos) << again.err;
    EXPECT_EQ(ReadFile(folder.path("list_enabled.txt")), written);
    EXPECT_LE(s.requestLog().size(), searches + 1);  // the connection check at most
}
