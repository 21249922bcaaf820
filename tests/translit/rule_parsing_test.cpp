// Letter-table and exception-line parsing: field cutting, list expansion, table order.
#include <gtest/gtest.h>

#include "translit/rule_tables.h"

namespace translit {
namespace {

struct Expected {
    RuleKind kind;
    const char* x;
    const char* y;
    const char* e = "";
    const char* left = "";
    const char* right = "";
};

void ExpectRules(const ExceptionRules& rules, const std::vector<Expected>& expected) {
    ASSERT_EQ(rules.size(), expected.size());
    for (size_t i = 0; i < rules.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rules[i].kind, expected[i].kind);
        EXPECT_EQ(rules[i].x, QString::fromUtf8(expected[i].x));
        EXPECT_EQ(rules[i].y, QString::fromUtf8(expected[i].y));
        EXPECT_EQ(rules[i].e, QString::fromUtf8(expected[i].e));
        EXPECT_EQ(rules[i].left, QString::fromUtf8(expected[i].left));
        EXPECT_EQ(rules[i].right, QString::fromUtf8(expected[i].right));
    }
}

ExceptionRules Parse(std::initializer_list<const char*> lines) {
    QStringList list;
    for (const char* line : lines)
        list << QString::fromUtf8(line);
    return ParseExceptionRules(list);
}

TEST(LetterTableParsing, SortsLongestFirstKeepingFileOrderAmongEqualLengths) {
    const LetterTable table = ParseLetterTable(
        {"с|s", "ш|sh", "щ|shch", "|catch", "ь|'", "шч|x|y", QStringLiteral("без черты")});
    ASSERT_EQ(table.size(), 7u);
    const std::vector<std::pair<QString, QString>> expected = {
        {"шч", "x|y"}, {"с", "s"},    {"ш", "sh"},      {"щ", "shch"},
        {"ь", "'"},    {"", "catch"}, {"", "без черты"}};
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].source, expected[i].first) << i;
        EXPECT_EQ(table[i].target, expected[i].second) << i;
    }
}

TEST(LetterTableParsing, TrailingBarIsNotShortened) {
    // A line "ъ|" maps ъ to nothing; it must not become a catch-all entry.
    const LetterTable table = ParseLetterTable({"ъ|", "а|a|"});
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].source, "ъ");
    EXPECT_EQ(table[0].target, "");
    EXPECT_EQ(table[1].target, "a|");
}

TEST(ExceptionParsing, PlainForms) {
    ExpectRules(
        Parse({"Отдельно стоящее |и|i|", "Точная замена |кс|x|", "В начале |е|ye|",
               "В середине |ъ||", "В конце |ий|iy|", "Тест |а|b|", "Вот |а|b|", "В конце |ий|iy"}),
        {{RuleKind::StandAloneWord, "и", "i"},
         {RuleKind::ExactReplacement, "кс", "x"},
         {RuleKind::WordStart, "е", "ye"},
         {RuleKind::WordMiddle, "ъ", ""},
         {RuleKind::WordEnd, "ий", "iy"},
         {RuleKind::Never, "а", "b"},
         {RuleKind::Never, "а", "b"},
         // Without its final "|" the line loses the last letter of Y.
         {RuleKind::WordEnd, "ий", "i"}});
}

TEST(ExceptionParsing, NeighbourListsExpandInOrder) {
    ExpectRules(Parse({"Если после |е| стоит |а,о| меняем на |ye|",
                       "Если перед |е| стоит |ь,| меняем на |ye|",
                       "В начале |е| и после стоит |л,| меняем на |ye|",
                       "В конце |е| и перед стоит |и| меняем на |ie|",
                       // The other phrase changes nothing: a word-start rule stays one.
                       "В начале |ё| и перед стоит |ж| меняем на |jo|",
                       "В начале |ю| и после стоит |а| и перед стоит |б| меняем на |yu|"}),
                {{RuleKind::FollowedBy, "е", "ye", "а"},
                 {RuleKind::FollowedBy, "е", "ye", "о"},
                 {RuleKind::PrecededBy, "е", "ye", "ь"},
                 {RuleKind::PrecededBy, "е", "ye", ""},
                 {RuleKind::WordStartWithNeighbour, "е", "ye", "л"},
                 {RuleKind::WordStartWithNeighbour, "е", "ye", ""},
                 {RuleKind::WordEndWithNeighbour, "е", "ie", "и"},
                 {RuleKind::WordStartWithNeighbour, "ё", "jo", "ж"},
                 // Fields are cut by phrase lengths, so the second phrase ends up in Y's place.
                 {RuleKind::WordStartWithNeighbour, "ю", "б| меняем на |yu", "а"}});
}

TEST(ExceptionParsing, BetweenIsTheCrossProductOfContexts) {
    ExpectRules(Parse({"Если между |а,о-и,у| стоит |й| меняем на |y|",
                       "Если между |и,ы| стоит |е| меняем на |ye|"}),
                {{RuleKind::Between, "й", "y", "", "а", "и"},
                 {RuleKind::Between, "й", "y", "", "а", "у"},
                 {RuleKind::Between, "й", "y", "", "о", "и"},
                 {RuleKind::Between, "й", "y", "", "о", "у"},
                 // No "-": one empty left context, the whole list on the right.
                 {RuleKind::Between, "е", "ye", "", "", "и"},
                 {RuleKind::Between, "е", "ye", "", "", "ы"}});
}

TEST(ExceptionParsing, OtherShapesNeverFire) {
    const ExceptionRules rules = Parse({"", "// comment", "Если вдруг |а| стоит |б| меняем на |в|",
                                        "Если между|а-б| стоит |в| меняем на |г|"});
    ASSERT_FALSE(rules.empty());
    for (const ExceptionRule& rule : rules)
        EXPECT_EQ(rule.kind, RuleKind::Never);
}

}  // namespace
}  // namespace translit
