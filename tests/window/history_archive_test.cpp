// The window and the lookup archive against the stand-in register: every query the
// window ends is recorded, the History panel lists and reopens stored checks without
// a request (a page at a time), "Check again" asks anew, the archive search finds a
// firm by its INN, the PDF report holds the check's rows and digest, and an archive
// that cannot be written is told once while searching goes on.
#include <sqlite3.h>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSemaphore>
#include <QSettings>
#include <QStyle>
#include <QTextDocument>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "archive/archive_db.h"
#include "archive/archive_evidence.h"
#include "archive/archive_stamp.h"
#include "platform/cp1251.h"
#include "support/child_process.h"
#include "support/cp1251_text.h"
#include "support/pdf_text.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/archive_recording.h"
#include "window/archive_search.h"
#include "window/history_panel.h"
#include "window/main_window.h"
#include "window/report_pdf.h"
#include "window/results_model.h"
#include "window/results_pane.h"

using testsupport::StandinServer;
using wintest::Control;

namespace {

constexpr int kTimeout = 30000;

int Searches(const StandinServer& s) {
    int n = 0;
    for (const std::string& line : s.requestLog()) {
        n += line.rfind("POST ", 0) == 0 ? 1 : 0;
    }
    return n;
}

// Why result failed; empty when it did not.
template <class T>
std::string Why(const platform::Result<T>& result) {
    return result ? std::string() : result.error();
}

std::vector<archive::CheckSummary> History(const std::string& path) {
    archive::Archive db;
    const platform::Status opened = db.Open(path, archive::Archive::Access::ReadOnly);
    const platform::Result<std::vector<archive::CheckSummary>> checks =
        opened ? db.List({}) : platform::Failure(opened.error());
    if (!checks) {
        qWarning("%s", checks.error().c_str());
        return {};
    }
    return *checks;
}

archive::CheckRecord Get(const std::string& path, std::int64_t id) {
    archive::Archive db;
    const platform::Status opened = db.Open(path, archive::Archive::Access::ReadOnly);
    const platform::Result<std::optional<archive::CheckRecord>> found =
        opened ? db.Get(id) : platform::Failure(opened.error());
    if (!found || !*found) {
        qWarning("check %lld: %s", static_cast<long long>(id), Why(found).c_str());
        return archive::CheckRecord();
    }
    return **found;
}

// The archive's write lock, held by a connection of the test's own as another program
// writing would hold it, until Release.
class WriteLock {
  public:
    explicit WriteLock(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
            held_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
        }
    }
    ~WriteLock() {
        Release();
        sqlite3_close(db_);
    }
    bool held() const { return held_; }
    void Release() {
        if (held_) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            held_ = false;
        }
    }

  private:
    sqlite3* db_ = nullptr;
    bool held_ = false;
};

// A time-stamping authority of the test's own: a CA, an authority certificate it
// signed, and tests/archive/tsa_server.py answering with `openssl ts -reply` on
// loopback.
class LocalAuthority {
  public:
    explicit LocalAuthority(const QString& folder) : folder_(folder) {
        QDir().mkpath(folder);
        Write(QStringLiteral("ext.cnf"), "extendedKeyUsage=critical,timeStamping\n");
        Write(QStringLiteral("serial"), "01\n");
        Write(QStringLiteral("tsa.cnf"),
              "[ tsa ]\ndefault_tsa = local\n[ local ]\ndir = .\nserial = ./serial\n"
              "crypto_device = builtin\nsigner_cert = ./tsa.pem\nsigner_key = ./tsa.key\n"
              "signer_digest = sha256\ndefault_policy = 1.2.3.4.1\ndigests = sha256\n"
              "accuracy = secs:1\nordering = yes\ntsa_name = no\ness_cert_id_chain = no\n"
              "ess_cert_id_alg = sha256\n");
        const QStringList steps[] = {
            {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
             "-days", "30", "-subj", "/CN=Test Root"},
            {"req", "-newkey", "rsa:2048", "-nodes", "-keyout", "tsa.key", "-out", "tsa.csr",
             "-subj", "/O=Test Authority/CN=Test Stamps"},
            {"x509", "-req", "-in", "tsa.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
             "-CAcreateserial", "-out", "tsa.pem", "-days", "30", "-extfile", "ext.cnf"},
        };
        for (const QStringList& step : steps) {
            if (testsupport::RunProgram(QStringLiteral("openssl"), step, folder).exitCode != 0) {
                qWarning("openssl %s failed", qPrintable(step.join(QLatin1Char(' '))));
                return;
            }
        }
        server_.Start(QStringLiteral("python3"),
                      {QStringLiteral(VENDRAKE_SOURCE_DIR "/tests/archive/tsa_server.py"), folder});
        const QString port = QString::fromUtf8(server_.ReadLine(30000)).trimmed();
        if (!port.isEmpty()) {
            url_ = QStringLiteral("http://127.0.0.1:%1/stamp").arg(port).toStdString();
        }
    }
    const std::string& url() const { return url_; }
    QString caFile() const { return folder_ + QStringLiteral("/ca.pem"); }

