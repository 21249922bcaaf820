// Inner to the screener: matching names across scripts. At import, an entity's names
// become the forms the index stores (tokens as written and, for Latin names, read
// through "Latin to Russian"); at screening, a firm's name becomes its own forms (as
// written, in the Latin standards, and a Latin name read through "Latin to Russian") and each is
// scored against the stored names that share enough of its rarest tokens.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/result.h"
#include "screen/index.h"
#include "screen/list_reader.h"
#include "translit/translit.h"

struct sqlite3;

namespace screen {

// The Latin standards a Cyrillic firm name is written in for the comparison: the
// engine's language folders, as lists use them.
const std::vector<std::string>& LatinStandards();

// One form of a name as the import writes it: the names table's row (form: the
// scoring tokens blank-separated) and the keys it is posted under in the terms table.
struct PreparedForm {
    NameKind kind = NameKind::Name;
    int via = 0;  // 1: read into Russian by "Latin to Russian"
    std::string text;
    std::string form;
    std::vector<std::string> tokens;  // the posting keys
    int letters = 0;
};

// The forms an entity's names are stored as; toRussian may be null (no reading of
// Latin names into Russian).
std::vector<PreparedForm> PrepareNameForms(const std::vector<std::pair<NameKind, QString>>& names,
                                           const translit::Translator* toRussian);

// A stored name that one of a firm's forms scores at or above the threshold: the best
// one per entity of a version.
struct NameHit {
    const ListVersion* version = nullptr;
    std::int64_t entityRow = 0;  // the entities table's id
    double score = 0;            // rounded to three decimals
    std::string firmValue;       // the firm's name the form came from
    std::string how;             // "Cyrillic", "Latin", "Latin to Russian" or the standard
    std::string entityValue;     // the entity's name as the list writes it
    std::string what;            // "name", "alias", ... with " via Latin to Russian"
};

class NameMatcher {
  public:
    NameMatcher();
    ~NameMatcher();
    NameMatcher(const NameMatcher&) = delete;
    NameMatcher& operator=(const NameMatcher&) = delete;

    // Prepares the reads on db (an open index) and opens the Latin standards; a standard
    // that cannot be opened adds a warning and leaves its form out. False when the
    // index cannot be read.
    bool Load(sqlite3* db, std::vector<std::string>* warnings);

    // The best-scoring stored name of each entity of versions whose score reaches
    // threshold, per version in the order of versions; false when the index cannot be
    // read.
    bool Find(const std::string& nameUtf8, const std::vector<ListVersion>& versions,
              double threshold, std::vector<NameHit>* hits) const;

  private:
    struct Form;
    struct Statements;
    class Search;
    std::vector<Form> FirmForms(const QString& name) const;

    std::unique_ptr<Statements> statements_;
    std::vector<std::pair<std::string, translit::Translator>> standards_;
    std::vector<translit::Translator> toRussian_;  // "Latin to Russian", when it opened
};

}  // namespace screen
