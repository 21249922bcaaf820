#include "lookup/http_session.h"

#include "lookup/body_decoder.h"

#include <curl/curl.h>

#include <strings.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace lookup {

namespace {

const char* const kUserAgent =
    "Mozilla/5.0 (Windows; U; Windows NT 5.1; ru; rv:1.9.2.3) Gecko/20100401 Firefox/3.6.3";

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CURL* Handle(void* p) {
    return static_cast<CURL*>(p);
}

}  // namespace

struct HttpCallbacks {
    // Decoded bytes of the current answer: counted against the cap, then kept.
    static bool Keep(HttpSession* s, const char* data, size_t n) {
        if (n > s->limits_.maxBodyBytes - s->received_) {
            s->overCap_ = true;
            return false;
        }
        s->received_ += n;
        if (s->target_ != nullptr) {
            s->target_->append(data, n);
        }
        return true;
    }

    // Raw body bytes as they arrive; the decoder undoes the Content-Encoding. The raw
    // bytes count against the cap too, so that a stream past its end (ignored) cannot
    // go on for ever either. Returning less than n ends the transfer with an error.
    static size_t Write(char* data, size_t size, size_t count, void* user) {
        auto* s = static_cast<HttpSession*>(user);
        const size_t n = size * count;
        if (s->undecodable_) {
            return 0;
        }
        if (n > s->limits_.maxBodyBytes - s->rawReceived_) {
            s->overCap_ = true;
            return 0;
        }
        s->rawReceived_ += n;
        const bool ok =
            s->decoder_->Feed(data, n, [s](const char* d, size_t m) { return Keep(s, d, m); });
        if (!ok) {
            if (!s->overCap_) {
                s->undecodable_ = true;
            }
            return 0;
        }
        return n;
    }

    // A status line starts a new answer (the first one, or the one a redirect led
    // to): whatever an earlier answer of this request wrote is removed again, and the
    // new answer's body is decoded by its own Content-Encoding.
    static size_t Header(char* data, size_t size, size_t count, void* user) {
        auto* s = static_cast<HttpSession*>(user);
        const size_t n = size * count;
        if (n >= 5 && std::memcmp(data, "HTTP/", 5) == 0) {
            if (s->target_ != nullptr) {
                s->target_->resize(s->targetStart_);
            }
            s->decoder_->Reset();
            s->undecodable_ = false;
        } else if (n > 17 && strncasecmp(data, "Content-Encoding:", 17) == 0) {
            if (!s->decoder_->SetEncoding(std::string_view(data + 17, n - 17))) {
                s->undecodable_ = true;
            }
        }
        return n;
    }

    static int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        auto* s = static_cast<HttpSession*>(user);
        return s->aborted_ && s->aborted_() ? 1 : 0;
    }
};

std::string HostOfRoot(const std::string& serviceRoot) {
    std::string rest = serviceRoot;
    const auto scheme = rest.find("://");
    if (scheme != std::string::npos) {
        rest.erase(0, scheme + 3);
    }
    const auto slash = rest.find('/');
    if (slash != std::string::npos) {
        rest.erase(slash);
    }
    return rest;
}

long ParseProxyPort(const std::string& text) {
    const auto refuse = [&text](const char* why) {
        return HttpError(QueryError{QueryErrorKind::ProxyFailed,
                                    std::string(why) + ": '" + ShortForReason(text) + "'", 0});
    };
    const char* begin = text.c_str();
    const char* digits = begin;
    if (*digits == '+') {
        ++digits;
    }
    if (*digits < '0' || *digits > '9') {
        throw refuse("proxy port is not a whole number");
    }
    errno = 0;
    char* end = nullptr;
    const long port = std::strtol(begin, &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') {
        throw refuse("proxy port is not a whole number");
    }
    if (port < 1 || port > 65535) {
        throw refuse("proxy port out of range");
    }
    return port;
}

