// One worker's HTTP client: a libcurl easy handle with its own cookie store, the
// register's request headers, redirects, gzip/deflate decoding, the proxy choice,
// time-outs and a cap on the bytes one query may receive.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "worker/proxy_settings.h"

namespace worker {

// Any failed request: no connection, broken transfer, time-out, an answer outside
// 2xx, an undecodable body, too large an answer, an abort, a bad proxy port.
class HttpError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The limits of one worker's exchange. The defaults are the program's; tests pass
// shorter time-outs.
struct HttpLimits {
    long connectTimeoutSec = 30;           // to establish the connection
    long lowSpeedBytesPerSec = 10;         // slower than this ...
    long lowSpeedTimeSec = 60;             // ... for this long aborts the transfer
    long requestTimeoutSec = 300;          // one request (with its redirects) at most
    std::size_t maxBodyBytes = 32u << 20;  // all answer bodies of the session together
    long maxRedirects = 10;                // redirects in a row
};

// The "host[:port]" part of a service root such as "http://127.0.0.1:8080".
std::string HostOfRoot(const std::string& serviceRoot);

// The proxy port text as a decimal number 1..65535; throws HttpError otherwise.
long ParseProxyPort(const std::string& text);

class BodyDecoder;

class HttpSession {
  public:
    // aborted is polled during transfers; when it returns true the transfer ends
    // with an error. Throws HttpError for a proxy port that is not a whole number.
    HttpSession(const std::string& hostHeader, const ProxySettings& proxy,
                std::function<bool()> aborted, HttpLimits limits = {});
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    // The Referer of the following requests; an empty text sends none.
    void SetReferer(const std::string& referer);
    // Adds "Content-Type: application/x-www-form-urlencoded" to every later request.
    void UseFormContentType();

    // Appends the final answer's body (redirect bodies left out) to *out, or drops it
    // when out is null. Throws HttpError on failure; *out may then hold a part.
    void Get(const std::string& url, std::string* out);
    void Post(const std::string& url, const std::string& body, std::string* out);

    std::size_t receivedBytes() const { return received_; }

  private:
    void Perform(const std::string& url, std::string* out);
    void ApplyHeaders();

    void* curl_ = nullptr;     // CURL*
    void* headers_ = nullptr;  // curl_slist*
    std::string hostHeader_;
    std::string referer_;
    bool formContentType_ = false;
    std::function<bool()> aborted_;
    HttpLimits limits_;
    std::size_t received_ = 0;
    bool overCap_ = false;
    std::size_t rawReceived_ = 0;           // body bytes as sent, before decoding
    std::unique_ptr<BodyDecoder> decoder_;  // the current answer's Content-Encoding
    bool undecodable_ = false;
    std::string* target_ = nullptr;  // where the current request's body goes
    std::size_t targetStart_ = 0;    // its length before the request

    friend struct HttpCallbacks;
};

}  // namespace worker
