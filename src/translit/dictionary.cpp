// The compiled dictionary: an Aho–Corasick automaton over the upper-cased sources.
//
// Applying pairs one after another is kept exactly: the automaton only tells which pair
// is the next one with anything to replace in the current text, so the pairs in
// between, which would leave the text as it is, cost nothing. After a pair replaced
// something the text has changed (its targets may hold later sources, or join pieces
// into one), so the search for the next pair runs over the new text.
#include "translit/dictionary.h"

#include <algorithm>
#include <deque>

#include "translit/case_units.h"

namespace translit::detail {
namespace {

constexpr qsizetype kMaxTargetLength = 1000;
constexpr char16_t kRootTableSize = 0x500;  // ASCII, Latin-1 and Cyrillic code units

}  // namespace

QStringView TrimBlanks(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && s.at(end - 1).unicode() <= 0x20)
        --end;
    return s.mid(begin, end - begin);
}

void AppendUpperUnits(QStringView s, QString& out) {
    const qsizetype at = out.size();
    out.resize(at + s.size());
    char16_t* to = reinterpret_cast<char16_t*>(out.data()) + at;
    const char16_t* from = s.utf16();
    for (qsizetype i = 0; i < s.size(); ++i)
        to[i] = UpperUnit(from[i]);
}

CompiledDictionary::CompiledDictionary(const QStringList& lines) {
    for (const QString& line : lines) {
        const QStringView trimmed = TrimBlanks(line);
        const qsizetype semicolon = trimmed.indexOf(u';');
        if (semicolon < 0)
            continue;
        const QStringView source = TrimBlanks(trimmed.left(semicolon));
        if (source.isEmpty())
            continue;
        Pair pair;
        AppendUpperUnits(source, pair.source);
        pair.target = TrimBlanks(trimmed.mid(semicolon + 1, kMaxTargetLength)).toString();
        pairs_.push_back(std::move(pair));
    }
    Build();
}

int CompiledDictionary::Class(char16_t unit) const {
    if (unit < kRootTableSize)
        return lowClass_[unit];
    const auto found = std::lower_bound(
        highClass_.begin(), highClass_.end(), unit,
        [](const std::pair<char16_t, uint16_t>& e, char16_t u) { return e.first < u; });
    return found != highClass_.end() && found->first == unit ? found->second : 0;
}

int CompiledDictionary::Child(int node, char16_t unit) const {
    if (node == 0 && unit < kRootTableSize)
        return rootChild_[unit];
    const Node& n = nodes_[size_t(node)];
    const Edge* begin = edges_.data() + n.edgesBegin;
    const Edge* end = edges_.data() + n.edgesEnd;
    const Edge* found =
        std::lower_bound(begin, end, unit, [](const Edge& e, char16_t u) { return e.unit < u; });
    return found != end && found->unit == unit ? found->node : -1;
}

int CompiledDictionary::Next(int node, char16_t unit) const {
    for (;;) {
        const int child = Child(node, unit);
        if (child >= 0)
            return child;
        if (node == 0)
            return 0;
        node = nodes_[size_t(node)].fail;
    }
}

void CompiledDictionary::Build() {
    BuildTrie();
    LinkFailures();
    BuildTable();
}

void CompiledDictionary::BuildTrie() {
    // The trie, built with per-node edge lists, then flattened into sorted edge runs.
    struct BuildNode {
        std::vector<Edge> edges;
        std::vector<int> patterns;
    };
    std::vector<BuildNode> trie(1);
    for (size_t p = 0; p < pairs_.size(); ++p) {
        int node = 0;
        for (QChar c : pairs_[p].source) {
            std::vector<Edge>& edges = trie[size_t(node)].edges;
            auto found = std::find_if(edges.begin(), edges.end(),
                                      [&](const Edge& e) { return e.unit == c.unicode(); });
            if (found != edges.end()) {
                node = found->node;
            } else {
                const int added = int(trie.size());
                edges.push_back({c.unicode(), added});
                trie.emplace_back();
                node = added;
            }
        }
        trie[size_t(node)].patterns.push_back(int(p));
    }
    nodes_.assign(trie.size(), Node{});
    for (size_t i = 0; i < trie.size(); ++i) {
        std::vector<Edge>& edges = trie[i].edges;
        std::sort(edges.begin(), edges.end(),
                  [](const Edge& a, const Edge& b) { return a.unit < b.unit; });
        nodes_[i].edgesBegin = int(edges_.size());
        edges_.insert(edges_.end(), edges.begin(), edges.end());
        nodes_[i].edgesEnd = int(edges_.size());
        nodes_[i].patternsBegin = int(patterns_.size());
        patterns_.insert(patterns_.end(), trie[i].patterns.begin(), trie[i].patterns.end());
        nodes_[i].patternsEnd = int(patterns_.size());
    }
    rootChild_.assign(kRootTableSize, -1);
    for (int e = nodes_[0].edgesBegin; e < nodes_[0].edgesEnd; ++e) {
        if (edges_[size_t(e)].unit < kRootTableSize)
            rootChild_[edges_[size_t(e)].unit] = edges_[size_t(e)].node;
    }
}

