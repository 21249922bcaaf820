// Internal to the engine: rule files read into one text each, and the letter table and
// rules as views into that text. Loading a language for one conversion then copies no
// line and no field; the public structures are made from these views.
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "translit/rule_tables.h"

namespace translit::detail {

struct RuleFileText {
    QString text;                    // the whole file as UTF-16 code units
    std::vector<QStringView> lines;  // views into text, without their CR LF
};

// What tells one version of a file from another without reading it.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = -1;
    long long modifiedSeconds = 0;
    long long modifiedNanoseconds = 0;
    long long changedSeconds = 0;
    long long changedNanoseconds = 0;

    bool operator==(const FileIdentity& o) const {
        return device == o.device && inode == o.inode && size == o.size &&
               modifiedSeconds == o.modifiedSeconds &&
               modifiedNanoseconds == o.modifiedNanoseconds && changedSeconds == o.changedSeconds &&
               changedNanoseconds == o.changedNanoseconds;
    }
    bool operator!=(const FileIdentity& o) const { return !(*this == o); }
};

// The identity of the file at path (following symbolic links), or false with errno set.
bool IdentityOf(const QString& path, FileIdentity& identity);

// A file that could not be read, with the system's error number.
class FileReadError : public RuleFileError {
  public:
    FileReadError(const std::string& what, int error) : RuleFileError(what), error_(error) {}
    int Error() const { return error_; }

  private:
    int error_;
};

// A file that another descriptor has open for writing: a read now may find part of the
// new text and part of the old.
class FileBeingWritten : public FileReadError {
  public:
    explicit FileBeingWritten(const std::string& what) : FileReadError(what, EAGAIN) {}
};

// Throw FileReadError when the file cannot be read. identity, when given, receives the
// identity of the file as it was opened, and the read is then refused with
// FileBeingWritten while someone has the file open for writing.
RuleFileText ReadRuleFile(const QString& path, FileIdentity* identity = nullptr);
QStringList ReadDictionaryLines(const QString& path, FileIdentity* identity = nullptr);

struct EntryView {
    QStringView source;
    QStringView target;
};

// One rule line, its lists not expanded: a line with a list of neighbours, or with
// lists of left and right contexts, stands for one rule per neighbour (per pair of
// contexts), all with the same kind, X and Y and next to each other in the rule list.
// Such a run of rules fires exactly when one of them does, so the conversion tests the
// lists in place, and a long list costs its length rather than a rule per element (or
// per pair of elements, which could be more than any memory holds).
enum class Lists : unsigned char {
    None,        // a single rule
    Neighbours,  // e is a ","-separated list
    Contexts,    // left and right are ","-separated lists
};

struct RuleView {
    RuleKind kind = RuleKind::Never;
    Lists lists = Lists::None;
    QStringView x;
    QStringView y;
    QStringView e;
    QStringView left;
    QStringView right;
};

// Calls f for each element of a ","-separated list, as written, until f returns true;
// returns whether one did. An empty list has one empty element and a trailing comma
// adds an empty one.
template <typename F>
bool AnyElement(QStringView list, F f) {
    // Lists are short: a plain walk beats a library search per element.
    const char16_t* units = list.utf16();
    const qsizetype size = list.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (units[i] == u',') {
            if (f(QStringView(units + start, i - start)))
                return true;
            start = i + 1;
        }
    }
    return f(QStringView(units + start, size - start));
}

// The views point into the lines, which must outlive them. ParseRuleViews leaves out
// the rules that can never fire unless keepNever is set.
std::vector<EntryView> ParseTableViews(const std::vector<QStringView>& lines);
std::vector<RuleView> ParseRuleViews(const std::vector<QStringView>& lines, bool keepNever = false);

// Groups of item numbers by first character, each group in ascending item order.
// Characters share a slot when their hashes collide; the walk checks the character.
class FirstCharIndex {
  public:
    static constexpr int kBits = 8;
    static constexpr size_t kSlots = size_t{1} << kBits;

    static uint32_t Slot(char16_t c) { return (uint32_t{c} * 2654435761u) >> (32 - kBits); }

