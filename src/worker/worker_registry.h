// The worker threads that run: started here, counted here, aborted and joined here
// at the end of the program.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>

namespace worker {

// Runs body on a new thread. body receives its abort flag, which ShutdownRegistry
// raises. Throws std::system_error when no thread can be started.
void LaunchWorkerThread(std::function<void(const std::atomic<bool>& abort)> body);

// Raises the abort flag of every running thread and waits up to `wait` for all to
// end. True when none runs any more.
bool ShutdownRegistry(std::chrono::milliseconds wait);

// Waits up to `wait` until no thread runs. True when none runs any more.
bool WaitRegistryIdle(std::chrono::milliseconds wait);

// The number of threads running now.
int RunningWorkerThreads();

}  // namespace worker
