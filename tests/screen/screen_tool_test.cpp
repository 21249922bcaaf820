// vendrake-screen end to end: the built program with its languages beside it, a private
// XDG data folder for its default index, and the list fixtures.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "cli/tool_output.h"
#include "screen/index.h"
#include "screen/screen_record.h"
#include "screen/screen_tool.h"
#include "screen/screener.h"
#include "support/archive_support.h"
#include "support/screen_support.h"
#include "support/shipped_data.h"

namespace {

using archive_test::Succeeded;
using screen_test::Fixture;
using screen_test::WriteFile;

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

class ScreenTool : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(home_.isValid()); }

    Outcome Run(const QStringList& args) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), home_.path());
        env.insert(QStringLiteral("XDG_DATA_DIRS"), home_.filePath(QStringLiteral("none")));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-screen"), args);
        EXPECT_TRUE(process.waitForStarted(10000));
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QString DefaultIndex() const {
        return home_.filePath(QStringLiteral("Quillmarsh/Vendrake/screening.sqlite"));
    }

    QTemporaryDir home_;
};

TEST_F(ScreenTool, ImportReportsTheVersionAndTheLinesItSkipped) {
    const Outcome imported =
        Run({QStringLiteral("import"), QString::fromStdString(Fixture("watchlist.jsonl")),
             QStringLiteral("--name"), QStringLiteral("invented")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.startsWith(QStringLiteral("import: invented version 1, 14 entities")))
        << imported.out.toStdString();
    EXPECT_TRUE(imported.out.contains(
        QStringLiteral("import: 4 malformed lines skipped (lines 6, 14, 17, 21)\n")))
        << imported.out.toStdString();
    EXPECT_TRUE(imported.out.contains(QStringLiteral("2 entities of other schemata not indexed")));
    // The default index: owner only, in a folder of its own.
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(DefaultIndex()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(DefaultIndex()).path()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    const Outcome again =
        Run({QStringLiteral("import"), QString::fromStdString(Fixture("watchlist.jsonl")),
             QStringLiteral("--name"), QStringLiteral("invented")});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.out.contains(QStringLiteral("invented is unchanged (version 1")));

    const Outcome lists = Run({QStringLiteral("lists")});
    ASSERT_EQ(lists.exitCode, 0);
    const QStringList cells = lists.out.trimmed().split(QLatin1Char('\t'));
    ASSERT_EQ(cells.size(), 7) << lists.out.toStdString();
    EXPECT_EQ(cells[0], QStringLiteral("invented"));
    EXPECT_EQ(cells[1], QStringLiteral("1"));
    EXPECT_EQ(cells[3], QStringLiteral("14"));
    EXPECT_EQ(cells[4].size(), 64);

    const Outcome removed = Run({QStringLiteral("remove"), QStringLiteral("invented")});
    EXPECT_EQ(removed.exitCode, 0);
    EXPECT_EQ(Run({QStringLiteral("lists")}).out, QString());
    const Outcome unknown = Run({QStringLiteral("remove"), QStringLiteral("invented")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("there is no list \"invented\"")));
}

TEST_F(ScreenTool, AFileThatIsNoListIsRefusedWithStatus2) {
    const QString notes = home_.filePath(QStringLiteral("notes.txt"));
    ASSERT_TRUE(WriteFile(notes, "Romashka, Lyutik\n"));
    const Outcome refused = Run({QStringLiteral("import"), notes});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("notes.txt: not a watch list")))
        << refused.err.toStdString();
    EXPECT_EQ(Run({QStringLiteral("lists")}).out, QString());
    EXPECT_EQ(Run({QStringLiteral("import")}).exitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("import"), notes, QStringLiteral("--keep"), QStringLiteral("0")})
                  .exitCode,
              2);
}