    // first(i) gives the first character of item i, or 0 for an item left out.
    template <typename FirstOf>
    void Build(size_t count, FirstOf first) {
        // Count per slot, turn the counts into slot ends, then fill back to front so
        // that each slot end moves down to the slot's start and items keep their order.
        start_.fill(0);
        for (size_t i = 0; i < count; ++i) {
            if (const char16_t c = first(i))
                ++start_[Slot(c)];
        }
        for (size_t s = 1; s < kSlots; ++s)
            start_[s] += start_[s - 1];
        start_[kSlots] = start_[kSlots - 1];
        items_.resize(start_[kSlots]);
        for (size_t i = count; i-- > 0;) {
            if (const char16_t c = first(i))
                items_[--start_[Slot(c)]] = static_cast<uint32_t>(i);
        }
    }
    const uint32_t* Begin(char16_t c) const { return items_.data() + start_[Slot(c)]; }
    const uint32_t* End(char16_t c) const { return items_.data() + start_[Slot(c) + 1]; }

  private:
    std::array<uint32_t, kSlots + 1> start_{};
    std::vector<uint32_t> items_;
};

// The rules by pattern: a trie over their X, each node listing, in ascending order, the
// rules whose X ends there. The rules that can fire at a position are those listed on
// the path the text from there spells, so finding the first that fires costs the
// length of that path and the rules on it, however many rules there are. A rule that
// can never win is left out: one after an exact replacement of the same X (which
// always fires), and one of a kind without neighbours or contexts after another of the
// same kind and X (both fire at the same places).
class RuleTrie {
  public:
    static constexpr int kNone = -1;
    static constexpr int kRoot = 0;

    void Build(const std::vector<RuleView>& rules);

    // The node reached from node by unit, or kNone.
    int Child(int node, char16_t unit) const {
        if (node == kRoot && unit < kDirect)
            return rootChild_[unit];
        const Node& n = nodes_[size_t(node)];
        const Edge* begin = edges_.data() + n.edgesBegin;
        const Edge* end = edges_.data() + n.edgesEnd;
        // Nodes below the root have few children: a plain walk.
        for (const Edge* e = begin; e != end; ++e) {
            if (e->unit == unit)
                return e->node;
        }
        return kNone;
    }
    const uint32_t* RulesBegin(int node) const {
        return rules_.data() + nodes_[size_t(node)].rulesBegin;
    }
    const uint32_t* RulesEnd(int node) const {
        return rules_.data() + nodes_[size_t(node)].rulesEnd;
    }

  private:
    static constexpr char16_t kDirect = 0x500;  // the root's children below this by table

    struct Building;
    // The rules that can fire, as a trie of nodes with children lists of their own.
    static std::vector<Building> Gather(const std::vector<RuleView>& rules);
    // Lays the built trie out flat, children sorted.
    void LayOut(std::vector<Building>& building);

    struct Node {
        uint32_t edgesBegin = 0;
        uint32_t edgesEnd = 0;
        uint32_t rulesBegin = 0;
        uint32_t rulesEnd = 0;
    };
    struct Edge {
        char16_t unit;
        int node;
    };

    std::vector<Node> nodes_;
    std::vector<Edge> edges_;
    std::vector<uint32_t> rules_;
    std::vector<int> rootChild_;
};

// A letter table and a rule list made ready for converting any number of texts: the
// table's index by first character and the rules' trie are built once. The views must
// outlive it.
class Conversion {
  public:
    Conversion(std::vector<EntryView> table, std::vector<RuleView> rules);

    // Throws std::length_error when the converted text would grow beyond
    // MaxTextLength(text.size()).
    QString Run(QStringView text) const;

    const std::vector<EntryView>& Table() const { return table_; }
    const std::vector<RuleView>& Rules() const { return rules_; }
    const FirstCharIndex& TableIndex() const { return tableIndex_; }
    const RuleTrie& Trie() const { return trie_; }

  private:
    std::vector<EntryView> table_;
    std::vector<RuleView> rules_;
    FirstCharIndex tableIndex_;
    RuleTrie trie_;
};

}  // namespace translit::detail
