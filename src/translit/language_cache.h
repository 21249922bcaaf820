// Internal to the engine: compiled languages and dictionaries kept between calls, and
// the roots they come from, each checked at every call so that an edit on disk counts
// from the next call.
//
// A change notification queue on the folders involved makes the check of a call one
// non-blocking read; when it reports anything, or cannot watch a file (a symbolic
// link's target, no notification support), the call compares the files' identity
// (device, inode, size, modification and change times in nanoseconds) instead, and
// reads and compiles only what differs.
#pragma once

#include <QString>
#include <memory>

#include "translit/dictionary.h"
#include "translit/rule_lines.h"

namespace translit::detail {

// A language's two rule files and the conversion made from them. Not copied or moved
// once built: the conversion's views point into the texts.
struct CompiledLanguage {
    CompiledLanguage(RuleFileText tableFile, RuleFileText ruleFile);
    CompiledLanguage(const CompiledLanguage&) = delete;
    CompiledLanguage& operator=(const CompiledLanguage&) = delete;

    RuleFileText tableFile;
    RuleFileText ruleFile;
    Conversion conversion;
};

template <typename T>
struct Lookup {
    std::shared_ptr<const T> value;  // null when the lookup failed, or found nothing
    QString error;                   // English, names what is wrong; empty on success
};

QString TransliterationRoot();
QString DictionaryRoot();

// The language's folder must hold both rule files.
Lookup<CompiledLanguage> FindLanguage(const QString& language);

// A dictionary that does not exist gives no value and no error (nothing to replace).
Lookup<CompiledDictionary> FindDictionary(const QString& name);

}  // namespace translit::detail