TEST_F(ScreenTool, CheckTellsByItsStatusWhatMatched) {
    ASSERT_EQ(
        Run({QStringLiteral("import"), QString::fromStdString(Fixture("watchlist.csv"))}).exitCode,
        0);
    const Outcome byNumber = Run({QStringLiteral("check"), QStringLiteral("7713001232")});
    EXPECT_EQ(byNumber.exitCode, 6);
    EXPECT_EQ(byNumber.out, QStringLiteral("7713001232\twatchlist v1\twl-inn-north\tNorthern Star "
                                           "Trading\tCompany\t\tINN 7713001232\n"));
    const Outcome byName = Run({QStringLiteral("check"), QStringLiteral("ООО \"Ромашка-Юг\"")});
    EXPECT_EQ(byName.exitCode, 3);
    EXPECT_TRUE(byName.out.endsWith(
        QStringLiteral("name 1.00: ООО \"Ромашка-Юг\" (English (passport)) ~ Romashka-Iug Ltd "
                       "(name)\n")))
        << byName.out.toStdString();
    const Outcome none = Run({QStringLiteral("check"), QStringLiteral("ООО \"Ромашка-Север\"")});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, QStringLiteral("ООО \"Ромашка-Север\"\tno match\n"));
    EXPECT_EQ(Run({QStringLiteral("check"), QStringLiteral("--threshold"), QStringLiteral("1.5"),
                   QStringLiteral("x")})
                  .exitCode,
              2);
    EXPECT_EQ(Run({QStringLiteral("check"), QStringLiteral("--list"), QStringLiteral("other"),
                   QStringLiteral("x")})
                  .exitCode,
              1);
}

// A firm matching only a related party of a list is linked, not listed: status 9, its
// line says so, and a listed match among the firms still gives 6.
TEST_F(ScreenTool, ALinkHasAStatusOfItsOwn) {
    ASSERT_EQ(Run({QStringLiteral("import"), QString::fromStdString(Fixture("watchlist.jsonl"))})
                  .exitCode,
              0);
    QProcess sqlite;
    sqlite.start(
        QStringLiteral("sqlite3"),
        {DefaultIndex(),
         QStringLiteral("UPDATE entities SET target = 0 WHERE entity_id = 'wl-inn-north'")});
    ASSERT_TRUE(sqlite.waitForFinished(60000));
    ASSERT_EQ(sqlite.exitCode(), 0) << sqlite.readAllStandardError().toStdString();
    const Outcome linked = Run({QStringLiteral("check"), QStringLiteral("7713001232")});
    EXPECT_EQ(linked.exitCode, 9) << linked.err.toStdString();
    EXPECT_TRUE(linked.out.endsWith(QStringLiteral("linked to a listed entity: INN 7713001232\n")))
        << linked.out.toStdString();
    const Outcome jsonl = Run({QStringLiteral("check"), QStringLiteral("--format"),
                               QStringLiteral("jsonl"), QStringLiteral("7713001232")});
    EXPECT_EQ(jsonl.exitCode, 9);
    EXPECT_TRUE(jsonl.out.contains(QStringLiteral("\"match\":\"link\"")) &&
                jsonl.out.contains(QStringLiteral("\"target\":false")))
        << jsonl.out.toStdString();
    EXPECT_EQ(Run({QStringLiteral("check"), QStringLiteral("1032301234569"),
                   QStringLiteral("7713001232")})
                  .exitCode,
              6);
    EXPECT_EQ(Run({QStringLiteral("check"), QStringLiteral("ООО \"Ромашка-Юг\""),
                   QStringLiteral("7713001232")})
                  .exitCode,
              9);
}

TEST_F(ScreenTool, CheckReadsTheFirmsOfABatchResultsFile) {
    ASSERT_EQ(Run({QStringLiteral("import"), QString::fromStdString(Fixture("watchlist.jsonl"))})
                  .exitCode,
              0);
    const QString results = home_.filePath(QStringLiteral("list_enabled.jsonl"));
    ASSERT_TRUE(WriteFile(
        results,
        R"({"line":1,"query":"Торговый дом","kind":"firm","name":"ООО \"Торговый дом Ромашка\"","ogrn":"1117746012340","inn":"7705003211","kpp":"770501001"})"
        "\n"
        R"({"line":2,"query":"x","kind":"message","text":"Записей не найдено"})"
        "\nnot json\n"
        R"({"line":3,"query":"Север","kind":"firm","name":"ООО \"Ромашка-Север\"","ogrn":"","inn":"","kpp":""})"
        "\n"));
    const Outcome checked = Run({QStringLiteral("check"), QStringLiteral("--results"), results,
                                 QStringLiteral("--format"), QStringLiteral("jsonl")});
    EXPECT_EQ(checked.exitCode, 6) << checked.err.toStdString();
    const QStringList lines = checked.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << checked.out.toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("\"match\":\"identifier\"")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("\"what\":\"KPP+INN\"")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("\"topics\":[\"export.control\"]")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("\"entity_id\":\"wl-english\"")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("\"how\":\"English\"")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("\"score\":1.000")));

    // A file that is no results file is refused, not taken for firms without a match.
    const QString text = home_.filePath(QStringLiteral("list_enabled.txt"));
    ASSERT_TRUE(WriteFile(text, "Название: ООО \"Торговый дом Ромашка\"\nИНН: 7705003211\n"));
    const Outcome refused = Run({QStringLiteral("check"), QStringLiteral("--results"), text});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("not a vendrake-batch jsonl results file")))
        << refused.err.toStdString();

    // A named pipe in the file's place is refused at once, not waited on.
    const QByteArray fifo = QFile::encodeName(home_.filePath(QStringLiteral("pipe.jsonl")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const Outcome pipe =
        Run({QStringLiteral("check"), QStringLiteral("--results"), QFile::decodeName(fifo)});
    EXPECT_EQ(pipe.exitCode, 1);
    EXPECT_TRUE(pipe.err.contains(QStringLiteral("pipe.jsonl: not a regular file")))
        << pipe.err.toStdString();
}

}  // namespace

