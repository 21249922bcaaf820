// Internal to the engine: rule files read into one text each, and the letter table and
// rules as views into that text. Loading a language for one conversion then copies no
// line and no field; the public structures are made from these views.
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

#include "translit/translit.h"

namespace translit::detail {

struct RuleFileText {
    QString text;                    // the whole file as UTF-16 code units
    std::vector<QStringView> lines;  // views into text, without their CR LF
};

// Throws RuleFileError when the file cannot be read.
RuleFileText ReadRuleFile(const QString& path);

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
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = list.indexOf(u',', start);
        if (comma < 0)
            return f(list.mid(start));
        if (f(list.mid(start, comma - start)))
            return true;
        start = comma + 1;
    }
}

// The views point into the lines, which must outlive them. ParseRuleViews leaves out
// the rules that can never fire unless keepNever is set.
std::vector<EntryView> ParseTableViews(const std::vector<QStringView>& lines);
std::vector<RuleView> ParseRuleViews(const std::vector<QStringView>& lines, bool keepNever = false);

// Throws std::length_error when the converted text would grow beyond MaxTextLength(text.size()).
QString ConvertViews(const QString& text, const std::vector<EntryView>& table,
                     const std::vector<RuleView>& rules);

}  // namespace translit::detail
