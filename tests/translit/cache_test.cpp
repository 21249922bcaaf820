// Languages and dictionaries are compiled once and kept: every change on disk between
// two calls must still count at the second call.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>
#include <QFile>

#include "support/rule_files.h"
#include "translit/translit.h"

namespace translit {
namespace {

using translit_test::RuleFileBytes;
using translit_test::SharedRoot;
using translit_test::WriteBytes;

const QString kLanguage = QStringLiteral("T");

class EditsBetweenCalls : public ::testing::Test {
  protected:
    void SetUp() override { root_.WriteLanguage(kLanguage, {"а|a", "б|b"}, {}); }

    QString Convert(const QString& text) {
        const Outcome outcome = ConvertText(text, kLanguage);
        EXPECT_TRUE(outcome.ok()) << outcome.error.toStdString();
        return outcome.text;
    }
    QString TablePath() const { return root_.TransliterationDir() + QStringLiteral("T/T.dat"); }

    SharedRoot root_;
};

TEST_F(EditsBetweenCalls, TableReplacedByAFileOfTheSameSize) {
    ASSERT_EQ(Convert("аб"), "ab");
    // Rewritten in place, then replaced through a rename: same size both times.
    root_.WriteTable(kLanguage, RuleFileBytes({"а|x", "б|y"}));
    EXPECT_EQ(Convert("аб"), "xy");
    const QString fresh = root_.Path() + QStringLiteral("fresh.dat");
    WriteBytes(fresh, RuleFileBytes({"а|p", "б|q"}));
    ASSERT_EQ(::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(TablePath())), 0);
    translit_test::AfterEdit();
    EXPECT_EQ(Convert("аб"), "pq");
}

TEST_F(EditsBetweenCalls, ExceptionFileRemovedThenPutBack) {
    const QString rules = root_.TransliterationDir() + QStringLiteral("T/exception.dat");
    ASSERT_EQ(Convert("аб"), "ab");
    ASSERT_TRUE(QFile::remove(rules));
    translit_test::AfterEdit();
    const Outcome missing = ConvertText(QStringLiteral("аб"), kLanguage);
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.text.isEmpty());
    EXPECT_EQ(missing.error,
              "Language \"T\": cannot read exception.dat (No such file or directory)");
    // The older entry point fails too, saying the same.
    const platform::Result<QString, QString> older = Transliterate(QStringLiteral("аб"), kLanguage);
    ASSERT_FALSE(older);
    EXPECT_EQ(older.error(), missing.error);

    root_.WriteExceptions(kLanguage, RuleFileBytes({"Точная замена |б|B|"}));
    EXPECT_EQ(Convert("аб"), "aB");
}

TEST_F(EditsBetweenCalls, LanguageFolderInAPreferredSharedFolderWins) {
    // The language lies in the second shared data folder; then the first (the user's)
    // gets a transliteration root of its own holding the language.
    QTemporaryDir user;
    QTemporaryDir system;
    qputenv("XDG_DATA_HOME", user.path().toUtf8());
    qputenv("XDG_DATA_DIRS", (system.path() + u':' + root_.Path()).toUtf8());
    ASSERT_EQ(Convert("аб"), "ab");
    EXPECT_EQ(GetTransliterationDir(), root_.TransliterationDir());

    const QString systemRoot = system.path() + QStringLiteral("/Quillmarsh/Transliteration/");
    WriteBytes(systemRoot + QStringLiteral("T/T.dat"), RuleFileBytes({"а|s"}));
    WriteBytes(systemRoot + QStringLiteral("T/exception.dat"), RuleFileBytes({}));
    EXPECT_EQ(Convert("аб"), "sб");

    const QString userRoot = user.path() + QStringLiteral("/Quillmarsh/Transliteration/");
    QDir().mkpath(userRoot);
    translit_test::AfterEdit();
    // An empty root that takes precedence hides the others.
    EXPECT_EQ(ConvertText(QStringLiteral("а"), kLanguage).error,
              "Language \"T\": no folder in " + userRoot);
    WriteBytes(userRoot + QStringLiteral("T/T.dat"), RuleFileBytes({"а|u"}));
    WriteBytes(userRoot + QStringLiteral("T/exception.dat"), RuleFileBytes({}));
    EXPECT_EQ(Convert("аб"), "uб");

    QDir(user.path() + QStringLiteral("/Quillmarsh")).removeRecursively();
    translit_test::AfterEdit();
    EXPECT_EQ(Convert("аб"), "sб");
}