namespace {

// Sets one option; a refusal fails the request rather than leaving libcurl's default
// (which for the proxy would be the environment's proxy).
template <typename T>
void SetOption(CURL* c, CURLoption option, T value, const char* what,
               QueryErrorKind kind = QueryErrorKind::Failed) {
    const CURLcode rc = curl_easy_setopt(c, option, value);
    if (rc != CURLE_OK) {
        throw HttpError(QueryError{kind,
                                   std::string("the HTTP client refused the ") + what + " (" +
                                       curl_easy_strerror(rc) + ")",
                                   0});
    }
}

// How long the transfer loop waits for the sockets before it asks `aborted` again.
constexpr long kPollMs = 50;

}  // namespace

HttpSession::HttpSession(const std::string& hostHeader, const ProxySettings& proxy,
                         std::function<bool()> aborted, HttpLimits limits)
    : hostHeader_(hostHeader),
      aborted_(std::move(aborted)),
      limits_(limits),
      decoder_(std::make_unique<BodyDecoder>()) {
    const long proxyPort = proxy.useProxy ? ParseProxyPort(proxy.port) : 0;
    viaProxy_ = proxy.useProxy && !proxy.host.empty();
    proxyName_ = proxy.host + ":" + proxy.port;
    deadline_ = limits_.maxQueryTime.count() > 0
                    ? std::chrono::steady_clock::now() + limits_.maxQueryTime
                    : std::chrono::steady_clock::time_point::max();
    GlobalInit();
    curl_ = curl_easy_init();
    multi_ = curl_multi_init();
    if (curl_ == nullptr || multi_ == nullptr) {
        if (multi_ != nullptr) {
            curl_multi_cleanup(static_cast<CURLM*>(multi_));
        }
        if (curl_ != nullptr) {
            curl_easy_cleanup(Handle(curl_));
        }
        throw HttpError("cannot create an HTTP client");
    }
    try {
        CURL* c = Handle(curl_);
        SetOption(c, CURLOPT_NOSIGNAL, 1L, "no-signal setting");
        SetOption(c, CURLOPT_COOKIEFILE, "", "cookie store");  // this handle's own
        SetOption(c, CURLOPT_FOLLOWLOCATION, 1L, "redirect setting");
        SetOption(c, CURLOPT_MAXREDIRS, limits_.maxRedirects, "redirect limit");
        SetOption(c, CURLOPT_PROTOCOLS_STR, "http,https", "protocol list");
        SetOption(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https", "redirect protocol list");
        // Announce both encodings but decode here: libcurl takes a gzip stream cut short
        // for a whole (shorter) body, and such a page must be an error.
        SetOption(c, CURLOPT_ACCEPT_ENCODING, "gzip, deflate", "accepted encodings");
        SetOption(c, CURLOPT_HTTP_CONTENT_DECODING, 0L, "decoding setting");
        SetOption(c, CURLOPT_USERAGENT, kUserAgent, "user agent");
        SetOption(c, CURLOPT_CONNECTTIMEOUT, limits_.connectTimeoutSec, "connection time-out");
        SetOption(c, CURLOPT_LOW_SPEED_LIMIT, limits_.lowSpeedBytesPerSec, "low speed limit");
        SetOption(c, CURLOPT_LOW_SPEED_TIME, limits_.lowSpeedTimeSec, "low speed time");
        SetOption(c, CURLOPT_WRITEFUNCTION, &HttpCallbacks::Write, "body callback");
        SetOption(c, CURLOPT_WRITEDATA, this, "body callback data");
        SetOption(c, CURLOPT_HEADERFUNCTION, &HttpCallbacks::Header, "header callback");
        SetOption(c, CURLOPT_HEADERDATA, this, "header callback data");
        SetOption(c, CURLOPT_XFERINFOFUNCTION, &HttpCallbacks::Progress, "progress callback");
        SetOption(c, CURLOPT_XFERINFODATA, this, "progress callback data");
        SetOption(c, CURLOPT_NOPROGRESS, 0L, "progress setting");
#if LIBCURL_VERSION_NUM >= 0x075700
        // An abort during a slow name look-up must not wait for the resolver thread.
        SetOption(c, CURLOPT_QUICK_EXIT, 1L, "quick-exit setting");
#endif
        if (viaProxy_) {
            constexpr auto kProxy = QueryErrorKind::ProxyFailed;
            SetOption(c, CURLOPT_PROXY, proxy.host.c_str(), "proxy host", kProxy);
            SetOption(c, CURLOPT_PROXYPORT, proxyPort, "proxy port", kProxy);
            SetOption(c, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP), "proxy type",
                      kProxy);
            SetOption(c, CURLOPT_NOPROXY, "", "proxy exceptions", kProxy);
        } else {
            // No proxy at all, not even one named by the environment.
            SetOption(c, CURLOPT_PROXY, "", "direct connection");
            SetOption(c, CURLOPT_NOPROXY, "*", "direct connection");
        }
        ApplyHeaders();
    } catch (...) {
        curl_multi_cleanup(static_cast<CURLM*>(multi_));
        curl_easy_cleanup(Handle(curl_));
        curl_slist_free_all(static_cast<curl_slist*>(headers_));
        throw;  // the constructor's own HttpError, passed on unchanged
    }
}

