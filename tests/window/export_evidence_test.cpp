// What the Excel export names of the archive: the digest and head of the window's own
// check once it is recorded (as the PDF report does), and why nothing is named when
// nothing is recorded.
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "support/cp1251_text.h"
#include "support/standin.h"
#include "support/xlsx_read.h"
#include "window/archive_recording.h"
#include "window/file_time.h"
#include "window/image_list.h"
#include "window/report_writer.h"
#include "window/results_model.h"
#include "window/search_session.h"
#include "window/xlsx_export.h"

namespace {

constexpr int kTimeout = 30000;

}  // namespace

class ExportEvidenceTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::StandinServer> standin_;
    QTemporaryDir dir_;

    // Searches once in a session recording in archive (none when empty) and returns it.
    std::unique_ptr<window::SearchSession> Searched(window::ResultsModel& model,
                                                    const std::string& archive) {
        window::SearchSession::Options options;
        options.serviceRoot = standin_->root();
        options.probeUrl = standin_->root() + "/";
        options.archivePath = archive;
        options.reachHint = [](const std::string&) { return QStringLiteral("set the address"); };
        auto session = std::make_unique<window::SearchSession>(std::move(options), model);
        QSignalSpy ended(session.get(), &window::SearchSession::runEnded);
        session->StartSearch(lookup::SearchCriteria::ForLine(testsupport::Cp1251Text("Ромашка")),
                             QStringLiteral("Ромашка"), QString());
        if (!ended.wait(kTimeout)) {
            return nullptr;
        }
        return session;
    }

  private slots:
    void initTestCase() {
        qRegisterMetaType<window::SearchSession::RunEnd>();
        standin_ = std::make_unique<testsupport::StandinServer>();
    }

    // The window's last check, recorded: its record's digest and the head are named.
    void recordedCheckIsNamed() {
        window::ResultsModel model(window::MakeImageList());
        const std::string archive = dir_.filePath(QStringLiteral("a.sqlite")).toStdString();
        auto session = Searched(model, archive);
        QVERIFY(session != nullptr);
        QVERIFY(session->Recording().WaitWritten(std::chrono::seconds(10)));
        QVERIFY(session->ShownCheck() == nullptr);
        const window::ExportEvidence evidence =
            window::ReadExportEvidence(session->Recording(), session->ShownCheck());
        QCOMPARE(evidence.digest.size(), 64);
        QCOMPARE(evidence.digest.toStdString(),
                 window::StoredDigestOf(archive, *session->Recording().lastRecorded()));
        QCOMPARE(evidence.head, window::ArchiveHeadLine(archive));
        QVERIFY(!evidence.head.isEmpty());
        QVERIFY(evidence.why.isEmpty());
    }

    // Without an archive nothing is named, and why is said.
    void nothingRecordedSaysWhy() {
        window::ResultsModel model(window::MakeImageList());
        auto session = Searched(model, std::string());
        QVERIFY(session != nullptr);
        const window::ExportEvidence evidence =
            window::ReadExportEvidence(session->Recording(), session->ShownCheck());
        QVERIFY(evidence.digest.isEmpty());
        QVERIFY(evidence.head.isEmpty());
        QVERIFY(!evidence.why.isEmpty());
    }

    // The Summary sheet gives the export's local time as UTC and says why no record is
    // named.
    void summaryTimesAreUtcAndNotRecordedSaysWhy() {
        window::XlsxRunSummary summary;
        const QDateTime local(QDate(2026, 12, 10), QTime(20, 9, 11), Qt::LocalTime);
        summary.exportedAt = local.toString(Qt::ISODate);
        summary.notRecordedWhy = QStringLiteral("the archive is off");
        const QString path = dir_.filePath(QStringLiteral("summary.xlsx"));
        QCOMPARE(window::WriteResultsXlsx(path, {}, QStringLiteral("en"), {}, summary), QString());
        const QStringList texts = xlsxtest::SharedStrings(path);
        const QString sheet =
            QString::fromUtf8(xlsxtest::Part(path, QStringLiteral("xl/worksheets/sheet2.xml"))) +
            texts.join('|');
        QVERIFY2(
            sheet.contains(local.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + "Z"),
            qPrintable(sheet));
        QVERIFY2(sheet.contains(QStringLiteral("not recorded: the archive is off")),
                 qPrintable(sheet));
    }

    // Every time a file gets is UTC with "Z": local times without a zone are converted,
    // times with one too; text that is no time stays.
    void fileTimesAreUtc() {
        const QDateTime local(QDate(2026, 12, 10), QTime(20, 9, 11), Qt::LocalTime);
        QCOMPARE(window::FileTimeText(local.toString(Qt::ISODate)),
                 local.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + "Z");
        QCOMPARE(window::FileTimeText(QStringLiteral("2026-12-10T20:09:11+03:00")),
                 QStringLiteral("2026-12-10T17:09:11Z"));
        QCOMPARE(window::FileTimeText(QStringLiteral("2026-12-10T17:09:11Z")),
                 QStringLiteral("2026-12-10T17:09:11Z"));
        QCOMPARE(window::FileTimeText(QStringLiteral("10.12.2026 (2026-12-10T17:09:11Z)")),
                 QStringLiteral("10.12.2026 (2026-12-10T17:09:11Z)"));
    }
};

QTEST_MAIN(ExportEvidenceTest)
#include "export_evidence_test.moc"
