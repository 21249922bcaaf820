// vendrake-translit end to end: a copy of the built program runs in a temporary
// folder, with its languages either in a shared data folder or beside it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "support/rule_files.h"
#include "translit/translit.h"

namespace {

using translit_test::RuleFileBytes;
using translit_test::SharedRoot;
using translit_test::WriteBytes;

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

class TranslitTool : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(programDir_.isValid());
        program_ = programDir_.path() + QStringLiteral("/vendrake-translit");
        ASSERT_TRUE(QFile::copy(QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-translit"), program_));
        QFile(program_).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner);
    }

    Outcome Run(const QStringList& args, const QByteArray& input = QByteArray()) {
        return RunIn(args, QString(), input);
    }

    // Runs with LC_ALL set to locale, unless locale is empty.
    Outcome RunIn(const QStringList& args, const QString& locale,
                  const QByteArray& input = QByteArray()) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!locale.isEmpty())
            env.insert(QStringLiteral("LC_ALL"), locale);
        env.insert(QStringLiteral("XDG_DATA_HOME"), shared_.Path());
        env.insert(QStringLiteral("XDG_DATA_DIRS"), shared_.Path() + QStringLiteral("none"));
        process.setProcessEnvironment(env);
        process.start(program_, args);
        EXPECT_TRUE(process.waitForStarted(10000));
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    void WriteLanguageBeside(const QString& language, const QStringList& table) {
        const QString folder = programDir_.path() + QStringLiteral("/Transliteration/") + language;
        WriteBytes(folder + QLatin1Char('/') + language + QStringLiteral(".dat"),
                   RuleFileBytes(table));
        WriteBytes(folder + QStringLiteral("/exception.dat"), RuleFileBytes({}));
    }

    QTemporaryDir programDir_;
    QString program_;
    SharedRoot shared_;
};

const QStringList kTable = {"р|r", "о|o", "м|m", "а|a", "ш|sh", "к|k", "щ|shch", "у|u"};

TEST_F(TranslitTool, ConvertsEachLine) {
    shared_.WriteLanguage(QStringLiteral("Latin"), kTable,
                          {"Отдельно стоящее |и|and|", "В начале |е|ye|"});
    const Outcome run = Run({QStringLiteral("Latin")}, "Щука и Ромашка\n\nЕм\r\nЩУКА");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Shchuka and Romashka\n\nYEm\nShchUKA\n");
    EXPECT_TRUE(run.err.isEmpty());
}

TEST_F(TranslitTool, DictionaryPassBeforeConversion) {
    shared_.WriteLanguage(QStringLiteral("Latin"), kTable, {});
    shared_.WriteDictionary(QStringLiteral("English"),
                            "\xEF\xBB\xBF"
                            "ООО ; LLC\r\n");
    const Outcome run =
        Run({QStringLiteral("Latin"), QStringLiteral("--dictionary"), QStringLiteral("English")},
            "ООО Ромашка\nооо ромашка\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "LLC Romashka\nLLC romashka\n");
}

// A dictionary the dictionary folder does not list is refused before any input is
// read, with the names that would have worked.
TEST_F(TranslitTool, UnknownDictionaryIsRefusedWithTheValidNames) {
    shared_.WriteLanguage(QStringLiteral("Latin"), kTable, {});
    const QStringList args = {QStringLiteral("--dictionary"), QStringLiteral("Absent"),
                              QStringLiteral("Latin")};
    Outcome run = Run(args, "ООО\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    // Without a shared dictionary folder the one beside the program is the root.
    EXPECT_EQ(run.err, "vendrake-translit: unknown dictionary \"Absent\"; none is installed in " +
                           programDir_.path() + "/Dictionaries/\n");

    shared_.WriteDictionary(QStringLiteral("Polski"), "");
    shared_.WriteDictionary(QStringLiteral("English"), "");
    run = Run(args, "ООО\n");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err,
              "vendrake-translit: unknown dictionary \"Absent\"; the dictionaries are: English, "
              "Polski\n");
    // Names are matched exactly: no extension, no other letter case.
    for (const char* near : {"English.txt", "english"}) {
        run =
            Run({QStringLiteral("Latin"), QStringLiteral("--dictionary"), QString::fromUtf8(near)},
                "ООО\n");
        EXPECT_EQ(run.exitCode, 2) << near;
    }
}

TEST_F(TranslitTool, FailedConversionExitsWithOne) {
    shared_.WriteTable(QStringLiteral("Broken"), RuleFileBytes(kTable));
    const Outcome run = Run({QStringLiteral("Broken")}, "Щука\nРомашка\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err,
              "vendrake-translit: Language \"Broken\": cannot read exception.dat (No such file "
              "or directory)\n");
}

TEST_F(TranslitTool, UnreadableDictionaryIsNamedInTheError) {
    shared_.WriteLanguage(QStringLiteral("Latin"), kTable, {});
    // Listed, but larger than any dictionary may be (a sparse file: nothing is written).
    QFile huge(shared_.DictionaryDir() + QStringLiteral("Huge.txt"));
    ASSERT_TRUE(QDir().mkpath(shared_.DictionaryDir()));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(translit::kMaxRuleFileBytes + 1));
    huge.close();
    const Outcome run =
        Run({QStringLiteral("Latin"), QStringLiteral("--dictionary"), QStringLiteral("Huge")},
            "Щука\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("vendrake-translit: Dictionary \"Huge\": cannot read Huge.txt"))
        << run.err.toStdString();
}

