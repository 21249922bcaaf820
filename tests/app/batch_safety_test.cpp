// vendrake-batch against what loses or fakes results: a progress record cut short, two
// runs on one list, a list changed before --resume, a failed line resumed, links and
// pipes at the output paths, files others may read, a run without a register, lines that
// are not what they seem, and the tool's own answers (help, version, addresses, names,
// wording).
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QSettings>
#include <cctype>

#include "support/batch_run_support.h"
#include "support/cp1251_text.h"
#include "support/loopback.h"
#include "support/rule_files.h"

using batchtest::BatchFolder;
using batchtest::Count;
using batchtest::ModeOf;
using batchtest::Outcome;
using batchtest::Searches;
using batchtest::WaitUntil;
using testsupport::Cp1251;
using testsupport::StandinServer;

namespace {

// "%D0%EE..." as the form body carries a Windows-1251 text.
std::string FormText(const char* utf8) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : Cp1251(utf8)) {
        const auto u = static_cast<unsigned char>(c);
        if (u == ' ') {
            out += '+';
        } else if (u >= 0x80) {
            out += '%';
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

TEST(BatchSafety, AProgressRecordCutInsideANumberNeverCutsTheResults) {
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("Лютик\nРомашка\n7713001232\n");
    ASSERT_EQ(folder.Run(s, {"--jobs", "1", "--format", "jsonl"}).exitCode, 0);
    const std::string results = folder.Read("list_enabled.jsonl");
    const std::string progress = folder.Read("list_enabled.progress");
    // The last record's fifth field is the results size it vouches for.
    std::size_t bytesField = progress.rfind('\n', progress.size() - 2) + 1;
    for (int tab = 0; tab < 4; ++tab) {
        bytesField = progress.find('\t', bytesField) + 1;
    }
    ASSERT_GT(bytesField, 0u);

    // The disk filled up two digits into the last size; a later run added a line end.
    batchtest::WriteFile(folder.path("list_enabled.progress"),
                         progress.substr(0, bytesField + 2) + "\n");
    const Outcome resumed = folder.Run(s, {"--jobs", "1", "--format", "jsonl", "--resume"});
    EXPECT_EQ(resumed.exitCode, 0) << resumed.err;
    const std::string after = folder.Read("list_enabled.jsonl");
    EXPECT_EQ(after.size(), results.size());
    EXPECT_EQ(Count(after, "\"kind\":\"firm\""), 12u) << after;
    // Once more, nothing left to do: the file stays as it is.
    EXPECT_EQ(folder.Run(s, {"--format", "jsonl", "--resume"}).exitCode, 0);
    EXPECT_EQ(folder.Read("list_enabled.jsonl"), after);
}

TEST(BatchSafety, ASecondRunOnTheSameListIsRefusedWhileTheFirstRuns) {
    StandinServer s({"--slow", "60"});
    BatchFolder first;
    first.WriteList("Медленно\n");
    first.Start(s, {});
    ASSERT_TRUE(WaitUntil([&] { return Searches(s).size() == 1; }));

    // The same list through the built program.
    const Outcome refused = [&] {
        QProcess other;
        other.start(QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-batch"),
                    {first.path("list.txt"), QStringLiteral("--service"),
                     QStringLiteral("127.0.0.1:%1").arg(s.port())});
        other.waitForFinished(60000);
        return Outcome{other.exitCode(), other.readAllStandardError().toStdString()};
    }();
    EXPECT_EQ(refused.exitCode, 2) << refused.err;
    EXPECT_NE(refused.err.find("Another vendrake-batch run is using it (process " +
                               std::to_string(first.Pid()) + ")"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(Searches(s).size(), 1u);
    first.Signal(SIGTERM);
    EXPECT_EQ(first.Finish().exitCode, 143);
}

TEST(BatchSafety, AChangedListIsNotResumed) {
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("Лютик\nПусто\n");
    ASSERT_EQ(folder.Run(s, {}).exitCode, 0);
    const std::string results = folder.Read("list_enabled.txt");
    folder.WriteList("Ромашка\nЛютик\nПусто\n");
    const Outcome run = folder.Run(s, {"--resume"});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("has changed since the run recorded in"), std::string::npos) << run.err;
    EXPECT_EQ(folder.Read("list_enabled.txt"), results);
    EXPECT_EQ(Searches(s).size(), 2u);
}

TEST(BatchSafety, AFailedLineResumedTwiceLeavesNoPartialRecords) {
    StandinServer s;
    for (const char* format : {"text", "jsonl"}) {
        BatchFolder folder;
        folder.WriteList("Лютик\nРомашка Обрыв\n");
        const Outcome runs[] = {folder.Run(s, {"--format", format}),
                                folder.Run(s, {"--format", format, "--resume"}),
                                folder.Run(s, {"--format", format, "--resume"})};
        const std::string results =
            folder.Read(std::string(format) == "text" ? "list_enabled.txt" : "list_enabled.jsonl");
        for (const Outcome& run : runs) {
            EXPECT_EQ(run.exitCode, 1) << run.err;
            // The summary and the file agree: only Лютик's two firms.
            EXPECT_NE(run.err.find("Summary: checked 2 of 2 lines, found 2 firms and 0 messages, "
                                   "failed 1, skipped 0, unchecked 0"),
                      std::string::npos)
                << run.err;
        }
        EXPECT_EQ(Count(results, Cp1251("Название: ")) + Count(results, "\"kind\":\"firm\""), 2u)
            << format;
    }
}

TEST(BatchSafety, LinksAndPipesAtTheOutputPathsAreRefused) {
    StandinServer s;
    for (const char* name : {"list_enabled.txt", "list_enabled.progress", "list_unchecked.txt"}) {
        for (const bool pipe : {false, true}) {
            BatchFolder folder;
            folder.WriteList("Лютик\n");
            const QString path = folder.path(name);
            const QString target = folder.path("target");
            batchtest::WriteFile(target, "keep me");
            if (pipe) {
                ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            } else {
                ASSERT_TRUE(QFile::link(target, path));
            }
            const Outcome run = folder.Run(s, {});
            EXPECT_EQ(run.exitCode, 2) << name << pipe << run.err;
            EXPECT_NE(run.err.find(pipe ? "not a regular file" : "symbolic link"),
                      std::string::npos)
                << name << run.err;
            EXPECT_EQ(folder.Read("target"), "keep me") << name;
        }
    }
    EXPECT_TRUE(Searches(s).empty());
}

// At the common umask 022: the progress file names every line checked and is the user's
// alone, also when an older run left it readable; the results follow the umask unless
// --private makes them, and the list of unchecked lines, the user's alone too.
TEST(BatchSafety, TheProgressFileIsPrivateAndResultsFollowTheUmask) {
    const mode_t umaskBefore = ::umask(022);
    {
        StandinServer s;
        BatchFolder folder;
        folder.WriteList("Лютик\n");
        ASSERT_EQ(folder.Run(s, {"--no-archive"}).exitCode, 0);
        EXPECT_EQ(ModeOf(folder.path("list_enabled.progress")), 0600);
        EXPECT_EQ(ModeOf(folder.path("list_enabled.txt")), 0644);
    }
    {
        StandinServer limited({"--daily-limit", "1"});
        BatchFolder folder;
        folder.WriteList("Лютик\nРомашка\n=Лютик\n");
        batchtest::WriteFile(folder.path("list_enabled.progress"), "");
        ::chmod(QFile::encodeName(folder.path("list_enabled.progress")).constData(), 0644);
        batchtest::WriteFile(folder.path("list_enabled.csv"), "");
        ::chmod(QFile::encodeName(folder.path("list_enabled.csv")).constData(), 0664);
        const Outcome run =
            folder.Run(limited, {"--no-archive", "--private", "--format", "csv", "--jobs", "1"});
        EXPECT_EQ(run.exitCode, 5) << run.err;
        EXPECT_EQ(ModeOf(folder.path("list_enabled.progress")), 0600);
        EXPECT_EQ(ModeOf(folder.path("list_enabled.csv")), 0600);
        EXPECT_EQ(ModeOf(folder.path("list_unchecked.txt")), 0600);
    }
    {
        StandinServer limited({"--daily-limit", "1"});
        BatchFolder folder;
        folder.WriteList("Лютик\nРомашка\n");
        const Outcome run = folder.Run(limited, {"--no-archive", "--format", "jsonl"});
        EXPECT_EQ(run.exitCode, 5) << run.err;
        EXPECT_EQ(ModeOf(folder.path("list_enabled.jsonl")), 0644);
        EXPECT_EQ(ModeOf(folder.path("list_unchecked.txt")), 0644);
    }
    ::umask(umaskBefore);
}

TEST(BatchSafety, WithoutARegisterTheRunStopsAtOnceAndKeepsOldResults) {
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("Лютик\nРомашка\nПрямо\n7713001232\nПусто\n");
    ASSERT_EQ(folder.Run(s, {}).exitCode, 0);
    const std::string results = folder.Read("list_enabled.txt");
    const std::string progress = folder.Read("list_enabled.progress");
    ASSERT_EQ(Count(results, Cp1251("Название: ")), 15u);

    // No --service and no setting: the placeholder address, which nothing answers.
    const Outcome run = folder.Run(s, {}, false);
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_EQ(Count(run.err, "The register's address is not set"), 1u) << run.err;
    EXPECT_EQ(folder.Read("list_enabled.txt"), results);
    EXPECT_EQ(folder.Read("list_enabled.progress"), progress);
}

// Runs the copy in folder on its list.txt with args, the system's proxy (which the
// fixed address of the connection check goes through) set to httpProxy.
Outcome RunWithSystemProxy(const BatchFolder& folder, const std::string& httpProxy,
                           QStringList args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"no_proxy", "NO_PROXY", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
        env.remove(QString::fromLatin1(name));
    }
    env.insert(QStringLiteral("http_proxy"), QString::fromStdString(httpProxy));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.path("config"));
    QProcess p;
    p.setProcessEnvironment(env);
    args.prepend(folder.path("list.txt"));
    p.start(folder.path("vendrake-batch"), args);
    p.waitForFinished(120000);
    return Outcome{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                   p.readAllStandardError().toStdString()};
}

QStringList ServiceAt(const std::string& root) {
    return {QStringLiteral("--service"), QString::fromStdString(root.substr(7))};
}

// The connection check asks the register service first: a mirror that answers is
// checked even where the fixed address cannot be reached. One that does not answer
// stops the run with its own reason while the fixed address answers, and with "No
// Internet connection..." when that fails too; neither sends a search.
TEST(BatchSafety, TheConnectionCheckAsksTheServiceFirst) {
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("Лютик\n");
    const std::string closedRoot = "http://127.0.0.1:" + std::to_string(testsupport::FreePort());

    const Outcome reachable = RunWithSystemProxy(folder, closedRoot, ServiceAt(s.root()));
    EXPECT_EQ(reachable.exitCode, 0) << reachable.err;
    EXPECT_NE(folder.Read("list_enabled.txt").find("7702004440"), std::string::npos);
    EXPECT_EQ(Searches(s).size(), 1u);
    ASSERT_TRUE(QFile::remove(folder.path("list_enabled.txt")));
    ASSERT_TRUE(QFile::remove(folder.path("list_enabled.progress")));

    const std::string closedHost = closedRoot.substr(7);
    const Outcome silent = RunWithSystemProxy(folder, s.root(), ServiceAt(closedRoot));
    EXPECT_EQ(silent.exitCode, 3) << silent.err;
    EXPECT_NE(silent.err.find("the register service at " + closedHost +
                              " does not answer: cannot connect to " + closedHost + "\n"),
              std::string::npos)
        << silent.err;
    EXPECT_EQ(silent.err.find("No Internet connection"), std::string::npos) << silent.err;

    const Outcome offline = RunWithSystemProxy(folder, closedRoot, ServiceAt(closedRoot));
    EXPECT_EQ(offline.exitCode, 3) << offline.err;
    EXPECT_NE(offline.err.find("No Internet connection..."), std::string::npos) << offline.err;
    EXPECT_EQ(offline.err.find("does not answer"), std::string::npos) << offline.err;
    EXPECT_EQ(folder.Read("list_enabled.txt"), "<missing>");
    EXPECT_EQ(Searches(s).size(), 1u);
}

// While the address is the placeholder, a failure gets the hint to set it only when
// the placeholder host itself could not be reached: through a proxy that serves any
// host, the register's own error is reported as it is.
TEST(BatchSafety, ThePlaceholderHintGoesOnlyWithThePlaceholdersOwnFailure) {
    StandinServer s;
    BatchFolder folder;
    batchtest::WriteFile(folder.path("config.ini"),
                         "[Setting]\r\nEnabledProxy=1\r\nproxy=127.0.0.1\r\nport=" +
                             std::to_string(s.port()) + "\r\n");
    folder.WriteList("Обрыв\nЛютик\n");
    const Outcome run = RunWithSystemProxy(folder, s.root(), {"--jobs", "1"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("line 1: the register answered HTTP 500\n"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("address is not set"), std::string::npos) << run.err;
    EXPECT_NE(folder.Read("list_enabled.txt").find("7702004440"), std::string::npos);
}

TEST(BatchSafety, LinesAreSentAsWhatTheyAre) {
    StandinServer s;
    BatchFolder folder;
    // A UTF-8 list with one Windows-1251 line, a name starting with digits, a number
    // written with blanks, and a control character inside a name.
    folder.WriteList("Лютик\n" + Cp1251("Пусто") + "\n12 Ромашка\n77 13001232\nЛю" +
                     std::string(1, '\x01') + "тик\n");
    const Outcome run = folder.Run(s, {"--jobs", "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("line 2 not valid UTF-8, read as Windows-1251."), std::string::npos)
        << run.err;
    const std::vector<std::string> sent = Searches(s);
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_NE(sent[0].find("name=" + FormText("Лютик") + "&"), std::string::npos) << sent[0];
    EXPECT_NE(sent[1].find("name=" + FormText("Пусто") + "&"), std::string::npos) << sent[1];
    EXPECT_NE(sent[2].find("name=12+" + FormText("Ромашка") + "&"), std::string::npos) << sent[2];
    EXPECT_NE(sent[3].find("num=7713001232&"), std::string::npos) << sent[3];
    EXPECT_NE(sent[4].find("name=" + FormText("Лютик") + "&"), std::string::npos) << sent[4];
}

TEST(BatchSafety, ResultsDeletedDuringTheRunAreReported) {
    StandinServer s({"--slow", "2"});
    BatchFolder folder;
    folder.WriteList("Лютик\nМедленно\n");
    folder.Start(s, {"--jobs", "1"});
    ASSERT_TRUE(WaitUntil([&] { return Count(folder.Read("list_enabled.progress"), "\n") == 3; }));
    ASSERT_TRUE(QFile::remove(folder.path("list_enabled.txt")));
    const Outcome run = folder.Finish();
    EXPECT_EQ(run.exitCode, 4) << run.err;
    EXPECT_NE(run.err.find("it was deleted during the run"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Results: "), std::string::npos) << run.err;
}

TEST(BatchSafety, AnInvalidServiceSettingIsReported) {
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("Лютик\n");
    {
        QSettings settings(folder.path("config/Quillmarsh/Vendrake.conf"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("ServiceHost"), QStringLiteral("mirror:99999"));
    }
    const Outcome run = folder.Run(s, {}, false);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("The setting ServiceHost=\"mirror:99999\" is not a service address: "
                           "The port \"99999\" is not a number from 1 to 65535."),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(Searches(s).empty());
}

TEST(BatchSafety, ProgressAndSummarySpeakAlike) {
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("Ромашка Обрыв\nЛютик Обрыв\n");
    const Outcome run = folder.Run(s, {"--jobs", "1"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("\nChecked 2 of 2 lines, found 0 firms and 0 messages, failed 2, "
                           "skipped 0\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("\nSummary: checked 2 of 2 lines, found 0 firms and 0 messages, "
                           "failed 2, skipped 0, unchecked 0\n"),
              std::string::npos)
        << run.err;
}

TEST(BatchSafety, RequestLanguageConvertsNamesBeforeSending) {
    translit_test::SharedRoot shared;
    shared.WriteLanguage(QStringLiteral("To Russian"),
                         {"l|л", "yu|ю", "t|т", "i|и", "k|к", "7|7", "1|1", "3|3", "2|2", "0|0"},
                         {});
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("Lyutik\n7713001232\n");
    const Outcome run = folder.Run(s, {"--jobs", "1", "--request-language", "To Russian"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> sent = Searches(s);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_NE(sent[0].find("name=" + FormText("Лютик") + "&"), std::string::npos) << sent[0];
    EXPECT_NE(sent[1].find("num=7713001232&"), std::string::npos) << sent[1];
    EXPECT_EQ(Count(folder.Read("list_enabled.txt"), Cp1251("Название: ")), 3u);

    ASSERT_EQ(folder.Run(s, {"--jobs", "1"}).exitCode, 0);
    EXPECT_NE(Searches(s)[2].find("name=Lyutik&"), std::string::npos) << Searches(s)[2];
}

Outcome RunTool(const QStringList& args, std::string* out = nullptr) {
    QProcess tool;
    tool.start(QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-batch"), args);
    tool.waitForFinished(60000);
    if (out != nullptr) {
        *out = tool.readAllStandardOutput().toStdString();
    }
    return Outcome{tool.exitCode(), tool.readAllStandardError().toStdString()};
}

TEST(BatchAnswers, HelpAndVersionExitZero) {
    for (const char* option : {"--help", "-h"}) {
        std::string out;
        const Outcome help = RunTool({QString::fromLatin1(option)}, &out);
        EXPECT_EQ(help.exitCode, 0) << help.err;
        for (const char* part : {"Usage: vendrake-batch FILE", "\n  --request-language L ",
                                 "\n  --service HOST[:PORT] ", "\n  -h, --help ",
                                 "\nExit status:\n", "\n  5    the service's daily"}) {
            EXPECT_NE(out.find(part), std::string::npos) << part << out;
        }
    }
    std::string out;
    EXPECT_EQ(RunTool({QStringLiteral("--version")}, &out).exitCode, 0);
    EXPECT_EQ(out.rfind("vendrake-batch ", 0), 0u) << out;
    EXPECT_TRUE(out.size() > 16 && std::isdigit(static_cast<unsigned char>(out[15]))) << out;
}

TEST(BatchAnswers, ServiceAsAUrlAndUnknownNames) {
    translit_test::SharedRoot shared;
    shared.WriteLanguage(QStringLiteral("English"), {"Л|L"}, {});
    shared.WriteLanguage(QStringLiteral("Polski"), {"Л|Ł"}, {});
    shared.WriteDictionary(QStringLiteral("English"), "ООО|LLC\n");
    StandinServer s;
    BatchFolder folder;
    folder.WriteList("Лютик\n");
    const Outcome url =
        folder.Run(s, {"--service", QStringLiteral("http://127.0.0.1:%1/").arg(s.port())}, false);
    EXPECT_EQ(url.exitCode, 0) << url.err;
    EXPECT_EQ(Searches(s).size(), 1u);

    const Outcome path = folder.Run(s, {"--service", "http://127.0.0.1/fns/"}, false);
    EXPECT_EQ(path.exitCode, 2);
    EXPECT_NE(path.err.find("Give it as HOST, HOST:PORT or http://HOST[:PORT]/"), std::string::npos)
        << path.err;

    const Outcome language = folder.Run(s, {"--format", "jsonl", "--language", "Klingon"});
    EXPECT_EQ(language.exitCode, 2);
    EXPECT_NE(language.err.find("--language: there is no \"Klingon\". Installed: "),
              std::string::npos)
        << language.err;
    EXPECT_NE(language.err.find("Installed: English, Polski\n"), std::string::npos) << language.err;
    const Outcome dictionary =
        folder.Run(s, {"--format", "jsonl", "--language", "English", "--dictionary", "Klingon"});
    EXPECT_EQ(dictionary.exitCode, 2);
    EXPECT_NE(dictionary.err.find("--dictionary: there is no \"Klingon\". Installed: English\n"),
              std::string::npos)
        << dictionary.err;
    EXPECT_EQ(Searches(s).size(), 1u);
}

}  // namespace
