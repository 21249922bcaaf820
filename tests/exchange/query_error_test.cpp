// What libcurl results and answer statuses become: the kind callers act on and the
// reason the user reads.
#include "exchange/query_error.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

using lookup::QueryErrorKind;

namespace {

struct CodeCase {
    CURLcode code;
    bool viaProxy;
    QueryErrorKind kind;
    const char* reason;
};

TEST(QueryError, CurlCodesMapToKindsAndReasons) {
    // The codes a loopback test cannot easily provoke; the others are asserted end to
    // end in the exchange tests.
    const CodeCase cases[] = {
        {CURLE_COULDNT_RESOLVE_HOST, false, QueryErrorKind::CannotConnect,
         "cannot find the host register.example:8080"},
        {CURLE_COULDNT_RESOLVE_PROXY, true, QueryErrorKind::ProxyFailed,
         "cannot find the proxy host 127.0.0.1:3128"},
        {CURLE_PROXY, true, QueryErrorKind::ProxyFailed, "the proxy 127.0.0.1:3128 failed"},
        {CURLE_BAD_CONTENT_ENCODING, false, QueryErrorKind::Undecodable,
         "cannot decode the answer"},
        {CURLE_RECV_ERROR, false, QueryErrorKind::ConnectionBroken, "the connection broke"},
    };
    for (const CodeCase& c : cases) {
        lookup::TransferContext context;
        context.host = "register.example:8080";
        context.viaProxy = c.viaProxy;
        context.proxy = "127.0.0.1:3128";
        const lookup::QueryError e = lookup::ErrorOfCurlCode(c.code, context);
        EXPECT_EQ(e.kind, c.kind) << c.code;
        EXPECT_EQ(e.reason, c.reason) << c.code;
        EXPECT_EQ(e.httpStatus, 0) << c.code;
    }
}

TEST(QueryError, StatusesKeepTheirCodeAndA407IsTheProxysOnlyThroughIt) {
    lookup::TransferContext direct;
    const auto e503 = lookup::ErrorOfHttpStatus(503, direct);
    EXPECT_EQ(e503.kind, QueryErrorKind::HttpStatus);
    EXPECT_EQ(e503.httpStatus, 503);
    EXPECT_EQ(e503.reason, "HTTP 503");
    EXPECT_EQ(lookup::ErrorOfHttpStatus(407, direct).kind, QueryErrorKind::HttpStatus);

    lookup::TransferContext proxied;
    proxied.viaProxy = true;
    proxied.proxy = "10.0.0.1:8080";
    const auto e407 = lookup::ErrorOfHttpStatus(407, proxied);
    EXPECT_EQ(e407.kind, QueryErrorKind::ProxyFailed);
    EXPECT_EQ(e407.httpStatus, 407);
    EXPECT_EQ(e407.reason, "the proxy 10.0.0.1:8080 asks for a password");
}

// Through a proxy a gateway status names the proxy or the register, which then may not
// have been reached; straight to the service a status is only its code.
TEST(QueryError, AGatewayStatusThroughAProxyNamesBoth) {
    lookup::TransferContext context;
    context.host = "Register.Example:8080";
    context.viaProxy = true;
    const auto e504 = lookup::ErrorOfHttpStatus(504, context);
    EXPECT_EQ(e504.reason, "the proxy or the register answered HTTP 504");
    EXPECT_TRUE(lookup::CouldNotReach(e504, "register.example:8080"));
    EXPECT_FALSE(lookup::CouldNotReach(e504, "register.example"));
    context.viaProxy = false;
    EXPECT_EQ(lookup::ErrorOfHttpStatus(504, context).reason, "HTTP 504");
    EXPECT_FALSE(lookup::CouldNotReach(lookup::ErrorOfHttpStatus(504, context), context.host));
}

TEST(QueryError, ReasonsWriteSizesAndDurationsShortly) {
    EXPECT_EQ(lookup::TooManyResultPagesError().reason, "too many result pages");
    EXPECT_EQ(lookup::TooManyResultPagesError().kind, QueryErrorKind::TooManyResultPages);
    EXPECT_EQ(lookup::QueryTimeError(std::chrono::minutes(15)).reason,
              "the query took longer than 15 min");
    EXPECT_EQ(lookup::DurationText(std::chrono::seconds(90)), "90 s");
    EXPECT_EQ(lookup::DurationText(std::chrono::milliseconds(1500)), "1500 ms");

    // A proxy host of megabytes gives a reason of a line, cut between characters.
    const std::string huge = std::string(63, 'a') + "ЖЖЖ" + std::string(9u << 20, 'b');
    lookup::TransferContext context;
    context.viaProxy = true;
    context.proxy = huge;
    const std::string reason = lookup::ErrorOfCurlCode(CURLE_COULDNT_CONNECT, context).reason;
    EXPECT_EQ(reason, "cannot connect to the proxy " + std::string(63, 'a') + "...");
}

}  // namespace
