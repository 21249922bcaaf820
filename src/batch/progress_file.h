// FILE_enabled.progress beside the results: a header naming the output format, a line
// naming the list (its size and SHA-256), then one record per ended line,
// "N<TAB>OUTCOME<TAB>FIRMS<TAB>MESSAGES<TAB>BYTES<TAB>CHECK", where BYTES is the
// results file's size once the line was written and CHECK the record's checksum (8
// hex digits). A line's record goes out after its results, so a whole record always
// vouches for results already on disk; a record that is cut short or damaged vouches
// for nothing. The file is locked for the whole run, so two runs never share it.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "batch/batch_options.h"
#include "batch/results_writer.h"
#include "platform/result.h"

namespace batch {

struct ProgressRecord {
    LineOutcome outcome = LineOutcome::Done;
    int firms = 0;
    int messages = 0;
};

// The last record of each line number, in number order, in 12 bytes a line: records are
// taken in file order and sorted in batches, so that a progress file of millions of
// records never becomes a tree of them.
class ProgressLines {
  public:
    struct Packed {
        std::int32_t number;
        std::uint32_t firms : 30;
        std::uint32_t outcome : 2;
        std::int32_t messages;
    };

    class Iterator {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::pair<int, ProgressRecord>;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = value_type;

        explicit Iterator(std::vector<Packed>::const_iterator at) : at_(at) {}
        value_type operator*() const { return {at_->number, Unpack(*at_)}; }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return at_ != other.at_; }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }

      private:
        std::vector<Packed>::const_iterator at_;
    };

    // Room for about this many records, taken at once (pages never written are never used).
    void Expect(std::size_t records) { entries_.reserve(records); }
    // A record later than the ones added before: it replaces any of the same line.
    void Add(int number, const ProgressRecord& record);
    // Sorts what was added since the last time; done by every reading function.
    void Settle();

    Iterator begin() const { return Iterator(entries_.begin()); }
    Iterator end() const { return Iterator(entries_.end()); }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // The line's record, if it has one.
    std::optional<ProgressRecord> Find(int number) const;

  private:
    static ProgressRecord Unpack(const Packed& p);
    // Records added before they are sorted into the others.
    static constexpr std::size_t kBatch = 1u << 20;

    std::vector<Packed> entries_;  // [0, settled_) sorted, one per line; then in file order
    std::size_t settled_ = 0;
};

struct ProgressState {
    ProgressLines lines;            // the last record of each line number
    std::int64_t resultsBytes = 0;  // the results file's size at the last record
    qint64 listSize = -1;           // the list the run was on
    QByteArray listDigest;
    std::int64_t wholeBytes = 0;  // the progress file's size up to its last whole record
    // The file records nothing, not even its list: a run that ended (or was killed)
    // before its first line was written. There is nothing to resume.
    bool blank = false;
};

// "FILE_enabled.progress" for the list FILE.
QString ProgressFileName(const QString& listPath);

// The record as written, without its line end: the fields and their checksum.
std::string ProgressRecordText(int line, const ProgressRecord& record, std::int64_t resultsBytes);

// Reads a progress file's bytes written for format (screened: by a run with --screen).
// Empty bytes, or a header cut short, give a blank state. Fails when they are not a
// progress file, belong to a run of another format or the other side of --screen, or
// record results sizes that shrink. Records cut short or damaged are passed over.
platform::Result<ProgressState> ParseProgress(std::string_view bytes, OutputFormat format,
                                              bool screened = false);

class ProgressFile {
  public:
    // Why a progress file could not be opened: Busy, another run holds it; Refused, it
    // is a link or not a regular file; Failed, the system refused.
    struct OpenFailure {
        enum class Kind { Busy, Refused, Failed } kind;
        std::string why;
    };

    ProgressFile() = default;
    ~ProgressFile();
    ProgressFile(const ProgressFile&) = delete;
    ProgressFile& operator=(const ProgressFile&) = delete;

    // Opens (or creates) path and locks it for this process. A symbolic link or
    // anything but a regular file there is Refused. Busy: another run holds it (the
    // reason names its process). Nothing in the file changes yet.
    platform::Result<void, OpenFailure> Open(const QString& path);
    bool created() const { return created_; }

    // The file's records (see ParseProgress), read a piece at a time.
    platform::Result<ProgressState> Read(OutputFormat format, bool screened = false);
    // Starts afresh: the header and the list's identity replace whatever was there.
    platform::Status Start(OutputFormat format, qint64 listSize, const QByteArray& listDigest,
                           bool screened = false);
    // Continues after the last whole record (a record cut short is dropped).
    platform::Status Continue(std::int64_t wholeBytes);
    // Appends one record; it is in the file when this succeeds.
    platform::Status Record(int line, const ProgressRecord& record, std::int64_t resultsBytes);
    // Whether anything has been written through Start or Continue.
    bool started() const { return started_; }
    // Closes the file; a file this run created and never started is removed.
    void Close();

  private:
    platform::Status WriteAll(const std::string& bytes);

    int fd_ = -1;
    QString path_;
    bool created_ = false;
    bool started_ = false;
};

}  // namespace batch
