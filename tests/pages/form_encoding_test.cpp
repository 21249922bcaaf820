#include "pages/form_encoding.h"

#include <gtest/gtest.h>

namespace {

QString Enc(const char* utf8) {
    return lookup::EncodeFormText(QString::fromUtf8(utf8));
}

TEST(FormEncodingTest, RussianLettersAndSpace) {
    EXPECT_EQ(Enc("Искать"), "%C8%F1%EA%E0%F2%FC");
    EXPECT_EQ(Enc("ООО Ромашка"), "%CE%CE%CE+%D0%EE%EC%E0%F8%EA%E0");
    EXPECT_EQ(Enc("Ёлка"), "%A8%EB%EA%E0");
    EXPECT_EQ(Enc("ёЯяА"), "%B8%DF%FF%C0");
    EXPECT_EQ(Enc("ъ ы ь"), "%FA+%FB+%FC");
    EXPECT_EQ(Enc(""), "");
}

TEST(FormEncodingTest, WholeBody) {
    EXPECT_EQ(Enc("name=Ромашка&adr=&region=Все регионы&date=&num=&action=Искать"),
              "name=%D0%EE%EC%E0%F8%EA%E0&adr=&region=%C2%F1%E5+%F0%E5%E3%E8%EE%ED%FB&date=&num="
              "&action=%C8%F1%EA%E0%F2%FC");
}

TEST(FormEncodingTest, EverythingElsePassesUnchanged) {
    // Separators, the escape characters themselves, other Cyrillic letters (Ukrainian,
    // Belarusian), Latin letters with accents and symbols are never escaped.
    const char* kept = "abcXYZ0189&=+%?/#.,;:\"'<>\t\nіїєўґé€№«»";
    EXPECT_EQ(Enc(kept), QString::fromUtf8(kept));
    EXPECT_EQ(Enc("a b"), "a+b");
}

TEST(FormEncodingTest, FieldValuesCarryTheFormCharactersEscaped) {
    const auto value = [](const char* utf8) {
        return lookup::EncodeFormValue(QString::fromUtf8(utf8));
    };
    EXPECT_EQ(value("&=+%"), "%26%3D%2B%25");
    EXPECT_EQ(value("Ромашка & Ко"), "%D0%EE%EC%E0%F8%EA%E0+%26+%CA%EE");
    EXPECT_EQ(value("100%+a=b"), "100%25%2Ba%3Db");

    // Without those four characters a value encodes exactly as the whole-body encoding.
    for (char32_t u = 1; u < 0x10000; ++u) {
        if ((u >= 0xD800 && u <= 0xDFFF) || u == '&' || u == '=' || u == '+' || u == '%')
            continue;
        const QString in(QChar(static_cast<char16_t>(u)));
        ASSERT_EQ(lookup::EncodeFormValue(in), lookup::EncodeFormText(in)) << int(u);
    }
}

TEST(FormEncodingTest, FieldsGiveTheSameBodyAsBefore) {
    const QString body = lookup::EncodeFormFields({{"name", QString::fromUtf8("Ромашка")},
                                                   {"adr", ""},
                                                   {"region", QString::fromUtf8("Все регионы")},
                                                   {"date", ""},
                                                   {"num", ""},
                                                   {"action", QString::fromUtf8("Искать")}});
    EXPECT_EQ(body,
              "name=%D0%EE%EC%E0%F8%EA%E0&adr=&region=%C2%F1%E5+%F0%E5%E3%E8%EE%ED%FB&date=&num="
              "&action=%C8%F1%EA%E0%F2%FC");
    EXPECT_EQ(lookup::EncodeFormFields({}), "");
    EXPECT_EQ(lookup::EncodeFormFields({{"name", "a&num=1"}}), "name=a%26num%3D1");
}

TEST(FormEncodingTest, ExactlySixtySevenCharactersAreEscaped) {
    int escaped = 0;
    for (char32_t u = 1; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const QString in(QChar(static_cast<char16_t>(u)));
        if (lookup::EncodeFormText(in) != in)
            ++escaped;
    }
    EXPECT_EQ(escaped, 67);
}

}  // namespace
