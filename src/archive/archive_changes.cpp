#include "archive/archive_changes.h"

#include <map>
#include <set>
#include <utility>

namespace archive {

namespace {

FirmChange ChangeOf(ChangeKind kind, const CheckRecord& older, const CheckRecord& newer,
                    const lookup::FirmRecord& firm) {
    FirmChange change;
    change.kind = kind;
    change.query = newer.typed;
    change.oldCheck = older.id;
    change.newCheck = newer.id;
    change.oldDate = older.checkedAt;
    change.newDate = newer.checkedAt;
    change.name = ToUtf8(firm.name);
    change.inn = ToUtf8(firm.inn);
    change.ogrn = ToUtf8(firm.ogrn);
    return change;
}

platform::Result<std::vector<std::string>> FindQueryChanges(
    Archive& archive, const ChangeQuery& query,
    const std::function<void(const FirmChange&)>& report);

// A firm as screening matches name it: its OGRN, else its INN, else its name (UTF-8).
std::string ListedIdentity(const std::string& name, const std::string& inn,
                           const std::string& ogrn) {
    if (!ogrn.empty())
        return "ogrn:" + ogrn;
    if (!inn.empty())
        return "inn:" + inn;
    return "name:" + name;
}

std::string MatchText(const ScreenMatch& match) {
    std::string text = match.kind + ' ' + match.what + ": " + match.firmValue + " ~ " +
                       match.entityValue + " (entity " + match.entityId;
    if (!match.caption.empty())
        text += ", " + match.caption;
    text += "), score " + ScoreText(match.score);
    return text;
}

// Where a firm stood on one list when last screened against it.
struct ListStanding {
    int cleanVersion = 0;  // the newest version it was screened against without a match
    std::int64_t cleanCheck = 0;
    std::string cleanDate;
    bool listed = false;  // matched since then
};

// Follows every screened check, oldest first, and reports each firm that a check
// matched on a list version after an earlier check screened it against an older
// version of that list without a match.
platform::Status FindNewlyListed(Archive& archive, const ChangeQuery& query,
                                 const std::set<std::string>& keys,
                                 const std::function<void(const FirmChange&)>& report) {
    std::map<std::string, std::map<std::string, ListStanding>> standing;
    std::set<std::string> listedHere;
    platform::Status read;
    const platform::Status scanned =
        archive.ScanScreened([&](const CheckRecord& check, const std::string& key) {
            if (query.listGiven && keys.count(key) == 0)
                return true;
            const platform::Result<std::vector<lookup::FirmRecord>> firms =
                archive.FirmsOf(check.id);
            if (!firms) {
                read = platform::Failure(firms.error());
                return false;
            }
            const bool recent = query.since.empty() || check.checkedAt >= query.since;
            for (const ScreenedVersion& version : check.screening.versions) {
                listedHere.clear();
                for (const ScreenMatch& match : check.screening.matches) {
                    if (match.list != version.list)
                        continue;
                    const std::string identity =
                        ListedIdentity(match.firmName, match.firmInn, match.firmOgrn);
                    if (!listedHere.insert(identity).second)
                        continue;  // one report per firm and list, for its first match
                    ListStanding& was = standing[identity][version.list];
                    if (was.cleanVersion > 0 && was.cleanVersion < match.version && !was.listed &&
                        recent) {
                        FirmChange change;
                        change.kind = ChangeKind::NewlyListed;
                        change.query = check.typed;
                        change.oldCheck = was.cleanCheck;
                        change.newCheck = check.id;
                        change.oldDate = was.cleanDate;
                        change.newDate = check.checkedAt;
                        change.name = match.firmName;
                        change.inn = match.firmInn;
                        change.ogrn = match.firmOgrn;
                        change.field = version.list;
                        change.oldValue = "version " + std::to_string(was.cleanVersion);
                        change.newValue = "version " + std::to_string(match.version);
                        change.reason = MatchText(match);
                        report(change);
                    }
                    was.listed = true;
                }
                for (const lookup::FirmRecord& firm : *firms) {
                    const std::string identity =
                        ListedIdentity(ToUtf8(firm.name), ToUtf8(firm.inn), ToUtf8(firm.ogrn));
                    if (listedHere.count(identity) > 0)
                        continue;
                    ListStanding& is = standing[identity][version.list];
                    is = {version.number, check.id, check.checkedAt, false};
                }
            }
            return true;
        });
    return scanned ? read : scanned;
}

}  // namespace

const char* ChangeKindName(ChangeKind kind) {
    switch (kind) {
        case ChangeKind::Added:
            return "added";
        case ChangeKind::Removed:
            return "removed";
        case ChangeKind::Changed:
            return "changed";
        case ChangeKind::NotRechecked:
            return "not re-checked";
        case ChangeKind::NewlyListed:
            return "newly listed";
    }
    return "changed";
}

std::vector<FirmChange> CompareChecks(const CheckRecord& older, const CheckRecord& newer) {
    std::map<std::string, const lookup::FirmRecord*> before;
    for (const lookup::FirmRecord& firm : older.firms)
        before.emplace(FirmIdentity(firm), &firm);
    std::set<std::string> kept;
    std::vector<FirmChange> changes;
    for (const lookup::FirmRecord& firm : newer.firms) {
        const std::string identity = FirmIdentity(firm);
        if (!kept.insert(identity).second)
            continue;  // a firm listed twice in one answer is compared once
        const auto found = before.find(identity);
        if (found == before.end()) {
            changes.push_back(ChangeOf(ChangeKind::Added, older, newer, firm));
            continue;
        }
        for (const FirmColumn& column : FirmColumns()) {
            const std::string& was = found->second->*column.member;
            const std::string& is = firm.*column.member;
            if (was == is)
                continue;
            FirmChange change = ChangeOf(ChangeKind::Changed, older, newer, firm);
            change.field = column.key;
            change.oldValue = ToUtf8(was);
            change.newValue = ToUtf8(is);
            changes.push_back(std::move(change));
        }
    }
    std::set<std::string> reported;
    for (const lookup::FirmRecord& firm : older.firms) {
        const std::string identity = FirmIdentity(firm);
        if (kept.count(identity) == 0 && reported.insert(identity).second)
            changes.push_back(ChangeOf(ChangeKind::Removed, older, newer, firm));
    }
    return changes;
}

platform::Status FindChanges(Archive& archive, const ChangeQuery& query,
                             const std::function<void(const FirmChange&)>& report) {
    // One snapshot for the whole report, which also spares each read a transaction.
    const platform::Status begun = archive.BeginRead();
    if (!begun)
        return begun;
    struct ReadEnd {
        Archive& archive;
        ~ReadEnd() { archive.EndRead(); }
    } readEnd{archive};
    const platform::Result<std::vector<std::string>> keys =
        FindQueryChanges(archive, query, report);
    if (!keys)
        return platform::Failure(keys.error());
    return FindNewlyListed(archive, query, std::set<std::string>(keys->begin(), keys->end()),
                           report);
}

namespace {

// The query keys compared: the listed queries, or every query checked twice or more.
platform::Result<std::vector<std::string>> ComparedKeys(Archive& archive,
                                                        const ChangeQuery& query) {
    if (!query.listGiven)
        return archive.RepeatedQueries();
    std::vector<std::string> keys;
    std::set<std::string> seen;
    for (const lookup::SearchCriteria& criteria : query.list) {
        std::string key = QueryKey(criteria);
        if (seen.insert(key).second)
            keys.push_back(std::move(key));
    }
    return keys;
}

// Reports the changes of each query compared, query by query; the keys compared.
platform::Result<std::vector<std::string>> FindQueryChanges(
    Archive& archive, const ChangeQuery& query,
    const std::function<void(const FirmChange&)>& report) {
    platform::Result<std::vector<std::string>> keys = ComparedKeys(archive, query);
    if (!keys)
        return keys;
    CheckRecord answered;  // the latest answered check of the query so far
    CheckRecord current;
    for (const std::string& key : *keys) {
        const platform::Result<std::vector<CheckSummary>> checks = archive.ChecksOf(key);
        if (!checks)
            return platform::Failure(checks.error());
        if (checks->size() < 2)
            continue;
        answered.id = 0;
        bool answeredFirmsRead = false;
        for (const CheckSummary& check : *checks) {
            const bool recent = query.since.empty() || check.checkedAt >= query.since;
            if (!IsAnswered(check.outcome, check.messageKind)) {
                if (answered.id != 0 && recent) {
                    FirmChange change;
                    change.kind = ChangeKind::NotRechecked;
                    change.query = check.typed;
                    change.oldCheck = answered.id;
                    change.newCheck = check.id;
                    change.oldDate = answered.checkedAt;
                    change.newDate = check.checkedAt;
                    change.reason = OutcomeName(check.outcome);
                    if (!check.message.empty())
                        change.reason += ": " + check.message;
                    report(change);
                }
                continue;
            }
            current.id = check.id;
            current.checkedAt = check.checkedAt;
            current.typed = check.typed;
            current.firms.clear();
            const bool compare = answered.id != 0 && recent;
            if (compare) {
                if (!answeredFirmsRead) {
                    platform::Result<std::vector<lookup::FirmRecord>> firms =
                        archive.FirmsOf(answered.id);
                    if (!firms)
                        return platform::Failure(firms.error());
                    answered.firms = std::move(*firms);
                }
                platform::Result<std::vector<lookup::FirmRecord>> firms = archive.FirmsOf(check.id);
                if (!firms)
                    return platform::Failure(firms.error());
                current.firms = std::move(*firms);
                for (const FirmChange& change : CompareChecks(answered, current))
                    report(change);
            }
            std::swap(answered, current);
            answeredFirmsRead = compare;
        }
    }
    return keys;
}

}  // namespace

}  // namespace archive
