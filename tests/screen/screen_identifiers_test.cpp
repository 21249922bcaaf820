// Numbers as screening reads them: the register numbers found in a list's text or
// typed for a firm, and the cells of a targets CSV record.
#include <gtest/gtest.h>

#include <QFile>

#include <string>
#include <vector>

#include "screen/identifiers.h"
#include "screen/list_reader.h"

namespace {

TEST(ScreenIdentifiers, NumbersAreFoundAndCheckedInFreeText) {
    using screen::Identifier;
    using screen::IdKind;
    struct Case {
        const char* text;
        std::vector<Identifier> ids;
    } cases[] = {
        {"7713001232", {{IdKind::Inn, "7713001232", ""}}},
        {"7713-001232", {{IdKind::Inn, "7713001232", ""}}},
        {"7713 001 232", {{IdKind::Inn, "7713001232", ""}}},
        {"7713\xC2\xA0"
         "001232",
         {{IdKind::Inn, "7713001232", ""}}},
        {"1032-301-234569", {{IdKind::Ogrn, "1032301234569", ""}}},
        // Two numbers with only a blank between them are still two.
        {"7713001232 1027700101230",
         {{IdKind::Inn, "7713001232", ""}, {IdKind::Ogrn, "1027700101230", ""}}},
        {"ИНН 7713001232, ОГРН 1027700101230",
         {{IdKind::Inn, "7713001232", ""}, {IdKind::Ogrn, "1027700101230", ""}}},
        // A check digit off by one: a typo in the list, not the firm.
        {"7713001233", {}},
        {"1027700101231", {}},
        // KPP with the INN, in either order, separated or run together.
        {"7705003211/770501001", {{IdKind::Inn, "7705003211", "770501001"}}},
        {"КПП 770501001 ИНН 7705003211", {{IdKind::Inn, "7705003211", "770501001"}}},
        {"7705003211 770501001", {{IdKind::Inn, "7705003211", "770501001"}}},
        {"7705003211770501001", {{IdKind::Inn, "7705003211", "770501001"}}},
        {"7705012017705003211", {{IdKind::Inn, "7705003211", "770501201"}}},
        // A person's INN (12 digits) is read: entrepreneurs and persons are listed by it.
        {"771300123400", {{IdKind::Inn, "771300123400", ""}}},
        // A date, a word: neither is a register number.
        {"2024-01-10", {}},
        {"unknown", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const std::vector<Identifier> got = screen::ParseIdentifiers(c.text);
        ASSERT_EQ(got.size(), c.ids.size()) << c.text;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_TRUE(got[i] == c.ids[i])
                << c.text << ": got " << got[i].value << "/" << got[i].kpp;
        }
    }
}

TEST(ScreenCsv, RecordsSplitOnCommasOutsideQuotes) {
    bool open = false;
    EXPECT_EQ(screen::SplitCsvRecord("a,\"b,c\",\"d\"\"e\",", &open),
              (std::vector<std::string>{"a", "b,c", "d\"e", ""}));
    EXPECT_FALSE(open);
    EXPECT_EQ(screen::SplitCsvRecord("a,\"b\r", &open), (std::vector<std::string>{"a", "b\r"}));
    EXPECT_TRUE(open);
}

}  // namespace

namespace {

std::string External(const std::string& path) {
    return std::string(VENDRAKE_EXTERNAL_DIR "/") + path;
}

TEST(ScreenIdentifiers, NumbersAreReadAsPeopleTypeThem) {
    using screen::Identifier;
    using screen::IdKind;
    struct Case {
        const char* typed;
        std::vector<Identifier> ids;
        std::vector<std::string> invalid;
    };
    const std::vector<Case> cases = {
        {"7704730655", {{IdKind::Inn, "7704730655", ""}}, {}},
        {"1 402 015 986", {{IdKind::Inn, "1402015986", ""}}, {}},
        {"7704730655 (Tax ID/INN)", {{IdKind::Inn, "7704730655", ""}}, {}},
        {"ИНН 7704730655", {{IdKind::Inn, "7704730655", ""}}, {}},
        {"INN: 7704730655", {{IdKind::Inn, "7704730655", ""}}, {}},
        {"TIN 7704.730.655", {{IdKind::Inn, "7704730655", ""}}, {}},
        {"ИНН/КПП 7704730655/770401001", {{IdKind::Inn, "7704730655", "770401001"}}, {}},
        {"ОГРН 1027700132195", {{IdKind::Ogrn, "1027700132195", ""}}, {}},
        {"OGRN 1027700132195", {{IdKind::Ogrn, "1027700132195", ""}}, {}},
        {"Reg. No. 1027700132195", {{IdKind::Ogrn, "1027700132195", ""}}, {}},
        {"ОГРНИП 304500116000157", {{IdKind::Ogrn, "304500116000157", ""}}, {}},
        {"ИНН 7704730656", {}, {"7704730656: not a valid INN (check digit)"}},
        {"ОГРН 1027700132196", {}, {"1027700132196: not a valid OGRN (check digit)"}},
        {"ИНН 12345", {}, {"ИНН 12345: not an INN, OGRN or OGRNIP"}},
        // A name, even one with digits in it, is no number.
        {"Ромашка 2000", {}, {}},
        {"NOVATEK", {}, {}},
        {"TINKOFF", {}, {}},
    };
    for (const Case& c : cases) {
        const screen::TypedIdentifiers typed = screen::ReadTypedIdentifiers(c.typed);
        EXPECT_EQ(typed.ids, c.ids) << c.typed;
        EXPECT_EQ(typed.invalid, c.invalid) << c.typed;
    }
}

// Personal INNs (12 digits) and OGRNIPs (15) count as INNs and OGRNs by their own check
// digits: the numbers third parties publish as valid or invalid.
TEST(ScreenIdentifiers, PublishedNumbersOfEveryLengthAreJudgedByTheirCheckDigits) {
    QFile file(QString::fromStdString(External("ru_identifiers/third_party_test_numbers.csv")));
    if (!file.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "the third-party numbers are not beside the checkout";
    bool open = false;
    int judged = 0;
    int personal = 0;
    file.readLine();  // the header
    while (!file.atEnd()) {
        const std::vector<std::string> cells =
            screen::SplitCsvRecord(file.readLine().trimmed().toStdString(), &open);
        if (cells.size() < 12 || cells[1] != "inn")
            continue;
        const std::string& value = cells[0];
        if ((value.size() != 10 && value.size() != 12) ||
            value.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const bool valid = cells[8] == "yes";
        const std::vector<screen::Identifier> found = screen::ParseIdentifiers(value);
        EXPECT_EQ(!found.empty(), valid) << value;
        EXPECT_EQ(screen::ReadTypedIdentifiers(value).invalid.empty(), valid) << value;
        ++judged;
        personal += value.size() == 12 && valid ? 1 : 0;
    }
    EXPECT_GE(judged, 30);
    EXPECT_GE(personal, 1);
}

}  // namespace
