// Change notifications for folders (Linux inotify). Every event counts as "something may
// have changed": the generation moves on, and whatever was checked in an earlier
// generation is checked again against the files themselves.
//
// A thread of its own blocks on the notification queue and moves the generation on as
// soon as it wakes, so that a caller only compares the generation in memory and makes no
// system call. The kernel queues an event before the call that made the change returns,
// but the thread may not have woken yet when the caller next looks; Sync reads the queue
// on the caller's behalf, for whenever the thread cannot be relied on to have run.
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

namespace platform {

class FileWatcher {
  public:
    FileWatcher();
    ~FileWatcher();
    FileWatcher(const FileWatcher&) = delete;
    FileWatcher& operator=(const FileWatcher&) = delete;

    // Whether a thread reads the queue; without one the caller must Sync every call.
    bool Threaded() const { return thread_.joinable(); }

    unsigned long long Generation() const { return generation_.load(std::memory_order_acquire); }

    // Reads what the queue holds now; any event moves the generation on. Events the
    // thread read before this returns have moved it on too.
    void Sync();

    // Files whose events are counted, each apart, by the watch on their folder and their
    // name: an in-place rewrite within one timestamp tick leaves a file's identity
    // alone, and only these counts tell that it changed.
    void Track(int folderWatch, const QByteArray& name);
    // The events read so far that concerned the file, its folder, or that the queue
    // overflowed (which may have hidden one). kUntracked for a file not tracked.
    unsigned long long Changes(int folderWatch, const QByteArray& name);
    // Whether the file is open, as far as the events read so far tell: opened more
    // often than closed since it was first tracked (a write under way keeps it open).
    bool Open(int folderWatch, const QByteArray& name);
    static constexpr unsigned long long kUntracked = ~0ULL;

    enum class Watched { Folder, Ancestor, Nothing };

    // Watches the folder at path, or else the nearest folder above it that exists, for
    // entries appearing, going or changing. folderWatch, when given, receives the watch
    // on the folder itself, or -1. Not for use from several threads at once: the
    // caller serialises these calls.
    Watched WatchFolderOrAncestor(const QString& path, int* folderWatch = nullptr);

  private:
    static constexpr size_t kMaxWatches = 512;
    static constexpr size_t kMaxTracked = 1024;

    struct FileEvents {
        unsigned long long changes = 0;
        long long open = 0;
    };

    void Run();
    void DrainLocked();
    // Counts the events for the tracked files; returns whether one of the events is a
    // change rather than an open or a close without writing.
    bool Count(const char* buffer, size_t size);

    int fd_ = -1;
    int wake_ = -1;
    std::mutex drain_;  // one reader of the queue at a time, the generation moved on inside
    std::atomic<unsigned long long> generation_{1};
    std::set<int> watches_;
    std::map<std::pair<int, QByteArray>, FileEvents> tracked_;  // guarded by drain_
    std::thread thread_;
};

}  // namespace platform
