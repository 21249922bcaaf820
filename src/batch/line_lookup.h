// One list line's query, run to its end on the calling thread. The run decides how
// many run at once; a lookup only carries out one exchange and reports what it got.
#pragma once

#include <atomic>
#include <string>

#include "worker/records.h"

namespace batch {

// What a lookup delivers while it runs, in order. Called on the lookup's thread.
class LineEvents {
  public:
    virtual ~LineEvents() = default;
    virtual void Firm(const worker::FirmRecord& firm) = 0;
    virtual void Message(const std::string& text) = 0;    // a service message (Windows-1251)
    virtual void QueryText(const std::string& text) = 0;  // "NAME, records found: N"
};

enum class LookupEnd { Done, Failed, Aborted };

struct LookupOutcome {
    LookupEnd end = LookupEnd::Done;
    std::string reason;  // why it failed (English, UTF-8)
};

class LineLookup {
  public:
    virtual ~LineLookup() = default;
    // Looks up line (Windows-1251). abort is polled during transfers; once it is
    // raised the lookup ends as Aborted. Safe to call from several threads at once.
    virtual LookupOutcome Run(const std::string& line, LineEvents& events,
                              const std::atomic<bool>& abort) = 0;
};

}  // namespace batch
