// Query lists as the window and vendrake-batch read them, and what a list run sends
// for a line.
#include "lookup/list_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "lookup/list_query.h"
#include "platform/cp1251.h"

namespace {

QStringList Split(const std::string& bytes) {
    return lookup::SplitListText(bytes);
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
    EXPECT_EQ(list.lines, QStringList({QStringLiteral("Ромашка"), QStringLiteral("Лютик")}));

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
    ASSERT_EQ(mixed.entries.size(), 5u);
    const QString texts[] = {QStringLiteral("Ромашка"), QString(), QStringLiteral("Лютик"),
                             QStringLiteral("AB"), QStringLiteral("Лютик")};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(mixed.entries[i].number, static_cast<int>(i + 1));
        EXPECT_EQ(mixed.entries[i].text, texts[i]) << i;
    }
    EXPECT_EQ(mixed.entries[2].bytes, cp1251);
    EXPECT_EQ(mixed.cp1251Lines, std::vector<int>({3, 5}));
    EXPECT_EQ(lookup::Cp1251LinesNote(mixed.cp1251Lines), "lines 3, 5");
    EXPECT_EQ(mixed.lineEnd, "\r\n");
    EXPECT_EQ(mixed.size, 35);
    EXPECT_EQ(mixed.digest.size(), 64);

    // All Windows-1251 (ASCII lines fit either): nothing to report.
    const lookup::ListFile plain = lookup::ParseListBytes(cp1251 + "\n7713001232\n" + cp1251);
    EXPECT_TRUE(plain.cp1251Lines.empty());
    EXPECT_EQ(plain.lines, QStringList({QStringLiteral("Лютик"), QStringLiteral("7713001232"),
                                        QStringLiteral("Лютик")}));
    EXPECT_NE(lookup::ParseListBytes("a").digest, lookup::ParseListBytes("b").digest);
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
                c.mode == lookup::SearchMode::Number ? q.criteria.number : q.criteria.name;
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
    EXPECT_EQ(lookup::PlanListQuery(QStringLiteral("Лютик"), upper).criteria.name,
              platform::ToCp1251(QStringLiteral("ЛЮТИК")));
    int calls = 0;
    const lookup::LineConverter counting = [&](const QString& s) {
        ++calls;
        return s;
    };
    EXPECT_EQ(lookup::PlanListQuery(QStringLiteral("7713001232"), counting).criteria.number,
              "7713001232");
    EXPECT_EQ(calls, 0);
}

}  // namespace
