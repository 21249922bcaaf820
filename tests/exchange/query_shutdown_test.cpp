// Many queries at once, each on a service of its own: all end, each with its own
// results, and the count returns to zero.
#include <gtest/gtest.h>

#include "exchange/query_service.h"
#include "support/cp1251_text.h"
#include "support/standin.h"

using testsupport::RecordingSink;
using testsupport::StandinServer;

namespace {

void Start(const std::shared_ptr<RecordingSink>& sink, const std::string& root, const char* name,
           window::NodeHandle node) {
    lookup::SearchCriteria criteria;
    criteria.name = testsupport::Cp1251Text(name);
    testsupport::StartQuery(sink, node, criteria, "q", root);
}

}  // namespace

TEST(QueryShutdown, ManyQueriesAtOnceAllEndAndTheCountReturnsToZero) {
    StandinServer s;
    auto sink = std::make_shared<RecordingSink>();
    for (window::NodeHandle n = 1; n <= 12; ++n) {
        Start(sink, s.root(), n % 2 ? "Ромашка" : "Лютик", n);
    }
    ASSERT_TRUE(sink->WaitUntilDone(12));
    for (window::NodeHandle n = 1; n <= 12; ++n) {
        EXPECT_EQ(sink->deliveriesFor(n).size(), n % 2 ? 9u : 2u);
        EXPECT_EQ(sink->queryOk(n), true);
    }
}
