// The conversion of a text by a letter table and a list of context rules.
//
// The rules are tried in list order at every position and the first that fires wins;
// when none fires, the first table entry (longest source first) whose source the rest
// of the text starts with. Every rule kind consumes its pattern X from the current
// position, so a rule can only fire where the text goes on with X: a trie over the
// patterns gives exactly those rules. Table entries are grouped by the first character
// of their source, each group keeping list order: walking one group finds exactly the
// entry the walk over the whole table would find.
#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "translit/case_units.h"
#include "translit/rule_lines.h"
#include "translit/rule_tables.h"

namespace translit {
namespace {

constexpr char16_t kSpace = u' ';

const char16_t* Units(QStringView s) {
    return s.utf16();
}

// The text being produced, in a buffer grown by doubling.
class Output {
  public:
    explicit Output(qsizetype expected) : text_(expected, Qt::Uninitialized) {
        data_ = reinterpret_cast<char16_t*>(text_.data());
    }
    void Append(QStringView s) {
        const qsizetype n = s.size();
        Reserve(n);
        const char16_t* from = s.utf16();
        for (qsizetype i = 0; i < n; ++i)
            data_[size_ + i] = from[i];
        size_ += n;
    }
    void Append(char16_t c) {
        Reserve(1);
        data_[size_++] = c;
    }
    qsizetype Size() const { return size_; }
    char16_t* Data() { return data_; }
    QString Take() {
        text_.truncate(size_);
        return std::move(text_);
    }

  private:
    void Reserve(qsizetype n) {
        if (size_ + n <= text_.size())
            return;
        text_.resize(std::max(text_.size() * 2, size_ + n));
        data_ = reinterpret_cast<char16_t*>(text_.data());
    }

    QString text_;
    char16_t* data_ = nullptr;
    qsizetype size_ = 0;
};

// Whether f holds for one of the rule's neighbours (resp. left or right contexts): a
// rule has one of each, or a list of them.
template <typename F>
bool AnyNeighbour(const detail::RuleView& r, F f) {
    return r.lists == detail::Lists::Neighbours ? detail::AnyElement(r.e, f) : f(r.e);
}
template <typename F>
bool AnyLeft(const detail::RuleView& r, F f) {
    return r.lists == detail::Lists::Contexts ? detail::AnyElement(r.left, f) : f(r.left);
}
template <typename F>
bool AnyRight(const detail::RuleView& r, F f) {
    return r.lists == detail::Lists::Contexts ? detail::AnyElement(r.right, f) : f(r.right);
}

using detail::EntryView;
using detail::RuleView;

// One conversion of one text by a prepared letter table and rule list.
class Converter {
  public:
    Converter(QStringView text, const detail::Conversion& conversion)
        : text_(text),
          table_(conversion.Table()),
          rules_(conversion.Rules()),
          tableIndex_(conversion.TableIndex()),
          trie_(conversion.Trie()) {
        const qsizetype n = text.size();
        lower_.resize(n);
        const char16_t* src = Units(text);
        char16_t* dst = reinterpret_cast<char16_t*>(lower_.data());
        for (qsizetype i = 0; i < n; ++i)
            dst[i] = LowerUnit(src[i]);
        w_ = lower_.constData() ? Units(lower_) : u"";
        length_ = n;
    }

    QString Run() {
        const qsizetype limit = MaxTextLength(length_);
        Output out(std::min(limit, length_ + length_ / 2 + 16));
        const char16_t* original = Units(text_);
        qsizetype c = 0;
        bool previousIsSpace = false;
        while (c < length_) {
            const char16_t ch = w_[c];
            const bool capital = original[c] != ch;
            if (const RuleView* rule = FiringRule(c, previousIsSpace)) {
                if (capital)
                    out.Append(rule->y.toString().toUpper());
                else
                    out.Append(rule->y);
                previousIsSpace = rule->y.size() == 1 && rule->y.at(0) == QChar(kSpace);
                c += rule->x.size();
                CheckLength(out, limit);
                continue;
            }
            const EntryView* entry = MatchingEntry(c);
            if (!entry) {
                out.Append(original[c]);
                previousIsSpace = original[c] == kSpace;
                ++c;
                continue;
            }
            const qsizetype at = out.Size();
            out.Append(entry->target);
            if (capital && !entry->target.isEmpty())
                CapitaliseAt(out.Data() + at, out.Size() - at);
            previousIsSpace = out.Size() - at == 1 && out.Data()[at] == kSpace;
            c += entry->source.size();
            CheckLength(out, limit);
        }
        return out.Take();
    }

