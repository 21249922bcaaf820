#include "batch/console.h"

namespace batch {

void Console::Out(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    out_ << text << std::flush;
}

void Console::Err(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    err_ << text << std::flush;
}

}  // namespace batch
