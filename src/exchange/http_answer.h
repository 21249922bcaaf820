// How an HttpSession reads each answer: libcurl's callbacks take the header block and
// the body as they arrive, bound them, decode the body and hand it on.
#pragma once

#include <curl/curl.h>

#include <cstddef>

namespace lookup {

class HttpSession;

// The header block of one answer at most; libcurl itself refuses a single header
// line above 100 KiB.
constexpr std::size_t kMaxHeaderBytes = 256u << 10;
// Header lines of one answer at most, and Set-Cookie lines among them.
constexpr int kMaxHeaderLines = 1000;
constexpr int kMaxSetCookies = 200;

// How long a transfer loop waits for the sockets before it asks `aborted` again.
constexpr long kPollMs = 50;

// The CURL* that the session keeps as a void* (so that its header needs no libcurl).
inline CURL* Handle(void* p) {
    return static_cast<CURL*>(p);
}

// libcurl's callbacks; user is the HttpSession of the transfer.
struct HttpCallbacks {
    static bool Keep(HttpSession* s, const char* data, std::size_t n);
    static std::size_t Write(char* data, std::size_t size, std::size_t count, void* user);
    static std::size_t Header(char* data, std::size_t size, std::size_t count, void* user);
    static int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
};

}  // namespace lookup
