#include "platform/file_watcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace platform {

namespace {

// Opening and closing without writing change nothing, but are counted for tracked
// files so that a reader can tell whether someone has a file open.
constexpr uint32_t kAccess = IN_OPEN | IN_CLOSE_NOWRITE;
constexpr uint32_t kMask = kAccess | IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE |
                           IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                           IN_ONLYDIR;

}  // namespace

FileWatcher::FileWatcher() {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return;
    wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake_ < 0)
        return;
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // No thread: every call reads the queue itself.
    }
}

FileWatcher::~FileWatcher() {
    if (thread_.joinable()) {
        const uint64_t one = 1;
        while (::write(wake_, &one, sizeof one) < 0 && errno == EINTR) {
        }
        thread_.join();
    }
    if (wake_ >= 0)
        ::close(wake_);
    if (fd_ >= 0)
        ::close(fd_);
}

void FileWatcher::Sync() {
    if (fd_ < 0)
        return;
    std::lock_guard<std::mutex> lock(drain_);
    DrainLocked();
}

void FileWatcher::Track(int folderWatch, const QByteArray& name) {
    if (folderWatch < 0)
        return;
    std::lock_guard<std::mutex> lock(drain_);
    if (tracked_.size() >= kMaxTracked) {
        // Counts of files no longer in use pile up; whoever kept one reads again.
        tracked_.clear();
        generation_.fetch_add(1, std::memory_order_acq_rel);
    }
    tracked_.insert({{folderWatch, name}, FileEvents{}});
}

unsigned long long FileWatcher::Changes(int folderWatch, const QByteArray& name) {
    if (folderWatch < 0)
        return 0;
    std::lock_guard<std::mutex> lock(drain_);
    const auto it = tracked_.find({folderWatch, name});
    return it == tracked_.end() ? kUntracked : it->second.changes;
}

bool FileWatcher::Open(int folderWatch, const QByteArray& name) {
    if (folderWatch < 0)
        return false;
    std::lock_guard<std::mutex> lock(drain_);
    const auto it = tracked_.find({folderWatch, name});
    return it != tracked_.end() && it->second.open > 0;
}

FileWatcher::Watched FileWatcher::WatchFolderOrAncestor(const QString& path, int* folderWatch) {
    if (folderWatch)
        *folderWatch = -1;
    if (fd_ < 0)
        return Watched::Nothing;
    if (watches_.size() > kMaxWatches) {
        // Folders watched earlier pile up; start afresh. Every entry is checked again,
        // as the generation moves on.
        std::lock_guard<std::mutex> lock(drain_);
        for (const int wd : watches_)
            ::inotify_rm_watch(fd_, wd);
        tracked_.clear();
        watches_.clear();
        generation_.fetch_add(1, std::memory_order_acq_rel);
    }
    QByteArray local = QFile::encodeName(path);
    while (local.size() > 1 && local.endsWith('/'))
        local.chop(1);
    bool self = true;
    for (;;) {
        const int wd = ::inotify_add_watch(fd_, local.constData(), kMask);
        if (wd >= 0) {
            watches_.insert(wd);
            if (self && folderWatch)
                *folderWatch = wd;
            return self ? Watched::Folder : Watched::Ancestor;
        }
        if (errno != ENOENT && errno != ENOTDIR)
            return Watched::Nothing;  // out of watches, or not allowed
        if (local == "/")
            return Watched::Nothing;
        const qsizetype slash = local.lastIndexOf('/');
        if (slash <= 0) {
            local = "/";
        } else {
            local.truncate(slash);
        }
        self = false;
    }
}

void FileWatcher::Run() {
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno != EINTR)
            return;  // cannot happen with valid descriptors; callers then Sync themselves
        if (fds[1].revents != 0)
            return;
        if (fds[0].revents != 0)
            Sync();
    }
}

void FileWatcher::DrainLocked() {
    alignas(inotify_event) char buffer[4096];
    bool changed = false;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got > 0) {
            changed = Count(buffer, size_t(got)) || changed;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        break;  // EAGAIN: nothing more
    }
    if (changed)
        generation_.fetch_add(1, std::memory_order_acq_rel);
}

bool FileWatcher::Count(const char* buffer, size_t size) {
    bool changed = false;
    for (size_t at = 0; at + sizeof(inotify_event) <= size;) {
        inotify_event event;
        std::memcpy(&event, buffer + at, sizeof event);
        at += sizeof(inotify_event) + event.len;
        const bool change = (event.mask & ~(kAccess | IN_ISDIR)) != 0;
        changed = changed || change;
        if (tracked_.empty())
            continue;
        const char* name = buffer + at - event.len;
        const QByteArray entry(name, qsizetype(::strnlen(name, event.len)));
        const bool everything = (event.mask & IN_Q_OVERFLOW) != 0;
        const bool folderItself =
            (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) != 0;
        for (auto& [file, events] : tracked_) {
            if (!everything && file.first != event.wd)
                continue;
            if (everything || folderItself) {
                ++events.changes;
                continue;
            }
            if (file.second != entry)
                continue;
            if (change && event.mask != IN_CLOSE_WRITE)
                ++events.changes;
            if (event.mask & IN_OPEN)
                ++events.open;
            if ((event.mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) && events.open > 0)
                --events.open;  // a file open before it was tracked closes without count
            if (event.mask == IN_CLOSE_WRITE)
                ++events.changes;
        }
    }
    return changed;
}

}  // namespace platform
