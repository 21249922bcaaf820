// Query lists as the window and vendrake-batch read them, and what a list run sends
// for a line.
#include "lists/list_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdint>
#include <optional>
#include <vector>

#include "lists/list_query.h"
#include "platform/cp1251.h"

namespace {

// The non-empty lines of a list's bytes, as the list reader decodes them.
QStringList Split(const std::string& bytes) {
    return lookup::ParseListBytes(bytes).lines.toList();
}

std::vector<lookup::ListLine> Entries(const lookup::ListFile& list) {
    return {list.entries.begin(), list.entries.end()};
}

std::string Utf16(const QString& text, bool littleEndian) {
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const char high = static_cast<char>(u >> 8);
        const char low = static_cast<char>(u & 0xFF);
        out += littleEndian ? low : high;
        out += littleEndian ? high : low;
    }
    return out;
}

TEST(ListFile, EncodingAndLineEnds) {
    const QStringList expected = {QStringLiteral("ООО Ромашка"), QStringLiteral("1027700101230"),
                                  QStringLiteral("Лютик")};
    const std::string cp1251 = platform::ToCp1251(QStringLiteral("ООО Ромашка"));
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-8, LF", "ООО Ромашка\n1027700101230\nЛютик"},
        {"UTF-8 with BOM, CR LF", "\xEF\xBB\xBFООО Ромашка\r\n1027700101230\r\nЛютик\r\n"},
        {"UTF-8, lone CR", "ООО Ромашка\r1027700101230\rЛютик\r"},
        {"UTF-8, mixed ends, blank lines", "\r\nООО Ромашка\r\r\n\n1027700101230\n\rЛютик\n\n"},
        {"Windows-1251, CR LF",
         cp1251 + "\r\n1027700101230\r\n" + platform::ToCp1251(QStringLiteral("Лютик")) + "\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Split(c.bytes), expected) << c.what;
    }
    EXPECT_EQ(Split(""), QStringList());
    EXPECT_EQ(Split("\r\n\n\r"), QStringList());
}

TEST(ListFile, ReadsOnlyRegularFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Ромашка\r\nЛютик\r\n");
    }
    const lookup::ListFile list = lookup::ReadListFile(path);
    EXPECT_TRUE(list.ok()) << list.error.toStdString();
    EXPECT_EQ(list.lines.toList(),
              QStringList({QStringLiteral("Ромашка"), QStringLiteral("Лютик")}));

    const QString pipe = dir.filePath(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const lookup::ListFile fromPipe = lookup::ReadListFile(pipe);  // must not wait
    EXPECT_EQ(fromPipe.error.toStdString(),
              "Cannot read file \"" + pipe.toStdString() + "\". Not a regular file.");
    EXPECT_TRUE(fromPipe.lines.isEmpty());

    const lookup::ListFile folder = lookup::ReadListFile(dir.path());
    EXPECT_FALSE(folder.ok());
    const lookup::ListFile missing = lookup::ReadListFile(dir.filePath(QStringLiteral("none")));
    EXPECT_NE(missing.error.indexOf(QStringLiteral("No such file")), -1)
        << missing.error.toStdString();
}

