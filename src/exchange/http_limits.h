// The limits of an exchange with the register, and libcurl's process-wide set-up.
#pragma once

#include <chrono>
#include <cstddef>

namespace lookup {

// The limits of one query's exchange. The defaults are the program's; tests pass
// shorter time-outs.
struct HttpLimits {
    long connectTimeoutSec = 30;           // to establish the connection
    long lowSpeedBytesPerSec = 10;         // slower than this ...
    long lowSpeedTimeSec = 60;             // ... for this long aborts the transfer
    long requestTimeoutSec = 300;          // one request (with its redirects) at most
    std::size_t maxBodyBytes = 32u << 20;  // all answer bodies of the session together
    long maxRedirects = 10;                // redirects in a row
    // The whole query (one session) at most; later requests fail with a time-out.
    // Zero or less: no bound.
    std::chrono::milliseconds maxQueryTime = std::chrono::minutes(15);
    // Result pages one query follows at most; enforced by the page loop, which fails
    // with TooManyResultPagesError().
    int maxResultPages = 1000;
};

// Sets up libcurl's process-wide state on the first call and does nothing after; every
// user of libcurl calls it before making a handle. Safe from any thread.
void InitCurlOnce();

}  // namespace lookup
