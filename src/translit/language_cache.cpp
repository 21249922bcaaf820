// The engine's memory between calls: where the roots are, and the languages and
// dictionaries compiled from their files, each trusted only while nothing on disk that
// it came from has changed.
#include "translit/language_cache.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/program_dir.h"

namespace translit::detail {

CompiledLanguage::CompiledLanguage(RuleFileText table, RuleFileText rules)
    : tableFile(std::move(table)),
      ruleFile(std::move(rules)),
      conversion(ParseTableViews(tableFile.lines), ParseRuleViews(ruleFile.lines)) {}

namespace {

// Change notifications for folders. Every event counts as "something may have changed":
// the epoch moves on, and whatever was checked in an earlier epoch is checked again
// against the files themselves. The kernel queues an event before the call that made
// the change returns, so a change made before an engine call is always seen by it.
class Watcher {
  public:
    Watcher() { Open(); }
    ~Watcher() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    bool Usable() const { return fd_ >= 0; }
    unsigned long long Epoch() const { return epoch_; }

    // Reads what the queue holds; any event starts a new epoch.
    void Drain() {
        if (fd_ < 0)
            return;
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got > 0) {
                ++epoch_;
                continue;
            }
            if (got < 0 && errno == EINTR)
                continue;
            return;  // EAGAIN: nothing more
        }
    }

    enum class Watched { Folder, Ancestor, Nothing };

    // Watches the folder at path, or else the nearest folder above it that exists, for
    // entries appearing, going or changing.
    Watched WatchFolderOrAncestor(const QString& path) {
        if (fd_ < 0)
            return Watched::Nothing;
        if (watches_ > kMaxWatches) {
            // Folders watched for earlier roots and languages pile up; start afresh.
            ::close(fd_);
            Open();
            if (fd_ < 0)
                return Watched::Nothing;
        }
        QByteArray local = QFile::encodeName(path);
        while (local.size() > 1 && local.endsWith('/'))
            local.chop(1);
        bool self = true;
        for (;;) {
            if (::inotify_add_watch(fd_, local.constData(), kMask) >= 0) {
                ++watches_;
                return self ? Watched::Folder : Watched::Ancestor;
            }
            if (errno != ENOENT && errno != ENOTDIR)
                return Watched::Nothing;  // out of watches, or not allowed
            const qsizetype slash = local.lastIndexOf('/');
            if (slash <= 0) {
                local = "/";
            } else {
                local.truncate(slash);
            }
            self = false;
            if (local == "/" && ::inotify_add_watch(fd_, "/", kMask) < 0)
                return Watched::Nothing;
        }
    }

  private:
    static constexpr uint32_t kMask = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE |
                                      IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                                      IN_MOVE_SELF | IN_ONLYDIR;
    static constexpr int kMaxWatches = 512;

    void Open() {
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        watches_ = 0;
        ++epoch_;
    }

    int fd_ = -1;
    int watches_ = 0;
    unsigned long long epoch_ = 1;
};

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

    // The root as it is now; trusted is set when the watcher will report a change of it.
    const QString& Resolve(Watcher& watcher, bool& trusted) {
        if (!SameEnvironment()) {
            for (size_t i = 0; i < kVariables.size(); ++i)
                environment_[i] = EnvironmentValue(kVariables[i]);
            Candidates();
            epoch_ = 0;
        }
        if (epoch_ == watcher.Epoch() && trusted_) {
            trusted = true;
            return root_;
        }
        const unsigned long long epoch = watcher.Epoch();
        trusted_ = true;
        root_.clear();
        for (const QString& candidate : candidates_) {
            // Watch first, then look: a folder made after the look is still reported.
            const Watcher::Watched watched = watcher.WatchFolderOrAncestor(candidate);
            if (IsFolder(candidate)) {
                trusted_ = trusted_ && watched == Watcher::Watched::Folder;
                root_ = candidate;
                break;
            }
            // A missing candidate is watched through its nearest existing folder.
            trusted_ = trusted_ && watched != Watcher::Watched::Nothing;
        }
        if (root_.isEmpty()) {
            root_ = platform::ProgramDir() + folder_ + QLatin1Char('/');
            const Watcher::Watched watched = watcher.WatchFolderOrAncestor(root_);
            trusted_ = trusted_ && watched != Watcher::Watched::Nothing;
        }
        epoch_ = epoch;
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
    unsigned long long epoch = 0;
    bool trusted = false;
};

// Languages and dictionaries are few; a cache that grows past this starts afresh.
constexpr size_t kMaxEntries = 64;

class Cache {
  public:
    static Cache& Instance() {
        static Cache cache;
        return cache;
    }

    QString TransliterationRoot() {
        std::lock_guard<std::mutex> lock(mutex_);
        watcher_.Drain();
        bool trusted = false;
        return transliteration_.Resolve(watcher_, trusted);
    }

