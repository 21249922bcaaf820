// One register query carried out on the calling thread: the search page, the form,
// and whatever the answer leads to (result pages, an entry page, a message).
#pragma once

#include <QCryptographicHash>
#include <functional>
#include <string>
#include <string_view>

#include "exchange/http_session.h"
#include "exchange/query_types.h"
#include "pages/records.h"

namespace lookup {

// What a query produces, in the order it produces it.
class QueryEvents {
  public:
    virtual ~QueryEvents() = default;
    virtual void Firm(const FirmRecord& firm) = 0;
    virtual void QueryText(const std::string& text) = 0;
    virtual void Message(const std::string& text, ServiceMessageKind kind) = 0;
    // The register showed only the first part of the list and asked for a narrower
    // search; the firms delivered are all the query gets.
    virtual void ListCut() {}
};

// The answer pages a query read (the answer to the search form and every page it led
// to, not the search page itself): how many, and the SHA-256 of their bytes in order,
// as evidence of what the register sent.
class AnswerPages {
  public:
    void Begin() { ++count_; }
    void Add(std::string_view bytes);
    int count() const { return count_; }
    // Lower-case hex; empty when no page was read.
    std::string HexDigest() const;

  private:
    int count_ = 0;
    QCryptographicHash hash_{QCryptographicHash::Sha256};
};

// Runs request through to its end. Throws HttpError when the exchange fails (what was
// reported before stays valid), including Aborted once aborted() returns true and
// TooManyResultPages after limits.maxResultPages pages. pages, when given, counts and
// digests the answer pages as they arrive, those of a query that failed included.
void RunRegisterQuery(const QueryRequest& request, const HttpLimits& limits,
                      std::function<bool()> aborted, QueryEvents& out,
                      AnswerPages* pages = nullptr);

}  // namespace lookup