  private:
    static void CheckLength(const Output& out, qsizetype limit) {
        if (out.Size() > limit)
            throw std::length_error("converted text longer than " + std::to_string(limit));
    }

    // Whether the text of w from position pos (0-based, may be out of range) is s.
    bool At(qsizetype pos, QStringView s) const {
        const qsizetype n = s.size();
        if (pos < 0 || pos + n > length_)
            return false;
        const char16_t* a = w_ + pos;
        const char16_t* b = Units(s);
        for (qsizetype i = 0; i < n; ++i) {
            if (a[i] != b[i])
                return false;
        }
        return true;
    }
    bool SpaceAt(qsizetype pos) const { return pos >= 0 && pos < length_ && w_[pos] == kSpace; }

    // Whether r fires at c, where the text goes on with r.x.
    bool Fires(const RuleView& r, qsizetype c, bool previousIsSpace) const {
        const qsizetype lenX = r.x.size();
        const qsizetype after = c + lenX;
        const bool restIsX = after == length_;
        const bool wordStart = c == 0 || previousIsSpace;
        const auto before = [&](QStringView s) { return At(c - s.size(), s); };
        const auto following = [&](QStringView s) { return At(after, s); };
        switch (r.kind) {
            case RuleKind::StandAloneWord:
                if (c == 0)
                    return restIsX || SpaceAt(after);
                return SpaceAt(c - 1) && (restIsX || SpaceAt(after));
            case RuleKind::ExactReplacement:
                return true;
            case RuleKind::Between:
                return AnyLeft(r, before) && AnyRight(r, following);
            case RuleKind::WordStartWithNeighbour:
                return wordStart && AnyNeighbour(r, following);
            case RuleKind::WordStart:
                return wordStart;
            case RuleKind::WordMiddle:
                return c != 0 && !restIsX && !SpaceAt(after) && !previousIsSpace;
            case RuleKind::WordEndWithNeighbour:
                return (restIsX || SpaceAt(after)) && AnyNeighbour(r, before);
            case RuleKind::WordEnd:
                return restIsX || SpaceAt(after);
            case RuleKind::FollowedBy:
                return AnyNeighbour(r, following);
            case RuleKind::PrecededBy:
                return AnyNeighbour(r, before);
            case RuleKind::Never:
                return false;
        }
        return false;
    }

    // The first rule in list order that fires at c: of the rules on the trie path the
    // text from c spells, each node's list is walked only up to the best rule so far.
    const RuleView* FiringRule(qsizetype c, bool previousIsSpace) const {
        uint32_t best = UINT32_MAX;
        int node = detail::RuleTrie::kRoot;
        for (qsizetype p = c; p < length_; ++p) {
            node = trie_.Child(node, w_[p]);
            if (node == detail::RuleTrie::kNone)
                break;
            for (const uint32_t *i = trie_.RulesBegin(node), *end = trie_.RulesEnd(node);
                 i != end && *i < best; ++i) {
                if (Fires(rules_[*i], c, previousIsSpace)) {
                    best = *i;
                    break;
                }
            }
        }
        return best == UINT32_MAX ? nullptr : &rules_[best];
    }

    const EntryView* MatchingEntry(qsizetype c) const {
        const char16_t ch = w_[c];
        for (const uint32_t *i = tableIndex_.Begin(ch), *end = tableIndex_.End(ch); i != end; ++i) {
            const EntryView& e = table_[*i];
            if (e.source.at(0).unicode() == ch && At(c, e.source))
                return &e;
        }
        return nullptr;
    }

    // Upper-cases the first character of piece (a surrogate pair counts as one).
    static void CapitaliseAt(char16_t* piece, qsizetype size) {
        const QChar first(piece[0]);
        if (first.isHighSurrogate() && size > 1 && QChar(piece[1]).isLowSurrogate()) {
            const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(piece[0], piece[1]));
            if (QChar::requiresSurrogates(upper)) {
                piece[0] = QChar::highSurrogate(upper);
                piece[1] = QChar::lowSurrogate(upper);
            }
            return;
        }
        piece[0] = UpperUnit(piece[0]);
    }

    QStringView text_;
    const std::vector<EntryView>& table_;
    const std::vector<RuleView>& rules_;
    const detail::FirstCharIndex& tableIndex_;
    const detail::RuleTrie& trie_;
    QString lower_;
    const char16_t* w_ = nullptr;
    qsizetype length_ = 0;
};

}  // namespace

qsizetype MaxTextLength(qsizetype inputLength) {
    constexpr qsizetype kFloor = 16 * 1024 * 1024;
    return std::max(kFloor, 4 * inputLength);
}

