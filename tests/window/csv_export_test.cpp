// "Export": the CSV bytes read back by a separate ';' CSV reader.
#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <vector>

#include "platform/cp1251.h"
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

std::string Cp(const char* utf8) {
    return platform::ToCp1251(QString::fromUtf8(utf8));
}

const std::string kBom = "\xEF\xBB\xBF";

}  // namespace

TEST(CsvExport, HeaderOnlyForNoEntries) {
    const std::string bytes = window::CsvBytes({});
    ASSERT_EQ(bytes.substr(0, 3), kBom);
    EXPECT_EQ(bytes.substr(3),
              "Запрос;Название;Адрес;ОГРН;ГРН;ИНН;КПП;Дата записи;Рег. орган;Адрес органа;"
              "Регион\r\n");
}

TEST(CsvExport, RowsReadBackWithAwkwardValues) {
    lookup::ResultEntry plain;
    plain.queryText = Cp("Search for entered data... ИНН 7701234567, records found: 2");
    plain.firmText = Cp("ООО Ромашка");
    plain.firm = {Cp("ООО Ромашка"), Cp("г. Москва"),   "7701234567",
                  "770101001",       "1027700000000",   "2127700000001",
                  "01.02.2003",      Cp("МИ ФНС № 46"), Cp("г. Москва; ул. Победы"),
                  Cp("Москва")};

    lookup::ResultEntry awkward;
    awkward.queryText = "q";
    awkward.firm.name = Cp("ЗАО \"Лютик\"; филиал");
    awkward.firm.address = "line one\r\nline two\nthree\rfour";
    awkward.firm.region = "=1+1";
    awkward.firm.inn = "\"";

    const std::string bytes = window::CsvBytes({plain, awkward});
    ASSERT_EQ(bytes.substr(0, 3), kBom);
    const Rows rows = ParseCsv(bytes.substr(3));
    ASSERT_EQ(rows.size(), 3u);
    for (const auto& row : rows) {
        EXPECT_EQ(row.size(), 11u);
    }
    EXPECT_EQ(rows[1],
              (std::vector<std::string>{
                  "Search for entered data... ИНН 7701234567, records found: 2", "ООО Ромашка",
                  "г. Москва", "1027700000000", "2127700000001", "7701234567", "770101001",
                  "01.02.2003", "МИ ФНС № 46", "г. Москва; ул. Победы", "Москва"}));
    EXPECT_EQ(rows[2][1], "ЗАО \"Лютик\"; филиал");
    EXPECT_EQ(rows[2][2], "line one\r\nline two\nthree\rfour");
    EXPECT_EQ(rows[2][5], "\"");
    EXPECT_EQ(rows[2][10], "'=1+1");  // a formula is defused
    EXPECT_EQ(rows[2][3], "");
}

// Each character that makes a spreadsheet read a cell as a formula, first in a value,
// gets an apostrophe in front; the same character later in the value does not.
TEST(CsvExport, FormulaTriggersAreDefused) {
    const std::vector<std::string> triggers = {"=", "+", "-", "@", "\t", "\r"};
    std::vector<lookup::ResultEntry> entries;
    for (const std::string& trigger : triggers) {
        lookup::ResultEntry entry;
        entry.queryText = trigger + "q";
        entry.firm.name = trigger + "HYPERLINK(\"http://x\")";
        entry.firm.address = "a" + trigger + "b";
        entries.push_back(entry);
    }
    const Rows rows = ParseCsv(window::CsvBytes(entries).substr(3));
    ASSERT_EQ(rows.size(), triggers.size() + 1);
    for (std::size_t i = 0; i < triggers.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i + 1][0], "'" + triggers[i] + "q");
        EXPECT_EQ(rows[i + 1][1], "'" + triggers[i] + "HYPERLINK(\"http://x\")");
        EXPECT_EQ(rows[i + 1][2], "a" + triggers[i] + "b");
    }
}
