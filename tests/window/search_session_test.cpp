// The window's search session without a window: a search against the stand-in register
// fills the results model and ends its run, a failed probe takes no row away, "Stop"
// with nothing running tells nothing, and a stored check that cannot be read is said
// once, for the newest read only.
#include "window/search_session.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "exchange/probe.h"
#include "support/cp1251_text.h"
#include "support/standin.h"
#include "window/archive_recording.h"
#include "window/image_list.h"
#include "window/results_model.h"

namespace {

constexpr int kTimeout = 30000;

lookup::SearchCriteria Named(const char* utf8) {
    return lookup::SearchCriteria::ForLine(testsupport::Cp1251Text(utf8));
}

}  // namespace

class SearchSessionTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::StandinServer> standin_;
    std::unique_ptr<window::ResultsModel> model_;
    QTemporaryDir dir_;

    std::unique_ptr<window::SearchSession> NewSession(const std::string& root,
                                                      const std::string& archive = {}) {
        window::SearchSession::Options options;
        options.serviceRoot = root;
        options.probeUrl = root + "/";
        options.archivePath = archive;
        options.reachHint = [](const std::string&) { return QStringLiteral("set the address"); };
        return std::make_unique<window::SearchSession>(std::move(options), *model_);
    }

  private slots:
    void initTestCase() {
        qRegisterMetaType<window::SearchSession::RunEnd>();
        standin_ = std::make_unique<testsupport::StandinServer>();
    }

    void init() { model_ = std::make_unique<window::ResultsModel>(window::MakeImageList()); }

    // The rows go in under one query row, the run tells its progress and its end, and
    // the check is recorded in the session's archive.
    void searchFillsTheModelAndEndsTheRun() {
        const std::string archive = dir_.filePath(QStringLiteral("found.sqlite")).toStdString();
        auto session = NewSession(standin_->root(), archive);
        QSignalSpy starting(session.get(), &window::SearchSession::runStarting);
        QSignalSpy queued(session.get(), &window::SearchSession::checkQueued);
        QSignalSpy ended(session.get(), &window::SearchSession::runEnded);
        session->StartSearch(Named("Ромашка"), QStringLiteral("Ромашка"), QString());
        QVERIFY(session->Probing());
        QVERIFY(session->Running());
        QVERIFY(ended.wait(kTimeout));
        QCOMPARE(starting.count(), 1);
        QCOMPARE(queued.count(), 1);
        const auto end = ended.at(0).at(0).value<window::SearchSession::RunEnd>();
        QCOMPARE(end.failed, 0);
        QCOMPARE(end.total, 1);
        QCOMPARE(end.skipped, 0);
        QCOMPARE(model_->rowCount(), 1);
        QVERIFY(model_->FirmCount() > 0);
        QCOMPARE(session->Unfinished(), 0);
        QVERIFY(!session->Running());
        QVERIFY(!session->Stop().has_value());  // nothing left to stop
        QVERIFY(session->Recording().WaitWritten(std::chrono::seconds(10)));
        QVERIFY(session->Recording().lastRecorded().has_value());
        QVERIFY(session->ShownCheck() == nullptr);
    }

    // A service that does not answer: the probe says why, the rows shown stay and no
    // run starts.
    void failedProbeKeepsTheRows() {
        const window::NodeHandle earlier = model_->AddQuery(QStringLiteral("earlier"));
        model_->AddRow(earlier, window::RowKind::Message, QStringLiteral("kept"));
        auto session = NewSession("http://127.0.0.1:1");
        QSignalSpy failed(session.get(), &window::SearchSession::probeFailed);
        QSignalSpy starting(session.get(), &window::SearchSession::runStarting);
        session->StartSearch(Named("Ромашка"), QStringLiteral("Ромашка"), QString());
        QVERIFY(failed.wait(kTimeout));
        QVERIFY(!failed.at(0).at(0).value<lookup::ProbeResult>().reachable);
        QCOMPARE(starting.count(), 0);
        QCOMPARE(model_->rowCount(), 1);
        QCOMPARE(model_->rowCount(model_->index(0, 0)), 1);
        QVERIFY(!session->Probing());
    }

    // "Stop" while the probe runs aborts the run and the probe: how far it got comes
    // back, and a second "Stop" finds nothing running.
    void stopDuringTheProbeEndsTheRun() {
        auto session = NewSession(standin_->root());
        QSignalSpy starting(session.get(), &window::SearchSession::runStarting);
        session->StartSearch(Named("Ромашка"), QStringLiteral("Ромашка"), QString());
        const std::optional<window::SearchSession::Progress> stopped = session->Stop();
        QVERIFY(stopped.has_value());
        QCOMPARE(stopped->ended, 0);
        QVERIFY(!session->Probing());  // aborted: its answer, were it to come, is not told
        QVERIFY(!session->Running());
        QVERIFY(!session->Stop().has_value());
        QCOMPARE(starting.count(), 0);
        QCOMPARE(model_->rowCount(), 0);
    }

    // Two reads of checks an archive does not hold: only the newer one is told.
    void onlyTheNewestStoredReadIsTold() {
        const std::string archive = dir_.filePath(QStringLiteral("absent.sqlite")).toStdString();
        auto session = NewSession(standin_->root(), archive);
        QSignalSpy failed(session.get(), &window::SearchSession::readFailed);
        int shown = 0;
        const auto show = [&shown](std::shared_ptr<archive::CheckRecord>) { ++shown; };
        session->ReadStoredCheckThen(1, show);
        session->ReadStoredCheckThen(2, show);
        // The reads run one at a time, in order: the older one has come back before.
        QVERIFY(failed.wait(kTimeout));
        QCOMPARE(failed.count(), 1);
        QCOMPARE(shown, 0);
        QVERIFY(!failed.at(0).at(0).toString().isEmpty());
    }
};

QTEST_MAIN(SearchSessionTest)
#include "search_session_test.moc"
