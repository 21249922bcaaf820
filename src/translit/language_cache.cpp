// The engine's memory between calls: where the roots are, and the languages and
// dictionaries compiled from their files, each trusted only while nothing on disk that
// it came from has changed.
#include "translit/language_cache.h"

#include <pthread.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/file_watcher.h"
#include "platform/program_dir.h"
#include "platform/result.h"

namespace translit::detail {

CompiledLanguage::CompiledLanguage(RuleFileText table, RuleFileText rules)
    : tableFile(std::move(table)),
      ruleFile(std::move(rules)),
      conversion(ParseTableViews(tableFile.lines), ParseRuleViews(ruleFile.lines)) {}

namespace {

using platform::FileWatcher;

bool IsFolder(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsSymbolicLink(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

// Stands for a variable that is not set (no real value holds a U+0001).
const char* const kUnset = "\x01unset";

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string(kUnset);
}

// One root: the first shared data folder holding "Quillmarsh/<folder>/", otherwise the
// folder of that name beside the program. The shared data folders are worked out once
// for each set of the variables they come from.
class Root {
  public:
    explicit Root(const char* folder) : folder_(QString::fromLatin1(folder)) {}

    // The root as it is now, as of the watcher's generation; trusted is set when the
    // watcher will report a change of it.
    const QString& Resolve(FileWatcher& watcher, unsigned long long generation, bool& trusted) {
        if (!SameEnvironment()) {
            for (size_t i = 0; i < kVariables.size(); ++i)
                environment_[i] = EnvironmentValue(kVariables[i]);
            Candidates();
            epoch_ = 0;
        }
        if (epoch_ == generation && trusted_) {
            trusted = true;
            return root_;
        }
        trusted_ = true;
        root_.clear();
        for (const QString& candidate : candidates_) {
            // Watch first, then look: a folder made after the look is still reported.
            const FileWatcher::Watched watched = watcher.WatchFolderOrAncestor(candidate);
            if (IsFolder(candidate)) {
                trusted_ = trusted_ && watched == FileWatcher::Watched::Folder;
                root_ = candidate;
                break;
            }
            // A missing candidate is watched through its nearest existing folder.
            trusted_ = trusted_ && watched != FileWatcher::Watched::Nothing;
        }
        if (root_.isEmpty()) {
            root_ = platform::ProgramDir() + folder_ + QLatin1Char('/');
            const FileWatcher::Watched watched = watcher.WatchFolderOrAncestor(root_);
            trusted_ = trusted_ && watched != FileWatcher::Watched::Nothing;
        }
        epoch_ = generation;
        trusted = trusted_;
        return root_;
    }

  private:
    // The variables the shared data folders come from.
    static constexpr std::array<const char*, 3> kVariables = {"XDG_DATA_HOME", "XDG_DATA_DIRS",
                                                              "HOME"};

    bool SameEnvironment() const {
        for (size_t i = 0; i < kVariables.size(); ++i) {
            const char* value = std::getenv(kVariables[i]);
            if (value ? environment_[i] != value : environment_[i] != kUnset)
                return false;
        }
        return true;
    }

    void Candidates() {
        candidates_.clear();
        const QString tail = QStringLiteral("Quillmarsh/") + folder_ + QLatin1Char('/');
        const QStringList shared =
            QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
        for (QString base : shared) {
            if (base.isEmpty())
                continue;
            if (!base.endsWith(QLatin1Char('/')))
                base += QLatin1Char('/');
            candidates_ << base + tail;
        }
    }

    QString folder_;
    // No variable holds a U+0002: the first call always works the folders out.
    std::array<std::string, kVariables.size()> environment_{"\x02", "\x02", "\x02"};
    QStringList candidates_;
    QString root_;
    unsigned long long epoch_ = 0;
    bool trusted_ = false;
};

QString FileName(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString ReadError(const QString& path, int error) {
    return QStringLiteral("cannot read ") + FileName(path) + QStringLiteral(" (") +
           QString::fromLocal8Bit(std::strerror(error)) + QLatin1Char(')');
}

template <typename T>
struct Entry {
    QString path;  // what the entry was made from: the language folder, the dictionary file
    QString root;
    std::shared_ptr<const T> value;
    FileIdentity first;
    FileIdentity second;
    int watch = -1;  // the watcher's watch on the files' folder
    unsigned long long firstChanges = 0;
    unsigned long long secondChanges = 0;
    unsigned long long epoch = 0;
    bool trusted = false;
};

// Languages and dictionaries are few; a cache that grows past this starts afresh.
constexpr size_t kMaxEntries = 64;

// Set in a child made by fork: the watcher thread is not there, and the parent's thread
// reads the queue the child shares with it, so the child checks the files every call.
std::atomic<bool> forked{false};

// A read of a language's or dictionary's files is taken only when no file it read
// changed meanwhile (see Cache::ReadSteadily): an in-place rewrite within one timestamp
// tick leaves the identity alone, so the change notifications decide too. A file that
// keeps changing fails with EAGAIN after kMaxAttempts reads.
constexpr int kQuietAttempts = 3;
// A file modified less than this long ago (in nanoseconds) may still be being written;
// its read is taken only after kWriteSettle more without a report of a change.
constexpr long long kRecentWrite = 50'000'000;
constexpr std::chrono::milliseconds kWriteSettle{1};
constexpr int kMaxAttempts = 50;

class Cache {
  public:
    static Cache& Instance() {
        // Never destroyed: the watcher thread runs until the process ends, and engine
        // calls from other objects' destructors still find the cache.
        static Cache* const cache = [] {
            ::pthread_atfork(nullptr, nullptr, [] { forked.store(true); });
            return new Cache;
        }();
        return *cache;
    }

    // Reads the change queue now; see SyncWithFiles.
    void Sync() {
        std::lock_guard<std::mutex> lock(mutex_);
        watcher_.Sync();
        lastReturn_ = std::chrono::steady_clock::now();
    }

    QString TransliterationRoot() {
        std::lock_guard<std::mutex> lock(mutex_);
        const CallStamp stamp(*this);
        bool trusted = false;
        return transliteration_.Resolve(watcher_, Refresh(), trusted);
    }

    QString DictionaryRoot() {
        std::lock_guard<std::mutex> lock(mutex_);
        const CallStamp stamp(*this);
        bool trusted = false;
        return dictionaries_.Resolve(watcher_, Refresh(), trusted);
    }

    Lookup<CompiledLanguage> Language(const QString& language) {
        std::lock_guard<std::mutex> lock(mutex_);
        const CallStamp stamp(*this);
        const unsigned long long generation = Refresh();
        bool rootTrusted = false;
        const QString& root = transliteration_.Resolve(watcher_, generation, rootTrusted);
        Entry<CompiledLanguage>& entry = languages_[language];
        if (entry.value && entry.trusted && rootTrusted && entry.epoch == generation &&
            entry.root == root)
            return entry.value;
        const QString folder = root + language + QLatin1Char('/');

        const QString prefix = QStringLiteral("Language \"") + language + QStringLiteral("\": ");
        int folderWatch = -1;
        const bool watched =
            watcher_.WatchFolderOrAncestor(folder, &folderWatch) == FileWatcher::Watched::Folder;
        if (language.isEmpty() || !IsFolder(folder)) {
            Forget(languages_, language);
            return platform::Failure(prefix + QStringLiteral("no folder in ") + root);
        }
        const QString tablePath = folder + language + QStringLiteral(".dat");
        const QString rulePath = folder + QStringLiteral("exception.dat");
        FileIdentity table;
        FileIdentity rules;
        const bool same = entry.value && entry.path == folder && entry.watch == folderWatch &&
                          IdentityOf(tablePath, table) && table == entry.first &&
                          IdentityOf(rulePath, rules) && rules == entry.second &&
                          Unchanged(folderWatch, tablePath, entry.firstChanges) &&
                          Unchanged(folderWatch, rulePath, entry.secondChanges);
        if (!same) {
            const platform::Result<void, QString> read =
                ReadLanguage(entry, folderWatch, tablePath, rulePath, table, rules);
            if (!read) {
                Forget(languages_, language);
                return platform::Failure(prefix + read.error());
            }
            entry.path = folder;
            entry.root = root;
        }
        entry.epoch = generation;
        // Changes behind a symbolic link are not reported for the folder holding the link.
        entry.trusted = watched && !IsSymbolicLink(tablePath) && !IsSymbolicLink(rulePath);
        auto value = entry.value;
        Trim(languages_);
        return value;
    }

    Lookup<CompiledDictionary> Dictionary(const QString& name) {
        std::lock_guard<std::mutex> lock(mutex_);
        const CallStamp stamp(*this);
        const unsigned long long generation = Refresh();
        bool rootTrusted = false;
        const QString& root = dictionaries_.Resolve(watcher_, generation, rootTrusted);
        Entry<CompiledDictionary>& entry = dictionaries_by_name_[name];
        if (entry.trusted && rootTrusted && entry.epoch == generation && entry.root == root)
            return entry.value;
        const QString path = root + name + QStringLiteral(".txt");

        // The root is watched already; this only learns the watch's number.
        int rootWatch = -1;
        watcher_.WatchFolderOrAncestor(root, &rootWatch);
        FileIdentity identity;
        if (!IdentityOf(path, identity)) {
            if (errno != ENOENT && errno != ENOTDIR) {
                const int error = errno;
                Forget(dictionaries_by_name_, name);
                return platform::Failure(QStringLiteral("Dictionary \"") + name +
                                         QStringLiteral("\": ") + ReadError(path, error));
            }
            // No such dictionary: nothing to replace. The root is watched, so a file that
            // appears there later is noticed.
            entry.value.reset();
            entry.first = FileIdentity{};
        } else if (!entry.value || entry.path != path || identity != entry.first ||
                   entry.watch != rootWatch || !Unchanged(rootWatch, path, entry.firstChanges)) {
            unsigned long long changes = 0;
            try {
                QStringList lines;
                ReadSteadily(rootWatch, {{&path, &identity, &changes}},
                             [&] { lines = ReadDictionaryLines(path, &identity); });
                entry.value = std::make_shared<CompiledDictionary>(lines);
            } catch (const FileReadError& error) {
                Forget(dictionaries_by_name_, name);
                return platform::Failure(QStringLiteral("Dictionary \"") + name +
                                         QStringLiteral("\": ") + ReadError(path, error.Error()));
            }
            entry.first = identity;
            entry.watch = rootWatch;
            entry.firstChanges = changes;
        }
        entry.path = path;
        entry.root = root;
        entry.epoch = generation;
        entry.trusted = rootTrusted && !IsSymbolicLink(path);
        auto value = entry.value;
        Trim(dictionaries_by_name_);
        return value;
    }

  private:
    Cache() = default;

    // Marks the end of a lookup when it goes out of scope.
    class CallStamp {
      public:
        explicit CallStamp(Cache& cache) : cache_(cache) {}
        ~CallStamp() { cache_.lastReturn_ = std::chrono::steady_clock::now(); }
        CallStamp(const CallStamp&) = delete;
        CallStamp& operator=(const CallStamp&) = delete;

      private:
        Cache& cache_;
    };

    // The generation this call checks against. Calls in quick succession only read it
    // from memory; a call after a pause of kChangePause or more since the previous call
    // (or Sync) reads the queue first, so that an edit made in the pause counts even
    // when the watcher thread has not run since. The clock is read in user space.
    unsigned long long Refresh() {
        const bool paused = std::chrono::steady_clock::now() - lastReturn_ >= kChangePause;
        if (forked.load(std::memory_order_relaxed)) {
            watcher_.Sync();
            return ++childGeneration_;
        }
        if (paused || !watcher_.Threaded())
            watcher_.Sync();
        return watcher_.Generation();
    }

    struct WatchedFile {
        const QString* path;
        FileIdentity* identity;       // as opened by the last read
        unsigned long long* changes;  // the watcher's count for the file, as read
    };

    // Calls readAll, which reads every file and sets their identities as opened, until
    // a read is taken: one after which every file's identity is the one it was opened
    // with, and no event concerned the files meanwhile. Without a watch on the files'
    // folder, any event counts, for up to kQuietAttempts reads. Throws FileReadError.
    template <typename ReadAll>
    void ReadSteadily(int folderWatch, std::initializer_list<WatchedFile> files, ReadAll readAll) {
        std::vector<QByteArray> names;
        for (const WatchedFile& file : files) {
            names.push_back(QFile::encodeName(FileName(*file.path)));
            watcher_.Track(folderWatch, names.back());
        }
        const auto counts = [&] {
            std::vector<unsigned long long> result;
            for (const QByteArray& name : names)
                result.push_back(watcher_.Changes(folderWatch, name));
            result.push_back(folderWatch >= 0 ? 0 : watcher_.Generation());
            return result;
        };
        for (int attempt = 1;; ++attempt) {
            watcher_.Sync();
            const std::vector<unsigned long long> before = counts();
            try {
                readAll();
            } catch (const FileBeingWritten&) {
                // Opened for writing before the watch began, or since: no read now can
                // be trusted to be whole, whatever the notifications say.
                if (attempt >= kMaxAttempts)
                    throw;
                std::this_thread::sleep_for(kWriteSettle);
                continue;
            }
            watcher_.Sync();
            bool steady = true;
            for (const WatchedFile& file : files) {
                FileIdentity now;
                steady = steady && IdentityOf(*file.path, now) && now == *file.identity;
            }
            bool quiet = counts() == before;
            for (const QByteArray& name : names)
                quiet = quiet && !watcher_.Open(folderWatch, name);
            if (steady && quiet && RecentlyWritten(files)) {
                // A write that began before the read and is still copying has not been
                // reported yet: give it time to end, and its report time to come.
                std::this_thread::sleep_for(kWriteSettle);
                watcher_.Sync();
                quiet = counts() == before;
            }
            if (steady && (quiet || (folderWatch < 0 && attempt >= kQuietAttempts))) {
                size_t i = 0;
                for (const WatchedFile& file : files)
                    *file.changes = before[i++];
                return;
            }
            if (attempt >= kMaxAttempts)
                throw FileReadError("changed while being read", EAGAIN);
            if (steady && !quiet)
                std::this_thread::sleep_for(kWriteSettle);  // someone has a file open
        }
    }

    // Reads and compiles the language's two rule files into entry, steadily; why a file
    // could not be read otherwise.
    platform::Result<void, QString> ReadLanguage(Entry<CompiledLanguage>& entry, int folderWatch,
                                                 const QString& tablePath, const QString& rulePath,
                                                 FileIdentity& table, FileIdentity& rules) {
        RuleFileText tableFile;
        RuleFileText ruleFile;
        QString failedPath = tablePath;
        unsigned long long tableChanges = 0;
        unsigned long long ruleChanges = 0;
        try {
            ReadSteadily(folderWatch,
                         {{&tablePath, &table, &tableChanges}, {&rulePath, &rules, &ruleChanges}},
                         [&] {
                             failedPath = tablePath;
                             tableFile = ReadRuleFile(tablePath, &table);
                             failedPath = rulePath;
                             ruleFile = ReadRuleFile(rulePath, &rules);
                         });
        } catch (const FileReadError& error) {
            return platform::Failure(ReadError(failedPath, error.Error()));
        }
        entry.value = std::make_shared<CompiledLanguage>(std::move(tableFile), std::move(ruleFile));
        entry.first = table;
        entry.second = rules;
        entry.watch = folderWatch;
        entry.firstChanges = tableChanges;
        entry.secondChanges = ruleChanges;
        return {};
    }

    // Whether one of the files was modified so recently that a write to it may still be
    // under way.
    static bool RecentlyWritten(std::initializer_list<WatchedFile> files) {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        for (const WatchedFile& file : files) {
            const long long age = (now.tv_sec - file.identity->modifiedSeconds) * 1000000000LL +
                                  (now.tv_nsec - file.identity->modifiedNanoseconds);
            if (age < kRecentWrite)
                return true;
        }
        return false;
    }

    // Whether the watcher counted no event for the file since it was read.
    bool Unchanged(int folderWatch, const QString& path, unsigned long long changes) {
        return watcher_.Changes(folderWatch, QFile::encodeName(FileName(path))) == changes;
    }

    template <typename Map>
    static void Forget(Map& map, const QString& key) {
        map.erase(key);
    }
    template <typename Map>
    static void Trim(Map& map) {
        if (map.size() > kMaxEntries)
            map.clear();
    }

    std::mutex mutex_;
    FileWatcher watcher_;
    std::chrono::steady_clock::time_point lastReturn_{};
    // Far above any generation the watcher reaches, so no entry made before the fork
    // matches.
    unsigned long long childGeneration_ = 1ULL << 62;
    Root transliteration_{"Transliteration"};
    Root dictionaries_{"Dictionaries"};
    std::map<QString, Entry<CompiledLanguage>> languages_;
    std::map<QString, Entry<CompiledDictionary>> dictionaries_by_name_;
};

}  // namespace

void SyncWithFiles() {
    Cache::Instance().Sync();
}

QString TransliterationRoot() {
    return Cache::Instance().TransliterationRoot();
}

QString DictionaryRoot() {
    return Cache::Instance().DictionaryRoot();
}

Lookup<CompiledLanguage> FindLanguage(const QString& language) {
    return Cache::Instance().Language(language);
}

Lookup<CompiledDictionary> FindDictionary(const QString& name) {
    return Cache::Instance().Dictionary(name);
}

}  // namespace translit::detail
