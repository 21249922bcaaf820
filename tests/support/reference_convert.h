// A plain, unindexed conversion written straight from the rule definitions: every
// rule is tried in list order at every position, then every table entry. The engine's
// indexed conversion must always agree with it.
#pragma once

#include <QString>

#include "translit/rule_tables.h"

namespace translit_test {

inline QString ReferenceConvert(const QString& text, const translit::LetterTable& table,
                                const translit::ExceptionRules& rules) {
    using translit::RuleKind;
    QString w;
    for (QChar c : text)
        w += c.toLower();
    const qsizetype L = w.size();
    const QString space = QStringLiteral(" ");
    qsizetype C = 0;
    QString output;
    QString previous;

    auto fires = [&](const translit::ExceptionRule& r) {
        const QString rest = w.mid(C);
        const QString& X = r.x;
        const qsizetype lenX = X.size();
        const qsizetype le = r.e.size();
        const bool startsX = rest.startsWith(X);
        const bool spaceAfterX = startsX && rest.size() > lenX && rest.at(lenX) == u' ';
        const bool eBefore = C >= le && w.mid(C - le, le) == r.e;
        switch (r.kind) {
            case RuleKind::StandAloneWord:
                return (C == 0 && rest == X) || (C == 0 && rest.size() > lenX && spaceAfterX) ||
                       (C == L - lenX && w.endsWith(space + X)) ||
                       (C > 0 && w.mid(C - 1, lenX + 2) == space + X + space);
            case RuleKind::ExactReplacement:
                return startsX;
            case RuleKind::Between:
                return C >= r.left.size() && rest.size() >= lenX + r.right.size() &&
                       w.mid(C - r.left.size(), r.left.size() + lenX + r.right.size()) ==
                           r.left + X + r.right;
            case RuleKind::WordStartWithNeighbour:
                return (C == 0 || previous == space) && rest.size() >= lenX + le &&
                       rest.startsWith(X + r.e);
            case RuleKind::WordStart:
                return (C == 0 || previous == space) && startsX;
            case RuleKind::WordMiddle:
                return C != 0 && C != L - lenX && startsX && !spaceAfterX && previous != space;
            case RuleKind::WordEndWithNeighbour:
                return eBefore && ((C == L - lenX && rest == X) || spaceAfterX);
            case RuleKind::WordEnd:
                return rest == X || spaceAfterX;
            case RuleKind::FollowedBy:
                return startsX && rest.mid(lenX, le) == r.e;
            case RuleKind::PrecededBy:
                return eBefore && startsX;
            case RuleKind::Never:
                return false;
        }
        return false;
    };

    while (C < L) {
        const bool capital = text.at(C) != w.at(C);
        const translit::ExceptionRule* fired = nullptr;
        for (const translit::ExceptionRule& r : rules) {
            if (!r.x.isEmpty() && fires(r)) {
                fired = &r;
                break;
            }
        }
        QString piece;
        if (fired) {
            piece = capital ? fired->y.toUpper() : fired->y;
            C += fired->x.size();
        } else {
            const translit::LetterEntry* entry = nullptr;
            for (const translit::LetterEntry& e : table) {
                if (w.mid(C).startsWith(e.source)) {
                    entry = &e;
                    break;
                }
            }
            if (!entry || entry->source.isEmpty()) {
                piece = text.at(C);
                C += 1;
            } else {
                piece = entry->target;
                if (capital && !piece.isEmpty())
                    piece[0] = piece.at(0).toUpper();
                C += entry->source.size();
            }
        }
        output += piece;
        previous = piece;
    }
    return output;
}

}  // namespace translit_test
