#include "exchange/http_session.h"

#include "config/default_addresses.h"
#include "exchange/body_decoder.h"
#include "exchange/http_answer.h"

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

}  // namespace

platform::Result<long, QueryError> ParseProxyPort(const std::string& text) {
    const auto refuse = [&text](const char* why) {
        return platform::Failure(QueryError{QueryErrorKind::ProxyFailed,
                                            std::string(why) + ": '" + ShortForReason(text) + "'",
                                            0,
                                            {}});
    };
    const char* begin = text.c_str();
    const char* digits = begin;
    if (*digits == '+') {
        ++digits;
    }
    if (*digits < '0' || *digits > '9') {
        return refuse("proxy port is not a whole number");
    }
    errno = 0;
    char* end = nullptr;
    const long port = std::strtol(begin, &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') {
        return refuse("proxy port is not a whole number");
    }
    if (port < 1 || port > 65535) {
        return refuse("proxy port out of range");
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
                                   0,
                                   {}});
    }
}

}  // namespace

HttpSession::HttpSession(const std::string& serviceHost, const config::ProxySettings& proxy,
                         std::function<bool()> aborted, HttpLimits limits)
    : serviceHost_(serviceHost),
      aborted_(std::move(aborted)),
      limits_(limits),
      decoder_(std::make_unique<BodyDecoder>()) {
    if (proxy.useProxy) {
        const platform::Result<long, QueryError> port = ParseProxyPort(proxy.port);
        if (!port) {
            throw HttpError(port.error());
        }
        proxyPort_ = *port;
    }
    proxyHost_ = proxy.host;
    viaProxy_ = proxy.useProxy && !proxy.host.empty();
    proxyName_ = proxy.host + ":" + proxy.port;
    deadline_ = limits_.maxQueryTime.count() > 0
                    ? std::chrono::steady_clock::now() + limits_.maxQueryTime
                    : std::chrono::steady_clock::time_point::max();
    InitCurlOnce();
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
        Configure(curl_, true);
        ApplyHeaders(true, curl_);
    } catch (...) {
        curl_multi_cleanup(static_cast<CURLM*>(multi_));
        curl_easy_cleanup(Handle(curl_));
        curl_slist_free_all(static_cast<curl_slist*>(headers_));
        throw;  // the constructor's own HttpError, passed on unchanged
    }
}

// Everything but the address, method and headers of a request. Only the service's own
// handle keeps cookies.
void HttpSession::Configure(void* handle, bool withCookies) {
    CURL* c = Handle(handle);
    SetOption(c, CURLOPT_NOSIGNAL, 1L, "no-signal setting");
    if (withCookies) {
        SetOption(c, CURLOPT_COOKIEFILE, "", "cookie store");  // this handle's own
    }
    // Redirects are followed by Perform, which decides what each hop may carry.
    SetOption(c, CURLOPT_FOLLOWLOCATION, 0L, "redirect setting");
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
        SetOption(c, CURLOPT_PROXY, proxyHost_.c_str(), "proxy host", kProxy);
        SetOption(c, CURLOPT_PROXYPORT, proxyPort_, "proxy port", kProxy);
        SetOption(c, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP), "proxy type", kProxy);
        SetOption(c, CURLOPT_NOPROXY, "", "proxy exceptions", kProxy);
    } else {
        // No proxy at all, not even one named by the environment.
        SetOption(c, CURLOPT_PROXY, "", "direct connection");
        SetOption(c, CURLOPT_NOPROXY, "*", "direct connection");
    }
}

// The handle for hops to another host or port than the service's, made on first use:
// it has no cookie engine, so that no cookie of the service (libcurl scopes cookies by
// host, not by port) and none of another site's ever goes out with it.
void* HttpSession::ForeignHandle() {
    if (foreign_ != nullptr) {
        return foreign_;
    }
    void* handle = curl_easy_init();
    if (handle == nullptr) {
        throw HttpError("cannot create an HTTP client");
    }
    try {
        Configure(handle, false);
    } catch (...) {
        curl_easy_cleanup(Handle(handle));
        throw;
    }
    foreign_ = handle;
    return foreign_;
}

HttpSession::~HttpSession() {
    curl_multi_cleanup(static_cast<CURLM*>(multi_));
    curl_easy_cleanup(Handle(curl_));
    if (foreign_ != nullptr) {
        curl_easy_cleanup(Handle(foreign_));
    }
    curl_slist_free_all(static_cast<curl_slist*>(headers_));
    curl_slist_free_all(static_cast<curl_slist*>(foreignHeaders_));
}

