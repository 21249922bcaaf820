// The archive's record of screening, through the window against the stand-in register:
// a check ended with a watch list loaded keeps the versions screened against and the
// matches of all its firms, one ended without a list keeps none, and a stored check
// opened again shows the screening it was recorded with, not one against today's lists.
#include <QCryptographicHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <map>
#include <memory>
#include <set>

#include "archive/archive_db.h"
#include "screen/index.h"
#include "support/pdf_text.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/archive_recording.h"
#include "window/main_window.h"
#include "window/results_model.h"
#include "window/results_pane.h"
#include "window/screening.h"

using testsupport::StandinServer;
using wintest::Control;

namespace {

// Why result failed; empty when it did not.
template <class T>
std::string Why(const platform::Result<T>& result) {
    return result ? std::string() : result.error();
}

constexpr int kTimeout = 30000;
const QString kList = QStringLiteral(VENDRAKE_SOURCE_DIR "/tests/screen/data/watchlist.jsonl");

QString ListDigest() {
    QFile file(kList);
    return file.open(QIODevice::ReadOnly)
               ? QString(
                     QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex())
               : QString();
}

}  // namespace

class ScreeningArchiveTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<StandinServer> standin_;
    std::unique_ptr<window::MainWindow> mainWindow_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::string archive_;

    // A window recording in the test's archive and screening with the index at index.
    void NewWindow(const QString& index) {
        window::MainWindow::Options options;
        options.screeningIndex = index.toStdString();
        mainWindow_ = std::make_unique<window::MainWindow>(
            nullptr, standin_->root(), standin_->root() + "/", nullptr, options);
        mainWindow_->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow_.get()));
        QVERIFY(QTest::qWaitFor([&] { return mainWindow_->Screen().ready(); }, kTimeout));
    }
    QString ListIndex() {
        const QString path = dir_->filePath(QStringLiteral("screening.sqlite"));
        screen::Index index;
        const platform::Status opened =
            index.Open(path.toStdString(), screen::Index::Access::ReadWrite);
        if (!opened) {
            qWarning("%s", opened.error().c_str());
        } else if (const auto imported = index.Import(kList.toStdString(), {});
                   !imported || imported->unchanged) {
            qWarning("%s", imported ? "nothing stored" : imported.error().message.c_str());
        }
        return path;
    }
    QString NoIndex() const { return dir_->filePath(QStringLiteral("none.sqlite")); }
    // Searches name and waits until its check is in the archive (only until it has
    // ended, without record).
    bool FindAndRecord(const QString& name, bool record = true) {
        Control<QLineEdit>(mainWindow_.get(), "nameEdit")->setText(name);
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        const bool ended = QTest::qWaitFor(
            [&] {
                return mainWindow_->ThreadCount() == 0 &&
                       mainWindow_->StatusText().startsWith(QStringLiteral("Checking completed"));
            },
            kTimeout);
        if (record) {
            mainWindow_->Recording().Flush();
            mainWindow_->Screen().Flush();
        }
        return ended;
    }
    archive::CheckRecord Stored(std::int64_t id) const {
        archive::Archive db;
        const platform::Status opened = db.Open(archive_, archive::Archive::Access::ReadOnly);
        const platform::Result<std::optional<archive::CheckRecord>> found =
            opened ? db.Get(id) : platform::Failure(opened.error());
        if (!found || !*found) {
            qWarning("record %lld: %s", static_cast<long long>(id), Why(found).c_str());
            return archive::CheckRecord();
        }
        return **found;
    }
    // The screen mark (0 none, 1 name, 2 number) of each firm under the first query, by
    // INN.
    std::map<std::string, int> Marks() const {
        const window::ResultsModel& model = mainWindow_->Results().Model();
        std::map<std::string, int> marks;
        for (int r = 0; r < model.rowCount(model.index(0, 0)); ++r) {
            const QModelIndex row = model.index(r, 0, model.index(0, 0));
            if (model.Record(row) != nullptr) {
                marks[model.Record(row)->inn] = row.data(window::kScreenRole).toInt();
            }
        }
        return marks;
    }
    void OpenStored(std::int64_t id) {
        mainWindow_->OpenStoredCheck(id);
        QVERIFY(QTest::qWaitFor(
            [&] { return mainWindow_->StatusText().startsWith(QStringLiteral("Stored check of")); },
            kTimeout));
        mainWindow_->Screen().Flush();
    }

  private slots:
    void initTestCase() {
        sandbox_ = wintest::SearchingSandbox();
        standin_ = std::make_unique<StandinServer>();
    }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        archive_ = dir_->filePath(QStringLiteral("archive.sqlite")).toStdString();
        window::UseArchive(archive_);
    }

    void cleanup() {
        mainWindow_.reset();
        wintest::Messages().clear();
    }

    void cleanupTestCase() { window::UseArchive(std::nullopt); }

    // The record names the version screened against with its file's digest, and holds
    // a match for every firm the window marked (by number and by name), each naming
    // its firm, entity and list; the chain still verifies.
    void checkRecordsTheVersionsAndMatches() {
        NewWindow(ListIndex());
        QVERIFY(FindAndRecord(QStringLiteral("Ромашка")));
        const archive::CheckRecord record = Stored(1);
        QVERIFY(record.screening.screened);
        QCOMPARE(record.screening.versions.size(), std::size_t(1));
        const archive::ScreenedVersion& version = record.screening.versions[0];
        QCOMPARE(version.list, std::string("watchlist"));
        QCOMPARE(version.number, 1);
        QFile file(kList);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(
            QString::fromStdString(version.digest),
            QString(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex()));

        std::set<std::string> matched;
        bool byNumber = false;
        bool byName = false;
        for (const archive::ScreenMatch& match : record.screening.matches) {
            matched.insert(match.firmInn);
            QCOMPARE(match.list, std::string("watchlist"));
            QCOMPARE(match.version, 1);
            if (match.entityId == "wl-inn-north") {
                byNumber = match.kind == "identifier" && match.what == "INN" &&
                           match.firmInn == "7713001232" && match.score == 1.0;
            }
            if (match.kind == "name" && match.firmInn == "7841007896") {
                byName = match.score >= 0.9 && match.score <= 1.0 && !match.entityId.empty();
            }
        }
        QVERIFY(byNumber);
        QVERIFY(byName);
        std::set<std::string> marked;
        for (const auto& [inn, mark] : Marks()) {
            if (mark > 0) {
                marked.insert(inn);
            }
        }
        QCOMPARE(matched, marked);
        QVERIFY(matched.size() >= 4);

        archive::Archive db;
        const platform::Status opened = db.Open(archive_, archive::Archive::Access::ReadOnly);
        QVERIFY2(opened, Why(opened).c_str());
        const platform::Result<archive::VerifyReport> report = db.Verify();
        QVERIFY2(report, Why(report).c_str());
        QVERIFY2(report->intact, report->problem.c_str());
    }

    // Checks ended back to back are all screened and recorded in the order they ended;
    // a check with no firm is screened against the versions all the same.
    void checksEndedTogetherKeepTheirOrder() {
        NewWindow(ListIndex());
        const QStringList typed = {QStringLiteral("Ромашка"), QStringLiteral("Пусто"),
                                   QStringLiteral("Лютик")};
        for (const QString& name : typed) {
            QVERIFY(FindAndRecord(name, false));
        }
        mainWindow_->Recording().Flush();
        for (qsizetype i = 0; i < typed.size(); ++i) {
            const archive::CheckRecord record = Stored(i + 1);
            QVERIFY2(QString::fromStdString(record.typed).contains(typed[i]), record.typed.c_str());
            QVERIFY(record.screening.screened);
            QCOMPARE(record.screening.versions.size(), std::size_t(1));
        }
        QVERIFY(!Stored(1).screening.matches.empty());
        QVERIFY(Stored(2).screening.matches.empty());
    }

    // A check ended as the window closes is still screened and recorded.
    void checkEndedAtCloseIsRecorded() {
        NewWindow(ListIndex());
        QVERIFY(FindAndRecord(QStringLiteral("Ромашка"), false));
        mainWindow_.reset();
        const archive::CheckRecord record = Stored(1);
        QVERIFY(record.screening.screened);
        QVERIFY(!record.screening.matches.empty());
    }

    // Without any list the check is recorded as without screening.
    void withoutAListNothingIsRecorded() {
        NewWindow(NoIndex());
        QVERIFY(FindAndRecord(QStringLiteral("Ромашка")));
        const archive::CheckRecord record = Stored(1);
        QVERIFY2(QString::fromStdString(record.typed).contains(QStringLiteral("Ромашка")),
                 record.typed.c_str());
        QVERIFY(!record.screening.screened);
        QVERIFY(record.screening.versions.empty());
        QVERIFY(!QFile::exists(NoIndex()));
    }

    // Opened from History in a window with no list, a stored check shows its recorded
    // marks and says in the status line what it was screened against.
    void storedCheckShowsItsRecordedScreening() {
        NewWindow(ListIndex());
        QVERIFY(FindAndRecord(QStringLiteral("Ромашка")));
        mainWindow_.reset();
        NewWindow(NoIndex());
        OpenStored(1);
        QVERIFY2(mainWindow_->StatusText().contains(
                     QStringLiteral("screened against watchlist version 1")),
                 qPrintable(mainWindow_->StatusText()));
        QCOMPARE(Marks().at("7713001232"), 2);
        QCOMPARE(Marks().at("7841007896"), 1);
        QCOMPARE(Marks().at("7839001110"), 0);

        // Its report names the version it was screened against, with the digest.
        const QString report = dir_->filePath(QStringLiteral("report.pdf"));
        mainWindow_->ExportReportTo(report);
        QVERIFY(QTest::qWaitFor(
            [&] {
                return mainWindow_->StatusText().startsWith(QStringLiteral("Report written to"));
            },
            kTimeout));
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString shown = wintest::PdfText(file.readAll()).remove(QRegularExpression("\\s"));
        QVERIFY2(shown.contains(ListDigest()), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("wl-inn-north")), qPrintable(shown));
    }

    // A check recorded unscreened, opened in a window with a list, gets no mark from
    // today's list.
    void unscreenedStoredCheckIsNotScreenedAnew() {
        NewWindow(NoIndex());
        QVERIFY(FindAndRecord(QStringLiteral("Ромашка")));
        mainWindow_.reset();
        NewWindow(ListIndex());
        OpenStored(1);
        QVERIFY2(!mainWindow_->StatusText().contains(QStringLiteral("screened")),
                 qPrintable(mainWindow_->StatusText()));
        QCOMPARE(Marks().at("7713001232"), 0);
        QCOMPARE(Marks().at("7841007896"), 0);
    }
};

QTEST_MAIN(ScreeningArchiveTest)
#include "screening_archive_test.moc"