namespace {

TEST_F(ScreenTool, CheckNeedsAListAndKeepsListTextOffTheTerminal) {
    const QString list = home_.filePath(QStringLiteral("hostile.jsonl"));
    ASSERT_TRUE(WriteFile(
        list,
        R"({"id":"h\u001b[2J1","schema":"Company","caption":"Evil\u001b]0;title\u0007\tCaption\nNext","properties":{"name":["Evil"],"innCode":["7713001232"]}})"
        "\n"));
    ASSERT_EQ(Run({QStringLiteral("import"), list}).exitCode, 0);
    const Outcome checked = Run({QStringLiteral("check"), QStringLiteral("7713001232")});
    EXPECT_EQ(checked.exitCode, 6);
    EXPECT_FALSE(checked.out.contains(QChar(0x1b))) << checked.out.toStdString();
    EXPECT_FALSE(checked.out.contains(QChar(0x07)));
    EXPECT_EQ(checked.out.count(QLatin1Char('\n')), 1) << checked.out.toStdString();
    EXPECT_EQ(checked.out.count(QLatin1Char('\t')), 6) << checked.out.toStdString();

    // With every list removed there is nothing to screen against: said, not "no match".
    ASSERT_EQ(Run({QStringLiteral("remove"), QStringLiteral("hostile")}).exitCode, 0);
    const Outcome empty = Run({QStringLiteral("check"), QStringLiteral("7713001232")});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.err.contains(QStringLiteral("no list has been imported yet")))
        << empty.err.toStdString();
    EXPECT_EQ(empty.out, QString());
}

}  // namespace