QString Convert(const QString& text, const LetterTable& table, const ExceptionRules& rules) {
    if (text.isEmpty())
        return {};
    // Views into the loaded structures: one rule per structure, no lists.
    std::vector<EntryView> tableViews;
    tableViews.reserve(table.size());
    for (const LetterEntry& entry : table)
        tableViews.push_back({entry.source, entry.target});
    std::vector<RuleView> ruleViews;
    ruleViews.reserve(rules.size());
    for (const ExceptionRule& rule : rules)
        ruleViews.push_back(
            {rule.kind, detail::Lists::None, rule.x, rule.y, rule.e, rule.left, rule.right});
    return detail::Conversion(std::move(tableViews), std::move(ruleViews)).Run(text);
}

namespace detail {

Conversion::Conversion(std::vector<EntryView> table, std::vector<RuleView> rules)
    : table_(std::move(table)), rules_(std::move(rules)) {
    trie_.Build(rules_);
    // An entry with an empty source matches anything and gives the same piece as no
    // match at all, so entries after it never matter.
    size_t usable = 0;
    while (usable < table_.size() && !table_[usable].source.isEmpty())
        ++usable;
    tableIndex_.Build(usable, [&](size_t i) { return table_[i].source.at(0).unicode(); });
}

// A node while the trie is built, with a list of children of its own.
struct RuleTrie::Building {
    std::vector<Edge> children;
    std::vector<uint32_t> rules;
    bool exact = false;       // an exact replacement ends here: nothing after it can win
    uint32_t plainKinds = 0;  // kinds without neighbours or contexts already listed
};

void RuleTrie::Build(const std::vector<RuleView>& rules) {
    // Built with a list of children per node, then laid out flat.
    std::vector<Building> building = Gather(rules);
    LayOut(building);
}

std::vector<RuleTrie::Building> RuleTrie::Gather(const std::vector<RuleView>& rules) {
    std::vector<Building> building(1);
    for (size_t i = 0; i < rules.size(); ++i) {
        const RuleView& r = rules[i];
        if (r.kind == RuleKind::Never || r.x.isEmpty())
            continue;  // an empty pattern never fires
        int node = kRoot;
        for (const QChar ch : r.x) {
            const char16_t unit = ch.unicode();
            int next = kNone;
            for (const Edge& e : building[size_t(node)].children) {
                if (e.unit == unit) {
                    next = e.node;
                    break;
                }
            }
            if (next == kNone) {
                next = static_cast<int>(building.size());
                building[size_t(node)].children.push_back({unit, next});
                building.emplace_back();
            }
            node = next;
        }
        Building& b = building[size_t(node)];
        if (b.exact)
            continue;
        const bool plain = r.kind == RuleKind::StandAloneWord ||
                           r.kind == RuleKind::ExactReplacement || r.kind == RuleKind::WordStart ||
                           r.kind == RuleKind::WordMiddle || r.kind == RuleKind::WordEnd;
        const uint32_t bit = uint32_t{1} << static_cast<unsigned>(r.kind);
        if (plain && (b.plainKinds & bit))
            continue;
        if (plain)
            b.plainKinds |= bit;
        b.exact = r.kind == RuleKind::ExactReplacement;
        b.rules.push_back(static_cast<uint32_t>(i));
    }
    return building;
}

void RuleTrie::LayOut(std::vector<Building>& building) {
    nodes_.assign(building.size(), Node{});
    edges_.clear();
    rules_.clear();
    for (size_t n = 0; n < building.size(); ++n) {
        Building& b = building[n];
        std::sort(b.children.begin(), b.children.end(),
                  [](const Edge& a, const Edge& c) { return a.unit < c.unit; });
        nodes_[n].edgesBegin = static_cast<uint32_t>(edges_.size());
        edges_.insert(edges_.end(), b.children.begin(), b.children.end());
        nodes_[n].edgesEnd = static_cast<uint32_t>(edges_.size());
        nodes_[n].rulesBegin = static_cast<uint32_t>(rules_.size());
        rules_.insert(rules_.end(), b.rules.begin(), b.rules.end());
        nodes_[n].rulesEnd = static_cast<uint32_t>(rules_.size());
    }
    rootChild_.assign(kDirect, kNone);
    for (const Edge& e : building[0].children) {
        if (e.unit < kDirect)
            rootChild_[e.unit] = e.node;
    }
}

QString Conversion::Run(QStringView text) const {
    if (text.isEmpty())
        return {};
    return Converter(text, *this).Run();
}

}  // namespace detail
}  // namespace translit
