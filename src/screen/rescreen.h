// Screening the lookup archive again: every firm it holds (of the checks made since a
// date), once each, against the newest version of each list, for the firms a list
// update has put on a list. The archive is only read, a record at a time; the firms are
// screened on threads of their own, each with its own Screener, and reported in archive order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/check_record.h"
#include "pages/records.h"
#include "screen/index.h"
#include "screen/screener.h"

namespace screen {

struct RescreenOptions {
    std::string since;  // only checks made at or after it; empty: all
    double threshold = kDefaultThreshold;
    std::vector<std::string> lists;  // only these lists; empty: all
    int threads = 2;                 // screening threads, 1 or more
};

// A firm the newest versions list, with the record it was first found in (since the
// date).
struct RescreenHit {
    lookup::FirmRecord firm;  // Windows-1251
    std::int64_t recordId = 0;
    std::string checkedAt;
    std::vector<Match> matches;
    // Per match: "newly listed (not on version N in record R)" when the record screened
    // the firm against an older version of that list without a match; else empty.
    std::vector<std::string> listedSince;
};

struct RescreenReport {
    std::vector<ListVersion> versions;  // screened against
    std::vector<std::string> warnings;  // of loading the standards
    std::int64_t firms = 0;             // firms screened
    std::int64_t listed = 0;            // firms with a match
    bool identifierMatched = false;     // any INN, OGRN or KPP+INN match of a target
    bool linked = false;                // any match of a related party (not a target)
};

// Screens the archive at archivePath against the index at indexPath; calls found, on
// the calling thread and in archive order, for each firm with a match (false from it
// stops). Fails when the archive or the index cannot be read; *report tells what was
// done either way, and *refused is true when archivePath holds no archive at all.
platform::Status Rescreen(const std::string& archivePath, const std::string& indexPath,
                          const RescreenOptions& options,
                          const std::function<bool(const RescreenHit&)>& found,
                          RescreenReport* report, bool* refused = nullptr);

// The "newly listed" note for a match of firm, from the record it was found in.
std::string ListedSince(const archive::CheckRecord& record, const lookup::FirmRecord& firm,
                        const Match& match);

}  // namespace screen
