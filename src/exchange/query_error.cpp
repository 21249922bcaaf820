#include "exchange/query_error.h"

#include <curl/curl.h>
#include <strings.h>

namespace lookup {

std::string DurationText(std::chrono::milliseconds d) {
    const long long ms = d.count();
    if (ms % 1000 != 0) {
        return std::to_string(ms) + " ms";
    }
    const long long s = ms / 1000;
    if (s >= 60 && s % 60 == 0) {
        return std::to_string(s / 60) + " min";
    }
    return std::to_string(s) + " s";
}

namespace {

// "32 MiB", "1000 bytes": a size as the reasons write it.
std::string SizeText(std::size_t bytes) {
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    if (bytes >= kMiB && bytes % kMiB == 0) {
        return std::to_string(bytes / kMiB) + " MiB";
    }
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

}  // namespace

std::string ShortForReason(const std::string& text) {
    constexpr std::size_t kMax = 64;
    if (text.size() <= kMax) {
        return text;
    }
    std::size_t cut = kMax;
    // Back up over UTF-8 continuation bytes so that no character is split.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return text.substr(0, cut) + "...";
}

bool CouldNotReach(const QueryError& error, const std::string& hostPort) {
    return !error.unreached.empty() && error.unreached.size() == hostPort.size() &&
           strncasecmp(error.unreached.c_str(), hostPort.c_str(), hostPort.size()) == 0;
}

namespace {

QueryError Make(QueryErrorKind kind, std::string reason) {
    return QueryError{kind, std::move(reason), 0, {}};
}

QueryError Unreached(QueryErrorKind kind, std::string reason, const TransferContext& c) {
    QueryError e = Make(kind, std::move(reason));
    e.unreached = c.host;
    return e;
}

std::string ProxyName(const TransferContext& c) {
    return ShortForReason(c.proxy);
}

}  // namespace

QueryError ErrorOfCurlCode(int curlCode, const TransferContext& c) {
    const std::string host = ShortForReason(c.host);
    switch (static_cast<CURLcode>(curlCode)) {
        case CURLE_OPERATION_TIMEDOUT:
            return Make(QueryErrorKind::TimedOut,
                        c.timeoutText.empty() ? "no answer in time" : c.timeoutText);
        case CURLE_COULDNT_RESOLVE_HOST:
            // Through an HTTP proxy the proxy resolves the host and answers with a status;
            // this code means the program itself could not find it.
            return Unreached(QueryErrorKind::CannotConnect, "cannot find the host " + host, c);
        case CURLE_COULDNT_CONNECT:
            if (c.viaProxy) {
                return Make(QueryErrorKind::ProxyFailed,
                            "cannot connect to the proxy " + ProxyName(c));
            }
            return Unreached(QueryErrorKind::CannotConnect, "cannot connect to " + host, c);
        case CURLE_COULDNT_RESOLVE_PROXY:
            return Make(QueryErrorKind::ProxyFailed, "cannot find the proxy host " + ProxyName(c));
        case CURLE_PROXY:
            return Make(QueryErrorKind::ProxyFailed, "the proxy " + ProxyName(c) + " failed");
        case CURLE_BAD_CONTENT_ENCODING:
            return Make(QueryErrorKind::Undecodable, "cannot decode the answer");
        case CURLE_ABORTED_BY_CALLBACK:
            return AbortedError();
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
            return Make(QueryErrorKind::ConnectionBroken, "the connection broke");
        case CURLE_GOT_NOTHING:
            return Make(QueryErrorKind::ConnectionBroken,
                        "the connection closed without an answer");
        case CURLE_PARTIAL_FILE:
            return Make(QueryErrorKind::ConnectionBroken, "the answer ended early");
        case CURLE_TOO_MANY_REDIRECTS:
            return Make(QueryErrorKind::Failed, "too many redirects");
        case CURLE_WEIRD_SERVER_REPLY:
            return Make(QueryErrorKind::Failed, "unreadable answer from " + host);
        case CURLE_OUT_OF_MEMORY:
            return Make(QueryErrorKind::Failed, "out of memory");
        default:
            return Make(QueryErrorKind::Failed,
                        curl_easy_strerror(static_cast<CURLcode>(curlCode)));
    }
}

QueryError ErrorOfHttpStatus(long status, const TransferContext& c) {
    if (status == 407 && c.viaProxy) {
        QueryError e =
            Make(QueryErrorKind::ProxyFailed, "the proxy " + ProxyName(c) + " asks for a password");
        e.httpStatus = status;
        return e;
    }
    const std::string code = "HTTP " + std::to_string(status);
    QueryError e;
    if (!c.viaProxy) {
        e = Make(QueryErrorKind::HttpStatus, code);
    } else if (status == 502 || status == 503 || status == 504) {
        // A proxy answers these when it gets no answer from the host; so may the
        // register's own front server.
        e = Unreached(QueryErrorKind::HttpStatus, "the proxy or the register answered " + code, c);
    } else {
        e = Make(QueryErrorKind::HttpStatus, "the register answered " + code);
    }
    e.httpStatus = status;
    return e;
}

QueryError AbortedError() {
    return Make(QueryErrorKind::Aborted, "aborted");
}

QueryError TooLargeError(std::size_t capBytes) {
    return Make(QueryErrorKind::TooLarge, "answer larger than " + SizeText(capBytes));
}

QueryError TooManyResultPagesError() {
    return Make(QueryErrorKind::TooManyResultPages, "too many result pages");
}

QueryError UnrecognisedAnswerError() {
    return Make(QueryErrorKind::Unrecognised, "the register's answer was not recognised");
}

QueryError TooManyRowsError(int maxRows) {
    return Make(QueryErrorKind::TooManyRows,
                "too many rows (a result page may hold " + std::to_string(maxRows) + ")");
}

QueryError QueryTimeError(std::chrono::milliseconds limit) {
    return Make(QueryErrorKind::TimedOut, "the query took longer than " + DurationText(limit));
}

}  // namespace lookup