TEST(ListFile, NumbersEveryLineAndDecodesEachOnItsOwn) {
    const std::string cp1251 = platform::ToCp1251(QStringLiteral("Лютик"));
    // A UTF-8 list with one line in Windows-1251: only that line is read as such.
    const lookup::ListFile mixed =
        lookup::ParseListBytes("\xEF\xBB\xBFРомашка\r\n\r\n" + cp1251 + "\rAB\n" + cp1251);
    // The empty line 2 is counted, not kept.
    const std::vector<lookup::ListLine> entries = Entries(mixed);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(mixed.entries.size(), 4u);
    EXPECT_EQ(mixed.lineCount, 5);
    const int numbers[] = {1, 3, 4, 5};
    const QString texts[] = {QStringLiteral("Ромашка"), QStringLiteral("Лютик"),
                             QStringLiteral("AB"), QStringLiteral("Лютик")};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[i].number, numbers[i]);
        EXPECT_EQ(entries[i].text, texts[i]) << i;
    }
    EXPECT_EQ(entries[1].bytes, cp1251);
    EXPECT_TRUE(entries[1].cp1251);
    EXPECT_EQ(mixed.cp1251Lines, std::vector<int>({3, 5}));
    EXPECT_EQ(lookup::Cp1251LinesNote(mixed.cp1251Lines), "lines 3, 5");
    EXPECT_EQ(mixed.lineEnd, "\r\n");
    EXPECT_EQ(mixed.size, 35);
    EXPECT_EQ(mixed.digest.size(), 64);

    // All Windows-1251 (ASCII lines fit either): nothing to report.
    const lookup::ListFile plain = lookup::ParseListBytes(cp1251 + "\n7713001232\n" + cp1251);
    EXPECT_TRUE(plain.cp1251Lines.empty());
    EXPECT_EQ(plain.lines.toList(),
              QStringList({QStringLiteral("Лютик"), QStringLiteral("7713001232"),
                           QStringLiteral("Лютик")}));
    EXPECT_NE(lookup::ParseListBytes("a").digest, lookup::ParseListBytes("b").digest);
}

// A UTF-16 list with its byte-order mark (as Notepad and spreadsheets write "Unicode
// text") is read as UTF-16 whole; its lines are kept as UTF-8.
TEST(ListFile, Utf16ByItsByteOrderMark) {
    const QString text = QStringLiteral("Ромашка\r\n\r\n7713001232\r\nЛютик 😀\r\n");
    for (const bool littleEndian : {true, false}) {
        const lookup::ListFile list = lookup::ParseListBytes(Utf16(text, littleEndian));
        ASSERT_TRUE(list.ok()) << list.error.toStdString();
        EXPECT_TRUE(list.utf16);
        EXPECT_EQ(list.lines.toList(),
                  QStringList({QStringLiteral("Ромашка"), QStringLiteral("7713001232"),
                               QStringLiteral("Лютик 😀")}))
            << littleEndian;
        const std::vector<lookup::ListLine> entries = Entries(list);
        ASSERT_EQ(entries.size(), 3u);
        EXPECT_EQ(entries[1].number, 3);
        EXPECT_EQ(entries[2].bytes, "Лютик 😀");
        EXPECT_FALSE(entries[2].cp1251);
        EXPECT_EQ(list.lineCount, 4);
        EXPECT_EQ(list.lineEnd, "\r\n");
        EXPECT_TRUE(list.cp1251Lines.empty());
    }
    // A character split over two pieces of the decoding, and a CR LF likewise, are
    // whole again: nothing is garbled and no line is counted twice.
    constexpr int kPieceUnits = 1 << 19;  // a piece of the decoder: 1 MiB of UTF-16
    QString longText(kPieceUnits - 2, QLatin1Char('a'));
    longText += QStringLiteral("\r\nЛютик\r\n");
    QString pairSplit(kPieceUnits - 1, QLatin1Char('b'));
    pairSplit += QStringLiteral("😀\n7713001232\n");
    for (const QString& big : {longText, pairSplit}) {
        const lookup::ListFile list = lookup::ParseListBytes(Utf16(big, true));
        ASSERT_TRUE(list.ok()) << list.error.toStdString();
        const std::vector<lookup::ListLine> entries = Entries(list);
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].text,
                  big.left(big.indexOf(QRegularExpression(QStringLiteral("[\r\n]")))));
        EXPECT_EQ(entries[1].number, 2);
        EXPECT_EQ(list.lineCount, 2);
    }
}

