// Screening a firm against the loaded list versions: by its INN, OGRN or KPP+INN
// (exact, check digits valid on both sides), and by its name across scripts (the
// firm's Cyrillic name as it is and in four Latin standards, against each entity's
// names as written and, for Latin ones, read through "Latin to Russian").
//
// A Screener is one read connection: use it from one thread at a time; any number of
// screeners may read the same index, also while an import writes to it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pages/records.h"
#include "screen/index.h"
#include "translit/translit.h"

namespace screen {

class NameMatcher;

constexpr double kDefaultThreshold = 0.9;

enum class MatchKind {
    Identifier,
    Name,
};

// A listed entity (a target) that a related party is connected to, and how: relation
// "owned by", "owner of", "director of", ..., detail what the relation says of itself
// (role, relationship, share), empty when it says nothing.
struct LinkedEntity {
    std::string entityId;
    std::string schema;
    std::string caption;
    std::string relation;
    std::string detail;
};

// One entity of a list that a firm matches. Texts are UTF-8.
struct Match {
    MatchKind kind = MatchKind::Name;
    std::string list;
    std::int64_t versionId = 0;
    int versionNumber = 0;
    std::string versionDigest;
    std::string entityId;
    std::string caption;
    std::string schema;
    std::vector<std::string> topics;  // "sanction", "debarment", "export.control", ...
    std::vector<std::string> datasets;
    // What matched. An identifier: what is "INN", "OGRN" or "KPP+INN", firmValue and
    // entityValue the numbers ("7713001232", or "771301001/7713001232" for KPP+INN). A
    // name: firmValue the firm's name, how the firm's form ("Cyrillic", "GOST 7.79 B",
    // "ISO 9", "English", "English (passport)"), entityValue the entity's name, what
    // its property ("name", "alias", "previousName", "weakAlias") with " via Latin to
    // Russian" when the entity's name was read into Cyrillic.
    std::string what;
    std::string how;
    std::string firmValue;
    std::string entityValue;
    double score = 1.0;  // 1 for an identifier
    // False for a related party the list carries for its links ("target": false): a
    // match of it is "linked to a listed entity", never "listed".
    bool target = true;
    std::vector<LinkedEntity> linkedTo;  // for a non-target: the listed entities it is tied to
};

// Whether match makes the firm listed by number: an identifier match of a target.
inline bool ListedByNumber(const Match& match) {
    return match.target && match.kind == MatchKind::Identifier;
}

// "INN 7713001232", "name 0.94: ООО "Ромашка" (Cyrillic) ~ Romashka LLC (name)"; for a
// non-target "linked to a listed entity: INN 7713001232; owned by Ivan Petrov (Person,
// id ru-1; 51%)".
std::string DescribeMatch(const Match& match);

class Screener {
  public:
    Screener();
    ~Screener();
    Screener(const Screener&) = delete;
    Screener& operator=(const Screener&) = delete;

    // Opens the index at path read-only and loads the newest version of each list (or
    // of the named lists only), with the Latin standards and "Latin to Russian". A
    // standard that cannot be opened leaves a warning and its form out.
    platform::Status Load(const std::string& path, const std::vector<std::string>& lists = {});

    void setThreshold(double threshold) { threshold_ = threshold; }
    double threshold() const { return threshold_; }
    const std::vector<ListVersion>& versions() const { return versions_; }
    const std::vector<std::string>& warnings() const { return warnings_; }

    // The matches of firm (Windows-1251 fields, as the register gives them): every
    // identifier match, and each entity whose best name score reaches the threshold,
    // identifier matches first, then by score; or why the index could not be read.
    platform::Result<std::vector<Match>> Screen(const lookup::FirmRecord& firm) const;

    // The same for a name alone (UTF-8).
    platform::Result<std::vector<Match>> ScreenName(const std::string& name) const;

  private:
    // Add the matches of a name, or of a firm's identifiers, to *matches.
    platform::Status MatchNames(const std::string& nameUtf8, std::vector<Match>* matches) const;
    platform::Status MatchIdentifiers(const lookup::FirmRecord& firm,
                                      std::vector<Match>* matches) const;
    bool FillEntity(std::int64_t entity, const ListVersion& version, Match* match) const;

    // The listed entities the related party entityId of version is connected to.
    bool FillLinks(const std::string& entityId, std::int64_t version,
                   std::vector<LinkedEntity>* links) const;

    struct Statements;

    Index index_;
    std::unique_ptr<Statements> statements_;  // prepared on index_, finalized before it closes
    std::vector<ListVersion> versions_;
    std::vector<std::string> warnings_;
    std::unique_ptr<NameMatcher> names_;
    double threshold_ = kDefaultThreshold;
};

}  // namespace screen
