// The results file of a list run, written line by line as lines end and flushed after
// each: the twelve-line blocks (text), one JSON object per record (jsonl), or
// semicolon-separated rows (csv, UTF-8 with a byte-order mark; for xlsx the rows the
// workbook is built from).
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "batch/batch_options.h"
#include "batch/line_spool.h"
#include "batch/screening.h"
#include "platform/output_cells.h"
#include "platform/result.h"

namespace translit {
class Translator;
}

namespace batch {

enum class LineOutcome { Done, Failed, Skipped, Unchecked };

// "done", "failed", "skipped", "unchecked".
const char* OutcomeName(LineOutcome outcome);

// One ended line as the results file records it.
struct LineReport {
    int number = 0;
    std::string query;     // the line's text (Windows-1251)
    std::string nodeText;  // the query's final text, "NAME, records found: N" (Windows-1251)
    LineOutcome outcome = LineOutcome::Done;
    std::string reason;        // why it failed or was skipped (UTF-8)
    std::string checkedAt;     // ISO 8601 UTC
    bool fromArchive = false;  // answered from an earlier check kept in the archive
    // The register cut the result list short: the firms are only its first part. A
    // done line then ends with a message record (jsonl, csv) or block (text) saying so.
    bool cut = false;
};

// "FILE_enabled.txt", "FILE_enabled.jsonl", "FILE_enabled.csv", "FILE_enabled.xlsx" for
// the list FILE.
QString ResultsFileName(const QString& listPath, OutputFormat format);

// ".FILE_enabled.xlsx.spool" beside the list FILE: the rows of an xlsx run, kept for
// the user alone (0600) while the run can be resumed, so that the workbook can be built
// anew after a --resume. They are written as the csv file's cells, the guard against
// formulas included; a value that starts with an apostrophe gets one more, so that
// reading a row back drops exactly one leading apostrophe where there is one.
QString XlsxSpoolFileName(const QString& listPath);

// "FILE_enabled.xlsx.csv": where earlier versions kept the rows of an xlsx run, every
// value as it is (no guard against formulas). A run resumed from such a file goes on
// writing it so.
QString XlsxRowsFileName(const QString& listPath);

using platform::CsvCell;
using platform::JsonString;

// "2026-12-09T11:40:00Z": now.
std::string NowUtc();

// The firms a results file records as matched: by number, and by name only.
struct ScreenedFirms {
    std::int64_t byNumber = 0;
    std::int64_t byName = 0;
};

class ResultsWriter {
  public:
    // Why Open failed: Refused, the path is a symbolic link or not a regular file;
    // Failed, the system refused.
    struct OpenFailure {
        enum class Kind { Refused, Failed } kind;
        std::string why;
    };

    // service: "host[:port]" written with each record; translator: adds the _latin
    // fields to jsonl and csv when not null (it must outlive the writer).
    ResultsWriter(OutputFormat format, std::string service, const translit::Translator* translator);
    ~ResultsWriter();
    ResultsWriter(const ResultsWriter&) = delete;
    ResultsWriter& operator=(const ResultsWriter&) = delete;

    // Opens (or creates) path without changing it: a symbolic link or anything but a
    // regular file there is refused. The first WriteLine cuts it back to keepBytes
    // (0 for a fresh run, the part the progress file vouches for on a resume), so an
    // existing file stays whole until the run has something to write. A new or empty
    // csv file starts with its header.
    platform::Result<void, OpenFailure> Open(const QString& path, std::int64_t keepBytes);

    // Writes the line's records and hands them to the system: a done line's firms
    // and messages (and that its list was cut short), a failed line's failure (what a failed line
    // delivered is not written: a resumed run sends the line again), a skipped line's reason. spool
    // may be null. With MarkScreening each firm's screening follows it: its hits in
    // screening, where a firm without an entry (or a null screening) matched nothing.
    platform::Status WriteLine(const LineReport& line, const LineSpool* spool,
                               const LineScreening* screening = nullptr);

    // Adds where each record's answer came from: a "source" field ("register" or
    // "archive") to jsonl and a source column after checked_at to csv. Call before Open.
    void MarkSource() { markSource_ = true; }

    // Adds each firm's screening: a "screening" record after the firm's (jsonl), the
    // ScreenColumns at the end of every row (csv), a "Screening:" block after the
    // firm's block (text). Call before Open.
    void MarkScreening() { markScreening_ = true; }

    // Creates the file for the user alone (0600) and takes the others' access from an
    // existing one, instead of following the umask. Call before Open.
    void MarkPrivate() { private_ = true; }

    // Writes the rows of an xlsx run as XlsxRowsFileName's file holds them: every value
    // as it is, without the guard against formulas. Call before Open.
    void MarkUnguardedRows() { guardRows_ = false; }

    // The firms recorded as matched in the file's first `bytes` bytes, read a piece at
    // a time. None when they cannot be read.
    std::optional<ScreenedFirms> CountScreened(std::int64_t bytes) const;

    // The file's size after the last complete line.
    std::int64_t size() const { return size_; }
    // Whether a line has been written.
    bool started() const { return started_; }
    // Whether a record of the file ends exactly at bytes (0 is the start).
    bool EndsRecordAt(std::int64_t bytes) const;
    // The file's size on disk now (-1 when it cannot be told).
    std::int64_t SizeOnDisk() const;
    // How often text occurs in the file's first `bytes` bytes, read a piece at a time
    // (-1 when they cannot be read).
    std::int64_t Occurrences(std::int64_t bytes, std::string_view text) const;
    // Empty while path still names the file written; otherwise what happened to it.
    std::string Missing() const;
    // Closes the file; a file Open created and no line was written to is removed.
    void Close();

    // The first transliteration failure, if any (empty otherwise).
    const std::string& translitError() const { return translitError_; }

  private:
    void AppendFirmText(const LineReport& line, const lookup::FirmRecord& firm);
    void AppendMessageText(const LineReport& line, const std::string& text);
    void AppendRecord(const LineReport& line, const char* kind, const lookup::FirmRecord* firm,
                      const std::string& textUtf8, const std::vector<ScreenHit>* hits = nullptr);
    void AppendScreeningRecord(const LineReport& line, const lookup::FirmRecord& firm,
                               const std::vector<ScreenHit>& hits);
    void AppendScreeningText(const std::vector<ScreenHit>& hits);
    void AppendTail(const LineReport& line);
    std::optional<ScreenedFirms> CountCsvCells(std::int64_t bytes) const;
    std::string Latin(const std::string& cp1251);
    platform::Status Begin();
    std::string Cell(std::string_view utf8) const;
    bool csvRows() const { return format_ == OutputFormat::Csv || format_ == OutputFormat::Xlsx; }
    platform::Status Drain();

    OutputFormat format_;
    std::string service_;
    const translit::Translator* translator_;
    int fd_ = -1;
    QString path_;
    bool created_ = false;
    bool started_ = false;
    bool markSource_ = false;
    bool markScreening_ = false;
    bool private_ = false;
    bool guardRows_ = true;
    std::int64_t keepBytes_ = 0;
    std::string buffer_;
    std::int64_t size_ = 0;
    std::string translitError_;
};

}  // namespace batch
