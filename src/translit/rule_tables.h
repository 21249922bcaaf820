// The engine's inner layer: reading rule files, their parsed form and the conversion
// on rules already loaded. Callers outside the engine use translit.h; this header is
// for the engine's own sources, its tests and its benchmarks.
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <vector>

#include "translit/translit.h"

namespace translit {

// UTF-16LE code units, lines ended by CR LF; text after the last CR LF is dropped.
// Throws RuleFileError when the file cannot be read or is larger than kMaxRuleFileBytes.
QStringList ReadRuleFileLines(const QString& path);

struct LetterEntry {
    QString source;
    QString target;
};
using LetterTable = std::vector<LetterEntry>;

enum class RuleKind {
    Never,  // a line of no known shape: never fires
    StandAloneWord,
    ExactReplacement,
    Between,
    WordStartWithNeighbour,
    WordStart,
    WordMiddle,
    WordEndWithNeighbour,
    WordEnd,
    FollowedBy,
    PrecededBy,
};

struct ExceptionRule {
    RuleKind kind = RuleKind::Never;
    QString x;      // the pattern consumed
    QString y;      // the replacement emitted
    QString e;      // neighbour (neighbour kinds, followed-by, preceded-by)
    QString left;   // left context (between)
    QString right;  // right context (between)
};
using ExceptionRules = std::vector<ExceptionRule>;

// Loaders for root + LANGUAGE + "/" + LANGUAGE + ".dat" and root + LANGUAGE +
// "/exception.dat". Throw RuleFileError when the file cannot be read.
LetterTable LoadLetterTable(const QString& language);
ExceptionRules LoadExceptionRules(const QString& language);

// Parsing of already-read lines (what the loaders do after reading). Lists of
// neighbours and of contexts are expanded into one rule per element (per pair); an
// expansion beyond kMaxExpandedRules throws RuleFileError. (Transliterate itself never
// expands the lists and has no such limit.)
constexpr size_t kMaxExpandedRules = 1000000;
LetterTable ParseLetterTable(const QStringList& lines);
ExceptionRules ParseExceptionRules(const QStringList& lines);

// The conversion alone, on rules already loaded. Throws std::length_error when the
// result would be longer than MaxTextLength(text.size()).
QString Convert(const QString& text, const LetterTable& table, const ExceptionRules& rules);

}  // namespace translit
