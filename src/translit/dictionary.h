// Internal to the engine: a dictionary made ready for many texts. Its sources are
// split, trimmed and upper-cased once, and an automaton over all of them finds, in one
// pass over a text, the first pair that has anything to replace.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <utility>
#include <vector>

namespace translit::detail {

// Leading and trailing spaces and control characters (every code unit up to U+0020).
QStringView TrimBlanks(QStringView s);

// QChar::toUpper code unit by code unit, so that positions stay those of the original.
void AppendUpperUnits(QStringView s, QString& out);

class CompiledDictionary {
  public:
    // One pair per line holding ';': the source before the first ';', the target from at
    // most the 1000 code units after it, both trimmed; lines are trimmed first. Lines
    // without ';' and pairs with an empty source replace nothing and are left out.
    explicit CompiledDictionary(const QStringList& lines);

    bool Empty() const { return pairs_.empty(); }

    // Applies the pairs in order to text: each replaces every occurrence of its source,
    // compared on upper-cased code units, left to right, resuming after each inserted
    // target, and later pairs see earlier targets. This is the same as applying the
    // pairs one after another; pairs that occur nowhere in the current text are skipped
    // without a pass of their own. Returns false when a replacement would make the text
    // longer than limit: text then holds what the pairs before that one made.
    bool Apply(QString& text, qsizetype limit) const;

  private:
    struct Pair {
        QString source;  // upper-cased
        QString target;
    };
    struct Node {
        int fail = 0;
        int outputLink = -1;  // nearest node on the fail chain that ends a source
        int edgesBegin = 0;
        int edgesEnd = 0;
        int patternsBegin = 0;  // pair numbers ending here, ascending
        int patternsEnd = 0;
    };
    struct Edge {
        char16_t unit;
        int node;
    };

    void Build();
    // The trie of the sources as sorted edge runs, and the root's direct table.
    void BuildTrie();
    // The fail and output links of every node.
    void LinkFailures();
    // The full transition table, when it stays small enough.
    void BuildTable();
    int Next(int node, char16_t unit) const;
    int Child(int node, char16_t unit) const;
    // The smallest pair number from first on whose source occurs in upper, or -1.
    int FirstOccurring(QStringView upper, int first) const;

    std::vector<Pair> pairs_;
    std::vector<Node> nodes_;
    std::vector<Edge> edges_;
    std::vector<int> patterns_;
    std::vector<int> rootChild_;  // direct table for the root's children, by code unit < 0x500

    // The automaton as a full transition table over classes of code units (the units of
    // the sources, one class each; every other unit is class 0 and leads to the root),
    // when that table is small enough; otherwise transitions follow fail links.
    int Class(char16_t unit) const;
    std::vector<uint16_t> lowClass_;                        // by code unit < 0x500
    std::vector<std::pair<char16_t, uint16_t>> highClass_;  // sorted by code unit
    int classes_ = 0;
    std::vector<int> table_;  // node * classes_ + class
};

}  // namespace translit::detail
