// Rescreening an archive on worker threads: many batches of firms screened at once and
// reported in archive order, each firm once, and a caller that stops the run early.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "archive/archive_db.h"
#include "screen/rescreen.h"
#include "support/archive_support.h"
#include "support/screen_support.h"
#include "support/shipped_data.h"

namespace {

using archive_test::Succeeded;
using screen_test::Firm;
using screen_test::Fixture;

class Rescreening : public ::testing::Test {
  protected:
    void SetUp() override {
        data_test::UseShippedData();
        ASSERT_TRUE(dir_.isValid());
        index_ = dir_.filePath(QStringLiteral("screening.sqlite")).toStdString();
        archive_ = dir_.filePath(QStringLiteral("archive.sqlite")).toStdString();
        screen::Index index;
        ASSERT_TRUE(Succeeded(index.Open(index_, screen::Index::Access::ReadWrite)));
        ASSERT_TRUE(screen_test::Stored(index.Import(Fixture("watchlist.jsonl"), {})));

        // 1,200 records of two firms each: unlisted ones, each found twice, and the
        // listed ones far apart, so that they fall into different batches.
        archive::Archive db;
        ASSERT_TRUE(Succeeded(db.Open(archive_, archive::Archive::Access::ReadWrite)));
        std::vector<archive::CheckRecord> records(1200);
        for (int i = 0; i < 1200; ++i) {
            records[static_cast<std::size_t>(i)].checkedAt = "2026-03-01T10:00:00Z";
            for (int k = 0; k < 2; ++k) {
                const std::string ogrn = std::to_string(1000000000000LL + (i + k) / 2 * 7 + k);
                records[static_cast<std::size_t>(i)].firms.push_back(
                    Firm("ООО \"Незабудка\"", "", ogrn.c_str()));
            }
        }
        records[900].firms.push_back(
            Firm("ООО \"Ромашка-Север\"", "7713001232", "1027700101230", "771301001"));
        records[30].firms.push_back(Firm("ООО \"Ромашка-Юг\"", "2308004562", "1032301234569"));
        records[1100].firms.push_back(
            Firm("ООО \"Ромашка-Север\"", "7713001232", "1027700101230", "771301001"));
        ASSERT_TRUE(Succeeded(db.Append(records)));
    }

    QTemporaryDir dir_;
    std::string index_;
    std::string archive_;
};

TEST_F(Rescreening, WorkersReportEachListedFirmOnceInArchiveOrder) {
    for (const int threads : {1, 2, 3}) {
        screen::RescreenOptions options;
        options.threads = threads;
        std::vector<std::pair<std::int64_t, std::string>> hits;
        screen::RescreenReport report;
        ASSERT_TRUE(Succeeded(screen::Rescreen(
            archive_, index_, options,
            [&](const screen::RescreenHit& hit) {
                hits.emplace_back(hit.recordId, hit.firm.ogrn);
                return true;
            },
            &report)));
        EXPECT_EQ(hits, (std::vector<std::pair<std::int64_t, std::string>>{{31, "1032301234569"},
                                                                           {901, "1027700101230"}}))
            << threads;
        EXPECT_EQ(report.firms, 1201 + 2);
        EXPECT_EQ(report.listed, 2);
        EXPECT_TRUE(report.identifierMatched);
    }

    // A caller that stops at the first firm ends the run, cleanly.
    screen::RescreenReport report;
    int calls = 0;
    EXPECT_TRUE(Succeeded(screen::Rescreen(
        archive_, index_, {},
        [&](const screen::RescreenHit&) {
            ++calls;
            return false;
        },
        &report)));
    EXPECT_EQ(calls, 1);

    // No archive at the path, and a list that is not in the index, are told.
    bool refused = true;
    const platform::Status absent = screen::Rescreen(
        archive_ + ".none", index_, {}, [](const screen::RescreenHit&) { return true; }, &report,
        &refused);
    ASSERT_FALSE(absent);
    EXPECT_NE(absent.error().find("there is no archive yet"), std::string::npos) << absent.error();
    EXPECT_FALSE(refused);
    screen::RescreenOptions unknown;
    unknown.lists = {"other"};
    const platform::Status unlisted = screen::Rescreen(
        archive_, index_, unknown, [](const screen::RescreenHit&) { return true; }, &report);
    ASSERT_FALSE(unlisted);
    EXPECT_NE(unlisted.error().find("there is no list \"other\""), std::string::npos)
        << unlisted.error();
}

}  // namespace