void CompiledDictionary::LinkFailures() {
    // Fail and output links, breadth first.
    std::deque<int> queue;
    for (int e = nodes_[0].edgesBegin; e < nodes_[0].edgesEnd; ++e) {
        const int child = edges_[size_t(e)].node;
        nodes_[size_t(child)].fail = 0;
        queue.push_back(child);
    }
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop_front();
        for (int e = nodes_[size_t(node)].edgesBegin; e < nodes_[size_t(node)].edgesEnd; ++e) {
            const Edge edge = edges_[size_t(e)];
            const int fail = Next(nodes_[size_t(node)].fail, edge.unit);
            Node& child = nodes_[size_t(edge.node)];
            child.fail = fail;
            const Node& failNode = nodes_[size_t(fail)];
            child.outputLink =
                failNode.patternsBegin != failNode.patternsEnd ? fail : failNode.outputLink;
            queue.push_back(edge.node);
        }
    }
}

void CompiledDictionary::BuildTable() {
    // Classes of code units, then the full table when it stays within a few megabytes.
    std::vector<char16_t> units;
    for (const Edge& edge : edges_)
        units.push_back(edge.unit);
    std::sort(units.begin(), units.end());
    units.erase(std::unique(units.begin(), units.end()), units.end());
    constexpr size_t kMaxTableEntries = size_t{1} << 20;
    if (units.size() + 1 > 0xFFFF || nodes_.size() * (units.size() + 1) > kMaxTableEntries)
        return;
    classes_ = int(units.size()) + 1;
    lowClass_.assign(kRootTableSize, 0);
    for (size_t i = 0; i < units.size(); ++i) {
        const uint16_t cls = uint16_t(i + 1);
        if (units[i] < kRootTableSize)
            lowClass_[units[i]] = cls;
        else
            highClass_.push_back({units[i], cls});
    }
    table_.assign(nodes_.size() * size_t(classes_), 0);
    for (size_t node = 0; node < nodes_.size(); ++node) {
        for (size_t i = 0; i < units.size(); ++i)
            table_[node * size_t(classes_) + i + 1] = Next(int(node), units[i]);
    }
}

int CompiledDictionary::FirstOccurring(QStringView upper, int first) const {
    int best = -1;
    int node = 0;
    const bool table = !table_.empty();
    for (QChar c : upper) {
        node = table ? table_[size_t(node) * size_t(classes_) + size_t(Class(c.unicode()))]
                     : Next(node, c.unicode());
        const Node* n = &nodes_[size_t(node)];
        if (n->patternsBegin == n->patternsEnd) {
            if (n->outputLink < 0)
                continue;
            n = &nodes_[size_t(n->outputLink)];
        }
        for (;;) {
            const int* begin = patterns_.data() + n->patternsBegin;
            const int* end = patterns_.data() + n->patternsEnd;
            const int* at = std::lower_bound(begin, end, first);
            if (at != end && (best < 0 || *at < best)) {
                best = *at;
                if (best == first)
                    return best;  // nothing can come before the first pair asked for
            }
            if (n->outputLink < 0)
                break;
            n = &nodes_[size_t(n->outputLink)];
        }
    }
    return best;
}

bool CompiledDictionary::Apply(QString& text, qsizetype limit) const {
    if (pairs_.empty() || text.isEmpty())
        return true;
    QString upper;
    AppendUpperUnits(text, upper);
    int next = FirstOccurring(upper, 0);
    while (next >= 0) {
        const Pair& pair = pairs_[size_t(next)];
        const QStringView source = pair.source;
        QString out;
        QString outUpper;
        qsizetype from = 0;
        qsizetype found = QStringView(upper).indexOf(source);
        while (found >= 0) {
            if (out.size() + (found - from) + pair.target.size() > limit)
                return false;
            out += QStringView(text).mid(from, found - from);
            outUpper += QStringView(upper).mid(from, found - from);
            out += pair.target;
            AppendUpperUnits(pair.target, outUpper);
            from = found + source.size();
            found = QStringView(upper).indexOf(source, from);
        }
        out += QStringView(text).mid(from);
        outUpper += QStringView(upper).mid(from);
        text = std::move(out);
        upper = std::move(outUpper);
        if (size_t(next) + 1 >= pairs_.size())
            break;
        next = FirstOccurring(upper, next + 1);
    }
    return true;
}

}  // namespace translit::detail
