#include "pages/answer_rules.h"

#include <gtest/gtest.h>

#include <QFile>
#include <utility>

#include "pages/service_messages.h"
#include "support/cp1251_text.h"
#include "support/test_pages.h"

namespace {

using lookup::AnswerRule;

using pages::Page;
using testsupport::Cp1251;

const char* kRoot = "http://register.test";

TEST(AnswerRulesTest, EachRuleAndItsPrecedence) {
    const std::string link = "<a href=\"/fns/g.php?q=1\">";
    const std::string entry = "<a href=\"g.php?o=5\">";
    const std::string scan = "<a href=\"/fns/g.php?o=5\">";
    const std::string none = Cp1251("Записей нет");
    EXPECT_EQ(lookup::DecideRule(link), AnswerRule::ResultPages);
    EXPECT_EQ(lookup::DecideRule(link + Cp1251("Записей не найдено")), AnswerRule::ResultPages);
    for (const char* m : {"На сегодняшний день Ваш лимит запросов исчерпан", "Записей не найдено",
                          "Ошибка:", "Найдено:0"})
        EXPECT_EQ(lookup::DecideRule(entry + scan + Cp1251(m)), AnswerRule::ServiceMessage) << m;
    EXPECT_EQ(lookup::DecideRule(scan + entry), AnswerRule::EntryPage);
    EXPECT_EQ(lookup::DecideRule(scan), AnswerRule::ScanAnswer);
    EXPECT_EQ(lookup::DecideRule(none), AnswerRule::Nothing);
    EXPECT_EQ(lookup::DecideRule(""), AnswerRule::Nothing);
    // Markers are exact and case-sensitive.
    EXPECT_EQ(lookup::DecideRule("HREF=\"/fns/g.php?q=1\" " + Cp1251("ошибка:")),
              AnswerRule::Nothing);
    EXPECT_EQ(lookup::DecideRule(Cp1251("Найдено:05")), AnswerRule::ServiceMessage);
}

TEST(AnswerRulesTest, ResultPagesAreDistinctAndEndAtLink1) {
    const auto urls = lookup::ResultPageUrls(Page("result_links.html"), kRoot);
    const std::vector<std::string> expected = {
        "http://register.test/fns/g.php?q=abc&amp;p=1",
        "http://register.test/fns/g.php?q=abc&amp;p=2",
        "http://register.test/fns/g.php?q=abc&amp;p=3",
    };
    EXPECT_EQ(urls, expected);
}

TEST(AnswerRulesTest, NoPagesWithoutLink1AfterTheFirstLink) {
    const std::string links = "<a href=\"/fns/g.php?q=1\">1</a><a href=\"/fns/g.php?q=2\">2</a>";
    EXPECT_TRUE(lookup::ResultPageUrls(links, kRoot).empty());
    EXPECT_TRUE(lookup::ResultPageUrls("<a class=\"Link1\">" + links, kRoot).empty());
    EXPECT_TRUE(lookup::ResultPageUrls("<a class=\"Link1\">", kRoot).empty());
    // Comparison is exact: paths differing only in case are two pages.
    const auto two = lookup::ResultPageUrls(
        "<a href=\"/fns/g.php?q=a\">x<a href=\"/fns/g.php?q=A\" class=\"Link1\">", "");
    EXPECT_EQ(two, (std::vector<std::string>{"/fns/g.php?q=a", "/fns/g.php?q=A"}));
    // A link left open at the region's end gives no page.
    const auto open = lookup::ResultPageUrls(
        "<a href=\"/fns/g.php?q=a\">x<a href=\"/fns/g.php?q=b=\"Link1\">", "");
    EXPECT_EQ(open, (std::vector<std::string>{"/fns/g.php?q=a"}));
}

TEST(AnswerRulesTest, ManyRepeatedLinksStayOnePage) {
    std::string answer;
    for (int i = 0; i < 50000; ++i)
        answer += "<a href=\"/fns/g.php?q=" + std::to_string(i % 7) + "\">p</a>";
    answer += "<a class=\"Link1\">";
    EXPECT_EQ(lookup::ResultPageUrls(answer, kRoot).size(), 7u);
}

TEST(AnswerRulesTest, ServiceMessageNodeTakesTheFirstInTableOrder) {
    EXPECT_EQ(lookup::ServiceMessageNode(Cp1251("Ошибка: x. Записей не найдено")),
              Cp1251("Записей не найдено"));
    EXPECT_EQ(lookup::ServiceMessageNode(Cp1251("Ошибка: Найдено:0 На сегодняшний день Ваш лимит "
                                                "запросов исчерпан")),
              Cp1251("На сегодняшний день Ваш лимит запросов исчерпан"));
    EXPECT_EQ(lookup::ServiceMessageNode(Cp1251("<p>Ошибка: bad</p>")), Cp1251("Ошибка:"));
    EXPECT_EQ(lookup::ServiceMessageNode("nothing here"), std::nullopt);
}

// The kind recorded for an answer is that of the message whose node is shown, also
// when the answer holds several of them.
TEST(AnswerRulesTest, TheKindIsThatOfTheMessageShown) {
    using lookup::ServiceMessageKind;
    const std::pair<const char*, ServiceMessageKind> cases[] = {
        {"Ошибка: x. Записей не найдено", ServiceMessageKind::NotFound},
        {"Ошибка: Найдено:0 На сегодняшний день Ваш лимит запросов исчерпан",
         ServiceMessageKind::DailyLimit},
        {"<p>Ошибка: bad</p>", ServiceMessageKind::Error},
        {"Ошибка: Найдено:0<li>a.</li>", ServiceMessageKind::Error},
        {"Найдено:0<li>a.</li>", ServiceMessageKind::FoundNone},
        {"nothing here", ServiceMessageKind::Other},
    };
    for (const auto& [answer, kind] : cases) {
        EXPECT_EQ(lookup::ServiceMessageKindOf(Cp1251(answer)), kind) << answer;
        const auto node = lookup::ServiceMessageNode(Cp1251(answer));
        EXPECT_EQ(node.has_value(), kind != ServiceMessageKind::Other) << answer;
        for (const lookup::ServiceMessage& m : lookup::ServiceMessages()) {
            if (node && m.kind == kind) {
                EXPECT_EQ(node->rfind(m.text, 0), 0u) << answer;
            }
        }
    }
}

TEST(AnswerRulesTest, FoundZeroShowsTheFirstListItemLessItsLastCharacter) {
    const std::string m = Cp1251("Найдено:0");
    auto node = [&](const std::string& tail) { return lookup::ServiceMessageNode(m + tail); };
    EXPECT_EQ(node("<ul><li>abc.</li><li>def.</li></ul>"), m + " abc");
    EXPECT_EQ(node("<li>x</li>"), m + " ");          // one character: nothing left
    EXPECT_EQ(node("<li></li>"), m + " ");           // negative count
    EXPECT_EQ(node("<li>abc."), m + " ");            // no </li>
    EXPECT_EQ(node("</li><li>abc.</li>"), m + " ");  // </li> before <li>
    EXPECT_EQ(node(""), m + " ");
    // No <li> counts as position 0: the text runs from position 4 of the answer to two
    // characters before "</li>". The message itself is 9 characters long.
    EXPECT_EQ(node("abcdef</li>"), m + " " + m.substr(3) + "abcde");
}

TEST(AnswerRulesTest, EntryLinkIsTheFirstHrefValue) {
    EXPECT_EQ(lookup::EntryLink("<a href=\"/fns/g.php?o=9\"><a href=\"g.php?o=1&amp;x=2\">"
                                "<a href=\"g.php?o=2\">"),
              "g.php?o=1&amp;x=2");
    EXPECT_EQ(lookup::EntryLink("<a href=\"/fns/g.php?o=9\">"), std::nullopt);
    EXPECT_EQ(lookup::EntryLink("<a href=\"g.php?o=1"), std::nullopt);
    EXPECT_STREQ(lookup::kStopText,
                 "It is recommended to specify a search query, indicating more accurate");
}

}  // namespace
