// Inner to the screening index: the entities of a list read and made ready to write
// (names tokenised, numbers found) on a thread of their own, and the postings and
// identifiers of one version collected while its entities are written.
#pragma once

#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "screen/identifiers.h"
#include "screen/list_reader.h"
#include "screen/name_matcher.h"
#include "screen/postings.h"

namespace translit {
class Translator;
}

namespace screen {

// Collects one version's postings and identifiers in memory while its entities are
// written, and writes them sorted at the end: one row per token.
struct VersionBuilder {
    struct Term {
        std::int64_t last = 0;  // the id added last
        std::int64_t df = 0;
        std::string postings;
    };
    std::unordered_map<std::string, Term> terms;
    struct Id {
        std::string value;
        std::int64_t entity;
        int kind;
        std::string kpp;
        bool operator<(const Id& o) const {
            return std::tie(value, entity, kind, kpp) < std::tie(o.value, o.entity, o.kind, o.kpp);
        }
        bool operator==(const Id& o) const {
            return value == o.value && entity == o.entity && kind == o.kind && kpp == o.kpp;
        }
    };
    std::vector<Id> ids;

    void Add(const std::vector<std::string>& tokens, int letters, std::int64_t nameId) {
        for (const std::string& token : tokens) {
            Term& term = terms[token];
            AppendPosting(term.postings, term.last, nameId, letters);
            term.last = nameId;
            ++term.df;
        }
    }
};

// One step of the reader, with an entity made ready to write: its name forms tokenised
// and its numbers found.
struct Prepared {
    ListReader::Step step = ListReader::Step::End;
    std::int64_t line = 0;
    bool screened = false;
    ListEntity entity;
    std::vector<PreparedForm> forms;
    std::vector<Identifier> ids;
    std::string error;
};

// Reads and prepares entities on a thread of its own while the caller writes the ones
// before: parsing, tokenising and transliterating take most of an import's time, and
// the writing no less. At most kQueuedBatches batches wait, so memory stays bounded
// whatever the list's size.
class Feed {
  public:
    static constexpr size_t kBatch = 256;
    static constexpr size_t kQueuedBatches = 8;

    Feed(ListReader& reader, bool persons, const translit::Translator* toRussian);
    ~Feed();
    Feed(const Feed&) = delete;
    Feed& operator=(const Feed&) = delete;

    // The next batch; its last step is End or Failed once the list is read.
    std::vector<Prepared> Next();

  private:
    // Finds the entity's numbers and, when it is screened, tokenises its names.
    void Prepare(Prepared& p) const;
    void Run();

    ListReader& reader_;
    const bool persons_;
    const translit::Translator* const toRussian_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<Prepared>> queue_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace screen
