#include "exchange/http_answer.h"

#include "exchange/body_decoder.h"
#include "exchange/http_session.h"

#include <strings.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace lookup {

// Decoded bytes of the current answer: counted against the cap, then kept or
// handed on. Only a 2xx answer's body is wanted; others are counted and dropped.
bool HttpCallbacks::Keep(HttpSession* s, const char* data, size_t n) {
    if (n > s->limits_.maxBodyBytes - s->received_) {
        s->overCap_ = true;
        return false;
    }
    s->received_ += n;
    if (s->status_ < 200 || s->status_ > 299) {
        return true;
    }
    if (s->target_.text != nullptr) {
        s->target_.text->append(data, n);
    } else if (s->target_.sink != nullptr) {
        try {
            if (!(*s->target_.sink)(std::string_view(data, n))) {
                s->sinkStopped_ = true;
                return false;
            }
        } catch (...) {
            // Passed on to the caller once libcurl has returned (it cannot unwind
            // through libcurl's own frames).
            s->sinkError_ = std::current_exception();
            return false;
        }
    }
    return true;
}

// Raw body bytes as they arrive; the decoder undoes the Content-Encoding. The raw
// bytes count against the cap too, so that a stream past its end (ignored) cannot
// go on for ever either. Returning less than n ends the transfer with an error.
size_t HttpCallbacks::Write(char* data, size_t size, size_t count, void* user) {
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
    s->answerRaw_ += n;
    const bool ok =
        s->decoder_->Feed(data, n, [s](const char* d, size_t m) { return Keep(s, d, m); });
    if (!ok) {
        if (!s->overCap_ && !s->sinkStopped_ && !s->sinkError_) {
            s->undecodable_ = true;
        }
        return 0;
    }
    return n;
}

// A status line starts a new answer (an interim 1xx one, or the final one): it is
// decoded by its own Content-Encoding, its header block must end with a blank line
// and a Content-Length body must arrive whole. The header block is bounded in
// bytes, lines and cookies, so that each excess gets a message of its own.
size_t HttpCallbacks::Header(char* data, size_t size, size_t count, void* user) {
    auto* s = static_cast<HttpSession*>(user);
    const size_t n = size * count;
    if (n >= 5 && std::memcmp(data, "HTTP/", 5) == 0) {
        const char* blank = static_cast<const char*>(std::memchr(data, ' ', n));
        long status = 0;
        if (blank != nullptr) {
            status = std::strtol(blank + 1, nullptr, 10);
        }
        s->StartAnswer(status);
        return n;
    }
    s->headerBytes_ += n;
    if (s->headerBytes_ > kMaxHeaderBytes) {
        s->headerFault_ = "the answer's header block is larger than " +
                          std::to_string(kMaxHeaderBytes >> 10) + " KiB";
        return 0;
    }
    if ((n == 2 && data[0] == '\r' && data[1] == '\n') || (n == 1 && data[0] == '\n')) {
        s->headerEnded_ = true;
        return n;
    }
    if (++s->headerLines_ > kMaxHeaderLines) {
        s->headerFault_ =
            "the answer has more than " + std::to_string(kMaxHeaderLines) + " header lines";
        return 0;
    }
    if (n > 11 && strncasecmp(data, "Set-Cookie:", 11) == 0 && ++s->setCookies_ > kMaxSetCookies) {
        s->headerFault_ =
            "the answer sets more than " + std::to_string(kMaxSetCookies) + " cookies";
        return 0;
    }
    if (n > 17 && strncasecmp(data, "Content-Encoding:", 17) == 0) {
        if (!s->decoder_->SetEncoding(std::string_view(data + 17, n - 17))) {
            s->undecodable_ = true;
        }
    } else if (n > 15 && strncasecmp(data, "Content-Length:", 15) == 0) {
        char* end = nullptr;
        errno = 0;
        const long long length = std::strtoll(data + 15, &end, 10);
        if (errno == 0 && end != data + 15 && length >= 0) {
            s->contentLength_ = length;
            // Room for the whole body at once, within what the session may still
            // receive, instead of growth by doubling.
            if (s->target_.text != nullptr && s->status_ >= 200 && s->status_ <= 299) {
                const std::size_t room = s->limits_.maxBodyBytes - s->received_;
                const auto want = static_cast<unsigned long long>(length);
                s->target_.text->reserve(
                    s->target_.text->size() +
                    static_cast<std::size_t>(std::min<unsigned long long>(want, room)));
            }
        }
    }
    return n;
}

int HttpCallbacks::Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* s = static_cast<HttpSession*>(user);
    return s->aborted_ && s->aborted_() ? 1 : 0;
}

