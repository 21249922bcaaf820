// The dictionary pass before the transliteration, and reading dictionary files.
#include <gtest/gtest.h>

#include "platform/cp1251.h"
#include "support/rule_files.h"
#include "translit/translit.h"

namespace translit {
namespace {

using translit_test::RuleFileBytes;
using translit_test::SharedRoot;
using translit_test::WriteBytes;

class DictionaryPass : public ::testing::Test {
  protected:
    void SetUp() override {
        root_.WriteLanguage(
            QStringLiteral("T"),
            {"р|r", "о|o", "м|m", "а|a", "ш|sh", "к|k", "п|p", "ё|yo", "с|s", "е|e", "т|t"}, {});
    }
    // The result; a failure's description goes to messages_.
    QString Translate(const QString& text, QStringList lines,
                      const QString& language = QStringLiteral("T")) {
        const Outcome out = TranslateByDictionary(text, language, &lines);
        if (!out.ok())
            messages_ << out.error;
        return out.text;
    }

    SharedRoot root_;
    QStringList messages_;
};

TEST_F(DictionaryPass, ReplacesWithoutRegardToCaseThenTransliterates) {
    const QStringList lines = {"ООО;LLC"};
    EXPECT_EQ(Translate("ООО Ромашка", lines), "LLC Romashka");
    EXPECT_EQ(Translate("ооо ромашка", lines), "LLC romashka");
    EXPECT_EQ(Translate("ОоО", lines), "LLC");
    // No word boundaries: a source inside a longer word is replaced too.
    EXPECT_EQ(Translate("Кроме", {"ром;X"}), "KXe");
    EXPECT_EQ(Translate(QString(), lines), "");
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(DictionaryPass, PairsApplyInOrderAndResumeAfterEachTarget) {
    EXPECT_EQ(Translate("кот", {"кот;пёс", "пёс;dog"}), "dog");
    EXPECT_EQ(Translate("пёс", {"кот;пёс", "пёс;кот"}), "kot");
    EXPECT_EQ(Translate("ааа", {"а;аа"}), "aaaaaa");
    EXPECT_EQ(Translate("а;б", {"а;b;c"}), "b;c;б");
}

TEST_F(DictionaryPass, LinesAreTrimmedInPlaceAndOddLinesIgnored) {
    QStringList lines = {"  ООО ; LLC  \t", "\tбез точки с запятой ", ";X", "", " ;"};
    EXPECT_EQ(TranslateByDictionary("ооо", QStringLiteral("T"), &lines).text, "LLC");
    EXPECT_EQ(lines, QStringList({"ООО ; LLC", "без точки с запятой", ";X", "", ";"}));
}

TEST_F(DictionaryPass, LongTargetsAreCut) {
    const QString target = QString(1200, u'x');
    EXPECT_EQ(Translate("о", {"о;" + target}), QString(1000, u'x'));
}

TEST_F(DictionaryPass, NoListMeansEmptyResult) {
    const Outcome out = TranslateByDictionary("ООО", QStringLiteral("Absent"), nullptr);
    EXPECT_TRUE(out.ok());
    EXPECT_TRUE(out.text.isEmpty());
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(DictionaryPass, FailedTransliterationKeepsTheReplacedText) {
    EXPECT_EQ(Translate("ооо ромашка", {"ООО;LLC"}, QStringLiteral("Absent")), "LLC ромашка");
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].startsWith("Language \"Absent\": no folder in "))
        << messages_[0].toStdString();
}

QStringList LoadBytes(const SharedRoot& root, const QByteArray& bytes) {
    const QString path = root.Path() + QStringLiteral("dict.txt");
    WriteBytes(path, bytes);
    return LoadDictionaryLines(path);
}

QByteArray Utf16(const QString& text, bool littleEndian) {
    QByteArray bytes;
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        bytes += littleEndian ? QByteArray{&lo, 1} + QByteArray{&hi, 1}
                              : QByteArray{&hi, 1} + QByteArray{&lo, 1};
    }
    return bytes;
}

TEST(DictionaryFiles, EncodingChosenByByteOrderMark) {
    SharedRoot root;
    const QStringList expected = {"ООО;LLC", "", "АО;JSC"};
    EXPECT_EQ(
        LoadBytes(root, "\xEF\xBB\xBF" + QStringLiteral("ООО;LLC\r\n\r\nАО;JSC\r\n").toUtf8()),
        expected);
    EXPECT_EQ(LoadBytes(root, "\xFF\xFE" + Utf16(QStringLiteral("ООО;LLC\n\nАО;JSC"), true)),
              expected);
    EXPECT_EQ(LoadBytes(root, "\xFE\xFF" + Utf16(QStringLiteral("ООО;LLC\r\rАО;JSC\r"), false)),
              expected);
    EXPECT_EQ(LoadBytes(root, QStringLiteral("ООО;LLC\n\r\nАО;JSC").toUtf8()), expected);
    const std::string ansi = platform::ToCp1251(u"ООО;LLC\r\n\nАО;JSC");
    EXPECT_EQ(LoadBytes(root, QByteArray(ansi.data(), qsizetype(ansi.size()))), expected);
    EXPECT_EQ(LoadBytes(root, QByteArray()), QStringList());
    EXPECT_THROW(LoadDictionaryLines(root.Path() + QStringLiteral("absent.txt")), RuleFileError);
}

}  // namespace
}  // namespace translit