HttpSession::~HttpSession() {
    curl_multi_cleanup(static_cast<CURLM*>(multi_));
    curl_easy_cleanup(Handle(curl_));
    curl_slist_free_all(static_cast<curl_slist*>(headers_));
}

void HttpSession::ApplyHeaders() {
    curl_slist* list = nullptr;
    const std::string host = "Host: " + hostHeader_;
    for (const char* line :
         {host.c_str(), "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
          "Accept-Language: ru,en-us;q=0.7,en;q=0.3",
          "Accept-Charset: windows-1251,utf-8;q=0.7,*;q=0.7", "Connection: keep-alive",
          "Expect:"}) {
        curl_slist* longer = curl_slist_append(list, line);
        if (longer == nullptr) {
            curl_slist_free_all(list);
            throw HttpError("out of memory for the request headers");
        }
        list = longer;
    }
    if (formContentType_) {
        curl_slist* longer =
            curl_slist_append(list, "Content-Type: application/x-www-form-urlencoded");
        if (longer == nullptr) {
            curl_slist_free_all(list);
            throw HttpError("out of memory for the request headers");
        }
        list = longer;
    }
    const CURLcode rc = curl_easy_setopt(Handle(curl_), CURLOPT_HTTPHEADER, list);
    if (rc != CURLE_OK) {
        curl_slist_free_all(list);
        throw HttpError(std::string("the HTTP client refused the request headers (") +
                        curl_easy_strerror(rc) + ")");
    }
    curl_slist_free_all(static_cast<curl_slist*>(headers_));
    headers_ = list;
}

void HttpSession::SetReferer(const std::string& referer) {
    SetOption(Handle(curl_), CURLOPT_REFERER, referer.empty() ? nullptr : referer.c_str(),
              "referer");
    referer_ = referer;
}

void HttpSession::UseFormContentType() {
    if (!formContentType_) {
        formContentType_ = true;
        ApplyHeaders();
    }
}

void HttpSession::Get(const std::string& url, std::string* out) {
    SetOption(Handle(curl_), CURLOPT_HTTPGET, 1L, "GET method");
    Perform(url, out);
}

void HttpSession::Post(const std::string& url, const std::string& body, std::string* out) {
    CURL* c = Handle(curl_);
    SetOption(c, CURLOPT_POST, 1L, "POST method");
    SetOption(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()), "body size");
    SetOption(c, CURLOPT_COPYPOSTFIELDS, body.c_str(), "request body");
    Perform(url, out);
}

TransferContext HttpSession::Context(const std::string& url) const {
    TransferContext context;
    context.host = HostOfRoot(url);
    context.viaProxy = viaProxy_;
    context.proxy = proxyName_;
    return context;
}

