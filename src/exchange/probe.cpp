#include "exchange/probe.h"

#include <curl/curl.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "config/default_addresses.h"
#include "exchange/http_session.h"
#include "platform/result.h"

namespace lookup {

namespace {

// The body is not needed: the probe only asks whether a request could be made.
size_t DropBody(char*, size_t size, size_t count, void*) {
    return size * count;
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MultiDeleter {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct ListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

QueryError Refused(const char* what, CURLcode rc, QueryErrorKind kind) {
    return QueryError{
        kind,
        std::string("the HTTP client refused the ") + what + " (" + curl_easy_strerror(rc) + ")",
        0,
        {}};
}

ProbeResult Fail(QueryError error) {
    ProbeResult result;
    result.error = std::move(error);
    return result;
}

ProbeResult Fail(QueryErrorKind kind, std::string reason) {
    return Fail(QueryError{kind, std::move(reason), 0, {}});
}

// One request of the check.
struct Request {
    std::string url;
    std::chrono::milliseconds limit;
    // The register's start page, asked as the queries ask; otherwise the check's own
    // fixed address.
    bool service = false;
};

// Why the chosen proxy failed the request, if it did: it could not be found or reached,
// it did not answer in time, it closed the connection without an answer, or it wants a
// password. For the check's own fixed address a gateway status counts too: the proxy
// could not reach that site (the site itself answering such a status is taken for the
// same, as either way no search can go through). For the service such a status may be
// the proxy's or the register's, and a time-out once connected to the proxy may be the
// register's silence: both are left to the caller.
std::optional<std::string> ProxyFault(CURL* c, CURLcode rc, long status,
                                      const TransferContext& context, bool service) {
    switch (rc) {
        case CURLE_COULDNT_RESOLVE_PROXY:
            return std::string("the host name is not known");
        case CURLE_COULDNT_CONNECT: {
            long osErrno = 0;
            curl_easy_getinfo(c, CURLINFO_OS_ERRNO, &osErrno);
            if (osErrno == ECONNREFUSED) {
                return std::string("connection refused");
            }
            if (osErrno != 0) {
                std::string text = std::strerror(static_cast<int>(osErrno));
                if (!text.empty()) {
                    text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
                }
                return text;
            }
            return std::string("cannot connect");
        }
        case CURLE_PROXY:
            return std::string("the proxy refused the request");
        case CURLE_OPERATION_TIMEDOUT: {
            curl_off_t connectedUs = 0;
            curl_easy_getinfo(c, CURLINFO_CONNECT_TIME_T, &connectedUs);
            if (status == 0 && (!service || connectedUs == 0)) {
                return context.timeoutText;
            }
            break;
        }
        case CURLE_GOT_NOTHING:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
            if (status == 0) {
                return std::string("the proxy closed the connection without an answer");
            }
            break;
        default:
            break;
    }
    if (status == 407) {
        return std::string("the proxy asks for a password");
    }
    // Proxies answer these when they cannot get an answer from the site (tinyproxy
    // says 500, others 502 to 504).
    if (!service && (status == 500 || status == 502 || status == 503 || status == 504)) {
        return "the proxy answered HTTP " + std::to_string(status) +
               " (it could not reach the site)";
    }
    return std::nullopt;
}

// One step of setting up a request: done, or why the request cannot be made.
using Step = platform::Result<void, QueryError>;

// The libcurl handles of one request of the check, freed in the right order.
struct Transfer {
    std::unique_ptr<CURL, CurlDeleter> easy;
    std::unique_ptr<CURLM, MultiDeleter> multi;
    std::unique_ptr<curl_slist, ListDeleter> headers;
};

// One libcurl setting and what to say when it is refused.
struct Option {
    CURLcode rc;
    const char* what;
    QueryErrorKind kind;
};

// The error of the first refused setting of options, if any.
Step FirstRefused(std::initializer_list<Option> options) {
    for (const Option& opt : options) {
        if (opt.rc != CURLE_OK) {
            return platform::Failure(Refused(opt.what, opt.rc, opt.kind));
        }
    }
    return {};
}

// The handles and the check's own headers, which ask every cache on the way for a
// fresh answer.
Step MakeTransfer(Transfer& t) {
    t.easy.reset(curl_easy_init());
    t.multi.reset(curl_multi_init());
    if (!t.easy || !t.multi) {
        return platform::Failure(
            QueryError{QueryErrorKind::Failed, "cannot create an HTTP client", 0, {}});
    }
    t.headers.reset(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    curl_slist* more = t.headers ? curl_slist_append(t.headers.get(), "Pragma: no-cache") : nullptr;
    if (more == nullptr) {
        return platform::Failure(
            QueryError{QueryErrorKind::Failed, "out of memory for the request headers", 0, {}});
    }
    return {};
}

// The address, the headers, the time limit and no redirects: the first answer counts.
Step SetRequest(CURL* c, const Request& r, curl_slist* headers) {
    const long ms = r.limit.count() > 0 ? static_cast<long>(r.limit.count()) : 1L;
    constexpr auto kFailed = QueryErrorKind::Failed;
    Step set = FirstRefused({
        {curl_easy_setopt(c, CURLOPT_URL, r.url.c_str()), "address", kFailed},
        {curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L), "no-signal setting", kFailed},
        {curl_easy_setopt(c, CURLOPT_USERAGENT, QueryUserAgent()), "user agent", kFailed},
        {curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers), "request headers", kFailed},
        {curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L), "redirect setting", kFailed},
        {curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &DropBody), "body callback", kFailed},
        {curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, ms), "connection time-out", kFailed},
        {curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, ms), "time-out", kFailed},
    });
