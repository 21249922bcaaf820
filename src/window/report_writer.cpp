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
    // A digest that cannot be read makes the report say "not recorded".
    archive::Archive db;
    if (!db.Open(path, archive::Archive::Access::ReadOnly)) {
        return std::string();
    }
    const platform::Result<std::vector<archive::CheckSummary>> checks =
        db.ChecksOf(archive::QueryKey(recorded.criteria));
    if (!checks) {
        return std::string();
    }
    for (auto it = checks->rbegin(); it != checks->rend(); ++it) {
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

// The stamps kept, oldest first, and why they could not be checked.
struct KeptStamps {
    std::vector<archive::StampReport> stamps;
    std::string checkError;
};

// The stamps kept: checked against caFile when it is given, otherwise only where each
// came from.
KeptStamps ReadStamps(archive::Archive& db, const std::string& caFile) {
    KeptStamps read;
    if (!caFile.empty()) {
        platform::Result<archive::StampsChecked> checked = archive::VerifyStamps(db, caFile);
        if (checked) {
            read.stamps = std::move(checked->stamps);
            return read;
        }
        read.checkError = checked.error();
    }
    const platform::Result<std::vector<archive::StoredStamp>> kept = db.Stamps();
    if (kept) {
        for (const archive::StoredStamp& stored : *kept) {
            archive::StampReport stamp;
            stamp.recordId = stored.recordId;
            stamp.authority = stored.authority;
            read.stamps.push_back(std::move(stamp));
        }
    }
    return read;
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
    if (!db.Open(path, archive::Archive::Access::ReadOnly) || !db.BeginRead()) {
        return evidence;
    }
    std::int64_t id = check.id;
    std::string digest = check.digest;
    const platform::Result<std::vector<archive::CheckSummary>> checks =
        id == 0 ? db.ChecksOf(archive::QueryKey(check.criteria))
                : std::vector<archive::CheckSummary>();
    if (checks) {
        for (auto it = checks->rbegin(); it != checks->rend(); ++it) {
            if (it->checkedAt == check.checkedAt && it->origin == check.origin) {
                id = it->id;
                digest = it->digest;
                break;
            }
        }
    }
    const platform::Result<archive::ChainHead> head = db.Head();
    if (head && head->records > 0) {
        evidence.head = QString::fromStdString(archive::HeadLine(*head));
    }
    if (id != 0) {
        evidence.digest = QString::fromStdString(digest);
        const KeptStamps kept = ReadStamps(db, caFile);
        evidence.stamp =
            StampText(kept.stamps, id, !caFile.empty() && kept.checkError.empty(), kept.checkError);
    }
    db.EndRead();
    return evidence;
}

QString ArchiveHeadLine(const std::string& path) {
    archive::Archive db;
    if (path.empty() || !db.Open(path, archive::Archive::Access::ReadOnly)) {
        return QString();
    }
    const platform::Result<archive::ChainHead> head = db.Head();
    if (!head || head->records == 0) {
        return QString();
    }
    return QString::fromStdString(archive::HeadLine(*head));
}

ExportEvidence ReadExportEvidence(const ArchiveRecording& recording,
                                  const archive::CheckRecord* shown) {
    ExportEvidence evidence;
    const std::string& path = recording.path();
    if (path.empty()) {
        evidence.why = Tr("the archive is off");
        return evidence;
    }
    const archive::CheckRecord* check = shown;
    if (check == nullptr && recording.lastRecorded()) {
        check = &*recording.lastRecorded();
        if (!recording.WaitWritten(std::chrono::milliseconds(0))) {
            evidence.head = ArchiveHeadLine(path);
            evidence.why =
                Tr("the check's record is not in the archive yet, or could not be "
                   "written");
            return evidence;
        }
    }
    if (check == nullptr) {
        evidence.head = ArchiveHeadLine(path);
        evidence.why = Tr("no check was recorded");
        return evidence;
    }
    const ReportEvidence read = ReadReportEvidence(path, *check, std::string());
    evidence.digest = read.digest;
    evidence.head = read.head;
    if (evidence.digest.isEmpty()) {
        evidence.why = read.head.isEmpty() ? Tr("the archive cannot be read")
                                           : Tr("the archive does not hold the check");
    }
    return evidence;
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
