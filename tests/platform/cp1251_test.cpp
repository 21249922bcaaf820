// The Windows-1251 codec checked against glibc's iconv.
#include <gtest/gtest.h>
#include <iconv.h>

#include <QString>
#include <string>

#include "platform/cp1251.h"

namespace {

// Converts with iconv; returns false when iconv rejects the input.
bool Iconv(const char* from, const char* to, const std::string& in, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string src = in;
    char* inp = src.data();
    size_t inLeft = src.size();
    std::string buf(in.size() * 8 + 16, '\0');
    char* outp = buf.data();
    size_t outLeft = buf.size();
    const size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1))
        return false;
    out.assign(buf.data(), buf.size() - outLeft);
    return true;
}

TEST(Cp1251, EveryByteDecodesAsIconvDoes) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        std::string utf8;
        const QString ours = platform::FromCp1251(byte);
        ASSERT_EQ(ours.size(), 1);
        if (Iconv("CP1251", "UTF-8", byte, utf8)) {
            EXPECT_EQ(ours, QString::fromUtf8(utf8)) << "byte " << b;
        } else {
            // The one byte the code page leaves undefined keeps its value so that page
            // bytes survive a round trip.
            EXPECT_EQ(b, 0x98);
            EXPECT_EQ(ours.at(0).unicode(), 0x98);
        }
        EXPECT_EQ(platform::ToCp1251(ours), byte) << "byte " << b;
    }
}

TEST(Cp1251, EncodingAgreesWithIconvOverTheBasicPlane) {
    // Every BMP character outside the surrogates: iconv's verdict (mappable or not)
    // and its byte must match ours; unmappable ones become '?'.
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString s(QChar(static_cast<char16_t>(c)));
        std::string expected;
        if (!Iconv("UTF-8", "CP1251", s.toUtf8().toStdString(), expected))
            expected = "?";
        if (c == 0x98)
            expected = "\x98";
        ASSERT_EQ(platform::ToCp1251(s), expected) << "U+" << std::hex << unsigned(c);
    }
}

TEST(Cp1251, CharacterOutsideTheBasicPlaneIsOneQuestionMark) {
    const QString s = QString::fromUtf8("a\xF0\x9F\x98\x80z");  // a, emoji, z
    EXPECT_EQ(platform::ToCp1251(s), "a?z");
    // A lone surrogate is one unmappable character too.
    QString lone = QStringLiteral("x");
    lone.append(QChar(0xD800));
    EXPECT_EQ(platform::ToCp1251(lone), "x?");
}

TEST(Cp1251, RussianTextRoundTrips) {
    const QString text = QString::fromUtf8("ООО «Ромашка», Ёлка № 5 — ёж");
    const std::string bytes = platform::ToCp1251(text);
    EXPECT_EQ(bytes.size(), static_cast<size_t>(text.size()));
    EXPECT_EQ(platform::FromCp1251(bytes), text);
}

TEST(Cp1251, FileDecodingPrefersValidUtf8) {
    EXPECT_EQ(platform::DecodeUtf8OrCp1251("\xEF\xBB\xBF\xD0\x9E\xD0\x9E\xD0\x9E"),
              QString::fromUtf8("ООО"));
    EXPECT_EQ(platform::DecodeUtf8OrCp1251("\xCE\xCE\xCE"), QString::fromUtf8("ООО"));
    EXPECT_FALSE(platform::IsValidUtf8("\xC0\x80"));      // overlong
    EXPECT_FALSE(platform::IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(platform::IsValidUtf8("\xD0"));          // truncated
    EXPECT_TRUE(platform::IsValidUtf8("plain ascii"));
}

// The direct conversions between Windows-1251 and UTF-8 give what the codec gives
// through QString, for every byte and for text the code page cannot hold, malformed
// text included.
TEST(Cp1251, DirectUtf8ConversionsMatchTheQStringWay) {
    std::string every;
    for (int b = 1; b < 256; ++b)
        every.push_back(static_cast<char>(b));
    const std::string utf8 = platform::Cp1251ToUtf8(every);
    EXPECT_EQ(utf8, platform::FromCp1251(every).toUtf8().toStdString());
    EXPECT_EQ(platform::Utf8ToCp1251(utf8), every);

    const char* const texts[] = {
        "ООО «Ромашка» № 5 — €",
        "Ёлка ёж",
        "emoji 😀 and 中文",
        "é ü ß",
        "bad \xFF byte",
        "cut \xD0",
        "overlong \xC0\x80 \xE0\x80\x80",
        "surrogate \xED\xA0\x80",
        "beyond \xF4\x90\x80\x80",
        "\xEF\xBB\xBFмарка",
        "continuation \x80 alone",
    };
    for (const char* text : texts) {
        const std::string bytes(text);
        EXPECT_EQ(platform::Utf8ToCp1251(bytes),
                  platform::ToCp1251(
                      QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))))
            << text;
    }
}

}  // namespace