// Bytes that are not a text list are refused with the file named, before anything
// is read from them: a NUL outside UTF-16, control characters for the most part, or
// UTF-16 cut in the middle of a character.
TEST(ListFile, RefusesWhatIsNotText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::string random(4096, '\0');
    std::uint32_t state = 12345;
    for (char& c : random) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    std::string controls;
    for (int i = 0; i < 200; ++i) {
        controls += static_cast<char>(1 + i % 8);
        controls += i % 10 == 0 ? "A\n" : "";
    }
    const struct {
        const char* what;
        std::string bytes;
        const char* why;
    } cases[] = {
        {"NUL inside a name", "Лютик\nЛю" + std::string(1, '\0') + "тик\n",
         "line 2 holds a NUL byte"},
        {"UTF-16 without its byte-order mark",
         Utf16(QStringLiteral("Romashka\r\n"), true).substr(2), "line 1 holds a NUL byte"},
        {"random bytes", random, "holds a NUL byte"},
        {"control characters", controls, "most of its characters are control characters"},
        {"UTF-16 with half a character", Utf16(QStringLiteral("Лютик\n"), true) + "x",
         "it is UTF-16 but ends with half a character"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("list.txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes.data(), static_cast<qint64>(c.bytes.size()));
        file.close();
        const lookup::ListFile list = lookup::ReadListFile(path);
        const std::string error = list.error.toStdString();
        EXPECT_EQ(
            error.rfind("Cannot read file \"" + path.toStdString() + "\". It is not a text list: ",
                        0),
            0u)
            << c.what << ": " << error;
        EXPECT_NE(error.find(c.why), std::string::npos) << c.what << ": " << error;
        EXPECT_TRUE(list.entries.empty()) << c.what;
    }
    // A few control characters in a list of names are no reason to refuse it.
    EXPECT_TRUE(lookup::ParseListBytes("Лю\x1bтик\n\x01\x02\nРомашка\x7f\n").ok());
}

// Empty lines are counted, not kept: the list holds its names and a mark every few
// dozen of them, however many empty lines lie between, and every line is found by
// its number.
TEST(ListFile, KeepsOnlyTheNonEmptyLines) {
    std::string bytes;
    std::vector<int> numbers;
    int number = 0;
    for (int i = 0; i < 300; ++i) {
        // Gaps of every width the empty lines before a line are kept in.
        constexpr int kGaps[] = {0, 1, 2, 3, 200, 20000};
        const int gap = kGaps[i % 6];
        bytes.append(static_cast<std::size_t>(gap), '\n');
        number += gap + 1;
        bytes += "name " + std::to_string(i) + "\n";
        numbers.push_back(number);
    }
    bytes.append(1000000, '\n');
    const lookup::ListFile list = lookup::ParseListBytes(bytes);
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list.lineCount, number + 1000000);
    EXPECT_EQ(list.entries.size(), 300u);
    EXPECT_LT(list.entries.heldBytes(), 5000u);
    const std::vector<lookup::ListLine> entries = Entries(list);
    ASSERT_EQ(entries.size(), 300u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].number, numbers[i]) << i;
        const std::optional<lookup::ListLine> found = list.entries.Numbered(numbers[i]);
        ASSERT_TRUE(found) << i;
        EXPECT_EQ(found->bytes, "name " + std::to_string(i));
        if (i % 6 != 0) {
            EXPECT_FALSE(list.entries.Numbered(numbers[i] - 1)) << i;
        }
    }
    EXPECT_FALSE(list.entries.Numbered(0));
    EXPECT_FALSE(list.entries.Numbered(number + 1000));

    const lookup::ListFile blank = lookup::ParseListBytes(std::string(10000000, '\n'));
    EXPECT_EQ(blank.lineCount, 10000000);
    EXPECT_TRUE(blank.entries.empty());
    EXPECT_EQ(blank.entries.heldBytes(), 0u);
}

