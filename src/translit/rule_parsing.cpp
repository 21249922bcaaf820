// Turning the lines of a table file and of an exception file into the letter table
// and the list of context rules, and loading both from a language folder.
#include <algorithm>
#include <string>

#include "translit/rule_lines.h"
#include "translit/rule_tables.h"

namespace translit {
namespace {

constexpr char16_t kBar = u'|';

// Lengths of the fixed phrases between the fields of a rule line. The fields are cut
// by these lengths, not by the letters of the phrases.
constexpr qsizetype kNeighbourPhrase = 16;  // " и после стоит |", " и перед стоит |"
constexpr qsizetype kShortPhrase = 8;  // " стоит |", " меняем "

// Cuts the fields out of a rule line: the line loses its prefix up to and including
// the first '|' and its last character, then the fields are read left to right.
class FieldReader {
  public:
    explicit FieldReader(QStringView line) {
        body_ = line.mid(line.indexOf(kBar) + 1);
        body_.chop(1);
    }
    // The text up to the next '|', which is passed; empty when no '|' closes it.
    QStringView Next() {
        const qsizetype bar = body_.indexOf(kBar, pos_);
        if (bar < 0) {
            pos_ = body_.size();
            return {};
        }
        const QStringView field = body_.mid(pos_, bar - pos_);
        pos_ = bar + 1;
        return field;
    }
    void Skip(qsizetype n) { pos_ = std::min(pos_ + n, body_.size()); }
    QStringView Rest() const { return body_.mid(pos_); }
    // Everything after the next '|'; empty when there is none.
    QStringView AfterNextBar() const {
        const qsizetype bar = body_.indexOf(kBar, pos_);
        return bar < 0 ? QStringView() : body_.mid(bar + 1);
    }

