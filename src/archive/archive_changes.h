// What changed between two answered checks of the same query: firms added, firms
// removed and fields altered, each with both values and both dates. A check that
// failed, was skipped, was left unchecked by the daily limit or met an error message
// says nothing about the register, so it gives "not re-checked", never "removed".
// A firm that a screened check matched on a list version, after an earlier screened
// check found it on no older version of that list, is "newly listed".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "archive/check_record.h"
#include "platform/result.h"

namespace archive {

enum class ChangeKind { Added, Removed, Changed, NotRechecked, NewlyListed };

// "added", "removed", "changed", "not re-checked", "newly listed".
const char* ChangeKindName(ChangeKind kind);

// One change. Text is UTF-8.
struct FirmChange {
    ChangeKind kind = ChangeKind::Added;
    std::string query;  // the newer check's criteria as typed
    std::int64_t oldCheck = 0;
    std::int64_t newCheck = 0;
    std::string oldDate;  // when the older check was made
    std::string newDate;  // when the newer one was made
    std::string name;     // the firm (the newer values when there are both)
    std::string inn;
    std::string ogrn;
    std::string field;     // Changed: the field's key ("address"); NewlyListed: the list
    std::string oldValue;  // NewlyListed: "version N", the version it did not match
    std::string newValue;  // NewlyListed: "version M", the version it matched
    std::string reason;    // NotRechecked: the outcome and why; NewlyListed: what matched
};

// The changes from older to newer (two answered checks of one query), newer's firms
// in answer order first, then the firms that went.
std::vector<FirmChange> CompareChecks(const CheckRecord& older, const CheckRecord& newer);

struct ChangeQuery {
    std::string since;  // only checks made at or after this date; empty: all
    bool listGiven = false;
    std::vector<lookup::SearchCriteria> list;  // listGiven: only these queries, in order
};

// Calls report with every change of the queries checked twice or more, query by
// query, oldest first; then every firm newly listed, in the order of the checks that
// found it listed (of any query, or of the listed queries only).
platform::Status FindChanges(Archive& archive, const ChangeQuery& query,
                             const std::function<void(const FirmChange&)>& report);

}  // namespace archive
