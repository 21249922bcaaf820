#include "pages/page_scanner.h"

#include <gtest/gtest.h>

#include <QFile>
#include <vector>

#include "support/cp1251_text.h"
#include "support/test_pages.h"

namespace {

using lookup::FirmRecord;
using lookup::ScanState;

using pages::Page;
using testsupport::Cp1251;

// Records every effect in the order the scanner produces it.
struct Recorder : lookup::ScanOutput {
    std::vector<FirmRecord> firms;
    std::vector<std::string> events;  // "D" + name, or "T" + text
    void Deliver(const FirmRecord& firm) override {
        firms.push_back(firm);
        events.push_back("D" + firm.name);
    }
    void SetQueryText(const std::string& text) override { events.push_back("T" + text); }
};

ScanState NameQuery(const std::string& parent = "Q") {
    ScanState st;
    st.criteria.mode = lookup::SearchMode::Name;
    st.criteria.name = testsupport::Cp1251Text("Ромашка");
    st.queryText = parent;
    return st;
}

ScanState NumberQuery() {
    ScanState st;
    st.criteria.mode = lookup::SearchMode::Number;
    st.criteria.number = platform::Cp1251String("1027700000009");
    st.queryText = "N";
    return st;
}

TEST(PageScannerTest, NameModeReadsEveryRowOfTheFirstTableWithCleanedCells) {
    ScanState st = NameQuery(Cp1251("Ромашка 100% %d"));
    Recorder out;
    lookup::ParseResultPage(Page("name_three_rows.html"), st, out);

    ASSERT_EQ(out.firms.size(), 3u);
    EXPECT_EQ(st.rowsRead, 3);
    const std::string count = Cp1251("Ромашка 100% %d, records found: ");
    const std::vector<std::string> events = {"D" + Cp1251("ООО \"Ромашка\""), "T" + count + "1",
                                             "D" + Cp1251("\"Лютик\""),       "T" + count + "2",
                                             "D" + Cp1251("ИП \"А\""),        "T" + count + "3"};
    EXPECT_EQ(out.events, events);

    const FirmRecord& a = out.firms[0];  // link with the Link0 class
    EXPECT_EQ(a.address, Cp1251("г. Москва, ул. Ленина, д. 1"));
    EXPECT_EQ(a.ogrn, "1027700000001");
    EXPECT_EQ(a.grn, "2027700000001");
    EXPECT_EQ(a.inn, "7701000001");
    EXPECT_EQ(a.kpp, "770101001");
    EXPECT_EQ(a.date, "01.02.2003");
    EXPECT_EQ(a.region, "77");
    EXPECT_EQ(a.authority, "");
    EXPECT_EQ(a.authorityAddress, "");

    const FirmRecord& b = out.firms[1];    // plain link, text before it lost
    EXPECT_EQ(b.address, "");              // lone &nbsp;
    EXPECT_EQ(b.inn, "&nbsp;7701000002");  // &nbsp; beside text stays
    EXPECT_EQ(b.kpp, "Tom &amp; Jerry");   // other entities stay
    EXPECT_EQ(b.region, "50");

    const FirmRecord& c = out.firms[2];
    EXPECT_EQ(c.address, Cp1251("\"Б\""));  // "&quot;" then "&quot"
    EXPECT_EQ(c.kpp, "");
    EXPECT_EQ(c.region, "78");
}

TEST(PageScannerTest, CountRunsOnOverPagesOfOneQuery) {
    ScanState st = NameQuery();
    Recorder out;
    lookup::ParseResultPage(Page("name_three_rows.html"), st, out);
    lookup::ParseResultPage(Page("name_second_page.html"), st, out);
    ASSERT_EQ(out.firms.size(), 5u);
    EXPECT_EQ(st.rowsRead, 5);
    EXPECT_EQ(out.firms[4].name, Cp1251("ООО Пять"));
    EXPECT_EQ(out.events.back(), "TQ, records found: 5");
}

TEST(PageScannerTest, NameModeWithoutTableEndGivesNoRecord) {
    ScanState st = NameQuery();
    st.firm.name = "stale";
    st.firm.authority = "kept";
    Recorder out;
    const lookup::PageScan scan =
        lookup::ParseResultPage("junk<tr><td>1</td><td>Name</td><td>Adr</td>", st, out);
    EXPECT_TRUE(out.firms.empty());
    EXPECT_EQ(scan.firms, 0);
    EXPECT_EQ(st.rowsRead, 0);
    EXPECT_EQ(st.firm.authority, "kept");  // name mode never touches it
}

TEST(PageScannerTest, ShortRowTakesItsMissingCellsFromTheNextRow) {
    // The working text is the whole table, not one row: a row with too few cells
    // reads on into the next one, and the next record starts after those cells.
    ScanState st = NameQuery();
    Recorder out;
    lookup::ParseResultPage(
        "<tr><td>1</td><td>A2</td><td>A3</td></tr>"
        "<tr><td>B1</td><td>B2</td><td>B3</td><td>B4</td><td>B5</td><td>B6</td><td>B7</td>"
        "<td>B8</td><td>B9</td></tr></table>",
        st, out);
    ASSERT_EQ(out.firms.size(), 2u);
    const FirmRecord& a = out.firms[0];
    EXPECT_EQ(a.name, "A2");
    EXPECT_EQ(a.address, "A3");
    EXPECT_EQ(a.ogrn, "B1");
    EXPECT_EQ(a.region, "B6");
    const FirmRecord& b = out.firms[1];
    EXPECT_EQ(b.name, "B8");
    EXPECT_EQ(b.address, "B9");
    EXPECT_EQ(b.ogrn, "");
    EXPECT_EQ(b.region, "");
    EXPECT_EQ(st.rowsRead, 2);
}

TEST(PageScannerTest, NumberModeReadsTheRowAfterTheHeading) {
    ScanState st = NumberQuery();
    Recorder out;
    lookup::ParseResultPage(Page("number_heading4.html"), st, out);
    ASSERT_EQ(out.firms.size(), 1u);
    const FirmRecord& f = out.firms[0];
    EXPECT_EQ(f.name, Cp1251("ООО \"Вектор\""));
    EXPECT_EQ(f.address, Cp1251("г. Тверь"));
    EXPECT_EQ(f.ogrn, "1027700000009");
    EXPECT_EQ(f.grn, "2097700000009");
    EXPECT_EQ(f.inn, "6901000009");
    EXPECT_EQ(f.kpp, "690101009");
    EXPECT_EQ(f.date, "09.09.2009");
    EXPECT_EQ(f.authority, Cp1251("Межрайонная ИФНС № 9"));
    EXPECT_EQ(f.authorityAddress, Cp1251("г. Тверь, ул. Советская, 9"));
    EXPECT_EQ(f.region, "69");
    EXPECT_EQ(out.events.size(), 1u);  // no count text in number mode
    EXPECT_EQ(st.rowsRead, 0);
}

TEST(PageScannerTest, NumberModeUsesTheFirstHeadingInTableOrder) {
    ScanState st = NumberQuery();
    st.criteria.name = platform::Cp1251String("x");  // the mode decides, not the fields given
    Recorder out;
    lookup::ParseResultPage(Page("number_two_headings.html"), st, out);
    ASSERT_EQ(out.firms.size(), 1u);
    EXPECT_EQ(out.firms[0].name, Cp1251("Создано"));
    EXPECT_EQ(out.firms[0].region, "77");
}

TEST(PageScannerTest, NothingForEmptyTextUnknownPagesOrNoCriteria) {
    Recorder out;
    ScanState name = NameQuery();
    lookup::ParseResultPage("", name, out);
    ScanState number = NumberQuery();
    lookup::ParseResultPage(Page("name_three_rows.html"), number, out);  // no heading
    ScanState neither;
    neither.criteria.mode = lookup::SearchMode::Other;
    neither.criteria.address = platform::Cp1251String("x");
    lookup::ParseResultPage(Page("name_three_rows.html"), neither, out);
    EXPECT_TRUE(out.events.empty());
    EXPECT_EQ(name.rowsRead, 0);
}

TEST(PageScannerTest, NextCellRules) {
    struct Case {
        std::string row, cell, rest;
    };
    const std::vector<Case> cases = {
        {"<td>a</td><td>b</td>", "a", "<td>b</td>"},
        {"x</td><td>b</td>", "", "<td>b</td>"},         // "</td>" before "<td>"
        {"<td>a", "", "a"},                             // no "</td>": drop 4
        {"abcdef</td>z", "def", "z"},                   // no "<td>": from position 4
        {"<td>&nbsp;</td>", "", ""},                    // lone &nbsp;
        {"<td>&nbsp;&nbsp;</td>", "&nbsp;&nbsp;", ""},  // only an exact &nbsp; goes
        {"<td>&quot;x&quot;</td>", "\"x\"", ""},
        {"<td>&quot;x&quot</td>", "\"x\"", ""},
        {"<td>&quotx&quot;</td>", "\"x\"", ""},
        {"<td>a&lt;b&amp;c</td>", "a&lt;b&amp;c", ""},
        {"<td>pre <a href=\"u\" class=\"Link0\">T</a> post</td>", "T", ""},
        {"<td>pre <a href=\"u\">T</a> post</td>", "T", ""},
        {"<td><b>bold</b></td>", "<b>bold</b>", ""},  // other markup stays
        {"", "", ""},
    };
    for (const Case& c : cases) {
        std::string_view row = c.row;
        EXPECT_EQ(lookup::NextCell(row), c.cell) << c.row;
        EXPECT_EQ(row, c.rest) << c.row;
    }
}

TEST(PageScannerTest, QuotEntities) {
    std::string s = "&quot;&quot&quot;;&amp;quot";
    lookup::ReplaceQuotEntities(s);
    EXPECT_EQ(s, "\"\"\";&amp;quot");
}

TEST(PageScannerTest, DeliveredRecordIsACopy) {
    ScanState st = NameQuery();
    Recorder out;
    lookup::ParseResultPage(Page("name_three_rows.html"), st, out);
    st.firm.name = "changed";
    EXPECT_EQ(out.firms[0].name, Cp1251("ООО \"Ромашка\""));
    EXPECT_EQ(st.firm.region, "78");  // the working record keeps the last row
}

TEST(PageScannerTest, HostileTextsEndAndStayBounded) {
    // Long texts with markers missing or out of order: every step still shortens
    // the text, so the scan ends after a bounded number of rows.
    ScanState st = NameQuery();
    Recorder out;
    std::string text = "<tr><td>";
    for (int i = 0; i < 20000; ++i)
        text += "</td>";
    text += "</tr></table>";
    // Every row it reads is empty, so none is a firm.
    EXPECT_EQ(lookup::ParseResultPage(text, st, out).firms, 0);
    EXPECT_TRUE(out.firms.empty());
    EXPECT_EQ(st.rowsRead, 0);

    ScanState number = NumberQuery();
    Recorder none;
    std::string heading =
        Cp1251("1.1. Сведения о государственной регистрации юридических лиц при их создании");
    // A heading with nothing after it: an empty row, which is no firm.
    EXPECT_EQ(lookup::ParseResultPage(heading, number, none).firms, 0);
    EXPECT_TRUE(none.firms.empty());
}

}  // namespace
