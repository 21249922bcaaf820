// The page scanner: cuts firm records out of the register's result pages by fixed
// markers, in number mode (one row after a register-entry heading) or name mode
// (every row of the first result table, with a running count).
#pragma once

#include <string>
#include <string_view>

#include "worker/records.h"

namespace worker {

// What the scanner produces, in order: for each row first Deliver, then (name mode)
// SetQueryText with the new count text.
class ScanOutput {
  public:
    virtual ~ScanOutput() = default;
    virtual void Deliver(const TDataFirm& firm) = 0;
    virtual void SetQueryText(const std::string& text) = 0;
};

// The per-query state the scanner reads and updates.
struct ScanState {
    TSearchFirm SF;          // chooses the mode (read only)
    std::string ParentText;  // the query node's text + ", records found: %d"
    TDataFirm Firm;          // working record, not cleared between rows
    int k = 0;               // rows read in name mode, over all pages of the query
};

// Scans one text (Windows-1251 bytes).
void ParseResultPage(std::string_view text, ScanState& state, ScanOutput& out);

// Takes the next cell's text from row and shortens row past it.
std::string NextCell(std::string_view& row);

// "&quot;" then "&quot" become '"'.
void ReplaceQuotEntities(std::string& text);

// ParentText with its final "%d" replaced by k in decimal.
std::string CountText(const std::string& parentText, int k);

}  // namespace worker