  private:
    QStringView body_;
    qsizetype pos_ = 0;
};

detail::RuleView PlainRule(RuleKind kind, QStringView line) {
    FieldReader fields(line);
    detail::RuleView rule;
    rule.kind = kind;
    rule.x = fields.Next();
    rule.y = fields.Rest();
    return rule;
}

detail::RuleView NeighbourRule(RuleKind kind, QStringView line, qsizetype phraseLength) {
    FieldReader fields(line);
    detail::RuleView rule;
    rule.kind = kind;
    rule.lists = detail::Lists::Neighbours;
    rule.x = fields.Next();
    fields.Skip(phraseLength);
    rule.e = fields.Next();
    fields.Skip(kShortPhrase);
    rule.y = fields.AfterNextBar();
    return rule;
}

detail::RuleView BetweenRule(QStringView line) {
    FieldReader fields(line);
    const QStringView contexts = fields.Next();
    fields.Skip(kShortPhrase);
    detail::RuleView rule;
    rule.kind = RuleKind::Between;
    rule.lists = detail::Lists::Contexts;
    rule.x = fields.Next();
    fields.Skip(kShortPhrase);
    rule.y = fields.AfterNextBar();
    // Without a "-" the left list is a single empty context (an empty list has one
    // empty element) and the right list is all of it.
    const qsizetype dash = contexts.indexOf(u'-');
    rule.left = dash < 0 ? QStringView() : contexts.left(dash);
    rule.right = dash < 0 ? contexts : contexts.mid(dash + 1);
    return rule;
}

detail::RuleView ParseRuleLine(QStringView line) {
    const char16_t first = line.isEmpty() ? u'\0' : line.front().unicode();
    auto startsWith = [&](const char16_t* phrase) { return line.startsWith(QStringView(phrase)); };

    if (first == u'Т' || first == u'О') {
        RuleKind kind = RuleKind::Never;
        if (startsWith(u"Точная замена"))
            kind = RuleKind::ExactReplacement;
        else if (startsWith(u"Отдельно стоящее"))
            kind = RuleKind::StandAloneWord;
        return PlainRule(kind, line);
    }
    if (first == u'В') {
        const bool withNeighbour = line.contains(QStringView(u"и после стоит")) ||
                                   line.contains(QStringView(u"и перед стоит"));
        if (withNeighbour) {
            RuleKind kind = RuleKind::Never;
            if (startsWith(u"В начале"))
                kind = RuleKind::WordStartWithNeighbour;
            else if (startsWith(u"В конце"))
                kind = RuleKind::WordEndWithNeighbour;
            return NeighbourRule(kind, line, kNeighbourPhrase);
        }
        RuleKind kind = RuleKind::Never;
        if (startsWith(u"В начале"))
            kind = RuleKind::WordStart;
        else if (startsWith(u"В середине"))
            kind = RuleKind::WordMiddle;
        else if (startsWith(u"В конце"))
            kind = RuleKind::WordEnd;
        return PlainRule(kind, line);
    }
    if (startsWith(u"Если между |"))
        return BetweenRule(line);
    const QStringView head = line.left(11);
    RuleKind kind = RuleKind::Never;
    if (head == QStringView(u"Если после "))
        kind = RuleKind::FollowedBy;
    else if (head == QStringView(u"Если перед "))
        kind = RuleKind::PrecededBy;
    if (kind == RuleKind::Never) {
        // A line of no known shape (an empty line, a comment): a rule that never fires.
        return detail::RuleView{};
    }
    return NeighbourRule(kind, line, kShortPhrase);
}

QString LanguageFolder(const QString& language) {
    return GetTransliterationDir() + language + QLatin1Char('/');
}

}  // namespace

namespace detail {

std::vector<EntryView> ParseTableViews(const std::vector<QStringView>& lines) {
    std::vector<EntryView> table;
    table.reserve(lines.size());
    for (QStringView line : lines) {
        const qsizetype bar = line.indexOf(kBar);
        if (bar < 0)
            table.push_back({QStringView(), line});
        else
            table.push_back({line.left(bar), line.mid(bar + 1)});
    }
    std::stable_sort(table.begin(), table.end(), [](const EntryView& a, const EntryView& b) {
        return a.source.size() > b.source.size();
    });
    return table;
}

std::vector<RuleView> ParseRuleViews(const std::vector<QStringView>& lines, bool keepNever) {
    std::vector<RuleView> rules;
    for (QStringView line : lines) {
        RuleView rule = ParseRuleLine(line);
        // A rule that cannot fire: its kind never does, or its pattern is empty and it
        // would consume nothing.
        const bool never = rule.kind == RuleKind::Never || rule.x.isEmpty();
        if (!never || keepNever)
            rules.push_back(rule);
    }
    return rules;
}

}  // namespace detail

LetterTable ParseLetterTable(const QStringList& lines) {
    const std::vector<QStringView> views(lines.begin(), lines.end());
    LetterTable table;
    for (const detail::EntryView& entry : detail::ParseTableViews(views))
        table.push_back({entry.source.toString(), entry.target.toString()});
    return table;
}

ExceptionRules ParseExceptionRules(const QStringList& lines) {
    const std::vector<QStringView> views(lines.begin(), lines.end());
    const std::vector<detail::RuleView> parsed = detail::ParseRuleViews(views, true);

    // Count first, so that an expansion beyond the limit allocates nothing.
    auto elements = [](QStringView list) { return size_t(list.count(u',')) + 1; };
    size_t total = 0;
    for (const detail::RuleView& rule : parsed) {
        size_t count = 1;
        if (rule.lists == detail::Lists::Neighbours) {
            count = elements(rule.e);
        } else if (rule.lists == detail::Lists::Contexts) {
            const size_t left = elements(rule.left);
            const size_t right = elements(rule.right);
            count = left > kMaxExpandedRules / right ? kMaxExpandedRules + 1 : left * right;
        }
        total += std::min(count, kMaxExpandedRules + 1);
        if (total > kMaxExpandedRules)
            throw RuleFileError("exception rules expand to more than " +
                                std::to_string(kMaxExpandedRules) + " rules");
    }

    ExceptionRules rules;
    rules.reserve(total);
    auto add = [&](const detail::RuleView& rule, QStringView e, QStringView left,
                   QStringView right) {
        rules.push_back({rule.kind, rule.x.toString(), rule.y.toString(), e.toString(),
                         left.toString(), right.toString()});
        return false;
    };
    for (const detail::RuleView& rule : parsed) {
        switch (rule.lists) {
            case detail::Lists::None:
                add(rule, rule.e, rule.left, rule.right);
                break;
            case detail::Lists::Neighbours:
                detail::AnyElement(rule.e, [&](QStringView e) { return add(rule, e, {}, {}); });
                break;
            case detail::Lists::Contexts:
                detail::AnyElement(rule.left, [&](QStringView left) {
                    return detail::AnyElement(
                        rule.right, [&](QStringView right) { return add(rule, {}, left, right); });
                });
                break;
        }
    }
    return rules;
}

LetterTable LoadLetterTable(const QString& language) {
    return ParseLetterTable(
        ReadRuleFileLines(LanguageFolder(language) + language + QStringLiteral(".dat")));
}

ExceptionRules LoadExceptionRules(const QString& language) {
    return ParseExceptionRules(
        ReadRuleFileLines(LanguageFolder(language) + QStringLiteral("exception.dat")));
}

}  // namespace translit
