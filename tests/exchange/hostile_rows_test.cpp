// A result page of 100,000 rows in name mode: every row is delivered once, in order,
// the count text follows every row, and the query thread's memory stays bounded. Runs
// in a process of its own so that the peak resident size belongs to this query alone.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QString>
#include <condition_variable>
#include <mutex>

#include "exchange/query_service.h"
#include "platform/cp1251.h"
#include "support/standin.h"

namespace {

// Sanitizers keep shadow memory and freed blocks around; the bound still catches a
// page kept many times over.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr long kRssLimitMiB = 300;
#else
constexpr long kRssLimitMiB = 150;
#endif

long PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Checks each call as it comes instead of keeping 100,000 records.
class CheckingSink : public testsupport::QuerySink {
  public:
    explicit CheckingSink(std::string parentPrefix) : prefix_(std::move(parentPrefix)) {}

    void ChangeThreadCount(int delta) override {
        std::lock_guard<std::mutex> lock(mutex_);
        count_ += delta;
        changed_.notify_all();
    }
    void AddResultNode(window::NodeHandle, const std::string& text, int image,
                       const std::optional<lookup::FirmRecord>& record) override {
        std::lock_guard<std::mutex> lock(mutex_);
        ++firms_;
        const std::string expected =
            platform::ToCp1251(QStringLiteral("ООО Лавина-%1").arg(firms_));
        if (text != expected || image != window::kFirmIcon || !record || record->name != text ||
            record->ogrn != std::to_string(1000000000000LL + firms_) ||
            record->inn != std::to_string(7700000000LL + firms_) || !record->grn.empty() ||
            !record->authority.empty() || textsSinceFirm_ != 0) {
            ++wrong_;
        }
        textsSinceFirm_ = -1;  // one count text must follow
    }
    void SetNodeText(window::NodeHandle, const std::string& text) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (textsSinceFirm_ != -1 || text != prefix_ + std::to_string(firms_)) {
            ++wrong_;
        }
        textsSinceFirm_ = 0;
        lastText_ = text;
    }
    void QueryEnded(window::NodeHandle, bool ok) override {
        std::lock_guard<std::mutex> lock(mutex_);
        ended_ = true;
        ok_ = ok;
    }

    bool Wait(std::chrono::milliseconds wait) {
        return testsupport::SpinUntil(
            [&] {
                std::lock_guard<std::mutex> lock(mutex_);
                return ended_ && count_ == 0;
            },
            wait);
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::string prefix_;
    int count_ = 0;
    int firms_ = 0;
    int wrong_ = 0;
    int textsSinceFirm_ = 0;
    std::string lastText_;
    bool ended_ = false;
    bool ok_ = false;
};

}  // namespace

TEST(HostileRows, HundredThousandRowsAreAllDeliveredWithBoundedMemory) {
    testsupport::StandinServer s;
    const std::string name = platform::ToCp1251(QStringLiteral("Лавина"));
    auto sink = std::make_shared<CheckingSink>(name + ", records found: ");

    const long before = PeakRssKiB();
    lookup::SearchCriteria criteria;
    criteria.name = platform::Cp1251String(name);
    testsupport::StartQuery(sink, 1, criteria, name, s.root());
    ASSERT_TRUE(sink->Wait(std::chrono::seconds(120)));
    const long growthMiB = (PeakRssKiB() - before) / 1024;

    std::lock_guard<std::mutex> lock(sink->mutex_);
    EXPECT_TRUE(sink->ok_);
    EXPECT_EQ(sink->firms_, 100000);
    EXPECT_EQ(sink->wrong_, 0);
    EXPECT_EQ(sink->lastText_, name + ", records found: 100000");
    // The page is about 17 MB; the answer, the page and the scanner's copies of it
    // must stay well within a small multiple of that.
    EXPECT_LT(growthMiB, kRssLimitMiB) << "peak resident size grew by " << growthMiB << " MiB";
    RecordProperty("rss_growth_mib", static_cast<int>(growthMiB));
}