void HttpSession::StartAnswer(long status) {
    status_ = status;
    if (target_.text != nullptr) {
        target_.text->resize(targetStart_);
    }
    decoder_->Reset();
    undecodable_ = false;
    headerEnded_ = false;
    contentLength_ = -1;
    answerRaw_ = 0;
    headerBytes_ = 0;
    headerLines_ = 0;
    setCookies_ = 0;
}

void HttpSession::CheckCallbacks(const TransferEnd& end) {
    const int curlCode = end.curlCode;
    if (overCap_) {
        throw HttpError(TooLargeError(limits_.maxBodyBytes));
    }
    if (end.aborted || curlCode == CURLE_ABORTED_BY_CALLBACK) {
        throw HttpError(AbortedError());
    }
    if (headerFault_.empty() && curlCode == CURLE_OUT_OF_MEMORY && status_ != 0 && !headerEnded_) {
        // libcurl refuses one header line longer than it keeps.
        headerFault_ = "a header line of the answer is larger than 100 KiB";
    }
    if (!headerFault_.empty()) {
        throw HttpError(QueryError{QueryErrorKind::Failed, headerFault_, 0, {}});
    }
    if (undecodable_ || (curlCode == CURLE_OK && !decoder_->Complete())) {
        const std::string why =
            decoder_->error().empty() ? "the compressed body ends early" : decoder_->error();
        throw HttpError(QueryError{
            QueryErrorKind::Undecodable, "cannot decode the answer (" + why + ")", 0, {}});
    }
}

QueryError HttpSession::TransferError(const Hop& hop, void* handle, int curlCode) {
    using std::chrono::milliseconds;
    const auto rc = static_cast<CURLcode>(curlCode);
    TransferContext context = Context(hop.url);
    if (rc != CURLE_OPERATION_TIMEDOUT) {
        return ErrorOfCurlCode(rc, context);
    }
    // A request on a kept-alive connection has no connect time of its own; whether the
    // request was ready to go tells the two stalls apart.
    curl_off_t readyUs = 0;
    curl_easy_getinfo(Handle(handle), CURLINFO_PRETRANSFER_TIME_T, &readyUs);
    const auto end = std::chrono::steady_clock::now();
    const milliseconds requestLimit(static_cast<long long>(limits_.requestTimeoutSec) * 1000);
    if (hop.queryBound && end + milliseconds(kPollMs) >= deadline_) {
        // libcurl may give up a little before the deadline; the query is over all the
        // same, so no later request may leave.
        deadline_ = std::min(deadline_, end);
        return QueryTimeError(limits_.maxQueryTime);
    }
    if (end + milliseconds(kPollMs) >= hop.until) {
        context.timeoutText = "no complete answer within " + DurationText(requestLimit) +
                              " (the time limit of one request)";
    } else if (readyUs == 0) {
        context.timeoutText =
            "no connection within " + DurationText(milliseconds(limits_.connectTimeoutSec * 1000));
    } else if (status_ == 0) {
        // Not a byte of the answer within the low-speed time.
        context.timeoutText =
            "no answer within " + DurationText(milliseconds(limits_.lowSpeedTimeSec * 1000));
    } else {
        context.timeoutText = "the answer came slower than " +
                              std::to_string(limits_.lowSpeedBytesPerSec) + " bytes/s for " +
                              DurationText(milliseconds(limits_.lowSpeedTimeSec * 1000)) +
                              " (the low-speed limit)";
    }
    return ErrorOfCurlCode(rc, context);
}

std::string HttpSession::FinishAnswer(const Hop& hop, void* handle) {
    CURL* c = Handle(handle);
    // libcurl takes a connection closed inside the header block, or before a
    // Content-Length body is complete, for a whole answer.
    const bool noBody = status_ == 204 || status_ == 304 || (status_ >= 100 && status_ < 200);
    if (!headerEnded_ || (!noBody && contentLength_ >= 0 &&
                          answerRaw_ < static_cast<unsigned long long>(contentLength_))) {
        throw HttpError(
            QueryError{QueryErrorKind::ConnectionBroken, "the answer ended early", 0, {}});
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 300 && status <= 399) {
        char* location = nullptr;
        curl_easy_getinfo(c, CURLINFO_REDIRECT_URL, &location);
        if (location != nullptr && *location != '\0') {
            return location;
        }
    }
    if (status < 200 || status > 299) {
        throw HttpError(ErrorOfHttpStatus(status, Context(hop.url)));
    }
    return {};
}

}  // namespace lookup