#if LIBCURL_VERSION_NUM >= 0x075700
    if (set) {
        // An abort during a slow name look-up must not wait for the resolver thread.
        set = FirstRefused(
            {{curl_easy_setopt(c, CURLOPT_QUICK_EXIT, 1L), "quick-exit setting", kFailed}});
    }
#endif
    return set;
}

// The route of the request: exactly the chosen proxy; without one, the service
// straight (whatever the environment names) and the fixed address through the
// environment's http_proxy and no_proxy, which libcurl reads itself.
Step SetRoute(CURL* c, const ProbeOptions& o, const Request& r) {
    if (o.proxy.useProxy) {
        const platform::Result<long, QueryError> port = ParseProxyPort(o.proxy.port);
        if (!port) {
            return platform::Failure(port.error());
        }
        constexpr auto kProxy = QueryErrorKind::ProxyFailed;
        // No no_proxy from the environment may bypass the chosen proxy.
        return FirstRefused({
            {curl_easy_setopt(c, CURLOPT_PROXY, o.proxy.host.c_str()), "proxy host", kProxy},
            {curl_easy_setopt(c, CURLOPT_PROXYPORT, *port), "proxy port", kProxy},
            {curl_easy_setopt(c, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP)),
             "proxy type", kProxy},
            {curl_easy_setopt(c, CURLOPT_NOPROXY, ""), "proxy exceptions", kProxy},
        });
    }
    if (r.service) {
        constexpr auto kFailed = QueryErrorKind::Failed;
        return FirstRefused({
            {curl_easy_setopt(c, CURLOPT_PROXY, ""), "direct connection", kFailed},
            {curl_easy_setopt(c, CURLOPT_NOPROXY, "*"), "direct connection", kFailed},
        });
    }
    return {};
}

// What the finished transfer tells: reachable when an answer came, otherwise why not.
ProbeResult Judge(CURL* c, CURLcode rc, const TransferContext& context, bool service) {
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (context.viaProxy) {
        if (const std::optional<std::string> why = ProxyFault(c, rc, status, context, service)) {
            return Fail(QueryErrorKind::ProxyFailed,
                        "Cannot reach the proxy " + ShortForReason(context.proxy) + ": " + *why);
        }
        // A proxy that cannot reach the service answers one of these itself (tinyproxy
        // says 500): the service's answer is not known, and the fixed address tells
        // whether the proxy reaches anything.
        if (service && (status == 500 || status == 502 || status == 503 || status == 504)) {
            QueryError error{QueryErrorKind::HttpStatus,
                             "the proxy or the register answered HTTP " + std::to_string(status),
                             status, context.host};
            return Fail(std::move(error));
        }
    }
    // Any answer counts, whatever its status; so does one cut short after it began.
    if (rc == CURLE_OK || status > 0) {
        ProbeResult result;
        result.reachable = true;
        return result;
    }
    QueryError error = ErrorOfCurlCode(rc, context);
    if (rc == CURLE_OPERATION_TIMEDOUT && !context.viaProxy) {
        curl_off_t connectedUs = 0;
        curl_easy_getinfo(c, CURLINFO_CONNECT_TIME_T, &connectedUs);
        if (connectedUs == 0) {
            error.unreached = context.host;
        }
    }
    return Fail(std::move(error));
}

// Sets up and runs one request of the check; reachable when an answer came.
ProbeResult Run(const ProbeOptions& o, const Request& r) {
    Transfer t;
    Step ready = MakeTransfer(t);
    if (ready) {
        ready = SetRequest(t.easy.get(), r, t.headers.get());
    }
    if (ready) {
        ready = SetRoute(t.easy.get(), o, r);
    }
    if (!ready) {
        return Fail(ready.error());
    }
    TransferContext context;
    context.host = config::HostOfRoot(r.url);
    context.viaProxy = o.proxy.useProxy && !o.proxy.host.empty();
    context.proxy = o.proxy.host + ":" + o.proxy.port;
    context.timeoutText = "no answer within " + DurationText(r.limit);
    TransferEnd end;
    try {
        end = RunTransfer(t.multi.get(), t.easy.get(), o.aborted);
    } catch (const HttpError& e) {
        return Fail(e.error());
    }
    const auto rc = static_cast<CURLcode>(end.curlCode);
    if (end.aborted || rc == CURLE_ABORTED_BY_CALLBACK) {
        return Fail(AbortedError());
    }
    return Judge(t.easy.get(), rc, context, r.service);
}

}  // namespace

ProbeResult Probe(const ProbeOptions& options) {
    InitCurlOnce();
    if (options.serviceRoot.empty()) {
        return Run(options, {options.url, options.limit, false});
    }
    ProbeResult service = Run(options, {options.serviceRoot + "/", options.serviceLimit, true});
    service.serviceHost = config::HostOfRoot(options.serviceRoot);
    const QueryErrorKind kind = service.error.kind;
    if (service.reachable || kind == QueryErrorKind::Aborted ||
        kind == QueryErrorKind::ProxyFailed) {
        return service;
    }
    // The service is silent: the fixed address tells whether anything answers at all.
    ProbeResult fixed = Run(options, {options.url, options.limit, false});
    if (fixed.reachable) {
        service.serviceSilent = true;
        return service;
    }
    fixed.serviceHost = service.serviceHost;
    return fixed;
}

std::string ServiceSilentText(const ProbeResult& result) {
    return "the register service at " + ShortForReason(result.serviceHost) +
           " does not answer: " + result.error.reason;
}

}  // namespace lookup
