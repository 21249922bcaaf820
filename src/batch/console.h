// Where vendrake-batch speaks: --help and --version on the output stream, every other
// word for the user on the error stream. The run's helper threads (the archive's
// recorder) speak too, so each text goes out whole under a lock.
#pragma once

#include <mutex>
#include <ostream>
#include <string>

namespace batch {

class Console {
  public:
    Console(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Writes text as it is (the caller ends its lines) and flushes it.
    void Out(const std::string& text);
    void Err(const std::string& text);

  private:
    std::mutex mutex_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace batch
