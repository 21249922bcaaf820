#include "window/search_session.h"

#include <chrono>
#include <exception>
#include <utility>

#include "archive/archive_db.h"
#include "archive/check_record.h"
#include "config/default_addresses.h"
#include "exchange/query_error.h"
#include "exchange/query_service.h"
#include "pages/register_numbers.h"
#include "platform/cp1251.h"
#include "window/archive_recording.h"
#include "window/background_read.h"
#include "window/image_list.h"
#include "window/list_run.h"
#include "window/report_writer.h"
#include "window/results_model.h"
#include "window/search_run.h"

namespace window {
namespace {

// A stored check as read, or why it could not be.
using StoredCheck = platform::Result<std::shared_ptr<archive::CheckRecord>>;

StoredCheck ReadCheck(const std::string& path, qint64 id) {
    archive::Archive db;
    const platform::Status opened = db.Open(path, archive::Archive::Access::ReadOnly);
    if (!opened) {
        return platform::Failure(opened.error());
    }
    platform::Result<std::optional<archive::CheckRecord>> found = db.Get(id);
    if (!found) {
        return platform::Failure(found.error());
    }
    if (!*found) {
        return platform::Failure("archive " + path + ": check " + std::to_string(id) +
                                 " is not there");
    }
    return std::make_shared<archive::CheckRecord>(std::move(**found));
}

}  // namespace

SearchSession::SearchSession(Options options, ResultsModel& model, QObject* parent)
    : QObject(parent), options_(std::move(options)), model_(model) {
    readPool_.setMaxThreadCount(1);
    service_ = new lookup::QueryService(options_.service, this);
    // The rows of an ended query are in place before the archive records it.
    ConnectService();
    recording_ = new ArchiveRecording(*service_, options_.archivePath, this);
    reports_ = new ReportWriter(*recording_, this);
}

SearchSession::~SearchSession() {
    delete reports_;  // finishes a report being written while the archive is there
    reports_ = nullptr;
    currentRun_.reset();
    delete service_;  // ends its threads before the archive's recording goes
    service_ = nullptr;
    readPool_.waitForDone();
}

bool SearchSession::Probing() const {
    return service_->Probing();
}

bool SearchSession::Running() const {
    return currentRun_ && (service_->Pending() > 0 || service_->Probing());
}

int SearchSession::Unfinished() const {
    return currentRun_ ? currentRun_->Total() - currentRun_->Ended() : 0;
}

void SearchSession::Shutdown() {
    currentRun_.reset();
    service_->Shutdown(std::chrono::milliseconds(800));
}

void SearchSession::ConnectService() {
    connect(service_, &lookup::QueryService::firmFound, this,
            [this](lookup::QueryId id, const lookup::FirmRecord& firm) {
                model_.AddHeldFirm(NodeOf(id), platform::FromCp1251(firm.name), firm);
            });
    connect(service_, &lookup::QueryService::queryTextChanged, this,
            [this](lookup::QueryId id, const std::string& text) {
                const ListRun* list = currentRun_ ? currentRun_->List() : nullptr;
                model_.SetQueryText(NodeOf(id), list != nullptr ? list->RowText(id, text)
                                                                : platform::FromCp1251(text));
            });
    connect(service_, &lookup::QueryService::messageFound, this, &SearchSession::OnQueryMessage);
    // An ended query's firms all show before anything reports its end.
    connect(service_, &lookup::QueryService::queryFinished, this,
            [this] { model_.ShowHeldRows(); });
    connect(service_, &lookup::QueryService::queryFinished, this, &SearchSession::OnQueryFinished);
    connect(service_, &lookup::QueryService::allFinished, this, &SearchSession::OnAllFinished);
    connect(service_, &lookup::QueryService::probeFinished, this, &SearchSession::OnProbeFinished);
}

window::NodeHandle SearchSession::NodeOf(lookup::QueryId id) const {
    return currentRun_ ? currentRun_->NodeOf(id) : 0;
}

void SearchSession::TrackQuery(lookup::QueryId id, window::NodeHandle node) {
    currentRun_->Add(id, node);
    model_.SetQueryRunning(node, true);
}

void SearchSession::EmitProgress() {
    if (currentRun_) {
        emit progressChanged(currentRun_->Ended(), currentRun_->Total());
    }
}

void SearchSession::OnQueryMessage(lookup::QueryId id, const std::string& text,
                                   lookup::ServiceMessageKind kind) {
    model_.AddRow(NodeOf(id), RowKind::Message, platform::FromCp1251(text));
    // The service refuses every further request today: the lines not yet sent stay
    // unsent, each marked as such.
    ListRun* list = currentRun_ ? currentRun_->List() : nullptr;
    if (kind != lookup::ServiceMessageKind::DailyLimit || list == nullptr) {
        return;
    }
    const QString notChecked = platform::FromCp1251(lookup::kDailyLimitNotCheckedText);
    std::vector<lookup::QueryId> dropped;
    const std::vector<window::NodeHandle> unsent = list->StopForLimit(dropped);
    for (const lookup::QueryId droppedId : dropped) {
        model_.AddRow(NodeOf(droppedId), RowKind::Skipped, notChecked);
        model_.SetQueryRunning(NodeOf(droppedId), false);
        if (currentRun_->MarkEnded(droppedId)) {
            currentRun_->NoteDropped();
        }
    }
    for (const window::NodeHandle row : unsent) {
        model_.AddRow(row, RowKind::Skipped, notChecked);
        currentRun_->AddChecked();
    }
}

// A failed query shows why under its node; what it delivered before stays.
void SearchSession::OnQueryFinished(lookup::QueryId id, const lookup::QueryOutcome& outcome) {
    if (!currentRun_ || !currentRun_->MarkEnded(id)) {
        return;
    }
    const window::NodeHandle node = NodeOf(id);
    model_.SetQueryRunning(node, false);
    if (ListRun* list = currentRun_->List()) {
        list->Pump();  // the next line takes the ended one's place
    }
    if (!currentRun_->Done()) {
        EmitProgress();
    }
    if (outcome.error) {
        ShowFailure(id, *outcome.error);
    }
    // The firms shown are not all there are: the row says so, and the query keeps the
    // firm icon of what it found.
    if (outcome.listCut) {
        model_.AddRow(node, RowKind::Message, QString::fromLatin1(ResultsModel::kListCutText));
        if (outcome.firmsFound > 0) {
            model_.SetQueryIcon(node, kImageFirm);
        }
    }
}

// The model keeps the text as files write it; the tree shows it translated. The hint
// only where the placeholder host itself could not be reached; an answer that came
// back (through a proxy that serves any host) is reported as it is.
void SearchSession::ShowFailure(lookup::QueryId id, const lookup::QueryError& error) {
    QString text = ResultsModel::kFailedPrefix + QString::fromStdString(error.reason);
    if (options_.reachHint &&
        lookup::CouldNotReach(error, config::HostOfRoot(options_.serviceRoot))) {
        const QString hint = options_.reachHint(options_.serviceRoot);
        if (!hint.isEmpty()) {
            text += QStringLiteral(". ") + hint;
        }
    }
    // Shown as the tree showed it, through Windows-1251.
    model_.AddRow(NodeOf(id), RowKind::Failed, platform::FromCp1251(platform::ToCp1251(text)));
}

void SearchSession::OnAllFinished(int failed, int total) {
    if (currentRun_) {
        emit runEnded(EndOf(failed, total));
    }
}

// A list run whose lines were not all searched for tells how many were, and how many
// lines were skipped (a check digit, the daily limit, nothing but blanks).
SearchSession::RunEnd SearchSession::EndOf(int failed, int total) const {
    RunEnd end;
    end.failed = failed;
    end.total = total;
    const ListRun* list = currentRun_ ? currentRun_->List() : nullptr;
    if (list != nullptr) {
        end.skipped = currentRun_->Skipped() + list->BlankLines();
        end.queries = currentRun_->Total() - currentRun_->Skipped();
    }
    return end;
}

// The check runs on a thread of the query service and `next` runs once the register
// service has answered. The service is asked the way the queries go; the fixed address
// only tells a silent service from a missing connection.
void SearchSession::ProbeThen(std::function<void()> next) {
    emit probeStarted();
    lookup::ProbeOptions options;
    options.url = options_.probeUrl;
    options.serviceRoot = options_.serviceRoot;
    if (options_.proxy) {
        options.proxy = options_.proxy();
    }
    afterProbe_ = std::move(next);
    service_->StartProbe(std::move(options));
}

void SearchSession::OnProbeFinished(const lookup::ProbeResult& result) {
    std::function<void()> next = std::move(afterProbe_);
    afterProbe_ = nullptr;
    if (!result.reachable) {
        emit probeFailed(result);
        return;
    }
    if (!next) {
        return;
    }
    try {
        next();
    } catch (const std::exception& e) {
        emit failed(QString::fromUtf8(e.what()));
    }
}

lookup::QueryRequest SearchSession::RequestFor(lookup::SearchCriteria criteria,
                                               const QString& nodeText) const {
    lookup::QueryRequest request;
    request.criteria = std::move(criteria);
    request.nodeText = platform::ToCp1251(nodeText);
    request.serviceRoot = options_.serviceRoot;
    if (options_.proxy) {
        request.proxy = options_.proxy();
    }
    return request;
}

// A run cut short ("Clear all", a newer search, closing) ends the checking as a run
// that ran out does.
std::unique_ptr<SearchRun> SearchSession::NewRun(bool listRun) {
    return std::make_unique<SearchRun>(*service_, listRun, [this] { emit runEnded(RunEnd{}); });
}

void SearchSession::StartSearch(lookup::SearchCriteria criteria, const QString& nodeText,
                                const QString& language) {
    DropRun();
    currentRun_ = NewRun(false);
    ProbeThen([this, criteria = std::move(criteria), nodeText, language] {
        emit runStarting();
        const window::NodeHandle node = model_.AddQuery(nodeText);
        lookup::QueryRequest request = RequestFor(criteria, nodeText);
        const lookup::QueryRequest kept = request;
        const lookup::QueryId id = service_->Enqueue(std::move(request));
        RecordQueued(id, kept, nodeText, language);
        TrackQuery(id, node);
        EmitProgress();
    });
}

void SearchSession::StartList(std::shared_ptr<lookup::ListFile> list, const QString& resultFile,
                              const QString& language) {
    if (service_->Probing()) {
        return;
    }
    DropRun();
    currentRun_ = NewRun(true);
    ProbeThen([this, list, resultFile, language] {
        emit runStarting();
        emit resultFileChosen(resultFile);
        BeginList(std::move(*list), language);
    });
}

// Every line that holds more than blanks becomes a query row, and the lines go out a
// few at a time, each name converted with the language of transliteration as the
// mirrors show a typed query.
void SearchSession::BeginList(lookup::ListFile list, const QString& language) {
    ListRun::Hooks hooks;
    hooks.queued = [this, language](lookup::QueryId id, window::NodeHandle row,
                                    const lookup::QueryRequest& request, const QString& line) {
        RecordQueued(id, request, line, language);
        TrackQuery(id, row);
    };
    hooks.skipped = [this](window::NodeHandle row, const QString& reason) {
        model_.AddRow(row, RowKind::Skipped, reason);
        currentRun_->AddChecked();
    };
    auto run = std::make_unique<ListRun>(*service_, std::move(list),
                                         RequestFor(lookup::SearchCriteria{}, QString()), language,
                                         std::move(hooks));
    ListRun& listRun = *run;
    currentRun_->SetList(std::move(run));
    currentRun_->ExpectTotal(listRun.AddRows(model_));
    listRun.Pump();
    if (service_->Pending() == 0) {
        emit runEnded(EndOf(0, 0));
    } else {
        EmitProgress();
    }
    if (!listRun.ConversionError().isEmpty()) {
        emit conversionFailed(listRun.ConversionError());
    }
}

void SearchSession::DropRun() {
    ++readGeneration_;  // a stored check still being read would replace what follows
    if (!currentRun_) {
        return;
    }
    for (const window::NodeHandle node : currentRun_->RunningNodes()) {
        model_.SetQueryRunning(node, false);
    }
    currentRun_.reset();
}

// No further query starts, the running ones are aborted and every row stays.
std::optional<SearchSession::Progress> SearchSession::Stop() {
    if (!currentRun_ || (service_->Pending() == 0 && !service_->Probing())) {
        return std::nullopt;
    }
    const Progress progress{currentRun_->Ended(), currentRun_->Total()};
    DropRun();
    afterProbe_ = nullptr;
    return progress;
}

void SearchSession::RecordQueued(lookup::QueryId id, const lookup::QueryRequest& request,
                                 const QString& typed, const QString& language) {
    shownCheck_.reset();  // the results are a new check's now
    emit checkQueued();
    recording_->Queued(id, request, typed,
                       language.isEmpty() ? std::string("ru") : language.toStdString());
}

void SearchSession::ReadStoredCheckThen(
    qint64 checkId, std::function<void(std::shared_ptr<archive::CheckRecord>)> next) {
    const std::uint64_t generation = ++readGeneration_;
    ReadInBackground<StoredCheck>(
        readPool_, this, [path = recording_->path(), checkId] { return ReadCheck(path, checkId); },
        [this, generation, next = std::move(next)](StoredCheck read) {
            if (generation != readGeneration_) {
                return;
            }
            if (!read) {
                emit readFailed(QString::fromStdString(read.error()));
                return;
            }
            next(std::move(*read));
        });
}

void SearchSession::SetShownCheck(std::shared_ptr<archive::CheckRecord> check) {
    shownCheck_ = std::move(check);
}

}  // namespace window
