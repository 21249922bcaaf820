// vendrake-translit end to end: a copy of the built program runs in a temporary
// folder, with its languages either in a shared data folder or beside it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "translit/rule_files.h"

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
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
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
    const QByteArray input = "ООО Ромашка\nооо ромашка\n";
    Outcome run =
        Run({QStringLiteral("Latin"), QStringLiteral("--dictionary"), QStringLiteral("English")},
            input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "LLC Romashka\nLLC romashka\n");
    // An unknown dictionary is no dictionary: plain transliteration.
    run = Run({QStringLiteral("--dictionary"), QStringLiteral("Absent"), QStringLiteral("Latin")},
              input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "OOO Romashka\nooo romashka\n");
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
    QDir().mkpath(shared_.DictionaryDir() + QStringLiteral("Folder.txt"));
    const Outcome run =
        Run({QStringLiteral("Latin"), QStringLiteral("--dictionary"), QStringLiteral("Folder")},
            "Щука\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(
        run.err.startsWith("vendrake-translit: Dictionary \"Folder\": cannot read Folder.txt"))
        << run.err.toStdString();
}

TEST_F(TranslitTool, BadArgumentsExitWithTwo) {
    const QList<QStringList> bad = {{},
                                    {QStringLiteral("--bogus")},
                                    {QStringLiteral("Latin"), QStringLiteral("--dictionary")},
                                    {QStringLiteral("Latin"), QStringLiteral("Other")},
                                    {QStringLiteral("--list"), QStringLiteral("Latin")}};
    for (const QStringList& args : bad) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("usage: vendrake-translit")) << run.err.toStdString();
    }
}

TEST_F(TranslitTool, ListsLanguagesThenDictionaries) {
    shared_.WriteLanguage(QStringLiteral("Latin"), kTable, {});
    shared_.WriteLanguage(QStringLiteral("Deutsch"), kTable, {});
    shared_.WriteLanguage(QStringLiteral(".hidden"), kTable, {});
    shared_.WriteDictionary(QStringLiteral("English"), "");
    shared_.WriteDictionary(QStringLiteral("a.b"), "");
    WriteBytes(shared_.DictionaryDir() + QStringLiteral("readme.md"), "x");
    const Outcome run = Run({QStringLiteral("--list")});
    EXPECT_EQ(run.exitCode, 0);
    QStringList lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.takeLast(), "");
    QStringList languages = lines.mid(0, 2);
    QStringList dictionaries = lines.mid(2, 2);
    languages.sort();
    dictionaries.sort();
    EXPECT_EQ(languages, QStringList({"Deutsch", "Latin"}));
    EXPECT_EQ(dictionaries, QStringList({"English", "a.b"}));
}

TEST_F(TranslitTool, LanguagesBesideTheProgramUnlessASharedFolderExists) {
    WriteLanguageBeside(QStringLiteral("Beside"), {"а|a"});
    Outcome run = Run({QStringLiteral("Beside")}, "ба\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "бa\n");
    EXPECT_EQ(Run({QStringLiteral("--list")}).out, "Beside\n");

    // An empty shared folder still wins over the one beside the program.
    QDir().mkpath(shared_.TransliterationDir());
    run = Run({QStringLiteral("Beside")}, "ба\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(Run({QStringLiteral("--list")}).out, "");
}

}  // namespace
