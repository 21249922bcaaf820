// The conversion of a text by a letter table and a list of context rules.
//
// The rules are tried in list order at every position and the first that fires wins;
// when none fires, the first table entry (longest source first) whose source the rest
// of the text starts with. Every rule kind consumes its pattern X from the current
// position, so a rule can only fire where the next character equals the first
// character of X. Rules and table entries are therefore grouped by that character,
// each group keeping list order: walking one group finds exactly the entry the walk
// over the whole list would find.
#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "translit/rule_lines.h"
#include "translit/translit.h"

namespace translit {
namespace {

constexpr char16_t kSpace = u' ';

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
    std::array<uint32_t, kSlots + 1> start_;
    std::vector<uint32_t> items_;
};

const char16_t* Units(QStringView s) {
    return s.utf16();
}

// QChar::toLower, answered inline for ASCII and the basic Cyrillic block.
inline char16_t LowerUnit(char16_t c) {
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
    if (c >= 0x0410 && c <= 0x042F)
        return char16_t(c + 0x20);
    if (c >= 0x0430 && c <= 0x045F)
        return c;
    if (c >= 0x0400 && c <= 0x040F)
        return char16_t(c + 0x50);
    return QChar::toLower(c);
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
// loaded rule has one of each, a rule view may have a list of them.
template <typename F>
bool AnyNeighbour(const ExceptionRule& r, F f) {
    return f(QStringView(r.e));
}
template <typename F>
bool AnyLeft(const ExceptionRule& r, F f) {
    return f(QStringView(r.left));
}
template <typename F>
bool AnyRight(const ExceptionRule& r, F f) {
    return f(QStringView(r.right));
}
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

// Entry is LetterEntry or detail::EntryView, Rule is ExceptionRule or detail::RuleView:
// the same conversion runs on loaded structures and on views into rule files.
template <typename Entry, typename Rule>
class Converter {
  public:
    Converter(const QString& text, const std::vector<Entry>& table, const std::vector<Rule>& rules)
        : text_(text), table_(table), rules_(rules) {
        const qsizetype n = text.size();
        lower_.resize(n);
        const char16_t* src = Units(text);
        char16_t* dst = reinterpret_cast<char16_t*>(lower_.data());
        for (qsizetype i = 0; i < n; ++i)
            dst[i] = LowerUnit(src[i]);
        w_ = lower_.constData() ? Units(lower_) : u"";
        length_ = n;

        ruleIndex_.Build(rules.size(), [&](size_t i) -> char16_t {
            const Rule& r = rules[i];
            return r.kind == RuleKind::Never || r.x.isEmpty() ? 0 : r.x.at(0).unicode();
        });
        // An entry with an empty source matches anything and gives the same piece as no
        // match at all, so entries after it never matter.
        size_t usable = 0;
        while (usable < table.size() && !table[usable].source.isEmpty())
            ++usable;
        tableIndex_.Build(usable, [&](size_t i) { return table[i].source.at(0).unicode(); });
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
            if (const Rule* rule = FiringRule(c, previousIsSpace)) {
                if (capital)
                    out.Append(QStringView(rule->y).toString().toUpper());
                else
                    out.Append(rule->y);
                previousIsSpace = rule->y.size() == 1 && rule->y.at(0) == QChar(kSpace);
                c += rule->x.size();
                CheckLength(out, limit);
                continue;
            }
            const Entry* entry = MatchingEntry(c);
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

    bool Fires(const Rule& r, qsizetype c, bool previousIsSpace) const {
        const qsizetype lenX = r.x.size();
        if (!At(c, r.x))
            return false;  // every kind consumes X from here
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

    const Rule* FiringRule(qsizetype c, bool previousIsSpace) const {
        const char16_t ch = w_[c];
        for (const uint32_t *i = ruleIndex_.Begin(ch), *end = ruleIndex_.End(ch); i != end; ++i) {
            const Rule& r = rules_[*i];
            if (r.x.at(0).unicode() == ch && Fires(r, c, previousIsSpace))
                return &r;
        }
        return nullptr;
    }

    const Entry* MatchingEntry(qsizetype c) const {
        const char16_t ch = w_[c];
        for (const uint32_t *i = tableIndex_.Begin(ch), *end = tableIndex_.End(ch); i != end; ++i) {
            const Entry& e = table_[*i];
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
        piece[0] = first.toUpper().unicode();
    }

    const QString& text_;
    const std::vector<Entry>& table_;
    const std::vector<Rule>& rules_;
    QString lower_;
    const char16_t* w_ = nullptr;
    qsizetype length_ = 0;
    FirstCharIndex ruleIndex_;
    FirstCharIndex tableIndex_;
};

}  // namespace

qsizetype MaxTextLength(qsizetype inputLength) {
    constexpr qsizetype kFloor = 16 * 1024 * 1024;
    return std::max(kFloor, 4 * inputLength);
}

QString Convert(const QString& text, const LetterTable& table, const ExceptionRules& rules) {
    if (text.isEmpty())
        return {};
    return Converter<LetterEntry, ExceptionRule>(text, table, rules).Run();
}

namespace detail {

QString ConvertViews(const QString& text, const std::vector<EntryView>& table,
                     const std::vector<RuleView>& rules) {
    if (text.isEmpty())
        return {};
    return Converter<EntryView, RuleView>(text, table, rules).Run();
}

}  // namespace detail
}  // namespace translit
