// One HTTP session with the register (a query's, or one page fetch's): a libcurl
// easy handle with its own cookie store, the register's request headers, redirects
// (followed here, so that a request leaving the service's host goes out clean),
// gzip/deflate decoding, the proxy choice, time-outs, caps on the bytes and header
// lines one query may receive, and the check that an answer arrived whole.
#pragma once

#include <chrono>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "config/proxy_settings.h"
#include "exchange/http_limits.h"
#include "exchange/query_error.h"
#include "platform/result.h"

namespace lookup {

// Any failed request: no connection, broken transfer, time-out, an answer outside
// 2xx, an undecodable body, too large an answer, an abort, a bad proxy setting.
// what() is the error's short reason.
class HttpError : public std::runtime_error {
  public:
    explicit HttpError(QueryError error)
        : std::runtime_error(error.reason), error_(std::move(error)) {}
    // An error of kind Failed with this reason.
    explicit HttpError(const std::string& reason)
        : HttpError(QueryError{QueryErrorKind::Failed, reason, 0, {}}) {}

    const QueryError& error() const { return error_; }

  private:
    QueryError error_;
};

// Whether the absolute address url is the service at serviceHost ("host[:port]"): the
// same host in any letter case and the same port, where an address without one means
// 80 for http and 443 for https. Only such requests carry the service's cookies,
// Referer and form header.
bool AddressesService(const std::string& url, const std::string& serviceHost);

// The user agent the queries send.
const char* QueryUserAgent();

// The proxy port text as a decimal number 1..65535, or why it is none (ProxyFailed).
platform::Result<long, QueryError> ParseProxyPort(const std::string& text);

// How a transfer ended: libcurl's CURLcode, or an abort that ended it first.
struct TransferEnd {
    int curlCode = 0;      // CURLE_OK unless libcurl itself ended the transfer
    bool aborted = false;  // aborted() returned true while the transfer ran
};

// Runs the prepared request of easy (a CURL*) on multi (a CURLM*) to its end, asking
// aborted every 50 ms while it waits for the sockets. Throws HttpError when the multi
// interface itself fails. The probe and the queries share this loop.
TransferEnd RunTransfer(void* multi, void* easy, const std::function<bool()>& aborted);

class BodyDecoder;

class HttpSession {
  public:
    // aborted is polled during transfers (every 50 ms at most); when it returns true
    // the transfer ends at once with an Aborted error. With proxy.useProxy every
    // request goes through exactly that proxy, otherwise straight to the service (no
    // proxy from the environment). Throws HttpError for a proxy port that is not a
    // whole number and for any client setting that libcurl refuses (ProxyFailed for
    // the proxy's own settings).
    // serviceHost is the "host[:port]" of the register's service: only requests to it
    // carry the Referer and the form's content type.
    HttpSession(const std::string& serviceHost, const config::ProxySettings& proxy,
                std::function<bool()> aborted, HttpLimits limits = {});
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    // The Referer of the following requests; an empty text sends none.
    void SetReferer(const std::string& referer);
    // Adds "Content-Type: application/x-www-form-urlencoded" to every later request.
    void UseFormContentType();

    // Receives the final answer's decoded body as it arrives (only a 2xx answer's).
    // Returning false ends the request early without an error; an exception thrown
    // here ends it and leaves Get/Post.
    using BodySink = std::function<bool(std::string_view chunk)>;

    // Appends the final answer's body (redirect bodies left out) to *out, or drops it
    // when out is null; *out is reserved from the answer's Content-Length. Throws
    // HttpError on failure; *out may then hold a part.
    void Get(const std::string& url, std::string* out);
    void Post(const std::string& url, const std::string& body, std::string* out);
    // Hands the final answer's body to sink as it arrives instead of keeping it.
    void Get(const std::string& url, const BodySink& sink);

    const HttpLimits& limits() const { return limits_; }

  private:
    struct Target {
        std::string* text = nullptr;
        const BodySink* sink = nullptr;
    };
    // One request of Perform's redirect chain and what it may carry.
    struct Hop {
        std::string url;
        bool post = false;  // sends the form body
        // Every address of the chain so far is the service's: the Referer and the
        // form's content type go along.
        bool toService = false;
        // The end of the request with all its redirects: its own time limit, or the
        // query's deadline when that comes first (queryBound).
        std::chrono::steady_clock::time_point until;
        bool queryBound = false;
    };
    void Perform(const std::string& url, bool post, Target target);
    // Runs hop; returns the next address, or an empty text when this answer is the
    // final one.
    std::string PerformHop(const Hop& hop, Target target);
    // Sets the hop's address, method, time-out and headers; returns its CURL*.
    void* PrepareHop(const Hop& hop);
    // Throws for what the callbacks saw go wrong: too many bytes, an abort, a refused
    // header block, a body that does not decode.
    void CheckCallbacks(const TransferEnd& end);
    // Why the hop's transfer ended with curlCode (a CURLcode other than CURLE_OK).
    QueryError TransferError(const Hop& hop, void* handle, int curlCode);
    // The next address of a complete redirect answer, or an empty text for a complete
    // 2xx one; throws for an answer cut short or one outside 2xx.
    std::string FinishAnswer(const Hop& hop, void* handle);
    void Configure(void* handle, bool withCookies);
    void* ForeignHandle();
    void ApplyHeaders(bool forService, void* handle);
    TransferContext Context(const std::string& url) const;
    void StartAnswer(long status);

    void* curl_ = nullptr;            // CURL* for the service's host and port, with the cookies
    void* foreign_ = nullptr;         // CURL* for any other host or port, without cookies
    void* multi_ = nullptr;           // CURLM*, which runs the transfers and keeps connections
    void* headers_ = nullptr;         // curl_slist* of curl_
    void* foreignHeaders_ = nullptr;  // curl_slist* of foreign_
    std::string serviceHost_;         // "host[:port]" that gets the register's headers
    std::string referer_;
    bool formContentType_ = false;
    std::string postBody_;
    std::function<bool()> aborted_;
    HttpLimits limits_;
    bool viaProxy_ = false;
    std::string proxyHost_;
    long proxyPort_ = 0;
    std::string proxyName_;                           // "host:port" of the chosen proxy
    std::chrono::steady_clock::time_point deadline_;  // of the whole query
    std::size_t received_ = 0;
    bool overCap_ = false;
    std::size_t rawReceived_ = 0;           // body bytes as sent, before decoding
    std::unique_ptr<BodyDecoder> decoder_;  // the current answer's Content-Encoding
    bool undecodable_ = false;
    Target target_;                 // where the current request's body goes
    std::size_t targetStart_ = 0;   // the text's length before the request
    std::exception_ptr sinkError_;  // what the sink threw
    bool sinkStopped_ = false;      // the sink asked for no more

    // The current answer, as its header block arrives.
    long status_ = 0;
    bool headerEnded_ = false;      // its blank line arrived
    long long contentLength_ = -1;  // its Content-Length, -1 when none was sent
    std::size_t answerRaw_ = 0;     // its body bytes as sent
    std::size_t headerBytes_ = 0;
    int headerLines_ = 0;
    int setCookies_ = 0;
    std::string headerFault_;  // why the header block was refused

    friend struct HttpCallbacks;
};

}  // namespace lookup