namespace {

// rescreen: every firm of the archive screened once against the newest versions; a
// firm the archive's own record screened clean against an older version is "newly
// listed"; an INN or OGRN match gives status 6, none 0; the archive is only read.
TEST_F(ScreenTool, RescreenFindsArchivedFirmsListedInANewerVersion) {
    const QString first = home_.filePath(QStringLiteral("first.jsonl"));
    ASSERT_TRUE(WriteFile(
        first,
        R"({"id":"wl-other","schema":"Company","caption":"Blue Lagoon Shipping","properties":{"name":["Blue Lagoon Shipping"]}})"
        "\n"));
    ASSERT_EQ(
        Run({QStringLiteral("import"), first, QStringLiteral("--name"), QStringLiteral("invented")})
            .exitCode,
        0);
    screen::Screener screener;
    ASSERT_TRUE(Succeeded(screener.Load(DefaultIndex().toStdString())));

    const lookup::FirmRecord north =
        screen_test::Firm("ООО \"Ромашка-Север\"", "7713001232", "1027700101230", "771301001");
    const lookup::FirmRecord south =
        screen_test::Firm("ООО \"Ромашка-Юг\"", "2308004562", "1032301234569");
    const lookup::FirmRecord clean = screen_test::Firm("ООО \"Незабудка\"");
    const QString path = home_.filePath(QStringLiteral("archive.sqlite"));
    {
        archive::Archive db;
        ASSERT_TRUE(Succeeded(db.Open(path.toStdString(), archive::Archive::Access::ReadWrite)));
        std::vector<archive::CheckRecord> records(2);
        records[0].checkedAt = "2026-03-01T10:00:00Z";
        records[0].firms = {north, clean};
        records[0].screening = screen::RecordScreening(screener.versions());
        for (const lookup::FirmRecord& firm : records[0].firms) {
            for (const screen::Match& match : screen_test::Matches(screener.Screen(firm)))
                records[0].screening.matches.push_back(screen::RecordMatch(firm, match));
        }
        EXPECT_TRUE(records[0].screening.matches.empty());
        records[1].checkedAt = "2026-04-01T10:00:00Z";
        records[1].firms = {north, south};
        ASSERT_TRUE(Succeeded(db.Append(records)));
    }
    ASSERT_EQ(Run({QStringLiteral("import"), QString::fromStdString(Fixture("watchlist.jsonl")),
                   QStringLiteral("--name"), QStringLiteral("invented")})
                  .exitCode,
              0);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));

    const Outcome all = Run({QStringLiteral("rescreen"), QStringLiteral("--archive"), path});
    EXPECT_EQ(all.exitCode, 6) << all.err.toStdString();
    const QStringList lines = all.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2) << all.out.toStdString();
    EXPECT_EQ(lines[0].toStdString(),
              QStringLiteral("ООО \"Ромашка-Север\"\tINN 7713001232 OGRN 1027700101230\trecord 1 "
                             "2026-03-01T10:00:00Z\tinvented v2\twl-inn-north\tNorthern Star "
                             "Trading\tsanction\tINN 7713001232\tscore 1.000\tnewly listed (not "
                             "on version 1 in record 1)")
                  .toStdString());
    for (int i = 1; i < lines.size(); ++i) {
        EXPECT_TRUE(
            lines[i].startsWith(QStringLiteral("ООО \"Ромашка-Юг\"\tINN 2308004562 OGRN "
                                               "1032301234569\trecord 2 ")))
            << lines[i].toStdString();
        EXPECT_FALSE(lines[i].contains(QStringLiteral("newly listed")));
    }
    EXPECT_FALSE(all.out.contains(QStringLiteral("Незабудка")));
    EXPECT_TRUE(all.err.contains(
        QStringLiteral("rescreen: 3 firms screened against invented v2, 2 listed")))
        << all.err.toStdString();

    const Outcome since = Run({QStringLiteral("rescreen"), QStringLiteral("--archive"), path,
                               QStringLiteral("--since"), QStringLiteral("2026-03-15")});
    EXPECT_EQ(since.exitCode, 6);
    EXPECT_TRUE(
        since.out.startsWith(QStringLiteral("ООО \"Ромашка-Север\"\tINN 7713001232 OGRN "
                                            "1027700101230\trecord 2 ")))
        << since.out.toStdString();
    EXPECT_FALSE(since.out.contains(QStringLiteral("newly listed")));

    const Outcome none = Run({QStringLiteral("rescreen"), QStringLiteral("--archive"), path,
                              QStringLiteral("--since"), QStringLiteral("2027-01-01")});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, QString());
    EXPECT_EQ(Run({QStringLiteral("rescreen"), QStringLiteral("--archive"), path,
                   QStringLiteral("--since"), QStringLiteral("March")})
                  .exitCode,
              2);
    const Outcome missing = Run({QStringLiteral("rescreen"), QStringLiteral("--archive"),
                                 home_.filePath(QStringLiteral("none.sqlite"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("there is no archive yet")))
        << missing.err.toStdString();
}

}  // namespace

