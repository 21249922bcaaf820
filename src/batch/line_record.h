// The archive's record of a line a run ended: what was asked, what came back (its firms
// read from the line's spool while the record is written) and, with --screen, what the
// screening found.
#pragma once

#include <string>
#include <vector>

#include "archive/check_record.h"
#include "batch/batch_run.h"
#include "screen/index.h"

namespace batch {

// The record of line, asked of serviceRoot in language ("ru", or the request language).
// screenedAgainst: the list versions the line's firms were screened against, or null.
archive::CheckRecord RecordOf(const EndedLine& line, const std::string& serviceRoot,
                              const std::string& language,
                              const std::vector<screen::ListVersion>* screenedAgainst);

}  // namespace batch