TEST_F(EditsBetweenCalls, LanguageFolderRenamedAwayAndBack) {
    const QString folder = root_.TransliterationDir() + QStringLiteral("T");
    const QString away = root_.TransliterationDir() + QStringLiteral("Away");
    ASSERT_EQ(Convert("а"), "a");
    ASSERT_TRUE(QDir().rename(folder, away));
    translit_test::AfterEdit();
    EXPECT_EQ(ConvertText(QStringLiteral("а"), kLanguage).error,
              "Language \"T\": no folder in " + root_.TransliterationDir());
    ASSERT_TRUE(QDir().rename(away, folder));
    translit_test::AfterEdit();
    EXPECT_EQ(Convert("а"), "a");
}

TEST_F(EditsBetweenCalls, DictionaryLineAddedAndDictionaryAppearing) {
    const QString name = QStringLiteral("D");
    // No such dictionary yet: nothing to replace, and no error.
    Outcome outcome = TranslateText(QStringLiteral("аб ба"), kLanguage, name);
    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.text, "ab ba");

    root_.WriteDictionary(name, "аб;X\n");
    EXPECT_EQ(TranslateText(QStringLiteral("аб ба"), kLanguage, name).text, "X ba");
    root_.WriteDictionary(name, "аб;X\nба;Y\n");
    EXPECT_EQ(TranslateText(QStringLiteral("аб ба"), kLanguage, name).text, "X Y");

    ASSERT_TRUE(QFile::remove(root_.DictionaryDir() + name + QStringLiteral(".txt")));
    translit_test::AfterEdit();
    EXPECT_EQ(TranslateText(QStringLiteral("аб ба"), kLanguage, name).text, "ab ba");
}

TEST_F(EditsBetweenCalls, TranslatorKeepsWhatItOpenedForOneOperation) {
    root_.WriteDictionary(QStringLiteral("D"), "аб;X\n");
    const Translator translator = Translator::Open(kLanguage, QStringLiteral("D"));
    ASSERT_TRUE(translator.Error().isEmpty());
    root_.WriteTable(kLanguage, RuleFileBytes({"а|x", "б|y"}));
    EXPECT_EQ(translator.Translate(QStringLiteral("аб ба")).text, "X ba");
    EXPECT_EQ(translator.Convert(QStringLiteral("ба")).text, "ba");
    // The next operation sees the edit.
    EXPECT_EQ(Translator::Open(kLanguage, QStringLiteral("D")).Translate(QStringLiteral("ба")).text,
              "yx");
}

TEST(EngineOutcomes, ErrorsNameTheLanguageOrDictionaryAndWhatIsWrong) {
    SharedRoot root;
    root.WriteTable(QStringLiteral("NoRules"), RuleFileBytes({"а|a"}));
    root.WriteLanguage(QStringLiteral("Big"), {"а|" + QString(512 * 1024, u'x')}, {});
    QDir().mkpath(root.DictionaryDir() + QStringLiteral("Folder.txt"));
    translit_test::AfterEdit();

    struct Case {
        const char* what;
        Outcome outcome;
        QString error;
        QString text;
    };
    const Case cases[] = {
        {"no folder", ConvertText(QStringLiteral("а"), QStringLiteral("Klingon")),
         "Language \"Klingon\": no folder in " + root.TransliterationDir(), ""},
        {"through a missing folder", ConvertText(QStringLiteral("а"), QStringLiteral("Absent/..")),
         "Language \"Absent/..\": no folder in " + root.TransliterationDir(), ""},
        {"no exception file", ConvertText(QStringLiteral("а"), QStringLiteral("NoRules")),
         "Language \"NoRules\": cannot read exception.dat (No such file or directory)", ""},
        {"too long", ConvertText(QString(40, u'а'), QStringLiteral("Big")),
         "Language \"Big\": the converted text would be longer than 16777216 characters", ""},
        {"dictionary is a folder",
         TranslateText(QStringLiteral("а"), QStringLiteral("NoRules"), QStringLiteral("Folder")),
         "Dictionary \"Folder\": cannot read Folder.txt (Is a directory)", "а"},
        {"conversion after dictionary",
         TranslateText(QStringLiteral("а"), QStringLiteral("NoRules"), QString()),
         "Language \"NoRules\": cannot read exception.dat (No such file or directory)", "а"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.outcome.error, c.error) << c.what;
        EXPECT_EQ(c.outcome.text, c.text) << c.what;
    }
    // An empty text needs no language at all.
    EXPECT_TRUE(ConvertText(QString(), QStringLiteral("Klingon")).ok());
    EXPECT_TRUE(Translator::Open(QStringLiteral("Klingon")).Convert(QString()).ok());
    EXPECT_EQ(Translator::Open(QStringLiteral("Klingon")).Convert(QStringLiteral("а")).error,
              "Language \"Klingon\": no folder in " + root.TransliterationDir());
}

}  // namespace
}  // namespace translit
