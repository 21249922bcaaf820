// The page scanner: cuts firm records out of the register's result pages by fixed
// markers, in number mode (one row after a register-entry heading) or name mode
// (every row of the first result table, with a running count).
#pragma once

#include <string>
#include <string_view>

#include "lookup/records.h"
#include "lookup/search_criteria.h"

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
    int rowsRead = 0;         // rows read in name mode, over all pages of the query
};

// Scans one text (Windows-1251 bytes).
void ParseResultPage(std::string_view text, ScanState& state, ScanOutput& out);

// Takes the next cell's text from row and shortens row past it.
std::string NextCell(std::string_view& row);

// "&quot;" then "&quot" become '"'.
void ReplaceQuotEntities(std::string& text);

}  // namespace lookup
