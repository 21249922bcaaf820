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

struct RuleView {
    RuleKind kind = RuleKind::Never;
    QStringView x;
    QStringView y;
    QStringView e;
    QStringView left;
    QStringView right;
};

// The views point into the lines, which must outlive them.
std::vector<EntryView> ParseTableViews(const std::vector<QStringView>& lines);
std::vector<RuleView> ParseRuleViews(const std::vector<QStringView>& lines);

QString ConvertViews(const QString& text, const std::vector<EntryView>& table,
                     const std::vector<RuleView>& rules);

}  // namespace translit::detail
