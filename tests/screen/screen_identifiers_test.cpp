// Numbers as screening reads them: the register numbers found in a list's text, and
// the cells of a targets CSV record.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

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
        // A person's or an entrepreneur's INN (12 digits) and an OGRNIP (15 digits).
        {"771300123400", {{IdKind::Inn, "771300123400", ""}}},
        {"771300123401", {}},
        {"ОГРНИП 304500116000157", {{IdKind::Ogrn, "304500116000157", ""}}},
        // A date, a word: neither is a number.
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

TEST(ScreenIdentifiers, TypedNumbersAreReadWithTheirLabelsAndMarks) {
    using screen::IdKind;
    struct Case {
        const char* text;
        const char* value;  // the one number read, or nullptr
        const char* kpp;
        const char* invalid;  // the one note, or nullptr
    } cases[] = {
        {"1 402 015 986", "1402015986", "", nullptr},
        {"7704730655 (Tax ID/INN)", "7704730655", "", nullptr},
        {"ИНН 7704730655", "7704730655", "", nullptr},
        {"INN: 7704730655", "7704730655", "", nullptr},
        {"инн: 7704730655.", "7704730655", "", nullptr},
        {"TIN 7704730655", "7704730655", "", nullptr},
        {"ИНН/КПП 7704730655/770401001", "7704730655", "770401001", nullptr},
        {"ОГРН 1027700132195", "1027700132195", "", nullptr},
        {"OGRN 1027700132195", "1027700132195", "", nullptr},
        {"Reg. No. 1027700132195", "1027700132195", "", nullptr},
        {"№ 1027-700-132195", "1027700132195", "", nullptr},
        {"77.04.730655", "7704730655", "", nullptr},
        {"7704730656", nullptr, "", "7704730656: not a valid INN (check digit)"},
        {"ИНН 7704 730 656", nullptr, "", "7704730656: not a valid INN (check digit)"},
        {"1027700132196", nullptr, "", "1027700132196: not a valid OGRN (check digit)"},
        {"304500116000158", nullptr, "", "304500116000158: not a valid OGRNIP (check digit)"},
        // Names, even with digits in them, and digits of no number's length.
        {"Izhtelekom", nullptr, "", nullptr},
        {"ООО Ромашка 7704730655", nullptr, "", nullptr},
        {"Martin", nullptr, "", nullptr},
        {"12345", nullptr, "", nullptr},
        {"", nullptr, "", nullptr},
    };
    for (const Case& c : cases) {
        const screen::TypedIdentifiers got = screen::ReadTypedIdentifiers(c.text);
        ASSERT_EQ(got.ids.size(), c.value ? 1u : 0u) << c.text;
        if (c.value) {
            EXPECT_EQ(got.ids[0].value, c.value) << c.text;
            EXPECT_EQ(got.ids[0].kpp, c.kpp) << c.text;
        }
        ASSERT_EQ(got.invalid.size(), c.invalid ? 1u : 0u) << c.text;
        if (c.invalid) {
            EXPECT_EQ(got.invalid[0], c.invalid);
        }
    }
    EXPECT_STREQ(screen::IdentifierName(screen::ReadTypedIdentifiers("304500116000157").ids[0]),
                 "OGRNIP");
}

// Numbers published with their validity as an established checker judges it: every one
// of INN, OGRN or OGRNIP length must be read exactly when it is valid.
TEST(ScreenIdentifiers, RealNumbersAreCheckedAsPublished) {
    const std::string dir = VENDRAKE_EXTERNAL_DIR "/ru_identifiers/";
    std::ifstream in(dir + "third_party_test_numbers.csv");
    if (!in)
        GTEST_SKIP() << "no " << dir;
    std::string line;
    std::getline(in, line);
    int tried = 0;
    while (std::getline(in, line)) {
        bool open = false;
        const std::vector<std::string> cells = screen::SplitCsvRecord(line, &open);
        ASSERT_EQ(cells.size(), 12u) << line;
        const std::string& value = cells[0];
        const size_t n = value.size();
        bool valid = false;
        if (n == 10 || n == 12)
            valid = cells[8] == "yes";
        else if (n == 13 || n == 15)
            valid = cells[10] == "yes";
        else
            continue;
        const std::vector<screen::Identifier> got = screen::ParseIdentifiers(value);
        EXPECT_EQ(got.size() == 1 && got[0].value == value, valid) << value;
        // Typed, a number of the right length that fails is said as such.
        if (value.find_first_not_of("0123456789") == std::string::npos) {
            EXPECT_EQ(screen::ReadTypedIdentifiers(value).invalid.size(), valid ? 0u : 1u) << value;
        }
        ++tried;
    }
    EXPECT_GT(tried, 100);

    std::ifstream fixture(dir + "ftm_fixture_numbers.csv");
    std::getline(fixture, line);
    tried = 0;
    while (std::getline(fixture, line)) {
        bool open = false;
        const std::vector<std::string> cells = screen::SplitCsvRecord(line, &open);
        ASSERT_EQ(cells.size(), 8u) << line;
        const bool valid = cells[6] == "yes" || cells[7] == "yes";
        const std::vector<screen::Identifier> got = screen::ParseIdentifiers(cells[4]);
        EXPECT_EQ(got.size() == 1 && got[0].value == cells[4], valid) << cells[4];
        ++tried;
    }
    EXPECT_GT(tried, 60);
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
