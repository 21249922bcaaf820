// The spreadsheet writer read back from the file: every cell text, numbers and dates
// kept as typed, a bold frozen header with an autofilter, fitted columns, the summary
// sheet, texts XML cannot hold, and files that cannot be written.
#include "lists/xlsx_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/xlsx_read.h"

namespace {

using xlsxtest::Cells;
using xlsxtest::Part;

QString Sheet(int n) {
    return QStringLiteral("xl/worksheets/sheet%1.xml").arg(n);
}

TEST(XlsxFile, RowsReadBackAsTextUnderAFrozenFilteredHeader) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.xlsx"));
    lookup::XlsxFile file;
    const platform::Status started =
        file.Start(path.toStdString(), "Results", {"OGRN", "INN", "Дата", "Текст"});
    ASSERT_TRUE(started) << started.error();
    ASSERT_TRUE(file.AddRow({"1027700132195", "0101000001", "01.02.2003", "=1+1"}));
    ASSERT_TRUE(file.AddRow({"", "007", "", "ООО \"Лютик\" & <Ко>"}));
    file.AddSummary("Service", "http://register.example");
    file.AddSummary("Firms", "2");
    EXPECT_FALSE(QFile::exists(path));  // not before it is whole
    const platform::Status finished = file.Finish();
    ASSERT_TRUE(finished) << finished.error();
    EXPECT_EQ(file.rows(), 2u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("results.xlsx")});

    const QByteArray sheet = Part(path, Sheet(1));
    ASSERT_FALSE(sheet.isEmpty());
    const auto cells = Cells(sheet, xlsxtest::SharedStrings(path));
    const std::map<QString, QString> expected{
        {"A1", "OGRN"},          {"B1", "INN"},
        {"C1", "Дата"},          {"D1", "Текст"},
        {"A2", "1027700132195"}, {"B2", "0101000001"},
        {"C2", "01.02.2003"},    {"D2", "=1+1"},
        {"B3", "007"},           {"D3", "ООО \"Лютик\" & <Ко>"}};
    EXPECT_EQ(cells.size(), expected.size());
    for (const auto& [ref, text] : expected) {
        const auto cell = cells.find(ref);
        ASSERT_NE(cell, cells.end()) << ref.toStdString();
        EXPECT_EQ(cell->second.text, text) << ref.toStdString();
        EXPECT_TRUE(cell->second.type == "inlineStr" || cell->second.type == "s")
            << ref.toStdString() << " is " << cell->second.type.toStdString();
    }
    EXPECT_FALSE(sheet.contains("<f>"));  // no formula anywhere

    // The header's style is bold, the body's is not.
    const QString headerStyle = cells.at("A1").style;
    EXPECT_FALSE(headerStyle.isEmpty());
    EXPECT_NE(headerStyle, cells.at("A2").style);
    const QByteArray styles = Part(path, QStringLiteral("xl/styles.xml"));
    EXPECT_TRUE(styles.contains("<b/>"));

    EXPECT_TRUE(sheet.contains("<autoFilter ref=\"A1:D3\"/>")) << sheet.toStdString();
    EXPECT_TRUE(QString::fromUtf8(sheet).contains(
        QRegularExpression(QStringLiteral("<pane ySplit=\"1\"[^>]*state=\"frozen\""))));
    // The OGRN column is wider than its 13 digits.
    const QRegularExpressionMatch ogrn =
        QRegularExpression(QStringLiteral("<col min=\"1\" max=\"1\" width=\"([\\d.]+)\""))
            .match(QString::fromUtf8(sheet));
    ASSERT_TRUE(ogrn.hasMatch()) << sheet.toStdString();
    EXPECT_GE(ogrn.captured(1).toDouble(), 13);

    const QByteArray book = Part(path, QStringLiteral("xl/workbook.xml"));
    EXPECT_TRUE(book.contains("name=\"Results\"") && book.contains("name=\"Summary\""))
        << book.toStdString();
    const auto summary = Cells(Part(path, Sheet(2)), xlsxtest::SharedStrings(path));
    EXPECT_EQ(summary.at("A1").text, "Service");
    EXPECT_EQ(summary.at("B1").text, "http://register.example");
    EXPECT_EQ(summary.at("B2").text, "2");
    EXPECT_TRUE(summary.at("B2").type == "inlineStr" || summary.at("B2").type == "s");
}

