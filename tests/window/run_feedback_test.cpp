// What the window tells the user while a search or a list run goes on and after it:
// the progress in the status bar, the running icon, the rows a failed probe keeps,
// the row of a list the register cut short, and the full text of message rows.
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "config/default_addresses.h"
#include "exchange/query_types.h"
#include "platform/cp1251.h"
#include "support/loopback.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/image_list.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/proxy_dialog.h"
#include "window/results_model.h"
#include "window/results_pane.h"
#include "window/service_host_dialog.h"

using testsupport::StandinServer;
using wintest::Control;
using wintest::ImageOf;
using wintest::NewWindow;
using wintest::Row;

namespace {

constexpr int kTimeout = 30000;

}  // namespace

class RunFeedbackTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<StandinServer> standin_;
    std::unique_ptr<window::MainWindow> mainWindow_;
    QTemporaryDir dir_;

    QTreeView* Tree() const { return wintest::Tree(mainWindow_.get()); }
    QProgressBar* Progress() const {
        return Control<QProgressBar>(mainWindow_.get(), "runProgress");
    }

    void Find(const QString& name) { wintest::FindName(mainWindow_.get(), name); }
    bool WaitForEnd(const QString& status = QStringLiteral("Checking completed.")) {
        return wintest::WaitForStatus(*mainWindow_, status, kTimeout);
    }
    QString WriteList(const QString& name, const QStringList& lines) {
        return wintest::WriteCp1251List(dir_.filePath(name), lines);
    }

  private slots:
    void initTestCase() {
        sandbox_ = wintest::SearchingSandbox();
        standin_ = std::make_unique<StandinServer>();
    }

    void cleanup() {
        mainWindow_.reset();
        wintest::Messages().clear();
    }

    // A query whose pages still load shows the running icon, not the finished tick,
    // and the status bar counts the queries with a progress bar beside it.
    void runningQueryShowsItsStateUntilItEnds() {
        StandinServer slow({"--slow", "1"});
        mainWindow_ = NewWindow(slow.root(), standin_->root() + "/");
        QVERIFY(!Progress()->isVisible());
        Find(QStringLiteral("Медленно"));
        QTRY_VERIFY_WITH_TIMEOUT(
            Tree()->model()->rowCount() == 1 && Tree()->model()->rowCount(Row(Tree(), 0)) > 0,
            kTimeout);
        QCOMPARE(ImageOf(Row(Tree(), 0)), int(window::kImageRunning));
        QCOMPARE(ImageOf(wintest::Row(wintest::Tree(mainWindow_.get(), "translatedTree"), 0)),
                 int(window::kImageRunning));
        QCOMPARE(mainWindow_->StatusText(), QStringLiteral("Checking: 0 of 1"));
        QVERIFY(Progress()->isVisible());
        QCOMPARE(Progress()->maximum(), 1);

        QVERIFY(WaitForEnd());
        QCOMPARE(ImageOf(Row(Tree(), 0)), int(window::kImageFirm));
        QVERIFY(!Progress()->isVisible());
    }

    // A list run counts its lines, skipped ones included, as they end.
    void listRunCountsItsLines() {
        StandinServer slow({"--slow", "1"});
        mainWindow_ =
            NewWindow(slow.root(), standin_->root() + "/", QString(), wintest::OneQueryAtATime());
        // The second line's check digit does not match: checked without a request.
        mainWindow_->LoadQueryList(WriteList(
            QStringLiteral("count.txt"),
            {QStringLiteral("Лютик"), QStringLiteral("7713001233"), QStringLiteral("Медленно")}));
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow_->StatusText(), QStringLiteral("Checking: 2 of 3"),
                                  kTimeout);
        QCOMPARE(Progress()->maximum(), 3);
        QCOMPARE(Progress()->value(), 2);
        QCOMPARE(ImageOf(Row(Tree(), 0)), int(window::kImageFirm));
        QCOMPARE(ImageOf(Row(Tree(), 2)), int(window::kImageRunning));
        QVERIFY(WaitForEnd(QStringLiteral("Checked 2 queries; 1 lines skipped")));
        QVERIFY(!Progress()->isVisible());
    }

    // Lines of blanks get no row and are never sent; the final status counts the
    // queries and names the lines that were not searched for, so that it agrees with
    // the progress shown while the run went on.
    void blankListLinesGetNoRow() {
        mainWindow_ = NewWindow(standin_->root(), standin_->root() + "/");
        mainWindow_->LoadQueryList(
            WriteList(QStringLiteral("blanks.txt"),
                      {QStringLiteral("Лютик"), QStringLiteral("   "), QStringLiteral("7713001233"),
                       QString(), QStringLiteral("Обрыв"), QStringLiteral(" \t ")}));
        QVERIFY(WaitForEnd(QStringLiteral("Checked 2 queries: 1 failed; 3 lines skipped")));
        QCOMPARE(Tree()->model()->rowCount(), 3);
        QCOMPARE(wintest::TextOf(Row(Tree(), 1)), QStringLiteral("7713001233"));
        QVERIFY(wintest::TextOf(Row(Tree(), 2)).startsWith(QStringLiteral("Обрыв")));
    }

    // While the address is the placeholder, a failure points to "Register service..."
    // only when the placeholder host itself could not be reached: a register error that
    // came back through a proxy serving any host is shown as it is.
    void placeholderHintOnlyWhereThePlaceholderIsNotReached() {
        QFile config(dir_.filePath(QStringLiteral("any-host.ini")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("EnabledProxy=1\r\nproxy=127.0.0.1\r\nport=%1\r\n")
                         .arg(standin_->port())
                         .toLatin1());
        config.close();
        const std::string placeholder = config::DefaultServiceRoot();
        const std::string closed = "http://127.0.0.1:" + std::to_string(testsupport::FreePort());
        mainWindow_ = NewWindow(placeholder, closed + "/", config.fileName());
        Find(QStringLiteral("Обрыв"));
        QTRY_VERIFY_WITH_TIMEOUT(
            mainWindow_->ThreadCount() == 0 &&
                mainWindow_->StatusText().startsWith(QStringLiteral("Checking completed")),
            kTimeout);
        wintest::Node query = wintest::TopNode(Tree(), 0);
        QVERIFY(query.childCount() >= 1);
        QCOMPARE(query.child(query.childCount() - 1).text(0),
                 QStringLiteral("Query failed: the register answered HTTP 500"));

        // Straight to the placeholder host, which nothing answers.
        mainWindow_ = NewWindow(placeholder, standin_->root() + "/");
        Find(QStringLiteral("Лютик"));
        const QString host = QString::fromStdString(placeholder.substr(7));
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow_->StatusText().startsWith(
                                     QStringLiteral("the register service at %1 does not "
                                                    "answer: ")
                                         .arg(host)),
                                 kTimeout);
        QVERIFY2(mainWindow_->StatusText().endsWith(window::ServiceHostHint(placeholder)),
                 qPrintable(mainWindow_->StatusText()));
        QCOMPARE(Tree()->model()->rowCount(), 0);
    }

    // A search or a list that cannot start (the proxy has gone) leaves the rows of the
    // last one where they were.
    void failedProbeKeepsTheRowsShown() {
        auto proxyStandin = std::make_unique<StandinServer>();
        QFile config(dir_.filePath(QStringLiteral("config.ini")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("EnabledProxy=1\r\nproxy=127.0.0.1\r\nport=%1\r\n")
                         .arg(proxyStandin->port())
                         .toLatin1());
        config.close();
        mainWindow_ = NewWindow(standin_->root(), standin_->root() + "/", config.fileName());
        Find(QStringLiteral("Лютик"));
        QVERIFY(WaitForEnd());
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));
        const QString query = wintest::TextOf(Row(Tree(), 0));

        const QString proxyAddress = QStringLiteral("127.0.0.1:%1").arg(proxyStandin->port());
        proxyStandin.reset();
        Find(QStringLiteral("Ромашка"));
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow_->StatusText().startsWith(
                                     QStringLiteral("Cannot reach the proxy ") + proxyAddress),
                                 kTimeout);
        QCOMPARE(Tree()->model()->rowCount(), 1);
        QCOMPARE(wintest::TextOf(Row(Tree(), 0)), query);
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));

        mainWindow_->LoadQueryList(WriteList(QStringLiteral("kept.txt"),
                                             {QStringLiteral("Ромашка"), QStringLiteral("Лютик")}));
        QTRY_VERIFY_WITH_TIMEOUT(
            mainWindow_->StatusText().startsWith(QStringLiteral("Cannot reach the proxy ")),
            kTimeout);
        QCOMPARE(Tree()->model()->rowCount(), 1);
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));
        QVERIFY(mainWindow_->ResultFileName().isEmpty());
    }

    // The register asked for a narrower search part-way through the list: a message
    // row under the query says that only the first firms are shown.
    void cutListGetsAMessageRow() {
        mainWindow_ = NewWindow(standin_->root(), standin_->root() + "/");
        Find(QStringLiteral("Стоп"));
        QVERIFY(WaitForEnd());
        const int children = Tree()->model()->rowCount(Row(Tree(), 0));
        QCOMPARE(children, int(mainWindow_->FirmCount()) + 1);
        QVERIFY(mainWindow_->FirmCount() >= 3);
        const QModelIndex cut = Row(Tree(), 0, children - 1);
        QCOMPARE(ImageOf(cut), int(window::kImageMessage));
        QVERIFY(wintest::TextOf(cut).startsWith(QStringLiteral("Only the first firms")));
        QCOMPARE(ImageOf(Row(Tree(), 0)), int(window::kImageFirm));
        // Files hold the row as the program writes it, whatever the language.
        const auto rows = mainWindow_->Results().ExportRows();
        QCOMPARE(rows.back().kind, window::RowKind::Message);
        QCOMPARE(rows.back().text, QString::fromLatin1(window::ResultsModel::kListCutText));

        // A list the register shows whole gets no such row.
        Find(QStringLiteral("Ромашка"));
        QVERIFY(WaitForEnd());
        QCOMPARE(Tree()->model()->rowCount(Row(Tree(), 0)), 9);
    }

    // A failure or message row's whole text is its tooltip and, while the row is
    // current in either tree, the status bar's message.
    void currentMessageRowShowsItsWholeText() {
        mainWindow_ = NewWindow(standin_->root(), standin_->root() + "/");
        QStatusBar* status = mainWindow_->statusBar();
        Find(QStringLiteral("Тишина"));
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow_->StatusText(),
                                  QStringLiteral("Checking completed: 1 of 1 queries failed."),
                                  kTimeout);
        const QModelIndex failure = Row(Tree(), 0, 0);
        const QString text = wintest::TextOf(failure);
        QVERIFY2(text.startsWith(QStringLiteral("Query failed: the register's answer was not "
                                                "recognised")),
                 qPrintable(text));
        QCOMPARE(failure.data(Qt::ToolTipRole).toString(), text);
        wintest::ClickRow(Tree(), failure);
        QCOMPARE(status->currentMessage(), text);
        wintest::ClickRow(Tree(), Row(Tree(), 0));
        QCOMPARE(status->currentMessage(), QString());

        Find(QStringLiteral("Пусто"));
        QVERIFY(WaitForEnd());
        QTreeView* right = wintest::Tree(mainWindow_.get(), "translatedTree");
        const QModelIndex message = Row(right, 0, 0);
        QCOMPARE(message.data(Qt::ToolTipRole).toString(), wintest::TextOf(message));
        wintest::ClickRow(right, message);
        QCOMPARE(status->currentMessage(), wintest::TextOf(message));
        QVERIFY(!status->currentMessage().isEmpty());
        QVERIFY(wintest::Trigger(mainWindow_.get(), "clearAction"));
        QCOMPARE(status->currentMessage(), QString());
    }
};

QTEST_MAIN(RunFeedbackTest)
#include "run_feedback_test.moc"
