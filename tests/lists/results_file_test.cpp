#include "lists/results_file.h"
#include "pages/service_messages.h"

#include <gtest/gtest.h>

#include "support/cp1251_text.h"

namespace {

using lookup::ResultEntry;

ResultEntry Entry(const char* name) {
    ResultEntry e;
    e.queryText = testsupport::Cp1251("Ромашка, records found: 2");
    e.firmText = testsupport::Cp1251(name);
    e.firm.name = testsupport::Cp1251(name);
    e.firm.address = testsupport::Cp1251("г. Москва");
    e.firm.inn = "7701000001";
    e.firm.kpp = "";
    e.firm.ogrn = "1027700000001";
    e.firm.grn = "2027700000001";
    e.firm.date = "01.02.2003";
    e.firm.authority = testsupport::Cp1251("ИФНС № 1");
    e.firm.authorityAddress = "a\r\nb";
    e.firm.region = "77";
    return e;
}

TEST(ResultsFileTest, BlockBytes) {
    const std::string bytes = lookup::ResultsFileBytes({Entry("ООО \"Ромашка\"")});
    const std::string expected = testsupport::Cp1251(
        "[Ромашка, records found: 2]\r\n"
        "Название: ООО \"Ромашка\"\r\n"
        "Адрес: г. Москва\r\n"
        "ОГРН: 1027700000001\r\n"
        "ГРН: 2027700000001\r\n"
        "ИНН: 7701000001\r\n"
        "КПП: \r\n"
        "Дата записи: 01.02.2003\r\n"
        "Рег. орган: ИФНС № 1\r\n"
        "Адрес органа: a b\r\n"
        "Регион: 77\r\n"
        "\r\n");
    EXPECT_EQ(bytes, expected);
    // Single-byte text without a byte-order mark: "[" then "Р" as 0xD0.
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], '[');
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD0);
}

// A name received with line breaks must not forge lines or blocks of its own.
TEST(ResultsFileTest, LineBreaksInValuesBecomeSpaces) {
    ResultEntry forged = Entry("ООО Х\r\n\r\n[Поддельный]\rИНН: 1\nx");
    forged.queryText = "q\r\n[q2]";
    const std::string bytes = lookup::ResultsFileBytes({forged});
    EXPECT_EQ(bytes.substr(0, bytes.find(testsupport::Cp1251("Адрес:"))),
              testsupport::Cp1251("[q [q2]]\r\nНазвание: ООО Х  [Поддельный] ИНН: 1 x\r\n"));
    // Eleven lines and the blank one that ends the block, nothing more.
    std::size_t lines = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
         at = bytes.find("\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, 12u);
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
}

TEST(ResultsFileTest, SkippedAndEmpty) {
    EXPECT_EQ(lookup::ResultsFileBytes({}), "");
    const std::vector<ResultEntry> entries = {
        Entry("Ошибка: сервис недоступен"),
        Entry("ООО Ошибка плюс"),
        Entry("Записей не найдено"),
        Entry("На сегодняшний день Ваш лимит запросов исчерпан"),
        Entry("ООО Лимит"),
        Entry("ошибка в регистре")};
    const std::string bytes = lookup::ResultsFileBytes(entries);
    EXPECT_EQ(bytes, lookup::ResultsFileBytes({Entry("ООО Лимит"), Entry("ошибка в регистре")}));
    EXPECT_TRUE(lookup::IsServiceMessageText(testsupport::Cp1251("xОшибкаx")));
    EXPECT_FALSE(lookup::IsServiceMessageText(testsupport::Cp1251("Записей  не найдено")));
    EXPECT_FALSE(lookup::IsServiceMessageText(""));
    // The empty-result message shares the answer rules' table but marks no node: a
    // firm whose name holds it is still a firm.
    EXPECT_FALSE(lookup::IsServiceMessageText(testsupport::Cp1251("Найдено:0 ООО Ноль")));
    EXPECT_EQ(lookup::ResultsFileBytes({entries[0]}), "");
}

TEST(ResultsFileTest, EnabledFileName) {
    EXPECT_EQ(lookup::EnabledFileName("/data/lists/inn.txt"), "/data/lists/inn_enabled.txt");
    EXPECT_EQ(lookup::EnabledFileName("/data/lists/inn.backup.csv"),
              "/data/lists/inn.backup_enabled.txt");
    EXPECT_EQ(lookup::EnabledFileName("/data/v1.2/list"), "/data/v1.2/list_enabled.txt");
    EXPECT_EQ(lookup::EnabledFileName("/data/list"), "/data/list_enabled.txt");
    EXPECT_EQ(lookup::EnabledFileName("list.txt"), "list_enabled.txt");
}

}  // namespace
