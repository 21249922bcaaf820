// Numbers as screening reads them: the register numbers found in a list's text, and
// the cells of a targets CSV record.
#include <gtest/gtest.h>

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
        // A person's INN, a date, a word: none is a firm's number.
        {"771300123400", {}},
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