int HttpSession::Transfer(bool* abortedNow) {
    CURL* c = Handle(curl_);
    CURLM* m = static_cast<CURLM*>(multi_);
    CURLMcode mc = curl_multi_add_handle(m, c);
    if (mc != CURLM_OK) {
        throw HttpError(std::string("cannot start the request (") + curl_multi_strerror(mc) + ")");
    }
    CURLcode rc = CURLE_OK;
    *abortedNow = false;
    for (;;) {
        int running = 0;
        mc = curl_multi_perform(m, &running);
        if (mc != CURLM_OK || running == 0) {
            break;
        }
        if (aborted_ && aborted_()) {
            *abortedNow = true;
            break;
        }
        mc = curl_multi_poll(m, nullptr, 0, kPollMs, nullptr);
        if (mc != CURLM_OK) {
            break;
        }
    }
    if (mc == CURLM_OK && !*abortedNow) {
        int left = 0;
        while (CURLMsg* msg = curl_multi_info_read(m, &left)) {
            if (msg->msg == CURLMSG_DONE && msg->easy_handle == c) {
                rc = msg->data.result;
            }
        }
    }
    // Removing a transfer still running closes its connection: an abort ends at once.
    curl_multi_remove_handle(m, c);
    if (mc != CURLM_OK) {
        throw HttpError(std::string("the request failed (") + curl_multi_strerror(mc) + ")");
    }
    return rc;
}

void HttpSession::Perform(const std::string& url, std::string* out) {
    using std::chrono::milliseconds;
    if (aborted_ && aborted_()) {
        throw HttpError(AbortedError());
    }
    CURL* c = Handle(curl_);
    const auto started = std::chrono::steady_clock::now();
    if (started >= deadline_) {
        throw HttpError(QueryTimeError(limits_.maxQueryTime));
    }
    // One request at most requestTimeoutSec, and never past the query's own deadline.
    const milliseconds requestLimit(static_cast<long long>(limits_.requestTimeoutSec) * 1000);
    milliseconds limit = requestLimit;
    bool queryBound = false;
    if (deadline_ != std::chrono::steady_clock::time_point::max()) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline_ - started);
        if (left < limit) {
            limit = std::max(left, milliseconds(1));
            queryBound = true;
        }
    }
    SetOption(c, CURLOPT_TIMEOUT_MS, static_cast<long>(limit.count()), "request time-out");
    SetOption(c, CURLOPT_URL, url.c_str(), "address");
    target_ = out;
    targetStart_ = out != nullptr ? out->size() : 0;
    decoder_->Reset();
    undecodable_ = false;
    bool abortedNow = false;
    const auto rc = static_cast<CURLcode>(Transfer(&abortedNow));
    target_ = nullptr;
    if (overCap_) {
        throw HttpError(TooLargeError(limits_.maxBodyBytes));
    }
    if (abortedNow || rc == CURLE_ABORTED_BY_CALLBACK) {
        throw HttpError(AbortedError());
    }
    if (undecodable_ || (rc == CURLE_OK && !decoder_->Complete())) {
        const std::string why =
            decoder_->error().empty() ? "the compressed body ends early" : decoder_->error();
        throw HttpError(
            QueryError{QueryErrorKind::Undecodable, "cannot decode the answer (" + why + ")", 0});
    }
    TransferContext context = Context(url);
    if (rc != CURLE_OK) {
        if (rc == CURLE_OPERATION_TIMEDOUT) {
            // A request on a kept-alive connection has no connect time of its own;
            // whether the request was ready to go tells the two stalls apart.
            curl_off_t readyUs = 0;
            curl_easy_getinfo(c, CURLINFO_PRETRANSFER_TIME_T, &readyUs);
            const auto elapsed = std::chrono::steady_clock::now() - started;
            if (queryBound &&
                std::chrono::steady_clock::now() + milliseconds(kPollMs) >= deadline_) {
                throw HttpError(QueryTimeError(limits_.maxQueryTime));
            }
            if (elapsed >= requestLimit) {
                context.timeoutText = "no complete answer within " + DurationText(requestLimit);
            } else if (readyUs == 0) {
                context.timeoutText = "no connection within " +
                                      DurationText(milliseconds(limits_.connectTimeoutSec * 1000));
            } else {
                context.timeoutText = "no answer within " +
                                      DurationText(milliseconds(limits_.lowSpeedTimeSec * 1000));
            }
        }
        throw HttpError(ErrorOfCurlCode(rc, context));
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) {
        throw HttpError(ErrorOfHttpStatus(status, context));
    }
}

}  // namespace lookup
