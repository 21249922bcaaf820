// The exit statuses of vendrake-batch.
#pragma once

namespace batch {

enum class ExitStatus {
    AllDone = 0,        // every line checked and done
    LineNotDone = 1,    // a line failed or was skipped
    BadInput = 2,       // bad arguments, FILE unreadable, nothing sound to resume, busy
    NoConnection = 3,   // no Internet connection, or no register service answering
    CannotWrite = 4,    // the results or progress file cannot be written
    DailyLimit = 5,     // the service's daily request limit is used up
    Listed = 6,         // --screen: a firm matched a watch list by number
    NoArchive = 7,      // the archive cannot take the run's records: the run stopped
    NotStamped = 8,     // --stamp: the run ended well but its head could not be stamped
    Linked = 9,         // --screen: a firm matched only related parties of a list (no 6)
    Interrupted = 130,  // SIGINT
    Terminated = 143,   // SIGTERM
};

constexpr int ToInt(ExitStatus status) {
    return static_cast<int>(status);
}

}  // namespace batch
