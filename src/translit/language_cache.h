// Internal to the engine: compiled languages and dictionaries kept between calls, and
// the roots they come from, each checked at every lookup so that an edit on disk counts
// from the next call.
//
// A thread blocks on a change notification queue on the folders involved and moves a
// generation counter on at every event, so the check of a lookup is a comparison in
// memory. The thread runs as soon as it is scheduled after the kernel queued an event,
// which happens inside the call that made the change; what the thread has not yet read
// is read by SyncWithFiles, and by a lookup after a pause of kChangePause or more. When
// the generation moved, or a file cannot be watched (a symbolic link's target, no
// notification support), the lookup compares the files' identity (device, inode, size,
// modification and change times in nanoseconds) instead, and reads and compiles only
// what differs. A read during which a file changed, or that began while someone had a
// file open for writing, is read again, so a language is never made of half an old
// file and half a new one.
#pragma once

#include <QString>
#include <chrono>
#include <memory>

#include "platform/result.h"
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

// A lookup that starts at least this long after the previous one returned reads the
// change queue itself rather than trusting that the watcher thread has woken, and so
// sees every change made before it started. Lookups in quicker succession see a change
// once the watcher thread has run: the kernel wakes it inside the call that made the
// change, and it needs only to be scheduled.
constexpr std::chrono::microseconds kChangePause{50};

// Reads the change queue now (one system call), so that every change whose writing
// call returned before this one started counts from the next lookup.
void SyncWithFiles();

// What a lookup found (null when it found nothing), or why it failed: English, naming
// what is wrong.
template <typename T>
using Lookup = platform::Result<std::shared_ptr<const T>, QString>;

QString TransliterationRoot();
QString DictionaryRoot();

// The language's folder must hold both rule files.
Lookup<CompiledLanguage> FindLanguage(const QString& language);

// A dictionary that does not exist gives no value and no error (nothing to replace).
Lookup<CompiledDictionary> FindDictionary(const QString& name);

}  // namespace translit::detail
