// The results file of a firm search, from the stand-in register's answer through the
// query service to the file's bytes: twelve-line blocks in Windows-1251 with CR LF, as
// files written before hold them. A search's rows name no registering authority, so
// its two lines stay empty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/query_service.h"
#include "lists/results_file.h"
#include "support/cp1251_text.h"
#include "support/standin.h"

namespace {

TEST(ResultsFileOfASearch, IsTheKnownBlocksByteForByte) {
    testsupport::StandinServer s;
    lookup::QueryService service;
    std::vector<lookup::FirmRecord> firms;
    std::string queryText;
    bool ended = false;
    QObject::connect(
        &service, &lookup::QueryService::firmFound,
        [&](lookup::QueryId, const lookup::FirmRecord& firm) { firms.push_back(firm); });
    QObject::connect(&service, &lookup::QueryService::queryTextChanged,
                     [&](lookup::QueryId, const std::string& text) { queryText = text; });
    QObject::connect(&service, &lookup::QueryService::queryFinished,
                     [&](lookup::QueryId, const lookup::QueryOutcome& outcome) {
                         EXPECT_TRUE(outcome.ok());
                         ended = true;
                     });
    lookup::QueryRequest request;
    request.criteria = lookup::SearchCriteria::ForLine(testsupport::Cp1251Text("Лютик"));
    request.nodeText = testsupport::Cp1251("Лютик");
    request.serviceRoot = s.root();
    service.Enqueue(std::move(request));
    ASSERT_TRUE(testsupport::SpinUntil([&] { return ended; }, std::chrono::seconds(60)));

    std::vector<lookup::ResultEntry> entries;
    for (const lookup::FirmRecord& firm : firms)
        entries.push_back({queryText, firm.name, firm});
    const std::string golden = testsupport::Cp1251(
        "[Лютик, records found: 2]\r\n"
        "Название: ООО \"Лютик\"\r\n"
        "Адрес: 129090, г. Москва, ул. Щепкина, д. 8\r\n"
        "ОГРН: 1087700012300\r\n"
        "ГРН: 2187700666668\r\n"
        "ИНН: 7702004440\r\n"
        "КПП: 770201001\r\n"
        "Дата записи: 19.05.2008\r\n"
        "Рег. орган: \r\n"
        "Адрес органа: \r\n"
        "Регион: г. Москва\r\n"
        "\r\n"
        "[Лютик, records found: 2]\r\n"
        "Название: ООО \"Лютик\"\r\n"
        "Адрес: 199034, г. Санкт-Петербург, Университетская наб., д. 7\r\n"
        "ОГРН: 1097847014704\r\n"
        "ГРН: \r\n"
        "ИНН: 7801005557\r\n"
        "КПП: 780101001\r\n"
        "Дата записи: 03.07.2009\r\n"
        "Рег. орган: \r\n"
        "Адрес органа: \r\n"
        "Регион: г. Санкт-Петербург\r\n"
        "\r\n");
    EXPECT_EQ(lookup::ResultsFileBytes(entries), golden);
}

}  // namespace
