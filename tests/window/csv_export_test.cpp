// "Export": the CSV bytes read back by a separate ';' CSV reader.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "support/cp1251_text.h"
#include "window/csv_export.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

// A strict reader: quoted fields with "" for a quote, ';' between fields, CR LF after
// every row. Fails the test on anything else.
Rows ParseCsv(const std::string& text) {
    Rows rows;
    std::vector<std::string> row;
    std::string field;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            ++i;
            for (;;) {
                if (i >= text.size()) {
                    ADD_FAILURE() << "unterminated quote";
                    return rows;
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != ';' && text[i] != '\r' && text[i] != '\n' &&
                   text[i] != '"') {
                field += text[i++];
            }
        }
        row.push_back(field);
        field.clear();
        if (i < text.size() && text[i] == ';') {
            ++i;
        } else if (text.compare(i, 2, "\r\n") == 0) {
            rows.push_back(row);
            row.clear();
            i += 2;
        } else {
            ADD_FAILURE() << "unexpected byte at " << i;
            return rows;
        }
    }
    EXPECT_TRUE(row.empty()) << "last row without CR LF";
    return rows;
}

const std::string kBom = "\xEF\xBB\xBF";

}  // namespace

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const QStringList kCaptions = {Q("Name"), Q("Address"), Q("OGRN"), Q("GRN"),       Q("TIN"),
                               Q("KPP"),  Q("Date"),    Q("Auth"), Q("Auth addr"), Q("Region")};

TEST(CsvExport, HeaderOnlyForNoRows) {
    const std::string bytes = window::CsvBytes({}, Q("English"), kCaptions);
    ASSERT_EQ(bytes.substr(0, 3), kBom);
    EXPECT_EQ(bytes.substr(3),
              "kind;Запрос;Текст;Название;Адрес;ОГРН;ГРН;ИНН;КПП;Дата записи;Рег. орган;"
              "Адрес органа;Регион;English;Name;Address;OGRN;GRN;TIN;KPP;Date;Auth;Auth addr;"
              "Region\r\n");
}

// Every kind of row reads back with its kind, and a firm's fields with awkward values
// (separators, quotes, line breaks, formulas) come back as they went in.
TEST(CsvExport, RowsOfEveryKindReadBack) {
    lookup::FirmRecord plain{testsupport::Cp1251("ООО Ромашка"),
                             testsupport::Cp1251("г. Москва"),
                             "7701234567",
                             "770101001",
                             "1027700000000",
                             "2127700000001",
                             "01.02.2003",
                             testsupport::Cp1251("МИ ФНС № 46"),
                             testsupport::Cp1251("г. Москва; ул. Победы"),
                             testsupport::Cp1251("Москва")};
    lookup::FirmRecord awkward;
    awkward.name = testsupport::Cp1251("ЗАО \"Лютик\"; филиал");
    awkward.address = "line one\r\nline two\nthree\rfour";
    awkward.region = "=1+1";
    awkward.inn = "\"";
    QStringList converted;
    for (int i = 0; i < 10; ++i) {
        converted << QStringLiteral("c%1").arg(i);
    }
    std::vector<window::ExportRow> input = {
        {window::RowKind::Firm, Q("Search (ИНН: 7701234567), records found: 2"), Q("ООО Ромашка"),
         &plain, Q("OOO Romashka"), converted},
        {window::RowKind::Firm, Q("q"), Q("ЗАО \"Лютик\""), &awkward, Q("ZAO"), converted},
        {window::RowKind::Message,
         Q("Лимит"),
         Q("Записей не найдено"),
         nullptr,
         Q("No records found"),
         {}},
        {window::RowKind::Failed,
         Q("Медленно"),
         Q("Query failed: timed out"),
         nullptr,
         Q("Query failed: timed out"),
         {}},
        {window::RowKind::Skipped,
         Q("7701234568"),
         Q("check digit does not match (INN)"),
         nullptr,
         Q("check digit does not match (INN)"),
         {}},
    };
    const std::string bytes = window::CsvBytes(input, Q("English"), kCaptions);
    ASSERT_EQ(bytes.substr(0, 3), kBom);
    const Rows rows = ParseCsv(bytes.substr(3));
    ASSERT_EQ(rows.size(), 6u);
    for (const auto& row : rows) {
        EXPECT_EQ(row.size(), 24u);
    }
    EXPECT_EQ(
        std::vector<std::string>(rows[1].begin(), rows[1].begin() + 15),
        (std::vector<std::string>{
            "firm", "Search (ИНН: 7701234567), records found: 2", "ООО Ромашка", "ООО Ромашка",
            "г. Москва", "1027700000000", "2127700000001", "7701234567", "770101001", "01.02.2003",
            "МИ ФНС № 46", "г. Москва; ул. Победы", "Москва", "OOO Romashka", "c0"}));
    EXPECT_EQ(rows[1][23], "c9");
    EXPECT_EQ(rows[2][3], "ЗАО \"Лютик\"; филиал");
    EXPECT_EQ(rows[2][4], "line one\r\nline two\nthree\rfour");
    EXPECT_EQ(rows[2][7], "\"");
    EXPECT_EQ(rows[2][12], "'=1+1");  // a formula is defused
    EXPECT_EQ(rows[2][5], "");
    const char* const kinds[] = {"message", "failed", "skipped"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto& row = rows[static_cast<size_t>(i) + 3];
        EXPECT_EQ(row[0], kinds[i]);
        EXPECT_EQ(row[2], input[static_cast<size_t>(i) + 2].text.toStdString());
        EXPECT_EQ(row[3], "");  // no firm fields
        EXPECT_EQ(row[13], input[static_cast<size_t>(i) + 2].convertedText.toStdString());
    }
}

// Each character that makes a spreadsheet read a cell as a formula, first in a value,
// gets an apostrophe in front; the same character later in the value does not.
TEST(CsvExport, FormulaTriggersAreDefused) {
    const std::vector<std::string> triggers = {"=", "+", "-", "@", "\t", "\r"};
    std::vector<lookup::FirmRecord> firms(triggers.size());
    std::vector<window::ExportRow> rows;
    for (std::size_t i = 0; i < triggers.size(); ++i) {
        firms[i].name = triggers[i] + "HYPERLINK(\"http://x\")";
        firms[i].address = "a" + triggers[i] + "b";
        window::ExportRow row;
        row.queryText = QString::fromStdString(triggers[i] + "q");
        row.firm = &firms[i];
        rows.push_back(row);
    }
    const Rows read = ParseCsv(window::CsvBytes(rows, Q("English"), kCaptions).substr(3));
    ASSERT_EQ(read.size(), triggers.size() + 1);
    for (std::size_t i = 0; i < triggers.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read[i + 1][1], "'" + triggers[i] + "q");
        EXPECT_EQ(read[i + 1][3], "'" + triggers[i] + "HYPERLINK(\"http://x\")");
        EXPECT_EQ(read[i + 1][4], "a" + triggers[i] + "b");
    }
}
