// Rule files on disk: the roots, the reader, the listings and Transliterate's
// handling of missing or odd files.
#include <gtest/gtest.h>

#include <QDir>

#include "platform/program_dir.h"
#include "support/rule_files.h"
#include "translit/rule_tables.h"

namespace translit {
namespace {

using translit_test::RuleFileBytes;
using translit_test::SharedRoot;
using translit_test::WriteBytes;

class RuleFiles : public ::testing::Test {
  protected:
    QStringList ReadBytes(const QByteArray& bytes) {
        const QString path = root_.Path() + QStringLiteral("file.dat");
        WriteBytes(path, bytes);
        return ReadRuleFileLines(path);
    }

    SharedRoot root_;
};

TEST_F(RuleFiles, ReaderSplitsAtCrLfOnly) {
    EXPECT_EQ(ReadBytes(RuleFileBytes({"а|a", "б|b", "в|v"}, false)), QStringList({"а|a", "б|b"}));
    EXPECT_EQ(ReadBytes(RuleFileBytes({"а|a"}, false)), QStringList());
    EXPECT_EQ(ReadBytes(RuleFileBytes({"a\rb\nc", "", ""})), QStringList({"a\rb\nc", "", ""}));
    EXPECT_EQ(ReadBytes(RuleFileBytes({"а|a"}) + QByteArray("\x41")), QStringList({"а|a"}));
    const QStringList withMark = ReadBytes(RuleFileBytes({"а|a"}, true, true));
    ASSERT_EQ(withMark.size(), 1);
    EXPECT_EQ(withMark[0], QString(QChar(0xFEFF)) + "а|a");
    EXPECT_EQ(ReadBytes(QByteArray()), QStringList());
}

TEST_F(RuleFiles, ReaderFailsOnMissingFilesAndFolders) {
    EXPECT_THROW(ReadRuleFileLines(root_.Path() + QStringLiteral("absent.dat")), RuleFileError);
    EXPECT_THROW(ReadRuleFileLines(root_.Path()), RuleFileError);
}

TEST_F(RuleFiles, SharedFolderWinsEvenWhenEmpty) {
    EXPECT_EQ(GetTransliterationDir(), platform::ProgramDir() + QStringLiteral("Transliteration/"));
    EXPECT_EQ(GetDictionaryDir(), platform::ProgramDir() + QStringLiteral("Dictionaries/"));
    QDir().mkpath(root_.TransliterationDir());
    translit_test::AfterEdit();
    EXPECT_EQ(GetTransliterationDir(), root_.TransliterationDir());
    EXPECT_EQ(GetDictionaryDir(), platform::ProgramDir() + QStringLiteral("Dictionaries/"));
    QDir().mkpath(root_.DictionaryDir());
    translit_test::AfterEdit();
    EXPECT_EQ(GetDictionaryDir(), root_.DictionaryDir());
}

TEST_F(RuleFiles, FirstSharedFolderHoldingTheRootWins) {
    QTemporaryDir second;
    QTemporaryDir third;
    qputenv("XDG_DATA_DIRS", (second.path() + u':' + third.path()).toUtf8());
    QDir().mkpath(third.path() + QStringLiteral("/Quillmarsh/Transliteration"));
    translit_test::AfterEdit();
    EXPECT_EQ(GetTransliterationDir(),
              third.path() + QStringLiteral("/Quillmarsh/Transliteration/"));
    QDir().mkpath(second.path() + QStringLiteral("/Quillmarsh/Transliteration"));
    translit_test::AfterEdit();
    EXPECT_EQ(GetTransliterationDir(),
              second.path() + QStringLiteral("/Quillmarsh/Transliteration/"));
    QDir().mkpath(root_.TransliterationDir());
    translit_test::AfterEdit();
    EXPECT_EQ(GetTransliterationDir(), root_.TransliterationDir());
}

TEST_F(RuleFiles, ListingsLeaveOutHiddenEntriesAndOtherFiles) {
    root_.WriteLanguage(QStringLiteral("Latin"), {}, {});
    root_.WriteLanguage(QStringLiteral("Deutsch"), {}, {});
    root_.WriteLanguage(QStringLiteral(".hidden"), {}, {});
    WriteBytes(root_.TransliterationDir() + QStringLiteral("plain.dat"), "x");
    root_.WriteDictionary(QStringLiteral("English"), "");
    root_.WriteDictionary(QStringLiteral("a.b"), "");
    root_.WriteDictionary(QStringLiteral(".secret"), "");
    WriteBytes(root_.DictionaryDir() + QStringLiteral("notes.dat"), "x");
    QDir().mkpath(root_.DictionaryDir() + QStringLiteral("folder.txt"));
    translit_test::AfterEdit();

    QStringList languages = ListLanguageFolders();
    languages.sort();
    EXPECT_EQ(languages, QStringList({"Deutsch", "Latin"}));
    QStringList dictionaries = ListDictionaryNames();
    dictionaries.sort();
    EXPECT_EQ(dictionaries, QStringList({"English", "a.b"}));
}

TEST_F(RuleFiles, TransliterateReadsTheFilesOnEveryCall) {
    root_.WriteLanguage(QStringLiteral("T"), {"щ|shch", "у|u", "к|k", "а|a"}, {});
    const platform::Result<QString, QString> first =
        Transliterate(QStringLiteral("Щука"), QStringLiteral("T"));
    ASSERT_TRUE(first) << first.error().toStdString();
    EXPECT_EQ(*first, "Shchuka");

    root_.WriteExceptions(QStringLiteral("T"), RuleFileBytes({"Точная замена |ука|ooka|"}));
    const platform::Result<QString, QString> second =
        Transliterate(QStringLiteral("Щука"), QStringLiteral("T"));
    ASSERT_TRUE(second) << second.error().toStdString();
    EXPECT_EQ(*second, "Shchooka");
}

TEST_F(RuleFiles, EmptyTextReadsNothing) {
    const platform::Result<QString, QString> result =
        Transliterate(QString(), QStringLiteral("Absent"));
    ASSERT_TRUE(result) << result.error().toStdString();
    EXPECT_TRUE(result->isEmpty());
}

TEST_F(RuleFiles, MissingFileFailsWithoutAText) {
    root_.WriteTable(QStringLiteral("T"), RuleFileBytes({"а|a"}));
    const platform::Result<QString, QString> noExceptions =
        Transliterate(QStringLiteral("а"), QStringLiteral("T"));
    ASSERT_FALSE(noExceptions) << noExceptions->toStdString();
    EXPECT_TRUE(noExceptions.error().startsWith("Language \"T\": "))
        << noExceptions.error().toStdString();
    EXPECT_TRUE(noExceptions.error().contains("exception.dat"))
        << noExceptions.error().toStdString();

    root_.WriteExceptions(QStringLiteral("U"), RuleFileBytes({}));
    const platform::Result<QString, QString> noTable =
        Transliterate(QStringLiteral("а"), QStringLiteral("U"));
    ASSERT_FALSE(noTable) << noTable->toStdString();
    EXPECT_TRUE(noTable.error().contains("U.dat")) << noTable.error().toStdString();
}

TEST_F(RuleFiles, OddFileContentsNeverFail) {
    // A byte-order mark spoils the first table line; an exception line without its
    // CR LF is lost.
    root_.WriteTable(QStringLiteral("T"), RuleFileBytes({"щ|shch", "а|a"}, true, true));
    root_.WriteExceptions(QStringLiteral("T"), RuleFileBytes({"Точная замена |а|b|"}, false));
    const platform::Result<QString, QString> result =
        Transliterate(QStringLiteral("ща"), QStringLiteral("T"));
    ASSERT_TRUE(result) << result.error().toStdString();
    EXPECT_EQ(*result, "щa");
}

}  // namespace
}  // namespace translit
