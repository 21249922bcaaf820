#include "screen/screener.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <unordered_map>

#include "platform/cp1251.h"
#include "screen/identifiers.h"
#include "screen/list_reader.h"
#include "screen/name_matcher.h"
#include "screen/sqlite_statement.h"

namespace screen {

struct Screener::Statements {
    Statement entity;
    Statement identifier;
    Statement links;  // not prepared on an index of the first schema
};

namespace {

// How the entity at property stands to the one at otherProperty in a relation of
// schema: "owned by" for the asset of an Ownership, "owner of" for its owner.
std::string RelationName(const std::string& schema, const std::string& property) {
    struct Name {
        const char* schema;
        const char* property;
        const char* text;
    };
    static const Name kNames[] = {
        {"Ownership", "asset", "owned by"},
        {"Ownership", "owner", "owner of"},
        {"Directorship", "organization", "directed by"},
        {"Directorship", "director", "director of"},
        {"Employment", "employer", "employer of"},
        {"Employment", "employee", "employed by"},
        {"Membership", "organization", "with the member"},
        {"Membership", "member", "member of"},
        {"Representation", "client", "represented by"},
        {"Representation", "agent", "representative of"},
        {"Family", "person", "family of"},
        {"Family", "relative", "family of"},
        {"Associate", "person", "associate of"},
        {"Associate", "associate", "associate of"},
    };
    for (const Name& name : kNames) {
        if (schema == name.schema && property == name.property)
            return name.text;
    }
    return "linked to";
}

}  // namespace

std::string DescribeMatch(const Match& match) {
    const std::string linked = match.target ? "" : "linked to a listed entity: ";
    std::string ties;
    for (const LinkedEntity& to : match.linkedTo) {
        ties += "; " + to.relation + " " + to.caption + " (" + to.schema + ", id " + to.entityId +
                (to.detail.empty() ? "" : "; " + to.detail) + ")";
    }
    if (match.kind == MatchKind::Identifier)
        return linked + match.what + " " + match.firmValue + ties;
    char score[16];
    std::snprintf(score, sizeof score, "%.2f", match.score);
    return linked + "name " + score + ": " + match.firmValue + " (" + match.how + ") ~ " +
           match.entityValue + " (" + match.what + ")" + ties;
}

namespace {

std::string Digits(const std::string& cp1251) {
    std::string out;
    for (const char c : cp1251) {
        if (c >= '0' && c <= '9')
            out += c;
        else if (c != ' ' && c != '-')
            return {};
    }
    return out;
}

std::vector<std::string> SplitComma(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (!text.empty() && start <= text.size()) {
        const size_t end = std::min(text.find(',', start), text.size());
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

}  // namespace

Screener::Screener() = default;
Screener::~Screener() = default;

platform::Status Screener::Load(const std::string& path, const std::vector<std::string>& lists) {
    statements_.reset();
    names_.reset();
    versions_.clear();
    warnings_.clear();
    const platform::Status opened = index_.Open(path, Index::Access::ReadOnly);
    if (!opened)
        return opened;
    const platform::Result<std::vector<ListVersion>> read = index_.LatestVersions();
    if (!read)
        return platform::Failure(read.error());
    const std::vector<ListVersion>& latest = *read;
    for (const ListVersion& version : latest) {
        if (lists.empty() || std::find(lists.begin(), lists.end(), version.list) != lists.end())
            versions_.push_back(version);
    }
    for (const std::string& name : lists) {
        const bool known = std::any_of(latest.begin(), latest.end(),
                                       [&](const ListVersion& v) { return v.list == name; });
        if (!known)
            return index_.Fail("there is no list \"" + name + "\"");
    }
    sqlite3* db = index_.handle();
    // Screening reads scattered pages of a large file: mapped, they cost no system call
    // and no copy. Where mapping is not available SQLite reads as usual.
    sqlite3_exec(db, "PRAGMA mmap_size = 4294967296", nullptr, nullptr, nullptr);
    statements_ = std::make_unique<Statements>();
    // An index of the first schema has no target flag: its entities are all targets.
    statements_->entity.Prepare(db, index_.hasTargetFlag()
                                        ? "SELECT entity_id, schema, caption, topics, datasets, "
                                          "target FROM entities WHERE id = ?"
                                        : "SELECT entity_id, schema, caption, topics, datasets, "
                                          "1 FROM entities WHERE id = ?");
    statements_->identifier.Prepare(
        db, "SELECT entity, kind, kpp FROM identifiers WHERE version = ? AND value = ?");
    if (index_.hasTargetFlag()) {
        statements_->links.Prepare(
            db,
            "SELECT r.property, r.other_id, r.schema, r.detail, n.schema, n.caption FROM "
            "relations r JOIN named n ON n.version = r.version AND n.entity_id = r.other_id "
            "WHERE r.version = ? AND r.entity_id = ? ORDER BY r.rowid");
    }
    names_ = std::make_unique<NameMatcher>();
    if (!statements_->entity.prepared() || !statements_->identifier.prepared() ||
        (index_.hasTargetFlag() && !statements_->links.prepared()) ||
        !names_->Load(db, &warnings_)) {
        statements_.reset();
        names_.reset();
        return index_.Fail("cannot read it");
    }
    return {};
}

bool Screener::FillEntity(std::int64_t entity, const ListVersion& version, Match* match) const {
    Statement& read = statements_->entity;
    read.Reset();
    read.Bind(1, entity);
    if (!read.Step())
        return false;
    match->list = version.list;
    match->versionId = version.id;
    match->versionNumber = version.number;
    match->versionDigest = version.digest;
    match->entityId = read.Text(0);
    match->schema = read.Text(1);
    match->caption = read.Text(2);
    match->topics = SplitComma(read.Text(3));
    match->datasets = SplitComma(read.Text(4));
    match->target = read.Int(5) != 0;
    match->linkedTo.clear();
    return match->target || FillLinks(match->entityId, version.id, &match->linkedTo);
}

bool Screener::FillLinks(const std::string& entityId, std::int64_t version,
                         std::vector<LinkedEntity>* links) const {
    Statement& read = statements_->links;
    if (!read.prepared())
        return true;
    read.Reset();
    read.Bind(1, version).Bind(2, entityId);
    while (read.Step()) {
        LinkedEntity to;
        to.relation = RelationName(read.Text(2), read.Text(0));
        to.detail = read.Text(3);
        to.entityId = read.Text(1);
        to.schema = read.Text(4);
        to.caption = read.Text(5);
        const bool told = std::any_of(links->begin(), links->end(), [&](const LinkedEntity& l) {
            return l.entityId == to.entityId && l.relation == to.relation && l.detail == to.detail;
        });
        if (!told)
            links->push_back(std::move(to));
    }
    return read.ok();
}

platform::Status Screener::MatchIdentifiers(const lookup::FirmRecord& firm,
                                            std::vector<Match>* matches) const {
    const std::string inn = Digits(firm.inn);
    const std::string ogrn = Digits(firm.ogrn);
    const std::string kpp = Digits(firm.kpp);
    struct Wanted {
        std::string value;
        IdKind kind;
    };
    std::vector<Wanted> wanted;
    for (const Identifier& id : ParseIdentifiers(inn))
        if (id.kind == IdKind::Inn && id.value == inn)
            wanted.push_back({inn, IdKind::Inn});
    for (const Identifier& id : ParseIdentifiers(ogrn))
        if (id.kind == IdKind::Ogrn && id.value == ogrn)
            wanted.push_back({ogrn, IdKind::Ogrn});
    Statement& read = statements_->identifier;
    for (const ListVersion& version : versions_) {
        std::map<std::int64_t, Match> found;
        for (const Wanted& w : wanted) {
            read.Reset();
            read.Bind(1, version.id).Bind(2, w.value);
            while (read.Step()) {
                if (read.Int(1) != static_cast<int>(w.kind))
                    continue;
                const std::string listKpp = read.Text(2);
                const bool withKpp = w.kind == IdKind::Inn && !kpp.empty() && listKpp == kpp;
                const std::string what = withKpp ? "KPP+INN" : IdKindName(w.kind);
                const std::string value = withKpp ? kpp + "/" + w.value : w.value;
                Match& match = found[read.Int(0)];
                if (match.what.find(what) != std::string::npos)
                    continue;
                match.kind = MatchKind::Identifier;
                match.what += (match.what.empty() ? "" : ", ") + what;
                match.firmValue += (match.firmValue.empty() ? "" : ", ") + value;
                match.entityValue = match.firmValue;
                match.score = 1.0;
            }
            if (!read.ok())
                return index_.Fail("cannot read it");
        }
        for (auto& [entity, match] : found) {
            if (!FillEntity(entity, version, &match))
                return index_.Fail("cannot read it");
            matches->push_back(std::move(match));
        }
    }
    return {};
}

platform::Status Screener::MatchNames(const std::string& nameUtf8,
                                      std::vector<Match>* matches) const {
    std::vector<NameHit> hits;
    if (!names_->Find(nameUtf8, versions_, threshold_, &hits))
        return index_.Fail("cannot read it");
    for (NameHit& hit : hits) {
        Match match;
        if (!FillEntity(hit.entityRow, *hit.version, &match))
            return index_.Fail("cannot read it");
        // An entity shown for its numbers, or listed twice under one id, is shown once.
        const bool shown = std::any_of(matches->begin(), matches->end(), [&](const Match& m) {
            return m.versionId == match.versionId && m.entityId == match.entityId;
        });
        if (shown)
            continue;
        match.kind = MatchKind::Name;
        match.score = hit.score;
        match.firmValue = std::move(hit.firmValue);
        match.how = std::move(hit.how);
        match.entityValue = std::move(hit.entityValue);
        match.what = std::move(hit.what);
        matches->push_back(std::move(match));
    }
    return {};
}

platform::Result<std::vector<Match>> Screener::ScreenName(const std::string& name) const {
    std::vector<Match> matches;
    if (statements_ == nullptr)
        return matches;
    const platform::Status matched = MatchNames(name, &matches);
    if (!matched)
        return platform::Failure(matched.error());
    std::stable_sort(matches.begin(), matches.end(),
                     [](const Match& a, const Match& b) { return a.score > b.score; });
    return matches;
}

platform::Result<std::vector<Match>> Screener::Screen(const lookup::FirmRecord& firm) const {
    std::vector<Match> matches;
    if (statements_ == nullptr)
        return matches;
    platform::Status matched = MatchIdentifiers(firm, &matches);
    if (matched && !firm.name.empty())
        matched = MatchNames(platform::Cp1251ToUtf8(firm.name), &matches);
    if (!matched)
        return platform::Failure(matched.error());
    std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
        if (ListedByNumber(a) != ListedByNumber(b))
            return ListedByNumber(a);
        if (a.kind != b.kind)
            return a.kind == MatchKind::Identifier;
        return a.score > b.score;
    });
    return matches;
}

}  // namespace screen
