// Turning the lines of a table file and of an exception file into the letter table
// and the list of context rules, and loading both from a language folder.
#include <algorithm>

#include "translit/rule_lines.h"
#include "translit/translit.h"

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

// Calls f for each element of a ","-separated list, as written; an empty list has one
// empty element and a trailing comma adds an empty one.
template <typename F>
void ForEachElement(QStringView list, F f) {
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = list.indexOf(u',', start);
        if (comma < 0) {
            f(list.mid(start));
            return;
        }
        f(list.mid(start, comma - start));
        start = comma + 1;
    }
}

detail::RuleView PlainRule(RuleKind kind, QStringView line) {
    FieldReader fields(line);
    detail::RuleView rule;
    rule.kind = kind;
    rule.x = fields.Next();
    rule.y = fields.Rest();
    return rule;
}

void AddNeighbourRules(RuleKind kind, QStringView line, qsizetype phraseLength,
                       std::vector<detail::RuleView>& rules) {
    FieldReader fields(line);
    detail::RuleView rule;
    rule.kind = kind;
    rule.x = fields.Next();
    fields.Skip(phraseLength);
    const QStringView neighbours = fields.Next();
    fields.Skip(kShortPhrase);
    rule.y = fields.AfterNextBar();
    ForEachElement(neighbours, [&](QStringView e) {
        rule.e = e;
        rules.push_back(rule);
    });
}

void AddBetweenRules(QStringView line, std::vector<detail::RuleView>& rules) {
    FieldReader fields(line);
    const QStringView contexts = fields.Next();
    fields.Skip(kShortPhrase);
    detail::RuleView rule;
    rule.kind = RuleKind::Between;
    rule.x = fields.Next();
    fields.Skip(kShortPhrase);
    rule.y = fields.AfterNextBar();
    const qsizetype dash = contexts.indexOf(u'-');
    const QStringView rights = dash < 0 ? contexts : contexts.mid(dash + 1);
    auto addRights = [&](QStringView left) {
        rule.left = left;
        ForEachElement(rights, [&](QStringView right) {
            rule.right = right;
            rules.push_back(rule);
        });
    };
    if (dash < 0)
        addRights(QStringView());
    else
        ForEachElement(contexts.left(dash), addRights);
}

void ParseRuleLine(QStringView line, std::vector<detail::RuleView>& rules) {
    const char16_t first = line.isEmpty() ? u'\0' : line.front().unicode();
    auto startsWith = [&](const char16_t* phrase) { return line.startsWith(QStringView(phrase)); };

    if (first == u'Т' || first == u'О') {
        RuleKind kind = RuleKind::Never;
        if (startsWith(u"Точная замена"))
            kind = RuleKind::ExactReplacement;
        else if (startsWith(u"Отдельно стоящее"))
            kind = RuleKind::StandAloneWord;
        rules.push_back(PlainRule(kind, line));
        return;
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
            AddNeighbourRules(kind, line, kNeighbourPhrase, rules);
            return;
        }
        RuleKind kind = RuleKind::Never;
        if (startsWith(u"В начале"))
            kind = RuleKind::WordStart;
        else if (startsWith(u"В середине"))
            kind = RuleKind::WordMiddle;
        else if (startsWith(u"В конце"))
            kind = RuleKind::WordEnd;
        rules.push_back(PlainRule(kind, line));
        return;
    }
    if (startsWith(u"Если между |")) {
        AddBetweenRules(line, rules);
        return;
    }
    const QStringView head = line.left(11);
    RuleKind kind = RuleKind::Never;
    if (head == QStringView(u"Если после "))
        kind = RuleKind::FollowedBy;
    else if (head == QStringView(u"Если перед "))
        kind = RuleKind::PrecededBy;
    if (kind == RuleKind::Never) {
        // A line of no known shape (an empty line, a comment): a rule that never fires.
        rules.push_back(detail::RuleView{});
        return;
    }
    AddNeighbourRules(kind, line, kShortPhrase, rules);
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

std::vector<RuleView> ParseRuleViews(const std::vector<QStringView>& lines) {
    std::vector<RuleView> rules;
    rules.reserve(lines.size() * 2);
    for (QStringView line : lines)
        ParseRuleLine(line, rules);
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
    ExceptionRules rules;
    for (const detail::RuleView& rule : detail::ParseRuleViews(views)) {
        rules.push_back({rule.kind, rule.x.toString(), rule.y.toString(), rule.e.toString(),
                         rule.left.toString(), rule.right.toString()});
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
