#include "worker/http_session.h"

#include "worker/body_decoder.h"

#include <curl/curl.h>

#include <strings.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace worker {

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
    const char* begin = text.c_str();
    const char* digits = begin;
    if (*digits == '+') {
        ++digits;
    }
    if (*digits < '0' || *digits > '9') {
        throw HttpError("proxy port is not a whole number: '" + text + "'");
    }
    errno = 0;
    char* end = nullptr;
    const long port = std::strtol(begin, &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') {
        throw HttpError("proxy port is not a whole number: '" + text + "'");
    }
    if (port < 1 || port > 65535) {
        throw HttpError("proxy port out of range: '" + text + "'");
    }
    return port;
}

HttpSession::HttpSession(const std::string& hostHeader, const ProxySettings& proxy,
                         std::function<bool()> aborted, HttpLimits limits)
    : hostHeader_(hostHeader),
      aborted_(std::move(aborted)),
      limits_(limits),
      decoder_(std::make_unique<BodyDecoder>()) {
    const long proxyPort = proxy.useProxy ? ParseProxyPort(proxy.port) : 0;
    GlobalInit();
    curl_ = curl_easy_init();
    if (curl_ == nullptr) {
        throw HttpError("cannot create an HTTP client");
    }
    CURL* c = Handle(curl_);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");  // this handle's own cookie store
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, limits_.maxRedirects);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // Announce both encodings but decode here: libcurl takes a gzip stream cut short
    // for a whole (shorter) body, and such a page must be an error.
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    curl_easy_setopt(c, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, limits_.connectTimeoutSec);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, limits_.lowSpeedBytesPerSec);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, limits_.lowSpeedTimeSec);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, limits_.requestTimeoutSec);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &HttpCallbacks::Write);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &HttpCallbacks::Header);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &HttpCallbacks::Progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    if (proxy.useProxy && !proxy.host.empty()) {
        curl_easy_setopt(c, CURLOPT_PROXY, proxy.host.c_str());
        curl_easy_setopt(c, CURLOPT_PROXYPORT, proxyPort);
        curl_easy_setopt(c, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
        curl_easy_setopt(c, CURLOPT_NOPROXY, "");
    } else {
        // No proxy at all, not even one named by the environment.
        curl_easy_setopt(c, CURLOPT_PROXY, "");
        curl_easy_setopt(c, CURLOPT_NOPROXY, "*");
    }
    ApplyHeaders();
}

HttpSession::~HttpSession() {
    if (curl_ != nullptr) {
        curl_easy_cleanup(Handle(curl_));
    }
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
        list = curl_slist_append(list, line);
    }
    if (formContentType_) {
        list = curl_slist_append(list, "Content-Type: application/x-www-form-urlencoded");
    }
    if (list == nullptr) {
        throw HttpError("out of memory for the request headers");
    }
    curl_easy_setopt(Handle(curl_), CURLOPT_HTTPHEADER, list);
    curl_slist_free_all(static_cast<curl_slist*>(headers_));
    headers_ = list;
}

void HttpSession::SetReferer(const std::string& referer) {
    referer_ = referer;
    curl_easy_setopt(Handle(curl_), CURLOPT_REFERER, referer_.empty() ? nullptr : referer_.c_str());
}

void HttpSession::UseFormContentType() {
    if (!formContentType_) {
        formContentType_ = true;
        ApplyHeaders();
    }
}

void HttpSession::Get(const std::string& url, std::string* out) {
    CURL* c = Handle(curl_);
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    Perform(url, out);
}

void HttpSession::Post(const std::string& url, const std::string& body, std::string* out) {
    CURL* c = Handle(curl_);
    curl_easy_setopt(c, CURLOPT_POST, 1L);
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(c, CURLOPT_COPYPOSTFIELDS, body.c_str());
    Perform(url, out);
}

void HttpSession::Perform(const std::string& url, std::string* out) {
    if (aborted_ && aborted_()) {
        throw HttpError("aborted");
    }
    CURL* c = Handle(curl_);
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    target_ = out;
    targetStart_ = out != nullptr ? out->size() : 0;
    decoder_->Reset();
    undecodable_ = false;
    const CURLcode rc = curl_easy_perform(c);
    target_ = nullptr;
    if (overCap_) {
        throw HttpError("the answers exceed the size limit");
    }
    if (undecodable_ || (rc == CURLE_OK && !decoder_->Complete())) {
        const std::string why =
            decoder_->error().empty() ? "the compressed body ends early" : decoder_->error();
        throw HttpError("cannot decode the answer (" + why + "): " + url);
    }
    if (rc != CURLE_OK) {
        throw HttpError(std::string(curl_easy_strerror(rc)) + ": " + url);
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) {
        throw HttpError("HTTP status " + std::to_string(status) + ": " + url);
    }
}

}  // namespace worker
