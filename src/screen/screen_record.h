// What a screening gave, in the form an archive record keeps it: the list versions
// screened against and each match with the firm it was found for.
#pragma once

#include <vector>

#include "archive/check_record.h"
#include "pages/records.h"
#include "screen/index.h"
#include "screen/screener.h"

namespace screen {

// A screening of versions with no match yet: set it as a record's screening, then add
// RecordMatch of each match of each of the record's firms.
archive::Screening RecordScreening(const std::vector<ListVersion>& versions);

// One match of firm (Windows-1251, as the register gives it) as the record keeps it.
archive::ScreenMatch RecordMatch(const lookup::FirmRecord& firm, const Match& match);

}  // namespace screen
