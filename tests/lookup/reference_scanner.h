// The page scanner that reads a whole page at once, as the reference for the
// incremental one.
#pragma once

#include <string_view>

#include "lookup/page_scanner.h"

namespace reference {

void ParseResultPage(std::string_view text, lookup::ScanState& state, lookup::ScanOutput& out);

}  // namespace reference
