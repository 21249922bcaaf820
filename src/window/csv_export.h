// "Export": every firm of the firm list as one row of a CSV file that spreadsheet
// programs set to Russian open correctly (UTF-8 with a byte-order mark, ';').
#pragma once

#include <string>
#include <vector>

#include "lookup/results_file.h"

namespace window {

// A header row, then per entry: the query text and the ten fields in page order
// (name, address, OGRN, GRN, INN, KPP, date, authority, authority's address, region).
std::string CsvBytes(const std::vector<lookup::ResultEntry>& entries);

}  // namespace window