TEST_F(TranslitTool, BadArgumentsExitWithTwo) {
    const QList<QStringList> bad = {{},
                                    {QStringLiteral("--bogus")},
                                    {QStringLiteral("Latin"), QStringLiteral("--dictionary")},
                                    {QStringLiteral("Latin"), QStringLiteral("Other")},
                                    {QStringLiteral("--list"), QStringLiteral("Latin")},
                                    {QStringLiteral("--help"), QStringLiteral("Latin")},
                                    {QStringLiteral("--version"), QStringLiteral("--list")}};
    for (const QStringList& args : bad) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("usage: vendrake-translit")) << run.err.toStdString();
    }
}

TEST_F(TranslitTool, HelpAndVersionAnswerOnStandardOutput) {
    for (const char* option : {"--help", "-h"}) {
        const Outcome run = Run({QString::fromLatin1(option)});
        EXPECT_EQ(run.exitCode, 0) << option;
        EXPECT_TRUE(run.err.isEmpty()) << option;
        EXPECT_TRUE(run.out.startsWith("usage: vendrake-translit LANGUAGE")) << option;
        for (const char* line : {"\n  --dictionary NAME ", "\n  --list ", "\n  -h, --help ",
                                 "\n  --version ", "\nExit status: 0 "})
            EXPECT_TRUE(run.out.contains(QString::fromLatin1(line))) << option << line;
    }
    const Outcome run = Run({QStringLiteral("--version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "vendrake-translit " VENDRAKE_VERSION "\n");
    EXPECT_TRUE(run.err.isEmpty());
}

// Two headings, each list sorted by the locale's collation (letter case aside, digits
// by value), hidden folders and files other than "*.txt" left out; a name that is both
// a language and a dictionary appears once under each heading.
TEST_F(TranslitTool, ListsLanguagesThenDictionariesUnderHeadings) {
    for (const char* language : {"Latin", "deutsch", "Čeština", "Alpha 10", "Alpha 9", ".hidden"})
        shared_.WriteLanguage(QString::fromUtf8(language), kTable, {});
    for (const char* dictionary : {"Latin", "English", "a.b"})
        shared_.WriteDictionary(QString::fromUtf8(dictionary), "");
    WriteBytes(shared_.DictionaryDir() + QStringLiteral("readme.md"), "x");
    const Outcome run = RunIn({QStringLiteral("--list")}, QStringLiteral("en_US.UTF-8"));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
              "Languages:\n"
              "  Alpha 9\n"
              "  Alpha 10\n"
              "  Čeština\n"
              "  deutsch\n"
              "  Latin\n"
              "\n"
              "Dictionaries:\n"
              "  a.b\n"
              "  English\n"
              "  Latin\n");
}

TEST_F(TranslitTool, LanguagesBesideTheProgramUnlessASharedFolderExists) {
    WriteLanguageBeside(QStringLiteral("Beside"), {"а|a"});
    Outcome run = Run({QStringLiteral("Beside")}, "ба\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "бa\n");
    EXPECT_EQ(Run({QStringLiteral("--list")}).out, "Languages:\n  Beside\n\nDictionaries:\n");

    // An empty shared folder still wins over the one beside the program.
    QDir().mkpath(shared_.TransliterationDir());
    run = Run({QStringLiteral("Beside")}, "ба\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(Run({QStringLiteral("--list")}).out, "Languages:\n\nDictionaries:\n");
}

}  // namespace
