// Names made comparable across scripts: a name becomes a set of tokens (case folded,
// Latin diacritics and Cyrillic ё taken off, punctuation and quotes dropped, legal
// forms in either script turned into one marker), and two token sets get a similarity
// in [0, 1].
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace screen {

// The token every legal form (ООО, АО, ПАО, ЗАО, LLC, JSC, OOO, ZAO, "общество с
// ограниченной ответственностью", "joint stock company", ...) becomes. It holds no
// letter, so no word of a name can be mistaken for it.
extern const QString kLegalFormToken;

// Whether c is one of the marks read as the apostrophe: ' ’ ʼ ` ´ ′.
bool IsApostrophe(QChar c);

// The name composed, every apostrophe mark as ', and in each word the letters that have
// a lookalike in the word's script (the script most of its letters are in) folded to
// it: a Latin "A" in "Aкционерное" becomes Cyrillic, a Cyrillic "о" in "Rоsneft" Latin.
QString FoldName(QStringView name);

// What "Latin to Russian" reads of a name: FoldName with the apostrophes dropped (inside
// a word) or blanked, since the rules read an apostrophe as a soft sign.
QString TransliterationInput(QStringView name);

// The tokens of a name in reading order, legal forms as kLegalFormToken.
std::vector<QString> NameTokens(QStringView name);

// The tokens that count for a comparison: distinct, legal forms left out (lists and the
// register rarely agree on them: LLC for ООО, АО for a former ЗАО).
std::vector<QString> ScoringTokens(QStringView name);
std::vector<QString> ScoringTokens(const std::vector<QString>& tokens);

// 1 - edit distance / length of the longer token: 1 for equal tokens, 0 for nothing alike.
double TokenSimilarity(QStringView a, QStringView b);

// Pairs of tokens less alike than this add nothing to a name's score.
constexpr double kTokenFloor = 0.8;

// The similarity of two sets of scoring tokens: the tokens are paired one to one, the
// most alike first (pairs below kTokenFloor are left out), and each pair adds its
// similarity times the letters of both tokens; the sum is divided by the letters of
// all tokens of both sides. Equal sets give 1; a token on one side only lowers the
// score by its share of the letters. Either set empty gives 0.
double TokenSetSimilarity(const std::vector<QString>& a, const std::vector<QString>& b);

// Whether text holds a Latin (resp. Cyrillic) letter.
bool HasLatin(QStringView text);
bool HasCyrillic(QStringView text);

}  // namespace screen
