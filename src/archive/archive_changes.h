// What changed between two answered checks of the same query: firms added, firms
// removed and fields altered, each with both values and both dates. A check that
// failed, was skipped, was left unchecked by the daily limit or met an error message
// says nothing about the register, so it gives "not re-checked", never "removed".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "archive/check_record.h"

namespace archive {

enum class ChangeKind { Added, Removed, Changed, NotRechecked };

// "added", "removed", "changed", "not re-checked".
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
    std::string field;  // Changed: the field's key ("address")
    std::string oldValue;
    std::string newValue;
    std::string reason;  // NotRechecked: the outcome and why
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
// query, oldest first.
bool FindChanges(Archive& archive, const ChangeQuery& query,
                 const std::function<void(const FirmChange&)>& report, std::string* error);

}  // namespace archive
