// Check digits of INN and OGRN numbers.
#include <gtest/gtest.h>

#include "worker/register_numbers.h"

using worker::CheckRegisterNumber;
using worker::NumberCheck;

TEST(RegisterNumbers, AcceptsNumbersWithMatchingCheckDigits) {
    EXPECT_TRUE(worker::InnCheckDigitsValid("7713001232"));     // 10-digit INN of a firm
    EXPECT_TRUE(worker::InnCheckDigitsValid("500100732259"));   // 12-digit INN of a person
    EXPECT_TRUE(worker::OgrnCheckDigitValid("1027700101230"));  // 13-digit OGRN
    EXPECT_TRUE(worker::OgrnCheckDigitValid("1097847014704"));
    // A remainder of 10 gives the check digit 0.
    EXPECT_TRUE(worker::InnCheckDigitsValid("7702004440"));
}

TEST(RegisterNumbers, RejectsEveryWrongLastDigit) {
    for (char d = '0'; d <= '9'; ++d) {
        if (d != '2') {
            EXPECT_FALSE(worker::InnCheckDigitsValid(std::string("771300123") + d)) << d;
        }
        if (d != '0') {
            EXPECT_FALSE(worker::OgrnCheckDigitValid(std::string("102770010123") + d)) << d;
        }
    }
    // Either check digit of a 12-digit INN counts.
    EXPECT_FALSE(worker::InnCheckDigitsValid("500100732269"));
    EXPECT_FALSE(worker::InnCheckDigitsValid("500100732258"));
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
