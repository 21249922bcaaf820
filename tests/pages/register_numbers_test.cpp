// Check digits of INN, OGRN and OGRNIP numbers, and how a list line is classified.
#include <gtest/gtest.h>

#include "pages/register_numbers.h"

using lookup::CheckRegisterNumber;
using lookup::NumberCheck;

TEST(RegisterNumbers, AcceptsNumbersWithMatchingCheckDigits) {
    EXPECT_TRUE(lookup::InnCheckDigitsValid("7713001232"));     // 10-digit INN of a firm
    EXPECT_TRUE(lookup::InnCheckDigitsValid("500100732259"));   // 12-digit INN of a person
    EXPECT_TRUE(lookup::OgrnCheckDigitValid("1027700101230"));  // 13-digit OGRN
    EXPECT_TRUE(lookup::OgrnCheckDigitValid("1097847014704"));
    // A remainder of 10 gives the check digit 0.
    EXPECT_TRUE(lookup::InnCheckDigitsValid("7702004440"));
}

TEST(RegisterNumbers, RejectsEveryWrongLastDigit) {
    for (char d = '0'; d <= '9'; ++d) {
        if (d != '2') {
            EXPECT_FALSE(lookup::InnCheckDigitsValid(std::string("771300123") + d)) << d;
        }
        if (d != '0') {
            EXPECT_FALSE(lookup::OgrnCheckDigitValid(std::string("102770010123") + d)) << d;
        }
    }
    // Either check digit of a 12-digit INN counts.
    EXPECT_FALSE(lookup::InnCheckDigitsValid("500100732269"));
    EXPECT_FALSE(lookup::InnCheckDigitsValid("500100732258"));
}

TEST(RegisterNumbers, ClassifiesOnlyCompleteNumbers) {
    EXPECT_EQ(CheckRegisterNumber(""), NumberCheck::NotChecked);
    EXPECT_EQ(CheckRegisterNumber("77130012"), NumberCheck::NotChecked);
    EXPECT_EQ(CheckRegisterNumber("77130012321"), NumberCheck::NotChecked);  // 11 digits
    EXPECT_EQ(CheckRegisterNumber("771300123a"), NumberCheck::NotChecked);
    EXPECT_EQ(CheckRegisterNumber("7713001232"), NumberCheck::Valid);
    EXPECT_EQ(CheckRegisterNumber("7713001233"), NumberCheck::Invalid);
    EXPECT_EQ(CheckRegisterNumber("1027700101231"), NumberCheck::Invalid);
    EXPECT_EQ(CheckRegisterNumber("500100732259"), NumberCheck::Valid);
}

TEST(RegisterNumbers, ChecksTheOgrnipModuloThirteen) {
    EXPECT_TRUE(lookup::OgrnipCheckDigitValid("304500116000157"));
    // A remainder of 10, 11 or 12 gives its last digit: 30450011600018 % 13 is 10.
    EXPECT_TRUE(lookup::OgrnipCheckDigitValid("304500116000180"));
    EXPECT_FALSE(lookup::OgrnipCheckDigitValid("304500116000181"));
    // Modulo 11 (the OGRN's rule) would accept this one.
    EXPECT_FALSE(lookup::OgrnipCheckDigitValid("304500116000190"));
    EXPECT_TRUE(lookup::OgrnipCheckDigitValid("304500116000191"));
    EXPECT_FALSE(lookup::OgrnipCheckDigitValid("30450011600015"));
    EXPECT_FALSE(lookup::OgrnipCheckDigitValid("30450011600015x"));
}

TEST(RegisterNumbers, ClassifiesListLinesByLengthAndCheckDigits) {
    using lookup::NumberKind;
    struct Case {
        const char* line;
        NumberKind kind;
        bool match;
    };
    const Case cases[] = {
        {"7713001232", NumberKind::Inn, true},
        {"7713001233", NumberKind::Inn, false},
        {"500100732258", NumberKind::Inn, false},
        {"1027700101230", NumberKind::Ogrn, true},
        {"1027700101231", NumberKind::Ogrn, false},
        {"304500116000157", NumberKind::Ogrnip, true},
        {"304500116000158", NumberKind::Ogrnip, false},
        // Other lengths, blanks and names are sent as they are.
        {"77130012321", NumberKind::None, true},
        {"30450011600015700", NumberKind::None, true},
        {" 7713001233", NumberKind::None, true},
        {"\xD0\xEE\xEC\xE0\xF8\xEA\xE0", NumberKind::None, true},
        {"", NumberKind::None, true},
    };
    for (const Case& c : cases) {
        const lookup::ListLineCheck check = lookup::CheckListLine(c.line);
        EXPECT_EQ(check.kind, c.kind) << c.line;
        EXPECT_EQ(check.checkDigitsMatch, c.match) << c.line;
        EXPECT_EQ(check.send(), c.match) << c.line;
    }
    EXPECT_EQ(lookup::CheckDigitMismatchText(NumberKind::Inn), "check digit does not match (INN)");
    EXPECT_EQ(lookup::CheckDigitMismatchText(NumberKind::Ogrnip),
              "check digit does not match (OGRNIP)");
}