const char* QueryUserAgent() {
    return kUserAgent;
}

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The register's request headers on handle; the form's content type only for a request
// to the service. libcurl writes the Host header from each request's own address.
void HttpSession::ApplyHeaders(bool forService, void* handle) {
    curl_slist* list = nullptr;
    const auto append = [&list](const char* line) {
        curl_slist* longer = curl_slist_append(list, line);
        if (longer == nullptr) {
            curl_slist_free_all(list);
            throw HttpError("out of memory for the request headers");
        }
        list = longer;
    };
    for (const char* line :
         {"Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
          "Accept-Language: ru,en-us;q=0.7,en;q=0.3",
          "Accept-Charset: windows-1251,utf-8;q=0.7,*;q=0.7", "Connection: keep-alive",
          "Expect:"}) {
        append(line);
    }
    if (forService && formContentType_) {
        append("Content-Type: application/x-www-form-urlencoded");
    }
    const CURLcode rc = curl_easy_setopt(Handle(handle), CURLOPT_HTTPHEADER, list);
    if (rc != CURLE_OK) {
        curl_slist_free_all(list);
        throw HttpError(std::string("the HTTP client refused the request headers (") +
                        curl_easy_strerror(rc) + ")");
    }
    // Each handle keeps its own list, so that neither points at a freed one.
    void*& kept = handle == curl_ ? headers_ : foreignHeaders_;
    curl_slist_free_all(static_cast<curl_slist*>(kept));
    kept = list;
}

void HttpSession::SetReferer(const std::string& referer) {
    referer_ = referer;
}

void HttpSession::UseFormContentType() {
    formContentType_ = true;
}

void HttpSession::Get(const std::string& url, std::string* out) {
    Target target;
    target.text = out;
    Perform(url, false, target);
}

void HttpSession::Get(const std::string& url, const BodySink& sink) {
    Target target;
    target.sink = &sink;
    Perform(url, false, target);
}

void HttpSession::Post(const std::string& url, const std::string& body, std::string* out) {
    postBody_ = body;
    Target target;
    target.text = out;
    Perform(url, true, target);
}

TransferContext HttpSession::Context(const std::string& url) const {
    TransferContext context;
    context.host = config::HostOfRoot(url);
    context.viaProxy = viaProxy_;
    context.proxy = proxyName_;
    return context;
}

TransferEnd RunTransfer(void* multi, void* easy, const std::function<bool()>& aborted) {
    CURL* c = Handle(easy);
    CURLM* m = static_cast<CURLM*>(multi);
    CURLMcode mc = curl_multi_add_handle(m, c);
    if (mc != CURLM_OK) {
        throw HttpError(std::string("cannot start the request (") + curl_multi_strerror(mc) + ")");
    }
    TransferEnd end;
    for (;;) {
        int running = 0;
        mc = curl_multi_perform(m, &running);
        if (mc != CURLM_OK || running == 0) {
            break;
        }
        if (aborted && aborted()) {
            end.aborted = true;
            break;
        }
        mc = curl_multi_poll(m, nullptr, 0, kPollMs, nullptr);
        if (mc != CURLM_OK) {
            break;
        }
    }
    if (mc == CURLM_OK && !end.aborted) {
        int left = 0;
        while (CURLMsg* msg = curl_multi_info_read(m, &left)) {
            if (msg->msg == CURLMSG_DONE && msg->easy_handle == c) {
                end.curlCode = msg->data.result;
            }
        }
    }
    // Removing a transfer still running closes its connection: an abort ends at once.
    curl_multi_remove_handle(m, c);
    if (mc != CURLM_OK) {
        throw HttpError(std::string("the request failed (") + curl_multi_strerror(mc) + ")");
    }
    return end;
}

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return text;
}

// "host:port" of an absolute address in lower case, the port written out (80 for http,
// 443 for https when the address gives none), so that "host", "HOST:80" and
// "http://host/" name one place and "https://host/" another.
std::string Origin(const std::string& url) {
    const auto schemeEnd = url.find("://");
    const std::string scheme =
        schemeEnd == std::string::npos ? "http" : Lower(url.substr(0, schemeEnd));
    std::string authority = url.substr(schemeEnd == std::string::npos ? 0 : schemeEnd + 3);
    authority.erase(std::min(authority.find_first_of("/?#"), authority.size()));
    const auto at = authority.rfind('@');
    if (at != std::string::npos) {
        authority.erase(0, at + 1);
    }
    authority = Lower(authority);
    const auto colon = authority.rfind(':');
    const auto bracket = authority.rfind(']');
    const bool hasPort =
        colon != std::string::npos && (bracket == std::string::npos || colon > bracket);
    if (hasPort && colon + 1 < authority.size()) {
        return authority;
    }
    if (hasPort) {
        authority.pop_back();  // "host:" has no port
    }
    return authority + (scheme == "https" ? ":443" : ":80");
}

}  // namespace

