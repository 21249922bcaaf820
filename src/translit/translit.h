// The transliteration engine: language folders of rule files, the rule-driven
// conversion of a text into a language, and the dictionary pass before it.
//
// A language is compiled from its rule files once and kept; every call checks that the
// files it came from are unchanged and compiles again if not. The check reads a change
// counter in memory, with no system call. An edit, a replacement, a removal, a folder
// that now takes precedence all count from the next Translator::Open, and from the next
// single-text call that starts 50 microseconds or more after the previous one returned;
// calls in quicker succession see them as soon as the engine's watcher thread has run.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/result.h"

namespace translit {

namespace detail {
struct CompiledLanguage;
class CompiledDictionary;
}  // namespace detail

// What an engine call gives: the text, and on failure an English description naming
// the language or dictionary and what is wrong. The engine never shows anything
// itself; the caller decides how to report error.
struct Outcome {
    QString text;
    QString error;  // empty on success

    bool ok() const { return error.isEmpty(); }
};

// Converts text into language. On failure text is empty. An empty text converts to
// an empty text without looking at the language.
Outcome ConvertText(QStringView text, const QString& language);

// The dictionary pass of dictionary (a name from ListDictionaryNames; an empty name or
// a dictionary that does not exist replaces nothing), then the conversion. When the
// conversion fails, text holds the replaced text; when the dictionary cannot be read
// or its replacements would grow the text beyond MaxTextLength, text holds what the
// pass made so far and nothing is converted.
Outcome TranslateText(QStringView text, const QString& language, const QString& dictionary);

// A language and a dictionary looked up once, for one operation over many texts (a
// whole results tree, a block of input lines): each text then costs its dictionary pass
// and conversion only. Open first reads the change notifications, so every edit whose
// writing call returned before Open started counts; the files are checked again by the
// next Open.
class Translator {
  public:
    // Error() tells what failed; texts then fail as ConvertText would.
    static Translator Open(const QString& language, const QString& dictionary = QString());

    const QString& Error() const { return error_; }
    Outcome Convert(QStringView text) const;
    Outcome Translate(QStringView text) const;

  private:
    QString language_;
    QString dictionaryName_;
    QString error_;
    QString dictionaryError_;  // the dictionary's part of error_, empty when it was read
    std::shared_ptr<const detail::CompiledLanguage> compiled_;
    std::shared_ptr<const detail::CompiledDictionary> dictionary_;
};

// Raised by the loaders when a rule or dictionary file cannot be read.
class RuleFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The roots, each ending with '/': the first XDG shared data folder that holds
// "Quillmarsh/Transliteration/" (resp. "Quillmarsh/Dictionaries/"), otherwise the
// program's folder + "Transliteration/" (resp. "Dictionaries/").
QString GetTransliterationDir();
QString GetDictionaryDir();

// What the language and dictionary lists show, in the order the file system lists
// them: the folders of the transliteration root (hidden ones and "." / ".." left
// out), and the names of the "*.txt" files of the dictionary root without their
// extension (everything before the last '.', so "a.b.txt" is "a.b").
QStringList ListLanguageFolders();
QStringList ListDictionaryNames();

// Rule and dictionary files larger than this are refused with RuleFileError: no real
// one comes near it, and a larger one is not read into memory whole.
constexpr qsizetype kMaxRuleFileBytes = 16 * 1024 * 1024;

// The longest text a conversion or a dictionary pass of an input of inputLength code
// units may produce: 16 Mi code units, or four times the input when that is more. A
// table target or a dictionary target can be far longer than what it replaces, and
// dictionary pairs can feed each other's targets, so without this bound a few short
// lines could make a text grow past any memory.
qsizetype MaxTextLength(qsizetype inputLength);

// Converts text into language: the converted text, or on a failure (a rule file that
// cannot be read, a result longer than MaxTextLength) what ConvertText would say.
// Never throws.
platform::Result<QString, QString> Transliterate(const QString& text, const QString& language);

// Dictionary replacements, then Transliterate. lines may be null (the text comes back
// empty); the caller's lines are trimmed in place. The lines are compiled once for as
// long as the same unchanged list comes back. On a failure the outcome says what
// failed and its text is the text replaced so far, not transliterated: when a
// replacement would make the text longer than MaxTextLength(text.size()), the pass
// stops there.
Outcome TranslateByDictionary(const QString& text, const QString& language, QStringList* lines);

// Lines of a dictionary file: a byte-order mark selects UTF-8, UTF-16LE or UTF-16BE;
// without one, UTF-8 when valid, Windows-1251 otherwise. Lines end at CR LF, LF or CR.
// Throws RuleFileError when the file cannot be read or is larger than kMaxRuleFileBytes.
QStringList LoadDictionaryLines(const QString& path);

}  // namespace translit