namespace {

// What stands before the command: --help and --version end the program, --index needs
// its path, and a command is needed.
TEST_F(ScreenTool, LeadingOptionsAreReadBeforeTheCommand) {
    const Outcome none = Run({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.startsWith(
        QStringLiteral("vendrake-screen: no command given\nusage: vendrake-screen")))
        << none.err.toStdString();
    const Outcome noPath = Run({QStringLiteral("lists"), QStringLiteral("--index")});
    EXPECT_EQ(noPath.exitCode, 2);
    EXPECT_TRUE(noPath.err.startsWith(QStringLiteral("vendrake-screen: --index needs a path\n")))
        << noPath.err.toStdString();
    const Outcome version = Run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("vendrake-screen ")))
        << version.out.toStdString();
    const Outcome help = Run({QStringLiteral("check"), QStringLiteral("-h")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(
        help.out.startsWith(QStringLiteral("usage: vendrake-screen [--index PATH] COMMAND\n")));
    const Outcome unknown = Run({QStringLiteral("lists"), QStringLiteral("--colour")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(
        unknown.err.startsWith(QStringLiteral("vendrake-screen: unknown option --colour\n")))
        << unknown.err.toStdString();
}

}  // namespace

namespace {

// The tool's commands called in-process, as the program's main() calls them.
int RunInProcess(std::vector<std::string> words) {
    words.insert(words.begin(), "vendrake-screen");
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    return screen::RunScreenTool(static_cast<int>(words.size()), argv.data());
}

TEST(ScreenToolInProcess, CommandsRunWithoutTheProgramAndTellTheirStatus) {
    data_test::UseShippedData();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string index = dir.filePath(QStringLiteral("screening.sqlite")).toStdString();
    EXPECT_EQ(RunInProcess({"--index", index, "frobnicate"}), cli::kUsage);
    EXPECT_EQ(RunInProcess({"--index", index, "check", "--threshold", "0", "7713001232"}),
              cli::kUsage);
    // No index yet: an empty listing, and nothing to check against.
    EXPECT_EQ(RunInProcess({"--index", index, "lists"}), 0);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(index)));
    EXPECT_EQ(RunInProcess({"--index", index, "check", "7713001232"}), cli::kFailed);

    EXPECT_EQ(RunInProcess(
                  {"--index", index, "import", Fixture("watchlist.jsonl"), "--name", "watchlist"}),
              0);
    screen::Index stored;
    ASSERT_TRUE(Succeeded(stored.Open(index, screen::Index::Access::ReadOnly)));
    std::vector<screen::ListVersion> versions;
    ASSERT_TRUE(Succeeded(stored.Versions(), &versions));
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].list, "watchlist");
    EXPECT_EQ(RunInProcess({"--index", index, "remove", "nosuchlist"}), cli::kFailed);
}

}  // namespace

namespace {

QString External(const char* path) {
    return QStringLiteral(VENDRAKE_EXTERNAL_DIR "/") + QString::fromUtf8(path);
}

// A related party that a targets export carries for its links ("target": false) is
// not listed: it is said as a link, with an exit status of its own.
TEST_F(ScreenTool, ARelatedPartyOfAPublishedListIsALinkNotAListing) {
    const QString list = External("ftm_entities/yente_zala.entities.ftm.json");
    if (!QFileInfo::exists(list))
        GTEST_SKIP() << "the published lists are not beside the checkout";
    ASSERT_EQ(Run({QStringLiteral("import"), list}).exitCode, 0);
    const Outcome related = Run({QStringLiteral("check"), QStringLiteral("5920040846")});
    EXPECT_EQ(related.exitCode, 9) << related.out.toStdString();
    EXPECT_TRUE(related.out.contains(QStringLiteral("linked to a listed entity: INN 5920040846")))
        << related.out.toStdString();
    const Outcome jsonl = Run({QStringLiteral("check"), QStringLiteral("--format"),
                               QStringLiteral("jsonl"), QStringLiteral("5920040846")});
    EXPECT_TRUE(jsonl.out.contains(QStringLiteral("\"match\":\"link\"")))
        << jsonl.out.toStdString();
}

// Numbers pasted as printed, with their labels, find what the bare digits find; a
// mistyped one is said as such, never as "no match".
TEST_F(ScreenTool, PrintedNumbersFindWhatTheirDigitsFind) {
    const QString list = External("ftm_entities/eu_journal/eu_journal_ru_by.derived.ftm.json");
    if (!QFileInfo::exists(list))
        GTEST_SKIP() << "the published lists are not beside the checkout";
    ASSERT_EQ(Run({QStringLiteral("import"), list}).exitCode, 0);
    for (const char* typed :
         {"7704730655", "ИНН 7704730655", "7704730655 (Tax ID/INN)", "INN: 7704730655",
          "ИНН/КПП 7704730655/770401001", "ОГРН 1027700132195", "OGRN 1027700132195"}) {
        const Outcome found = Run({QStringLiteral("check"), QString::fromUtf8(typed)});
        EXPECT_EQ(found.exitCode, 6) << typed << ": " << found.out.toStdString();
    }
    const Outcome typo = Run({QStringLiteral("check"), QStringLiteral("7704730656")});
    EXPECT_EQ(typo.exitCode, 2);
    EXPECT_EQ(typo.out, QStringLiteral("7704730656\t7704730656: not a valid INN (check digit)\n"));
}

}  // namespace