TEST(ListQuery, NumbersOnlyWhenTheWholeLineIsOne) {
    using Action = lookup::ListQuery::Action;
    const struct {
        std::string line;
        Action action;
        lookup::SearchMode mode;
        std::string sent;  // UTF-8
    } cases[] = {
        {"7713001232", Action::Send, lookup::SearchMode::Number, "7713001232"},
        {"77 13001232", Action::Send, lookup::SearchMode::Number, "7713001232"},
        {"1027-700-101230", Action::Send, lookup::SearchMode::Number, "1027700101230"},
        {"12 Ромашка", Action::Send, lookup::SearchMode::Name, "12 Ромашка"},
        {"12345", Action::Send, lookup::SearchMode::Name, "12345"},
        {"-7713001232", Action::Send, lookup::SearchMode::Name, "-7713001232"},
        {"7713001233", Action::Skip, lookup::SearchMode::Name, "7713001233"},
        {"77 1300 1233", Action::Skip, lookup::SearchMode::Name, "7713001233"},
        {std::string("Ром\0аш\x1bка\x7f", 17), Action::Send, lookup::SearchMode::Name, "Ромашка"},
        {" \t\x01 ", Action::Pass, lookup::SearchMode::Name, ""},
    };
    for (const auto& c : cases) {
        const lookup::ListQuery q = lookup::PlanListQuery(
            QString::fromUtf8(c.line.data(), static_cast<qsizetype>(c.line.size())));
        EXPECT_EQ(q.action, c.action) << c.line;
        EXPECT_EQ(platform::FromCp1251(q.text).toStdString(), c.sent) << c.line;
        if (c.action == Action::Send) {
            EXPECT_EQ(q.criteria.mode, c.mode) << c.line;
            const std::string& field =
                (c.mode == lookup::SearchMode::Number ? q.criteria.number : q.criteria.name)
                    .bytes();
            EXPECT_EQ(field, q.text) << c.line;
        }
    }
    EXPECT_EQ(lookup::PlanListQuery(QStringLiteral("7713001233")).reason,
              "check digit does not match (INN)");
}

// Invisible format characters pasted from a web page or a document would go out as
// "?" and match nothing; visible neighbours stay.
TEST(ListQuery, FormatCharactersAreRemovedBeforeSending) {
    const struct {
        const char* what;
        const char* line;  // UTF-8
        const char* sent;  // UTF-8
    } cases[] = {
        {"zero-width space", "Лю\u200Bтик", "Лютик"},
        {"soft hyphen", "Лю\u00ADтик", "Лютик"},
        {"right-to-left mark", "\u200FЛютик\u200E", "Лютик"},
        {"byte-order mark inside", "Лю\uFEFFтик", "Лютик"},
        {"word joiner in a number", "7713\u2060001232", "7713001232"},
        {"language tag (outside the BMP)", "Лю\U000E0001тик", "Лютик"},
        {"ordinary letters and signs stay", "ООО \"Лютик\" №1", "ООО \"Лютик\" №1"},
    };
    for (const auto& c : cases) {
        const lookup::ListQuery q = lookup::PlanListQuery(QString::fromUtf8(c.line));
        EXPECT_EQ(q.action, lookup::ListQuery::Action::Send) << c.what;
        EXPECT_EQ(platform::FromCp1251(q.text).toStdString(), c.sent) << c.what;
    }
    EXPECT_EQ(lookup::PlanListQuery(QStringLiteral("7713\u200B001232")).criteria.mode,
              lookup::SearchMode::Number);
    // A line of format characters alone has nothing to search for.
    EXPECT_EQ(lookup::PlanListQuery(QStringLiteral("\u200B\u00AD \u200F")).action,
              lookup::ListQuery::Action::Pass);
}

TEST(ListQuery, NamesGoThroughTheConverterNumbersDoNot) {
    const lookup::LineConverter upper = [](const QString& s) { return s.toUpper(); };
    EXPECT_EQ(lookup::PlanListQuery(QStringLiteral("Лютик"), upper).criteria.name.bytes(),
              platform::ToCp1251(QStringLiteral("ЛЮТИК")));
    int calls = 0;
    const lookup::LineConverter counting = [&](const QString& s) {
        ++calls;
        return s;
    };
    EXPECT_EQ(lookup::PlanListQuery(QStringLiteral("7713001232"), counting).criteria.number.bytes(),
              "7713001232");
    EXPECT_EQ(calls, 0);
}

}  // namespace