    QString DictionaryRoot() {
        std::lock_guard<std::mutex> lock(mutex_);
        watcher_.Drain();
        bool trusted = false;
        return dictionaries_.Resolve(watcher_, trusted);
    }

    Lookup<CompiledLanguage> Language(const QString& language) {
        std::lock_guard<std::mutex> lock(mutex_);
        watcher_.Drain();
        bool rootTrusted = false;
        const QString& root = transliteration_.Resolve(watcher_, rootTrusted);
        Entry<CompiledLanguage>& entry = languages_[language];
        if (entry.value && entry.trusted && rootTrusted && entry.epoch == watcher_.Epoch() &&
            entry.root == root)
            return {entry.value, {}};
        const QString folder = root + language + QLatin1Char('/');

        const unsigned long long epoch = watcher_.Epoch();
        const QString prefix = QStringLiteral("Language \"") + language + QStringLiteral("\": ");
        const bool watched = watcher_.WatchFolderOrAncestor(folder) == Watcher::Watched::Folder;
        if (language.isEmpty() || !IsFolder(folder)) {
            Forget(languages_, language);
            return {nullptr, prefix + QStringLiteral("no folder in ") + root};
        }
        const QString tablePath = folder + language + QStringLiteral(".dat");
        const QString rulePath = folder + QStringLiteral("exception.dat");
        FileIdentity table;
        FileIdentity rules;
        const bool same = entry.value && entry.path == folder && IdentityOf(tablePath, table) &&
                          table == entry.first && IdentityOf(rulePath, rules) &&
                          rules == entry.second;
        if (!same) {
            try {
                RuleFileText tableFile = ReadRuleFile(tablePath, &table);
                RuleFileText ruleFile;
                try {
                    ruleFile = ReadRuleFile(rulePath, &rules);
                } catch (const FileReadError& error) {
                    Forget(languages_, language);
                    return {nullptr, prefix + ReadError(rulePath, error.Error())};
                }
                entry.value =
                    std::make_shared<CompiledLanguage>(std::move(tableFile), std::move(ruleFile));
            } catch (const FileReadError& error) {
                Forget(languages_, language);
                return {nullptr, prefix + ReadError(tablePath, error.Error())};
            }
            entry.path = folder;
            entry.root = root;
            entry.first = table;
            entry.second = rules;
        }
        entry.epoch = epoch;
        // Changes behind a symbolic link are not reported for the folder holding the link.
        entry.trusted = watched && !IsSymbolicLink(tablePath) && !IsSymbolicLink(rulePath);
        auto value = entry.value;
        Trim(languages_);
        return {value, {}};
    }

    Lookup<CompiledDictionary> Dictionary(const QString& name) {
        std::lock_guard<std::mutex> lock(mutex_);
        watcher_.Drain();
        bool rootTrusted = false;
        const QString& root = dictionaries_.Resolve(watcher_, rootTrusted);
        Entry<CompiledDictionary>& entry = dictionaries_by_name_[name];
        if (entry.trusted && rootTrusted && entry.epoch == watcher_.Epoch() && entry.root == root)
            return {entry.value, {}};
        const QString path = root + name + QStringLiteral(".txt");

        const unsigned long long epoch = watcher_.Epoch();
        FileIdentity identity;
        if (!IdentityOf(path, identity)) {
            if (errno != ENOENT && errno != ENOTDIR) {
                const int error = errno;
                Forget(dictionaries_by_name_, name);
                return {nullptr, QStringLiteral("Dictionary \"") + name + QStringLiteral("\": ") +
                                     ReadError(path, error)};
            }
            // No such dictionary: nothing to replace. The root is watched, so a file that
            // appears there later is noticed.
            entry.value.reset();
            entry.first = FileIdentity{};
        } else if (!entry.value || entry.path != path || identity != entry.first) {
            try {
                const QStringList lines = ReadDictionaryLines(path, &identity);
                entry.value = std::make_shared<CompiledDictionary>(lines);
            } catch (const FileReadError& error) {
                Forget(dictionaries_by_name_, name);
                return {nullptr, QStringLiteral("Dictionary \"") + name + QStringLiteral("\": ") +
                                     ReadError(path, error.Error())};
            }
            entry.first = identity;
        }
        entry.path = path;
        entry.root = root;
        entry.epoch = epoch;
        entry.trusted = rootTrusted && !IsSymbolicLink(path);
        auto value = entry.value;
        Trim(dictionaries_by_name_);
        return {value, {}};
    }

  private:
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
    Watcher watcher_;
    Root transliteration_{"Transliteration"};
    Root dictionaries_{"Dictionaries"};
    std::map<QString, Entry<CompiledLanguage>> languages_;
    std::map<QString, Entry<CompiledDictionary>> dictionaries_by_name_;
};

}  // namespace

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
