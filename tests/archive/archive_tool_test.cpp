// vendrake-archive's commands run in-process: the same output and exit status as the
// program, runs after runs in one process, and the head, verify and evidence commands
// on a small archive, with what a wrong argument or a tampered head gives.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "archive/archive_evidence.h"
#include "support/archive_records.h"
#include "support/archive_support.h"

namespace {

using archive::Archive;
using archive::CheckRecord;
using namespace archive_test;

class ToolInProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("archive.sqlite")).toStdString();
        std::vector<CheckRecord> records;
        for (const char* typed : {"Ромашка", "Лютик", "Ромашка"}) {
            CheckRecord record = Check(typed);
            record.firms = {Firm(std::string("ООО ") + typed, "1027700000001")};
            records.push_back(std::move(record));
        }
        ASSERT_TRUE(AppendTo(QString::fromStdString(path_), records));
        Archive db;
        ASSERT_TRUE(Succeeded(db.Open(path_, Archive::Access::ReadOnly)));
        ASSERT_TRUE(Succeeded(db.Head(), &head_));
    }

    std::vector<std::string> On(std::vector<std::string> words) const {
        words.insert(words.begin(), {"--archive", path_});
        return words;
    }

    QTemporaryDir dir_;
    std::string path_;
    archive::ChainHead head_;
};

TEST_F(ToolInProcessTest, WritesWhatTheProgramWrites) {
    const std::vector<std::vector<std::string>> commands = {
        On({"list"}),
        On({"show", "2"}),
        On({"search", "ромашка"}),
        On({"head", "--format", "json"}),
        On({"changes", "--format", "csv"}),
        On({"export", "--format", "evidence"}),
        On({"show", "9"}),
        On({"list", "--limit", "x"}),
        On({"list", "--from", "2026-01-01", "--to", "2026-02-30"}),
        On({"export", "--since", "2026-01-01", "--format", "jsonl"}),
        On({"export", "--since", "soon", "--format", "csv"}),
        {"--archive"},
        {"frob"},
    };
    for (const std::vector<std::string>& args : commands) {
        QStringList programArgs;
        for (const std::string& word : args)
            programArgs << QString::fromStdString(word);
        const Ended program = Tool(programArgs);
        const Ended inProcess = ToolInProcess(args);
        const std::string named = programArgs.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(inProcess.exitCode, program.exitCode) << named;
        EXPECT_EQ(inProcess.out, program.out) << named;
        EXPECT_EQ(inProcess.err, program.err) << named;
    }
}

TEST_F(ToolInProcessTest, HeadAndVerifyAgainstAKeptHead) {
    const Ended head = ToolInProcess(On({"head"}));
    ASSERT_EQ(head.exitCode, 0) << head.err;
    EXPECT_EQ(head.out, archive::HeadLine(head_) + '\n');
    EXPECT_EQ(head_.records, 3);

    const std::string kept = head.out.substr(0, head.out.size() - 1);
    const Ended verified = ToolInProcess(On({"verify", "--head", kept}));
    EXPECT_EQ(verified.exitCode, 0) << verified.err;
    EXPECT_EQ(verified.out,
              "verify: 3 records intact; the archive extends the kept head (record 3)\n");

    // A head whose digest the archive never had: the record it names, or one before
    // it, was altered.
    archive::ChainHead other = head_;
    other.digest = std::string(64, '0');
    const Ended altered = ToolInProcess(On({"verify", "--head", archive::HeadLine(other)}));
    EXPECT_EQ(altered.exitCode, 1);
    EXPECT_EQ(altered.out,
              "verify: record 3 was altered, or one before it (record 3 differs from the kept "
              "head)\n");

    const Ended notAHead = ToolInProcess(On({"verify", "--head", "vendrake-head records=x"}));
    EXPECT_EQ(notAHead.exitCode, 2);
    EXPECT_NE(notAHead.err.find("vendrake-archive: a kept head is a line"), std::string::npos)
        << notAHead.err;
}

TEST_F(ToolInProcessTest, EvidenceExportedAndCheckedInProcess) {
    const Ended exported = ToolInProcess(On({"export", "--format", "evidence"}));
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const QString file = dir_.filePath(QStringLiteral("evidence.jsonl"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(exported.out.data(), static_cast<qint64>(exported.out.size()));
    out.close();

    const Ended checked =
        ToolInProcess({"check-export", file.toStdString(), "--head", archive::HeadLine(head_)});
    EXPECT_EQ(checked.exitCode, 0) << checked.err;
    EXPECT_EQ(checked.out, "check-export: 3 records intact from the base 0 to the head: " +
                               archive::HeadLine(head_) +
                               "; it extends the kept head (record 3)\n");

    const Ended missing = ToolInProcess({"check-export", dir_.filePath("none").toStdString()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("it cannot be read"), std::string::npos) << missing.err;
}

TEST_F(ToolInProcessTest, WrongArgumentsEndWithUsage) {
    const Ended unknown = ToolInProcess(On({"frob"}));
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err.rfind("vendrake-archive: unknown command frob\nusage: ", 0), 0u)
        << unknown.err;
    EXPECT_TRUE(unknown.out.empty());

    // A file that is no archive is a wrong argument and is left as it is, even by a
    // command that writes.
    const QString other = dir_.filePath(QStringLiteral("empty.sqlite"));
    QFile empty(other);
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    const Ended refused =
        ToolInProcess({"--archive", other.toStdString(), "prune", "--keep-days", "1"});
    EXPECT_EQ(refused.exitCode, 2) << refused.err;
    EXPECT_NE(refused.err.find("it is an empty file, not an archive"), std::string::npos)
        << refused.err;
    EXPECT_EQ(QFileInfo(other).size(), 0);

    const Ended badDate = ToolInProcess(On({"list", "--from", "2026-01-01", "--to", "2026-02-30"}));
    EXPECT_EQ(badDate.exitCode, 2);
    EXPECT_EQ(badDate.err.rfind(
                  "vendrake-archive: --to takes a date YYYY-MM-DD or YYYY-MM-DDTHH:MM:SSZ, not "
                  "2026-02-30\n",
                  0),
              0u)
        << badDate.err;

    const Ended help = ToolInProcess({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: vendrake-archive [--archive PATH] COMMAND\n", 0), 0u);
    // check-export's statuses tell proven from consistent with itself only.
    EXPECT_NE(help.out.find("exits 0 when proven, 3 when consistent with itself only,"),
              std::string::npos)
        << help.out;
}

}  // namespace
