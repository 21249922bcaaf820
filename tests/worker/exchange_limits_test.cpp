// The HTTP client of a worker against hostile answers of the stand-in: too large,
// endlessly redirected, undecodable, stalled or refused answers all end as errors,
// and an abort ends a transfer at once.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/standin.h"
#include "worker/http_session.h"

using testsupport::StandinServer;
using worker::HttpError;
using worker::HttpLimits;
using worker::HttpSession;

namespace {

HttpSession Session(const StandinServer& s, HttpLimits limits = {},
                    std::function<bool()> aborted = {}) {
    return HttpSession(worker::HostOfRoot(s.root()), {}, std::move(aborted), limits);
}

}  // namespace

TEST(ExchangeLimits, HostAndProxyPortParsing) {
    EXPECT_EQ(worker::HostOfRoot("http://127.0.0.1:8080"), "127.0.0.1:8080");
    EXPECT_EQ(worker::HostOfRoot("http://register.example"), "register.example");
    EXPECT_EQ(worker::ParseProxyPort("3128"), 3128);
    EXPECT_EQ(worker::ParseProxyPort("+80"), 80);
    for (const char* bad : {"", " ", "80 ", " 80", "8o", "0", "65536", "-5", "0x50"}) {
        EXPECT_THROW(worker::ParseProxyPort(bad), HttpError) << bad;
    }
}

TEST(ExchangeLimits, AnswersBeyondTheCapAreErrorsAndKeepNothingUnbounded) {
    StandinServer s;
    HttpLimits small;
    small.maxBodyBytes = 1000;
    HttpSession http = Session(s, small);
    std::string out;
    http.Get(s.root() + "/test/big?bytes=600", &out);
    EXPECT_EQ(out.size(), 600u);
    // The cap counts every body of the session together.
    EXPECT_THROW(http.Get(s.root() + "/test/big?bytes=600", &out), HttpError);
    EXPECT_LE(out.size(), 1000u);

    // A small gzip body that inflates past the default cap.
    HttpSession bomb = Session(s);
    std::string inflated;
    EXPECT_THROW(bomb.Get(s.root() + "/test/bomb?mb=40", &inflated), HttpError);
    EXPECT_LE(inflated.size(), HttpLimits{}.maxBodyBytes);
}

TEST(ExchangeLimits, BrokenAnswersAreErrors) {
    StandinServer s;
    HttpSession http = Session(s);
    std::string out;
    EXPECT_THROW(http.Get(s.root() + "/test/loop", &out), HttpError);
    EXPECT_THROW(http.Get(s.root() + "/test/badgzip", &out), HttpError);
    for (int code : {304, 404, 500, 199}) {
        EXPECT_THROW(http.Get(s.root() + "/test/status?code=" + std::to_string(code), &out),
                     HttpError)
            << code;
    }
    EXPECT_NO_THROW(http.Get(s.root() + "/test/status?code=203", &out));
}

TEST(ExchangeLimits, StalledTransferEndsAfterTheNoProgressTime) {
    StandinServer s;
    HttpLimits quick;
    quick.lowSpeedTimeSec = 1;
    HttpSession http = Session(s, quick);
    std::string out;
    EXPECT_THROW(http.Get(s.root() + "/test/stall?seconds=20", &out), HttpError);
}

TEST(ExchangeLimits, AbortEndsATransferInProgress) {
    StandinServer s;
    std::atomic<bool> abort{false};
    HttpSession http = Session(s, {}, [&] { return abort.load(); });
    std::thread trigger([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        abort = true;
    });
    std::string out;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_THROW(http.Get(s.root() + "/test/stall?seconds=30", &out), HttpError);
    trigger.join();
    // Well before the stall (or any time-out) would have ended it.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
    EXPECT_THROW(http.Get(s.root() + "/", &out), HttpError);  // no request once aborted
}
