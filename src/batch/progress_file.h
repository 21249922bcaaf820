// FILE_enabled.progress beside the results: a header naming the output format, then
// one record per ended line, "N<TAB>OUTCOME<TAB>FIRMS<TAB>MESSAGES<TAB>BYTES", where
// BYTES is the results file's size once the line was written. A line's record goes
// out after its results, so a record always vouches for results already on disk.
#pragma once

#include <QString>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "batch/batch_options.h"
#include "batch/results_writer.h"

namespace batch {

struct ProgressRecord {
    LineOutcome outcome = LineOutcome::Done;
    int firms = 0;
    int messages = 0;
};

struct ProgressState {
    std::map<int, ProgressRecord> lines;  // the last record of each line number
    std::int64_t resultsBytes = 0;        // the results file's size at the last record
};

// "FILE_enabled.progress" for the list FILE.
QString ProgressFileName(const QString& listPath);

// Reads a progress file written for format. Returns false with *error when it cannot
// be read, is not a progress file, or belongs to a run of another format. A damaged
// last record (a write cut short) is ignored.
bool ReadProgress(const QString& path, OutputFormat format, ProgressState* state,
                  std::string* error);

class ProgressFile {
  public:
    ProgressFile() = default;
    ~ProgressFile();
    ProgressFile(const ProgressFile&) = delete;
    ProgressFile& operator=(const ProgressFile&) = delete;

    // Starts afresh (header written) or continues an existing file.
    bool Open(const QString& path, OutputFormat format, bool append, std::string* error);
    // Appends one record and flushes it.
    bool Record(int line, const ProgressRecord& record, std::int64_t resultsBytes,
                std::string* error);

  private:
    std::FILE* file_ = nullptr;
};

}  // namespace batch