// Control characters XML cannot carry are replaced, a text longer than a cell holds
// is cut at a character with an ellipsis, and the sheet stays well-formed.
TEST(XlsxFile, TextsACellCannotHoldAreMadeSafe) {
    EXPECT_EQ(lookup::XlsxCellText("a\x01"
                                   "b\tc\nd"),
              "a\xEF\xBF\xBD"
              "b\tc\nd");
    // Spreadsheets count UTF-16 code units: 40,000 Cyrillic letters (80,000 bytes) keep
    // 32,767 units, the marker included, and whole letters only.
    std::string cyrillic;
    for (int i = 0; i < 40000; ++i) {
        cyrillic += "я";
    }
    bool wasCut = false;
    const std::string cut = lookup::XlsxCellText(cyrillic, &wasCut);
    EXPECT_TRUE(wasCut);
    const QString cutText = QString::fromStdString(cut);
    EXPECT_LE(cutText.size(), 32767);
    EXPECT_GT(cutText.size(), 32700);
    EXPECT_TRUE(cutText.endsWith(QStringLiteral("\u2026[cut: 7257 characters]")))
        << cut.substr(cut.size() - 40);
    EXPECT_EQ(cutText.left(32743), QString(32743, QChar(0x044F)));
    EXPECT_EQ(cutText.toUtf8().toStdString(), cut);  // valid UTF-8, nothing split
    // A character beyond the basic plane takes two units and is never split in two.
    for (const std::size_t lead : {0u, 1u}) {
        std::string wide(lead, 'a');
        for (int i = 0; i < 20000; ++i) {
            wide += "\xF0\x9F\x98\x80";
        }
        const QString text = QString::fromStdString(lookup::XlsxCellText(wide));
        EXPECT_LE(text.size(), 32767);
        EXPECT_EQ(text.toUtf8(), QByteArray::fromStdString(lookup::XlsxCellText(wide)));
        const int marker = text.indexOf(QChar(0x2026));
        ASSERT_GT(marker, 0);
        EXPECT_FALSE(text.at(marker - 1).isHighSurrogate()) << lead;
    }
    EXPECT_EQ(lookup::XlsxCellText(std::string(32767, 'b')), std::string(32767, 'b'));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("odd.xlsx"));
    lookup::XlsxFile file;
    ASSERT_TRUE(
        file.Start(path.toStdString(), "Bad[name]:*?/\\ that is far too long for a sheet", {"x"}));
    ASSERT_TRUE(
        file.AddRow({"bell\x07"
                     "here"}));
    ASSERT_TRUE(file.AddRow({cyrillic}));
    const platform::Status finished = file.Finish();
    ASSERT_TRUE(finished) << finished.error();
    const QByteArray sheet = Part(path, Sheet(1));
    EXPECT_TRUE(xlsxtest::WellFormed(sheet));
    EXPECT_EQ(Cells(sheet, xlsxtest::SharedStrings(path)).at("A2").text,
              QStringLiteral("bell\uFFFDhere"));
    EXPECT_TRUE(xlsxtest::WellFormed(Part(path, QStringLiteral("xl/workbook.xml"))));
    EXPECT_EQ(file.cutCells(), 1u);
    const auto summary = Cells(Part(path, Sheet(2)), xlsxtest::SharedStrings(path));
    EXPECT_EQ(summary.at("A1").text, QStringLiteral("Cells cut to 32,767 characters"));
    EXPECT_EQ(summary.at("B1").text, QStringLiteral("1"));
}

// A folder that is not there: told, naming the file; nothing is left behind. A file
// given up before it is finished leaves nothing either.
TEST(XlsxFile, FailuresAreToldAndLeaveNothing) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/out.xlsx"));
    std::string error;
    {
        lookup::XlsxFile file;
        const platform::Status started = file.Start(missing.toStdString(), "R", {"a"});
        if (started) {
            EXPECT_TRUE(file.AddRow({"1"}));
            const platform::Status finished = file.Finish();
            EXPECT_FALSE(finished);
            error = finished ? std::string() : finished.error();
        } else {
            error = started.error();
        }
        EXPECT_NE(error.find("out.xlsx"), std::string::npos) << error;
    }
    EXPECT_FALSE(QFile::exists(missing));
    {
        lookup::XlsxFile file;
        ASSERT_TRUE(
            file.Start(dir.filePath(QStringLiteral("dropped.xlsx")).toStdString(), "R", {"a"}));
        ASSERT_TRUE(file.AddRow({"1"}));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    lookup::XlsxFile idle;
    EXPECT_FALSE(idle.AddRow({"1"}));
    EXPECT_FALSE(idle.Finish());
}

// A header wider than a sheet cannot be begun: told, naming the file, and the workbook
// given up leaves no temporary file behind.
TEST(XlsxFile, AHeaderTooWideLeavesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wide.xlsx"));
    const std::vector<std::string> headers(16385, "h");  // a sheet has 16,384 columns
    {
        lookup::XlsxFile file;
        const platform::Status started = file.Start(path.toStdString(), "R", headers);
        ASSERT_FALSE(started);
        EXPECT_EQ(started.error().rfind(path.toStdString() + ": header: ", 0), 0u)
            << started.error();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty())
        << QDir(dir.path()).entryList(QDir::Files).join(' ').toStdString();
}

}  // namespace
