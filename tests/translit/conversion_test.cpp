// The conversion on parsed rules: each rule kind firing and not firing, table order,
// capitalisation, and the edges of the text.
#include <gtest/gtest.h>

#include "translit/rule_tables.h"

namespace translit {
namespace {

const QStringList kTable = {"а|a", "б|b", "в|v", "е|e",  "и|i", "й|y", "к|k",   "л|l",
                            "о|o", "с|s", "у|u", "ц|ts", "н|n", "ь|",  "щ|shch"};

QString Conv(const QString& text, const QStringList& rules, const QStringList& table = kTable) {
    return Convert(text, ParseLetterTable(table), ParseExceptionRules(rules));
}

TEST(Conversion, StandAloneWordOnlyAsAWholeWord) {
    const QStringList rules = {"Отдельно стоящее |и|and|"};
    EXPECT_EQ(Conv("и", rules), "and");
    EXPECT_EQ(Conv("и бок", rules), "and bok");
    EXPECT_EQ(Conv("бок и бок", rules), "bok and bok");
    EXPECT_EQ(Conv("бок и", rules), "bok and");
    EXPECT_EQ(Conv("бики", rules), "biki");
    EXPECT_EQ(Conv("ик", rules), "ik");
    EXPECT_EQ(Conv("ки", rules), "ki");
    EXPECT_EQ(Conv("И бок", rules), "AND bok");
}

TEST(Conversion, ExactReplacementAnywhere) {
    EXPECT_EQ(Conv("бокс кс", {"Точная замена |кс|x|"}), "box x");
    EXPECT_EQ(Conv("бок", {"Точная замена |кс|x|"}), "bok");
}

TEST(Conversion, BetweenNeedsBothContexts) {
    const QStringList rules = {"Если между |а,о-и| стоит |й| меняем на |j|"};
    EXPECT_EQ(Conv("айи ойи", rules), "aji oji");
    EXPECT_EQ(Conv("уйи", rules), "uyi");
    EXPECT_EQ(Conv("ай", rules), "ay");  // right context would lie past the end
    EXPECT_EQ(Conv("йи", rules), "yi");  // left context would lie before the start
    EXPECT_EQ(Conv("бйи", {"Если между |и| стоит |й| меняем на |j|"}), "bji");
}

TEST(Conversion, WordStartRules) {
    const QStringList rules = {"В начале |е|ye|"};
    EXPECT_EQ(Conv("ель", rules), "yel");
    EXPECT_EQ(Conv("бок ель", rules), "bok yel");
    EXPECT_EQ(Conv("бек", rules), "bek");
    // A target that merely ends with a space is no word start.
    EXPECT_EQ(Conv("ке", {"Точная замена |к|k |", "В начале |е|ye|"}), "k e");
    // A space converted by a rule into a single space is one.
    EXPECT_EQ(Conv("к е", {"Точная замена | | |", "В начале |е|ye|"}), "k ye");

    const QStringList neighbour = {"В начале |е| и после стоит |л,в| меняем на |ye|"};
    EXPECT_EQ(Conv("ел ев ек", neighbour), "yel yev ek");
    EXPECT_EQ(Conv("бел", neighbour), "bel");
    EXPECT_EQ(Conv("е", neighbour), "e");
}

TEST(Conversion, WordMiddle) {
    const QStringList rules = {"В середине |е|ie|"};
    EXPECT_EQ(Conv("бек", rules), "biek");
    EXPECT_EQ(Conv("ек", rules), "ek");
    EXPECT_EQ(Conv("бе", rules), "be");
    EXPECT_EQ(Conv("бе к", rules), "be k");
    EXPECT_EQ(Conv("б ек", rules), "b ek");
}

TEST(Conversion, WordEndRules) {
    const QStringList rules = {"В конце |ий|ij|"};
    EXPECT_EQ(Conv("бий", rules), "bij");
    EXPECT_EQ(Conv("бий бок", rules), "bij bok");
    EXPECT_EQ(Conv("бийк", rules), "biyk");

    const QStringList neighbour = {"В конце |е| и перед стоит |и| меняем на |ie|"};
    EXPECT_EQ(Conv("ие", neighbour), "iie");
    EXPECT_EQ(Conv("ие б", neighbour), "iie b");
    EXPECT_EQ(Conv("бе", neighbour), "be");
    EXPECT_EQ(Conv("иеб", neighbour), "ieb");
    EXPECT_EQ(Conv("е", neighbour), "e");
}

TEST(Conversion, FollowedAndPrecededBy) {
    const QStringList followed = {"Если после |е| стоит |а,о| меняем на |ye|"};
    EXPECT_EQ(Conv("еа ео еб", followed), "yea yeo eb");
    EXPECT_EQ(Conv("бе", followed), "be");  // nothing after: simply false

    const QStringList preceded = {"Если перед |е| стоит |а| меняем на |ye|"};
    EXPECT_EQ(Conv("ае бе", preceded), "aye be");
    EXPECT_EQ(Conv("е", preceded), "e");

    // A trailing comma adds an empty neighbour that fires wherever X stands.
    EXPECT_EQ(Conv("еб", {"Если после |е| стоит |а,| меняем на |ye|"}), "yeb");
}

TEST(Conversion, FirstFiringRuleWinsAndOnlyXIsConsumed) {
    const QStringList rules = {"Если после |е| стоит |а| меняем на |1|", "Точная замена |е|2|",
                               "Точная замена |еа|3|"};
    EXPECT_EQ(Conv("еа ео", rules), "1a 2o");
}

TEST(Conversion, EmptyPatternsAreSkipped) {
    EXPECT_EQ(Conv("бок", {"Точная замена ||x|", "В начале ||y|"}), "bok");
    EXPECT_EQ(Conv("бок", {}, {"|x", "б|b"}), "bок");
}

TEST(Conversion, TableOrderAndCatchAll) {
    EXPECT_EQ(Conv("аа", {}, {"а|1", "а|2"}), "11");
    EXPECT_EQ(Conv("шчш", {}, {"ш|sh", "шч|shch"}), "shchsh");
    // An empty source sorts last and copies the character in its own case.
    EXPECT_EQ(Conv("аб", {}, {"|zzz", "а|a"}), "aб");
    EXPECT_EQ(Conv("Аб", {}, {"|zzz"}), "Аб");
    EXPECT_EQ(Conv("Аб", {}, {}), "Аб");
}

TEST(Conversion, Capitalisation) {
    EXPECT_EQ(Conv("Щука", {}), "Shchuka");
    EXPECT_EQ(Conv("ЩУКА", {}), "ShchUKA");
    EXPECT_EQ(Conv("Ельцин", {"В начале |е|ye|"}), "YEltsin");
    EXPECT_EQ(Conv("Бокс", {"Точная замена |бокс|box|"}), "BOX");
    // Upper-case sources never match; the lower-case one serves upper-case input.
    EXPECT_EQ(Conv("Щщ", {}, {"Щ|X"}), "Щщ");
    EXPECT_EQ(Conv("Щ", {}, {"Щ|X", "щ|shch"}), "Shch");
    // Characters known nowhere keep their case.
    EXPECT_EQ(Conv("Q-7 ж", {}), "Q-7 ж");
}

}  // namespace
}  // namespace translit

namespace translit {
namespace {

TEST(Conversion, LowerCasingIsQCharsForEveryCodeUnit) {
    // Matching runs on the text lower-cased one code unit for one; a table entry whose
    // source is QChar's lower case of a unit must therefore match that unit.
    int mismatches = 0;
    for (char32_t unit = 1; unit <= 0xFFFF; ++unit) {
        const QChar c(static_cast<char16_t>(unit));
        if (c.isSurrogate())
            continue;
        const LetterTable table = {{QString(c.toLower()), QStringLiteral("x")}};
        const QString expected = c.toLower() == c ? QStringLiteral("x") : QStringLiteral("X");
        if (Convert(QString(c), table, {}) != expected)
            ++mismatches;
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace translit
