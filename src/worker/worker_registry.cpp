#include "worker/worker_registry.h"

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace worker {

namespace {

struct Entry {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> abort;
};

struct Registry {
    std::mutex mutex;
    std::condition_variable changed;
    std::map<std::uint64_t, Entry> running;
    std::vector<std::thread> finished;  // ended bodies whose threads are yet to be joined
    std::uint64_t nextId = 1;
};

// Never destroyed: threads may still end while the program's statics go away.
Registry& TheRegistry() {
    static Registry* registry = new Registry;
    return *registry;
}

void JoinAll(std::vector<std::thread>& threads) {
    for (auto& t : threads) {
        if (t.joinable() && t.get_id() != std::this_thread::get_id()) {
            t.join();
        } else if (t.joinable()) {
            t.detach();
        }
    }
    threads.clear();
}

template <class Pred>
bool WaitFor(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds wait, Pred pred) {
    return TheRegistry().changed.wait_for(lock, wait, pred);
}

}  // namespace

void LaunchWorkerThread(std::function<void(const std::atomic<bool>& abort)> body) {
    Registry& r = TheRegistry();
    std::vector<std::thread> done;
    {
        std::lock_guard<std::mutex> lock(r.mutex);
        done.swap(r.finished);
        const std::uint64_t id = r.nextId++;
        auto abort = std::make_shared<std::atomic<bool>>(false);
        Entry& entry = r.running[id];
        entry.abort = abort;
        try {
            entry.thread = std::thread([id, abort, body = std::move(body)]() mutable {
                {
                    auto run = std::move(body);  // released before the thread reports its end
                    run(*abort);
                }
                Registry& reg = TheRegistry();
                std::lock_guard<std::mutex> end(reg.mutex);
                auto it = reg.running.find(id);
                if (it != reg.running.end()) {
                    reg.finished.push_back(std::move(it->second.thread));
                    reg.running.erase(it);
                }
                reg.changed.notify_all();
            });
        } catch (...) {
            r.running.erase(id);
            r.finished.swap(done);
            throw;
        }
    }
    JoinAll(done);
}

bool ShutdownRegistry(std::chrono::milliseconds wait) {
    Registry& r = TheRegistry();
    std::vector<std::thread> done;
    bool idle = false;
    {
        std::unique_lock<std::mutex> lock(r.mutex);
        for (auto& [id, entry] : r.running) {
            entry.abort->store(true);
        }
        idle = WaitFor(lock, wait, [&] { return r.running.empty(); });
        done.swap(r.finished);
    }
    JoinAll(done);
    return idle;
}

bool WaitRegistryIdle(std::chrono::milliseconds wait) {
    Registry& r = TheRegistry();
    std::vector<std::thread> done;
    bool idle = false;
    {
        std::unique_lock<std::mutex> lock(r.mutex);
        idle = WaitFor(lock, wait, [&] { return r.running.empty(); });
        done.swap(r.finished);
    }
    JoinAll(done);
    return idle;
}

int RunningWorkerThreads() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return static_cast<int>(r.running.size());
}

}  // namespace worker
