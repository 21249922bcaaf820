// The page scanner: cuts firm records out of the register's result pages by fixed
// markers, in number mode (one row after a register-entry heading) or name mode
// (every row of the first result table, with a running count). A name-mode page is
// read as its bytes arrive, keeping only the row not yet complete. A row without any
// field is no firm.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "pages/records.h"
#include "pages/search_criteria.h"

namespace lookup {

// What the scanner produces, in order: for each row first Deliver, then (name mode)
// SetQueryText with the new count text.
class ScanOutput {
  public:
    virtual ~ScanOutput() = default;
    virtual void Deliver(const FirmRecord& firm) = 0;
    virtual void SetQueryText(const std::string& text) = 0;
};

// The per-query state the scanner reads and updates.
struct ScanState {
    SearchCriteria criteria;  // its mode chooses how rows are read (read only)
    std::string queryText;    // the query node's text, base of the count text
    FirmRecord firm;          // working record, not cleared between rows
    int rowsRead = 0;         // firms read in name mode, over all pages of the query
};

// What one page gave.
struct PageScan {
    int firms = 0;             // firms delivered
    bool tooManyRows = false;  // reading stopped at kMaxRowsPerPage rows
};

// Rows one page may hold; a page with more is refused (its first rows stay delivered).
constexpr int kMaxRowsPerPage = 250000;

// Reads one page as its bytes arrive, with the same result as ParseResultPage on the
// whole text, except that a page whose table never ends may deliver its rows before it
// turns out to be broken (it then has firms == 0 from Finish, as a whole-text read).
class PageScanner {
  public:
    PageScanner(ScanState& state, ScanOutput& out);
    ~PageScanner();
    PageScanner(const PageScanner&) = delete;
    PageScanner& operator=(const PageScanner&) = delete;

    // The next bytes of the page. False once the page has too many rows (the rest is
    // ignored).
    bool Feed(std::string_view bytes);
    // The page is complete; reads what is left. The result is final.
    PageScan Finish();

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Scans one whole text (Windows-1251 bytes).
PageScan ParseResultPage(std::string_view text, ScanState& state, ScanOutput& out);

// Takes the next cell's text from row and shortens row past it.
std::string NextCell(std::string_view& row);

// "&quot;" then "&quot" become '"'.
void ReplaceQuotEntities(std::string& text);

}  // namespace lookup
