#include "window/report_writer.h"

#include <QCoreApplication>
#include <chrono>

#include "archive/archive_db.h"
#include "archive/archive_evidence.h"
#include "archive/archive_stamp.h"
#include "window/archive_recording.h"
#include "window/background_read.h"

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

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("window::ReportPdf", text);
}

// The stamps kept, oldest first: checked against caFile when it is given, otherwise
// only where each came from. *checkError: why they could not be checked.
std::vector<archive::StampReport> KeptStamps(archive::Archive& db, const std::string& caFile,
                                             std::string* checkError) {
    std::vector<archive::StampReport> stamps;
    std::string error;
    if (!caFile.empty()) {
        std::string problem;
        if (!archive::VerifyStamps(db, caFile, &stamps, &problem, &error)) {
            *checkError = error;
            stamps.clear();
        } else {
            return stamps;
        }
    }
    std::vector<archive::StoredStamp> kept;
    if (db.Stamps(&kept, &error)) {
        for (const archive::StoredStamp& stored : kept) {
            archive::StampReport stamp;
            stamp.recordId = stored.recordId;
            stamp.authority = stored.authority;
            stamps.push_back(std::move(stamp));
        }
    }
    return stamps;
}

// A token given for a record's digest vouches for the chain up to that record, so the
// oldest token at or after recordId covers it.
QString StampText(const std::vector<archive::StampReport>& stamps, std::int64_t recordId,
                  bool checked, const std::string& checkError) {
    for (const archive::StampReport& stamp : stamps) {
        if (stamp.recordId < recordId) {
            continue;
        }
        const QString authority = QString::fromStdString(stamp.authority);
        if (!checked) {
            QString text = Tr("token from %1, not checked: no CA certificates are set "
                              "(TsaCaFile)")
                               .arg(authority);
            if (!checkError.empty()) {
                text = Tr("token from %1, not checked: %2")
                           .arg(authority, QString::fromStdString(checkError));
            }
            return text;
        }
        if (stamp.check.valid) {
            return Tr("stamped by %1 at %2 (%3)")
                .arg(QString::fromStdString(stamp.check.subject),
                     QString::fromStdString(stamp.check.time), authority);
        }
        return Tr("token from %1 does not hold: %2")
            .arg(authority, QString::fromStdString(stamp.check.problem));
    }
    return Tr("not stamped yet");
}

}  // namespace

ReportEvidence ReadReportEvidence(const std::string& path, const archive::CheckRecord& check,
                                  const std::string& caFile) {
    ReportEvidence evidence;
    archive::Archive db;
    std::string error;
    if (!db.Open(path, archive::Archive::Access::ReadOnly, &error) || !db.BeginRead(&error)) {
        return evidence;
    }
    std::int64_t id = check.id;
    std::string digest = check.digest;
    std::vector<archive::CheckSummary> checks;
    if (id == 0 && db.ChecksOf(archive::QueryKey(check.criteria), &checks, &error)) {
        for (auto it = checks.rbegin(); it != checks.rend(); ++it) {
            if (it->checkedAt == check.checkedAt && it->origin == check.origin) {
                id = it->id;
                digest = it->digest;
                break;
            }
        }
    }
    archive::ChainHead head;
    if (db.Head(&head, &error) && head.records > 0) {
        evidence.head = QString::fromStdString(archive::HeadLine(head));
    }
    if (id != 0) {
        evidence.digest = QString::fromStdString(digest);
        std::string checkError;
        const std::vector<archive::StampReport> stamps = KeptStamps(db, caFile, &checkError);
        evidence.stamp = StampText(stamps, id, !caFile.empty() && checkError.empty(), checkError);
    }
    db.EndRead();
    return evidence;
}

QString ArchiveHeadLine(const std::string& path) {
    archive::Archive db;
    std::string error;
    archive::ChainHead head;
    if (path.empty() || !db.Open(path, archive::Archive::Access::ReadOnly, &error) ||
        !db.Head(&head, &error) || head.records == 0) {
        return QString();
    }
    return QString::fromStdString(archive::HeadLine(head));
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
// whole report is laid out and painted on the pool's thread; the window's thread only
// takes the rows.
bool ReportWriter::Start(std::unique_ptr<ReportJob> job) {
    if (busy_) {
        return false;
    }
    busy_ = true;
    const ArchiveRecording* recording = &recording_;
    std::shared_ptr<ReportJob> shared(std::move(job));
    // The destructor waits for this read, so recording outlives it; its outcome is told
    // only while this object lives.
    ReadInBackground<QString>(
        pool_, this,
        [recording, shared] {
            ReportJob& work = *shared;
            const std::string& path = recording->path();
            const archive::CheckRecord* check = work.stored ? &*work.stored : nullptr;
            if (work.recorded && !path.empty() && recording->WaitWritten(kRecordWait)) {
                check = &*work.recorded;
            }
            if (check != nullptr && !path.empty()) {
                const ReportEvidence evidence = ReadReportEvidence(path, *check, work.tsaCaFile);
                work.content.archiveHead = evidence.head;
                work.content.stamp = evidence.stamp;
                if (work.recorded) {
                    work.content.digest = evidence.digest;
                }
            }
            return WriteReportPdf(work.path, work.content);
        },
        [this, path = shared->path](QString error) {
            busy_ = false;
            emit finished(path, error);
        });
    return true;
}

}  // namespace window