bool AddressesService(const std::string& url, const std::string& serviceHost) {
    return Origin(url) == Origin("http://" + serviceHost);
}

// Follows redirects itself: a hop that stays on the service's host and port carries
// the register's Referer and form headers (and a 307/308 its form body); a hop that
// leaves it is a plain GET without either. Cookies go only to the service's own host
// and port: a hop anywhere else goes out on a handle without cookies.
void HttpSession::Perform(const std::string& url, bool post, Target target) {
    using std::chrono::milliseconds;
    if (aborted_ && aborted_()) {
        throw HttpError(AbortedError());
    }
    const auto started = std::chrono::steady_clock::now();
    if (started >= deadline_) {
        throw HttpError(QueryTimeError(limits_.maxQueryTime));
    }
    // One request with its redirects at most requestTimeoutSec, and never past the
    // query's own deadline.
    Hop hop;
    hop.url = url;
    hop.post = post;
    hop.toService = AddressesService(url, serviceHost_);
    hop.until = started + milliseconds(static_cast<long long>(limits_.requestTimeoutSec) * 1000);
    if (deadline_ < hop.until) {
        hop.until = deadline_;
        hop.queryBound = true;
    }
    for (long redirects = 0;; ++redirects) {
        std::string next = PerformHop(hop, target);
        if (next.empty()) {
            return;
        }
        if (redirects >= limits_.maxRedirects) {
            throw HttpError("too many redirects");
        }
        if (aborted_ && aborted_()) {
            throw HttpError(AbortedError());
        }
        // 301, 302 and 303 turn a POST into a GET, as browsers do; leaving the service
        // always does.
        const bool keepsMethod = status_ == 307 || status_ == 308;
        hop.toService = hop.toService && AddressesService(next, serviceHost_);
        hop.post = hop.post && keepsMethod && hop.toService;
        hop.url = std::move(next);
    }
}

std::string HttpSession::PerformHop(const Hop& hop, Target target) {
    void* handle = PrepareHop(hop);
    target_ = target;
    targetStart_ = target.text != nullptr ? target.text->size() : 0;
    sinkError_ = nullptr;
    sinkStopped_ = false;
    headerFault_.clear();
    StartAnswer(0);
    const TransferEnd end = RunTransfer(multi_, handle, aborted_);
    const int rc = end.curlCode;
    target_ = Target{};
    if (sinkError_) {
        std::rethrow_exception(sinkError_);
    }
    if (sinkStopped_) {
        return {};
    }
    CheckCallbacks(end);
    if (rc != CURLE_OK) {
        throw HttpError(TransferError(hop, handle, rc));
    }
    return FinishAnswer(hop, handle);
}

void* HttpSession::PrepareHop(const Hop& hop) {
    using std::chrono::milliseconds;
    void* handle = AddressesService(hop.url, serviceHost_) ? curl_ : ForeignHandle();
    CURL* c = Handle(handle);
    const auto now = std::chrono::steady_clock::now();
    const auto left =
        std::max(std::chrono::duration_cast<milliseconds>(hop.until - now), milliseconds(1));
    SetOption(c, CURLOPT_TIMEOUT_MS, static_cast<long>(left.count()), "request time-out");
    SetOption(c, CURLOPT_URL, hop.url.c_str(), "address");
    if (hop.post) {
        SetOption(c, CURLOPT_POST, 1L, "POST method");
        SetOption(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(postBody_.size()),
                  "body size");
        SetOption(c, CURLOPT_COPYPOSTFIELDS, postBody_.c_str(), "request body");
    } else {
        SetOption(c, CURLOPT_HTTPGET, 1L, "GET method");
    }
    const bool withReferer = hop.toService && !referer_.empty();
    SetOption(c, CURLOPT_REFERER, withReferer ? referer_.c_str() : nullptr, "referer");
    ApplyHeaders(hop.toService, handle);
    return handle;
}

}  // namespace lookup
