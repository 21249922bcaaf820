// Why a query failed: a kind that callers can act on and a short English reason that
// the user is shown ("no answer within 60 s", "HTTP 503", ...).
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace lookup {

enum class QueryErrorKind {
    TimedOut,            // a connection, an answer or the whole query took too long
    CannotConnect,       // the service's host cannot be found or reached
    ProxyFailed,         // the chosen proxy cannot be used (unreachable, refused, bad setting)
    HttpStatus,          // a final answer outside 2xx; the status is in httpStatus
    TooLarge,            // the answers exceed the bytes one query may receive
    Undecodable,         // a body that its Content-Encoding does not describe
    TooManyResultPages,  // more result pages than one query may follow
    Aborted,             // the query was cancelled
    ConnectionBroken,    // the connection broke or the answer ended early
    Unrecognised,        // an answer in which the scanner found nothing it knows
    TooManyRows,         // a result page with more rows than one page may hold
    Failed,              // anything else (a refused client setting, too many redirects, ...)
};

struct QueryError {
    QueryErrorKind kind = QueryErrorKind::Failed;
    std::string reason;   // short English text, no trailing full stop
    long httpStatus = 0;  // the answer's status for HttpStatus, else 0
    // The "host[:port]" that could not be reached at all (not found, refused, no
    // connection in time, or a proxy's gateway status for it); empty when an answer
    // came back or the failure was the proxy's own.
    std::string unreached;
};

// Whether error says that hostPort ("host[:port]", any letter case) could not be reached.
bool CouldNotReach(const QueryError& error, const std::string& hostPort);

// "45 s", "15 min", "1500 ms": a duration as the reasons write it.
std::string DurationText(std::chrono::milliseconds d);

// text cut to at most 64 bytes (on a UTF-8 boundary) with "..." appended when cut, so
// that a host of megabytes does not become a reason of megabytes.
std::string ShortForReason(const std::string& text);

// What a transfer's libcurl result means, given what the exchange knows about it.
struct TransferContext {
    std::string host;         // "host[:port]" of the service asked
    bool viaProxy = false;    // the transfer went through the user's chosen proxy
    std::string proxy;        // "host:port" of that proxy
    std::string timeoutText;  // the reason to give for a time-out
};

// Maps a CURLcode (passed as int so that this header needs no libcurl) to an error.
QueryError ErrorOfCurlCode(int curlCode, const TransferContext& context);

// The error of a final answer status outside 2xx. Through a proxy the reason names who
// answered: the register, or for a gateway status (502 to 504) the proxy or the register.
QueryError ErrorOfHttpStatus(long status, const TransferContext& context);

QueryError AbortedError();
QueryError TooLargeError(std::size_t capBytes);
QueryError TooManyResultPagesError();
QueryError UnrecognisedAnswerError();
QueryError TooManyRowsError(int maxRows);
QueryError QueryTimeError(std::chrono::milliseconds limit);

}  // namespace lookup
