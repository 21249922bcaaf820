// Writes "Export report..." PDFs on a thread of its own, so that the window's thread
// never waits for the archive: its thread waits until the check's record is written,
// reads its digest back, lays the report out and writes it. One report at a time.
#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <memory>
#include <optional>
#include <vector>

#include "archive/check_record.h"
#include "pages/records.h"
#include "window/report_pdf.h"

namespace window {

class ArchiveRecording;

// A report as the window hands it over: everything the panes show, taken on the
// window's thread, so that the results may change while it is written.
struct ReportJob {
    QString path;
    // Complete but for the digest when `recorded` is set, and for the archive's head and
    // the record's time stamp, which the writer's thread reads.
    ReportContent content;
    // The archive's record of the check shown (with its id and digest) when it was
    // opened from the archive.
    std::optional<archive::CheckRecord> stored;
    // The CA certificates (PEM) that time-stamp tokens are checked against; empty:
    // tokens are named by their authority only.
    std::string tsaCaFile;
    // The window's own check that the rows come from, maybe not yet written: its
    // digest is read back from the archive once it is there ("not recorded" otherwise).
    std::optional<archive::CheckRecord> recorded;
    // The firms of content.rows; the rows point here. Filled by KeepFirms.
    std::vector<lookup::FirmRecord> firms;

    // Copies the firms content.rows point to into `firms` and points the rows there.
    // The job must not be copied afterwards.
    void KeepFirms();
};

// The digest of the check recorded at recorded.checkedAt with recorded's criteria and
// origin in the archive at path; empty when it is not there or cannot be read.
std::string StoredDigestOf(const std::string& path, const archive::CheckRecord& recorded);

// What the archive at path holds for a report of check, read in one read transaction so
// that the head covers the record: the record's digest (check's own when it has an id,
// else found by its criteria, time and origin), the head's line, and the text of the
// oldest time stamp that covers the record (tokens checked against caFile when given).
struct ReportEvidence {
    QString digest;  // empty: the record is not in the archive
    QString head;    // empty: the archive cannot be read
    QString stamp;   // empty: the record is not in the archive
};
ReportEvidence ReadReportEvidence(const std::string& path, const archive::CheckRecord& check,
                                  const std::string& caFile);

// The head line of the archive at path as it is now; empty when it cannot be read or
// holds no record.
QString ArchiveHeadLine(const std::string& path);

// What an export names of the archive for the check shown (opened from the archive),
// or with none shown for the window's last check: the record's digest and the head
// that covers it. A record still being written is not waited for. Without a digest,
// why says why nothing is named.
struct ExportEvidence {
    QString digest;
    QString head;
    QString why;
};
ExportEvidence ReadExportEvidence(const ArchiveRecording& recording,
                                  const archive::CheckRecord* shown);

class ReportWriter : public QObject {
    Q_OBJECT
  public:
    ReportWriter(const ArchiveRecording& recording, QObject* parent = nullptr);
    // Waits for the report being written: it is finished, never left half-written.
    ~ReportWriter() override;

    // Starts writing job's report; false, doing nothing, while another is being written.
    bool Start(std::unique_ptr<ReportJob> job);
    bool busy() const { return busy_; }
    // Waits until no report is being written (the window before it goes, and tests).
    void Wait();

  signals:
    // On this object's thread: the report is at path, or error says why it is not.
    void finished(const QString& path, const QString& error);

  private:
    const ArchiveRecording& recording_;
    bool busy_ = false;
    QThreadPool pool_;
};

}  // namespace window