  private:
    void Write(const QString& name, const char* text) const {
        QFile file(folder_ + QLatin1Char('/') + name);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(text);
        }
    }

    QString folder_;
    testsupport::ChildProgram server_;
    std::string url_;
};

// Text without blanks, as PdfText reads a PDF.
QString Unspaced(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

using wintest::ReadAll;

}  // namespace

class HistoryArchiveTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<StandinServer> standin_;
    std::unique_ptr<window::MainWindow> mainWindow_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::string archive_;

    void NewWindow() { mainWindow_ = wintest::NewWindow(standin_->root(), standin_->root() + "/"); }
    bool Find(const QString& name) {
        Control<QLineEdit>(mainWindow_.get(), "nameEdit")->setText(name);
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        return wintest::WaitForStatusPrefix(*mainWindow_, QStringLiteral("Checking completed"),
                                            kTimeout);
    }
    QTreeView* Tree() const { return wintest::Tree(mainWindow_.get()); }
    bool ReportWritten() const {
        return QTest::qWaitFor(
            [&] {
                return mainWindow_->StatusText().startsWith(QStringLiteral("Report written to"));
            },
            kTimeout);
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

    // A found, a not-found and a failed query: one record each, as the window ended it.
    void everyEndedQueryIsRecorded() {
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        QVERIFY(Find(QStringLiteral("Пусто")));
        QVERIFY(Find(QStringLiteral("Обрыв")));
        mainWindow_->Recording().Flush();
        const auto checks = History(archive_);
        QCOMPARE(checks.size(), std::size_t(3));
        const archive::CheckRecord failed = Get(archive_, checks[0].id);
        QCOMPARE(failed.outcome, archive::Outcome::Failed);
        QCOMPARE(failed.message, std::string("HTTP 500"));
        QCOMPARE(failed.firms.size(), std::size_t(6));  // the firms read before
        const archive::CheckRecord empty = Get(archive_, checks[1].id);
        QCOMPARE(empty.outcome, archive::Outcome::Message);
        QCOMPARE(empty.messageKind, lookup::ServiceMessageKind::NotFound);
        const archive::CheckRecord found = Get(archive_, checks[2].id);
        QCOMPARE(found.outcome, archive::Outcome::Firms);
        QCOMPARE(found.origin, std::string("window"));
        QCOMPARE(found.service, standin_->root());
        QCOMPARE(found.firms.size(), std::size_t(2));
        QCOMPARE(found.pages, 2);
        QCOMPARE(found.pagesSha256.size(), std::size_t(64));
        QVERIFY(QString::fromStdString(found.typed).contains(QStringLiteral("Лютик")));
    }

    // Opening an entry shows its firms "as of" its date and sends nothing; "Check
    // again" sends it anew and records a new check.
    void historyReopensAndChecksAgain() {
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        QVERIFY(Find(QStringLiteral("Пусто")));
        mainWindow_->Recording().Flush();
        auto* action = mainWindow_->findChild<QAction*>(QStringLiteral("historyAction"));
        QVERIFY(action != nullptr);
        action->trigger();
        window::HistoryPanel& panel = mainWindow_->History();
        QVERIFY(
            QTest::qWaitFor([&] { return !panel.loading() && panel.shownCount() == 2; }, kTimeout));
        QTreeWidget* list = panel.List();
        QVERIFY(list->topLevelItem(0)->text(1).contains(QStringLiteral("Пусто")));
        QCOMPARE(list->topLevelItem(1)->text(3), QStringLiteral("2"));

        const int sent = Searches(*standin_);
        QVERIFY(wintest::Trigger(mainWindow_.get(), "clearAction"));
        list->setCurrentItem(list->topLevelItem(1));
        QTest::mouseClick(Control<QPushButton>(&panel, "historyOpenButton"), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return mainWindow_->FirmCount() == 2; }, kTimeout));
        const QString top = wintest::TopNode(Tree(), 0).text();
        QVERIFY2(top.contains(QStringLiteral("as of")), qPrintable(top));
        QCOMPARE(wintest::TopNode(Tree(), 0).childCount(), 2);  // in the tree at once
        QCOMPARE(Searches(*standin_), sent);

        QTest::mouseClick(Control<QPushButton>(&panel, "historyCheckAgainButton"), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return Searches(*standin_) == sent + 1; }, kTimeout));
        QVERIFY(QTest::qWaitFor(
            [&] { return mainWindow_->ThreadCount() == 0 && mainWindow_->FirmCount() == 2; },
            kTimeout));
        mainWindow_->Recording().Flush();
        QCOMPARE(History(archive_).size(), std::size_t(3));
    }

    // A stored check asked for, then a search before it was read: the search's results
    // stay when the read comes back late. The stored checks' reads queue on one thread,
    // held here by a task of the test's until the search has ended.
    void storedCheckReadLateNeverReplacesANewerSearch() {
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        mainWindow_->Recording().Flush();
        const qint64 id = History(archive_).at(0).id;
        auto gate = std::make_shared<QSemaphore>();
        const auto opened = qScopeGuard([gate] { gate->release(); });  // also on a failure
        QThreadPool& reads = mainWindow_->Session().ReadPool();
        reads.start([gate] { gate->acquire(); });
        mainWindow_->OpenStoredCheck(id);
        QVERIFY(Find(QStringLiteral("Пусто")));
        gate->release();
        reads.waitForDone();
        QCoreApplication::sendPostedEvents();  // the read's answer, if it were taken
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(0));
        const QString top = wintest::TopNode(Tree(), 0).text();
        QVERIFY2(top.contains(QStringLiteral("Пусто")) && !top.contains(QStringLiteral("as of")),
                 qPrintable(top));

        mainWindow_->OpenStoredCheck(id);  // asked for again, it is shown
        QVERIFY(QTest::qWaitFor([&] { return mainWindow_->FirmCount() == 2; }, kTimeout));
        QVERIFY(wintest::TopNode(Tree(), 0).text().contains(QStringLiteral("as of")));
    }

    // 2,500 stored checks: the first page, then the next once the list is scrolled to
    // its end; a number in the filter narrows to the checks that found it.
    void historyPagesAndFilters() {
        {
            archive::Archive db;
            QVERIFY(db.Open(archive_, archive::Archive::Access::ReadWrite));
            std::vector<archive::CheckRecord> records;
            for (int n = 0; n < 2500; ++n) {
                archive::CheckRecord r;
                r.origin = "batch";
                r.typed = "Фирма " + std::to_string(n);
                r.criteria = lookup::SearchCriteria::ForLine(testsupport::Cp1251Text(r.typed));
                r.outcome = archive::Outcome::Firms;
                lookup::FirmRecord firm;
                firm.name = "F";
                firm.inn = std::to_string(7700000000LL + n);
                r.firms.push_back(firm);
                records.push_back(std::move(r));
            }
            const platform::Status appended = db.Append(records);
            QVERIFY2(appended, Why(appended).c_str());
        }
        NewWindow();
        QVERIFY(wintest::Trigger(mainWindow_.get(), "historyAction"));
        window::HistoryPanel& panel = mainWindow_->History();
        QVERIFY(QTest::qWaitFor(
            [&] { return !panel.loading() && panel.shownCount() >= window::kHistoryPageSize; },
            kTimeout));
        QCOMPARE(panel.shownCount(), window::kHistoryPageSize);
        // Scrolled to the end until the next page came: the list may still be laid out
        // when the first page shows, and only a scroll that reaches its end asks for more.
        // Scrolling stops once it has asked, or the second page's end would ask for a third.
        QScrollBar* bar = panel.List()->verticalScrollBar();
        QVERIFY(QTest::qWaitFor(
            [&] {
                if (!panel.loading() && panel.shownCount() == window::kHistoryPageSize) {
                    bar->setValue(bar->maximum());
                }
                return !panel.loading() && panel.shownCount() == 2 * window::kHistoryPageSize;
            },
            kTimeout));
        QVERIFY(panel.List()->topLevelItem(0)->text(1).endsWith(QStringLiteral("2499")));

        Control<QLineEdit>(&panel, "historyFilter")->setText(QStringLiteral("7700000017"));
        QVERIFY(
            QTest::qWaitFor([&] { return !panel.loading() && panel.shownCount() == 1; }, kTimeout));
        QVERIFY(panel.List()->topLevelItem(0)->text(1).endsWith(QStringLiteral(" 17")));
    }

    // A firm found offline by its INN; opening it shows the check it was seen in.
    void archiveSearchFindsAFirmByItsInn() {
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        mainWindow_->Recording().Flush();
        const std::string inn = Get(archive_, History(archive_)[0].id).firms.at(1).inn;
        QVERIFY(wintest::Trigger(mainWindow_.get(), "clearAction"));
        QVERIFY(wintest::Trigger(mainWindow_.get(), "archiveSearchAction"));
        auto* dialog = mainWindow_->findChild<window::ArchiveSearchDialog*>();
        QVERIFY(dialog != nullptr);
        const int sent = Searches(*standin_);
        dialog->Search(QString::fromStdString(inn));
        QVERIFY(QTest::qWaitFor(
            [&] { return !dialog->searching() && dialog->List()->topLevelItemCount() == 1; },
            kTimeout));
        QCOMPARE(dialog->List()->topLevelItem(0)->text(1), QString::fromStdString(inn));
        emit dialog->List()->itemActivated(dialog->List()->topLevelItem(0), 0);
        QVERIFY(QTest::qWaitFor([&] { return mainWindow_->FirmCount() == 2; }, kTimeout));
        QCOMPARE(Searches(*standin_), sent);
    }

    // The report of a live search: a PDF, and a document holding the firms' INNs in
    // both panes, the service address and the archive record's digest.
    void reportHoldsTheFirmsAndTheDigest() {
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        const QString path = dir_->filePath(QStringLiteral("report.pdf"));
        mainWindow_->ExportReportTo(path);
        QVERIFY(ReportWritten());
        const QByteArray pdf = ReadAll(path);
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));

        const archive::CheckRecord check = Get(archive_, History(archive_)[0].id);
        const QString shown = wintest::PdfText(pdf);
        QVERIFY2(shown.contains(QString::fromStdString(check.digest)), qPrintable(shown));
        for (const lookup::FirmRecord& firm : check.firms) {
            QVERIFY2(shown.contains(QString::fromStdString(firm.inn)), qPrintable(shown));
        }
        window::ReportContent content;
        content.rows = mainWindow_->Results().ExportRows();
        content.digest = QString::fromStdString(check.digest);
        content.service = QString::fromStdString(check.service);
        const QString text = window::ReportDocument(content)->toPlainText();
        for (const lookup::FirmRecord& firm : check.firms) {
            QVERIFY2(text.contains(QString::fromStdString(firm.inn)), qPrintable(text));
        }
        QVERIFY(text.contains(QString::fromStdString(check.digest)));
        QVERIFY(text.contains(QStringLiteral("Лютик")));
        for (const window::ExportRow& row : content.rows) {
            QVERIFY(!row.convertedFields.isEmpty());
            QVERIFY2(text.contains(row.convertedFields[0]), qPrintable(row.convertedFields[0]));
        }
    }

    // The report names the archive's head that covers its record and the time stamp
    // that covers it: checked against the CA of TsaCaFile when that is set, otherwise
    // only by where the token came from; a record newer than every token is not stamped.
    void reportNamesTheHeadAndTheStampCoveringItsRecord() {
        LocalAuthority authority(dir_->filePath(QStringLiteral("tsa")));
        QVERIFY(!authority.url().empty());
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        mainWindow_->Recording().Flush();
        {
            archive::Archive db;
            const platform::Status opened = db.Open(archive_, archive::Archive::Access::ReadWrite);
            QVERIFY2(opened, Why(opened).c_str());
            const platform::Result<std::int64_t> stamped =
                archive::StampHead(db, authority.url(), {});
            QVERIFY2(stamped, Why(stamped).c_str());
            QCOMPARE(*stamped, std::int64_t(1));
        }
        const auto headNow = [this] {
            archive::Archive db;
            const platform::Status opened = db.Open(archive_, archive::Archive::Access::ReadOnly);
            const platform::Result<archive::ChainHead> head =
                opened ? db.Head() : platform::Failure(opened.error());
            if (!head) {
                qWarning("%s", head.error().c_str());
            }
            return Unspaced(
                QString::fromStdString(archive::HeadLine(head ? *head : archive::ChainHead())));
        };
        const auto report = [this](const QString& name) {
            const QString path = dir_->filePath(name);
            mainWindow_->ExportReportTo(path);
            return ReportWritten() ? wintest::PdfText(ReadAll(path)) : QString();
        };
        QSettings settings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
        auto forget = qScopeGuard([&] { settings.remove(QStringLiteral("TsaCaFile")); });
        settings.setValue(QStringLiteral("TsaCaFile"), authority.caFile());
        settings.sync();

        QString shown = Unspaced(report(QStringLiteral("checked.pdf")));
        QVERIFY2(shown.contains(headNow()), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("stampedbyCN=TestStamps,O=TestAuthorityat")),
                 qPrintable(shown));
        QVERIFY2(shown.contains(QString::fromStdString(authority.url())), qPrintable(shown));

        settings.remove(QStringLiteral("TsaCaFile"));
        settings.sync();
        shown = Unspaced(report(QStringLiteral("unchecked.pdf")));
        QVERIFY2(
            shown.contains(QStringLiteral("tokenfrom") + QString::fromStdString(authority.url()) +
                           QStringLiteral(",notchecked")),
            qPrintable(shown));
        QVERIFY(!shown.contains(QStringLiteral("stampedby")));

        QVERIFY(Find(QStringLiteral("Пусто")));
        shown = Unspaced(report(QStringLiteral("newer.pdf")));
        QVERIFY2(shown.contains(headNow()), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("vendrake-headrecords=2last=2")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("notstampedyet")), qPrintable(shown));
    }

    // Checks ended while another program holds the archive's write lock longer than the
    // busy timeout are kept, not lost: the status bar counts them until the lock goes,
    // then says they are recorded, and every one of them is in the archive.
    void checksWaitForALockedArchiveAndAreAllRecorded() {
        NewWindow();
        QVERIFY(Find(QStringLiteral("Пусто")));
        mainWindow_->Recording().Flush();
        auto* note = Control<QLabel>(mainWindow_.get(), "recordingLabel");
        QVERIFY(note != nullptr);
        QVERIFY(!note->isVisible());
        WriteLock lock(archive_);
        QVERIFY(lock.held());
        QVERIFY(Find(QStringLiteral("Лютик")));
        QVERIFY(Find(QStringLiteral("Обрыв")));
        QTRY_VERIFY_WITH_TIMEOUT(note->isVisible() && note->text().startsWith(QStringLiteral(
                                                          "2 checks wait to be recorded")),
                                 kTimeout);
        QVERIFY2(!mainWindow_->StatusText().startsWith(QStringLiteral("Not recorded")),
                 qPrintable(mainWindow_->StatusText()));
        QCOMPARE(History(archive_).size(), std::size_t(1));

        lock.Release();
        QTRY_COMPARE_WITH_TIMEOUT(
            note->text(), QStringLiteral("2 checks that waited are recorded now"), kTimeout);
        const auto checks = History(archive_);
        QCOMPARE(checks.size(), std::size_t(3));
        QCOMPARE(Get(archive_, checks[0].id).outcome, archive::Outcome::Failed);
        QVERIFY(QString::fromStdString(checks[1].typed).contains(QStringLiteral("Лютик")));
        QVERIFY(Find(QStringLiteral("Пусто")));  // the next search clears the note
        QVERIFY(!note->isVisible());
    }

    // A report asked for while its check's record waits for a locked archive: the call
    // returns at once and the window goes on (a second report is refused meanwhile);
    // once the archive is free the PDF holds the record's digest and the firm's INN.
    void reportWaitsForItsRecordOffTheWindowThread() {
        NewWindow();
        QVERIFY(Find(QStringLiteral("Пусто")));  // the archive exists from here on
        mainWindow_->Recording().Flush();
        WriteLock lock(archive_);
        QVERIFY(lock.held());
        QVERIFY(Find(QStringLiteral("Лютик")));
        const QString path = dir_->filePath(QStringLiteral("report.pdf"));
        mainWindow_->ExportReportTo(path);
        QVERIFY2(mainWindow_->StatusText().contains(QStringLiteral("being written")),
                 qPrintable(mainWindow_->StatusText()));
        QVERIFY(!QFile::exists(path));
        auto* action = mainWindow_->findChild<QAction*>(QStringLiteral("exportReportAction"));
        QVERIFY(action != nullptr);
        QVERIFY(!action->isEnabled());
        const QString second = dir_->filePath(QStringLiteral("second.pdf"));
        mainWindow_->ExportReportTo(second);
        QVERIFY2(mainWindow_->StatusText().contains(QStringLiteral("still being written")),
                 qPrintable(mainWindow_->StatusText()));
        QVERIFY(History(archive_).size() == 1);  // the record still waits
        QVERIFY(!QFile::exists(path));

        lock.Release();
        QVERIFY(ReportWritten());
        QVERIFY(action->isEnabled());
        QVERIFY(!QFile::exists(second));
        const auto checks = History(archive_);
        QCOMPARE(checks.size(), std::size_t(2));
        const archive::CheckRecord check = Get(archive_, checks[0].id);
        QVERIFY(QString::fromStdString(check.typed).contains(QStringLiteral("Лютик")));
        const QString shown = wintest::PdfText(ReadAll(path));
        QVERIFY2(shown.contains(QString::fromStdString(check.digest)), qPrintable(shown));
        QVERIFY2(shown.contains(QString::fromStdString(check.firms.at(0).inn)), qPrintable(shown));
    }

    // A report asked for while a newer search still runs shows that search's rows: it
    // must not claim the digest of the check recorded before it.
    void reportDuringANewSearchClaimsNoEarlierDigest() {
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        mainWindow_->Recording().Flush();
        const std::string earlier = Get(archive_, History(archive_).at(0).id).digest;
        QVERIFY(!earlier.empty());
        Control<QLineEdit>(mainWindow_.get(), "nameEdit")->setText(QStringLiteral("Медленно"));
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return mainWindow_->ThreadCount() == 1; }, kTimeout));
        const QString path = dir_->filePath(QStringLiteral("report.pdf"));
        mainWindow_->ExportReportTo(path);
        QVERIFY(ReportWritten());
        QCOMPARE(mainWindow_->ThreadCount(), 1);  // the slow search still runs
        const QString shown = wintest::PdfText(ReadAll(path));
        QVERIFY(!shown.isEmpty());
        QVERIFY2(!shown.contains(QString::fromStdString(earlier)), qPrintable(shown));
    }

    // A window closed while its report is being written goes only once the report is
    // whole, its record's digest in it.
    void closingTheWindowFinishesTheReport() {
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        const QString path = dir_->filePath(QStringLiteral("report.pdf"));
        mainWindow_->ExportReportTo(path);
        mainWindow_.reset();
        const QByteArray pdf = ReadAll(path);
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        const archive::CheckRecord check = Get(archive_, History(archive_).at(0).id);
        QVERIFY(wintest::PdfText(pdf).contains(QString::fromStdString(check.digest)));
    }

    // Against an earlier check where the first firm had another address and the second
    // was missing: the first firm's row is marked and its note names the field, both
    // values and the earlier date; both detail lists mark the address row with the old
    // value and say it under the list, each in its own language, while copying the value
    // still copies the value alone; the second firm's details say it is new since then.
    void changedFirmIsMarkedInTheRowAndTheDetails() {
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        mainWindow_->Recording().Flush();
        {
            archive::CheckRecord earlier = Get(archive_, History(archive_)[0].id);
            earlier.id = 0;
            earlier.digest.clear();
            earlier.checkedAt = "2026-01-05T10:00:00Z";
            earlier.firms.at(0).address = platform::ToCp1251(QStringLiteral("старый адрес"));
            earlier.firms.erase(earlier.firms.begin() + 1);
            archive::Archive db;
            QVERIFY(db.Open(archive_, archive::Archive::Access::ReadWrite));
            std::vector<archive::CheckRecord> records{earlier};
            const platform::Status appended = db.Append(records);
            QVERIFY2(appended, Why(appended).c_str());
        }
        QVERIFY(Find(QStringLiteral("Лютик")));
        const QModelIndex first = wintest::Row(Tree(), 0, 0);
        const QModelIndex second = wintest::Row(Tree(), 0, 1);
        QVERIFY(QTest::qWaitFor(
            [&] {
                return !first.data(window::kChangedRole).isNull() &&
                       !second.data(window::kChangedRole).isNull();
            },
            kTimeout));
        const QString note = first.data(window::kChangedRole).toString();
        // The field is named by its caption, never by its stored name ("address").
        QVERIFY2(note.contains(QStringLiteral("Адрес: старый адрес → ")), qPrintable(note));
        QVERIFY2(note.contains(QStringLiteral("2026-01-05")), qPrintable(note));
        QVERIFY(first.data(Qt::ToolTipRole).toString().contains(note));
        wintest::ClickRow(Tree(), first);
        QCOMPARE(mainWindow_->StatusText(), note);

        constexpr int kAddress = 1;
        auto* left = Control<QTreeWidget>(mainWindow_.get(), "detailList");
        auto* right = Control<QTreeWidget>(mainWindow_.get(), "translatedDetailList");
        for (QTreeWidget* list : {left, right}) {
            for (int row = 0; row < 10; ++row) {
                QCOMPARE(list->topLevelItem(row)->icon(0).isNull(), row != kAddress);
                QCOMPARE(list->topLevelItem(row)->toolTip(1).isEmpty(), row != kAddress);
            }
            QVERIFY(
                list->topLevelItem(kAddress)->toolTip(1).contains(QStringLiteral("2026-01-05")));
        }
        QCOMPARE(left->topLevelItem(kAddress)->text(0), QStringLiteral("Адрес"));
        const QString leftTip = left->topLevelItem(kAddress)->toolTip(1);
        QVERIFY2(leftTip.contains(QStringLiteral("старый адрес")), qPrintable(leftTip));
        const QString rightTip = right->topLevelItem(kAddress)->toolTip(1);
        QVERIFY2(rightTip.contains(QStringLiteral("staryy adres")), qPrintable(rightTip));

        auto* leftNote = Control<QLabel>(mainWindow_.get(), "changeNote");
        auto* rightNote = Control<QLabel>(mainWindow_.get(), "translatedChangeNote");
        QVERIFY(leftNote->isVisible() && rightNote->isVisible());
        QVERIFY(leftNote->textInteractionFlags() & Qt::TextSelectableByMouse);
        QVERIFY2(leftNote->text().contains(QStringLiteral("2026-01-05")),
                 qPrintable(leftNote->text()));
        QVERIFY2(leftNote->text().endsWith(QStringLiteral("\nАдрес: старый адрес")),
                 qPrintable(leftNote->text()));
        const QString rightCaption = right->topLevelItem(kAddress)->text(0);
        QVERIFY2(rightNote->text().endsWith(QLatin1Char('\n') + rightCaption +
                                            QStringLiteral(": staryy adres")),
                 qPrintable(rightNote->text()));

        left->topLevelItem(kAddress)->setSelected(true);
        QVERIFY(wintest::Trigger(mainWindow_.get(), "copySelectedAction"));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 left->topLevelItem(kAddress)->text(1) + QStringLiteral("\r\n"));

        wintest::ClickRow(Tree(), second);
        QVERIFY(
            second.data(window::kChangedRole).toString().startsWith(QStringLiteral("New since")));
        for (QTreeWidget* list : {left, right}) {
            for (int row = 0; row < 10; ++row) {
                QVERIFY(list->topLevelItem(row)->icon(0).isNull());
            }
        }
        QVERIFY2(leftNote->text().startsWith(QStringLiteral("New since the check of 2026-01-05")),
                 qPrintable(leftNote->text()));
        QCOMPARE(rightNote->text(), leftNote->text());

        QVERIFY(wintest::Trigger(mainWindow_.get(), "clearAction"));
        QVERIFY(!leftNote->isVisible() && !rightNote->isVisible());
        QVERIFY(left->topLevelItem(kAddress)->icon(0).isNull());
    }

    // A firm's mark that comes while its details are shown shows in them at once; a mark
    // on another row leaves them alone.
    void markOfTheFirmShownReachesItsDetails() {
        NewWindow();
        lookup::FirmRecord firm;
        firm.name = platform::ToCp1251(QStringLiteral("ООО \"ЛЮТИК\""));
        firm.inn = "7701234567";
        wintest::ShowFirm(*mainWindow_, firm);
        window::ResultsModel& model = mainWindow_->Results().Model();
        const window::NodeHandle query = model.HandleOf(0);
        model.AddRow(query, window::RowKind::Firm, QStringLiteral("other"), firm);
        auto* left = Control<QTreeWidget>(mainWindow_.get(), "detailList");
        auto* leftNote = Control<QLabel>(mainWindow_.get(), "changeNote");
        QVERIFY(!leftNote->isVisible());

        window::FirmChangeMark mark;
        mark.since = QStringLiteral("2026-02-03 04:05:06");
        mark.earlier = {{4, QStringLiteral("7700000000")}};
        mark.icon = mainWindow_->style()->standardIcon(QStyle::SP_MessageBoxWarning);
        mark.note = QStringLiteral("changed");
        model.MarkChanged(query, 1, mark);
        QVERIFY(!leftNote->isVisible());
        QVERIFY(left->topLevelItem(4)->icon(0).isNull());
        model.MarkChanged(query, 0, mark);
        QVERIFY(leftNote->isVisible());
        QVERIFY(!left->topLevelItem(4)->icon(0).isNull());
        QVERIFY2(leftNote->text().endsWith(QStringLiteral("ИНН: 7700000000")),
                 qPrintable(leftNote->text()));
        QCOMPARE(left->topLevelItem(4)->text(1), QStringLiteral("7701234567"));
    }

    // A file that is not a database: told once in the status line, searching goes on
    // and the file stays as it was.
    void brokenArchiveIsToldOnceAndSearchingGoesOn() {
        const QString damaged = dir_->filePath(QStringLiteral("damaged.sqlite"));
        const QByteArray garbage(8192, 'Z');
        {
            QFile f(damaged);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(garbage);
        }
        window::UseArchive(damaged.toStdString());
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));
        QVERIFY(QTest::qWaitFor(
            [&] { return mainWindow_->StatusText().startsWith(QStringLiteral("Not recorded")); },
            kTimeout));
        QVERIFY(mainWindow_->StatusText().contains(QStringLiteral("damaged.sqlite")));
        QVERIFY(Find(QStringLiteral("Пусто")));
        mainWindow_->Recording().Flush();
        QTest::qWait(50);
        QVERIFY(!mainWindow_->StatusText().startsWith(QStringLiteral("Not recorded")));
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), garbage);
    }

    void noArchiveRecordsNothing() {
        window::UseArchive(std::nullopt);
        NewWindow();
        QVERIFY(Find(QStringLiteral("Лютик")));
        QVERIFY(!QFile::exists(QString::fromStdString(archive_)));
    }
};

QTEST_MAIN(HistoryArchiveTest)
#include "history_archive_test.moc"
