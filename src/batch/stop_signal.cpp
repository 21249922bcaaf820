#include "batch/stop_signal.h"

#include <csignal>

namespace batch {
namespace {

volatile std::sig_atomic_t gSignal = 0;

void OnSignal(int signal) {
    gSignal = signal;
}

}  // namespace

void CatchStopSignals() {
    gSignal = 0;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int StopSignal() {
    return gSignal;
}

}  // namespace batch
