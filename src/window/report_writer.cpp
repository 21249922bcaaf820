#include "window/report_writer.h"

#include <QMetaObject>
#include <chrono>

#include "archive/archive_db.h"
#include "window/archive_recording.h"

namespace window {
namespace {

// How long a report waits for its check's record at most. The recorder settles a
// record (written or given up) within its busy timeout, so this bounds only an
// archive far slower than any disk.
constexpr std::chrono::seconds kRecordWait{60};

}  // namespace

void ReportJob::KeepFirms() {
    std::size_t count = 0;
    for (const ExportRow& row : content.rows) {
        count += row.firm != nullptr ? 1 : 0;
    }
    firms.clear();
    firms.reserve(count);  // no reallocation below: the rows' pointers stay valid
    for (ExportRow& row : content.rows) {
        if (row.firm != nullptr) {
            firms.push_back(*row.firm);
            row.firm = &firms.back();
        }
    }
}

std::string StoredDigestOf(const std::string& path, const archive::CheckRecord& recorded) {
    archive::Archive db;
    std::string error;  // a digest that cannot be read makes the report say "not recorded"
    std::vector<archive::CheckSummary> checks;
    if (!db.Open(path, archive::Archive::Access::ReadOnly, &error) ||
        !db.ChecksOf(archive::QueryKey(recorded.criteria), &checks, &error)) {
        return std::string();
    }
    for (auto it = checks.rbegin(); it != checks.rend(); ++it) {
        if (it->checkedAt == recorded.checkedAt && it->origin == recorded.origin) {
            return it->digest;
        }
    }
    return std::string();
}

ReportWriter::ReportWriter(const ArchiveRecording& recording, QObject* parent)
    : QObject(parent), recording_(recording) {
    pool_.setMaxThreadCount(1);
}

ReportWriter::~ReportWriter() {
    Wait();
}

void ReportWriter::Wait() {
    pool_.waitForDone();
}

// QTextDocument and QPdfWriter are reentrant and the report holds no pixmaps, so the
// whole report is laid out and painted on the worker; the window's thread only takes
// the rows.
bool ReportWriter::Start(std::unique_ptr<ReportJob> job) {
    if (busy_) {
        return false;
    }
    busy_ = true;
    const ArchiveRecording* recording = &recording_;
    std::shared_ptr<ReportJob> shared(std::move(job));
    // The destructor waits for this task, so this object outlives it; a call queued to
    // it while it is being destroyed is dropped with it.
    pool_.start([this, recording, shared] {
        ReportJob& work = *shared;
        if (work.recorded && !recording->path().empty() && recording->WaitWritten(kRecordWait)) {
            work.content.digest =
                QString::fromStdString(StoredDigestOf(recording->path(), *work.recorded));
        }
        const QString error = WriteReportPdf(work.path, work.content);
        QMetaObject::invokeMethod(
            this,
            [this, path = work.path, error] {
                busy_ = false;
                emit finished(path, error);
            },
            Qt::QueuedConnection);
    });
    return true;
}

}  // namespace window
