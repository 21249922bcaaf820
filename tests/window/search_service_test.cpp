// The window's searches through the query service against the stand-in register:
// failures shown under their query node, superseded searches and closing that send
// nothing more, a probe that leaves the window responsive, list runs that stop at
// the daily limit and skip numbers whose check digit does not match.
#include <unistd.h>

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "exchange/query_service.h"
#include "platform/cp1251.h"
#include "support/loopback.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/image_list.h"
#include "window/main_window.h"
#include "window/message_box.h"

using testsupport::LoggedRequest;
using testsupport::StandinServer;
using wintest::Control;
using wintest::ImageOf;
using wintest::NewWindow;

namespace {

constexpr int kTimeout = 30000;

}  // namespace

class SearchServiceTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<StandinServer> standin_;
    std::unique_ptr<window::MainWindow> mainWindow_;
    QTemporaryDir dir_;

    QTreeView* Tree() const { return wintest::Tree(mainWindow_.get()); }

    void Find(const QString& name) { wintest::FindName(mainWindow_.get(), name); }
    bool WaitForStatus(const QString& status) {
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

    // Every kind of failure: a message node under the query node with the reason, the
    // query node taking its icon, the firms read before kept (and still the only
    // entries of the results file), and the status line counting the failure.
    void failuresShowTheirReason_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("root");  // empty: the stand-in
        QTest::addColumn<int>("limitCase");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("firmsBefore");

        QTest::newRow("time-out") << QStringLiteral("Молчание") << QString() << 1
                                  << QStringLiteral("no answer within 2 s") << 6;
        QTest::newRow("HTTP status")
            << QStringLiteral("Обрыв") << QString() << 0 << QStringLiteral("HTTP 500") << 6;
        QTest::newRow("too large") << QStringLiteral("Громада") << QString() << 0
                                   << QStringLiteral("answer larger than 32 MiB") << 6;
        QTest::newRow("undecodable") << QStringLiteral("Подделка") << QString() << 0
                                     << QStringLiteral("cannot decode the answer") << 6;
        QTest::newRow("too many result pages") << QStringLiteral("Ромашка") << QString() << 3
                                               << QStringLiteral("too many result pages") << 6;
        QTest::newRow("whole query time")
            << QStringLiteral("Капель") << QString() << 4
            << QStringLiteral("the query took longer than 1500 ms") << 6;
    }

    void failuresShowTheirReason() {
        QFETCH(QString, name);
        QFETCH(QString, root);
        QFETCH(int, limitCase);
        QFETCH(QString, reason);
        QFETCH(int, firmsBefore);

        window::MainWindow::Options options;
        lookup::HttpLimits& limits = options.service.limits;
        limits.maxQueryTime = std::chrono::seconds(60);
        switch (limitCase) {
            case 1:
                limits.lowSpeedTimeSec = 2;
                break;
            case 3:
                limits.maxResultPages = 2;
                break;
            case 4:
                limits.maxQueryTime = std::chrono::milliseconds(1500);
                break;
            default:
                break;
        }
        mainWindow_ = NewWindow(root.isEmpty() ? standin_->root() : root.toStdString(),
                                standin_->root() + "/", QString(), options);

        Find(name);
        QVERIFY(WaitForStatus(QStringLiteral("Checking completed: 1 of 1 queries failed.")));
        QCOMPARE(Tree()->model()->rowCount(), 1);
        wintest::Node query = wintest::TopNode(Tree(), 0);
        QVERIFY(query.childCount() >= 1);
        wintest::Node last = query.child(query.childCount() - 1);
        // Some reasons go on with a detail in brackets.
        QVERIFY2(last.text(0).startsWith(QStringLiteral("Query failed: ") + reason),
                 qPrintable(last.text(0)));
        QCOMPARE(ImageOf(last), int(window::kImageMessage));
        QCOMPARE(ImageOf(query), int(window::kImageMessage));
        QCOMPARE(query.childCount(), firmsBefore + 1);
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(firmsBefore));
        QCOMPARE(mainWindow_->ResultEntries().size(), std::size_t(firmsBefore));
        QVERIFY(wintest::Messages().isEmpty());
    }

    // A newer search aborts the older one at once: after the second "Find" the stand-in
    // sees no request of the first search's session, apart from the one in flight.
    void newerSearchStopsTheOlderOne() {
        StandinServer slow({"--slow", "1"});
        mainWindow_ = NewWindow(slow.root(), standin_->root() + "/");
        Find(QStringLiteral("Медленно"));
        const auto firstPost = [&slow]() -> std::optional<LoggedRequest> {
            for (const LoggedRequest& r : slow.requests()) {
                if (r.method == "POST") {
                    return r;
                }
            }
            return std::nullopt;
        };
        QVERIFY(QTest::qWaitFor([&] { return firstPost().has_value(); }, kTimeout));
        const std::string firstSession = firstPost()->cookie;
        QVERIFY(!firstSession.empty());

        const double secondStarted = testsupport::NowSeconds();
        Find(QStringLiteral("Лютик"));
        QVERIFY(WaitForStatus(QStringLiteral("Checking completed.")));
        QTest::qWait(2500);  // what the first search would fetch after its slow answer

        int afterwards = 0;
        for (const LoggedRequest& r : slow.requests()) {
            if (r.cookie == firstSession && r.time > secondStarted) {
                ++afterwards;
            }
        }
        QCOMPARE(afterwards, 0);
        QCOMPARE(Tree()->model()->rowCount(), 1);
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));
    }

    // "Clear all" mid-search aborts it: the tree stays empty, the status line says the
    // checking is over, and the search sends nothing more.
    void clearAllAbortsTheRunningSearch() {
        StandinServer slow({"--slow", "1"});
        mainWindow_ = NewWindow(slow.root(), standin_->root() + "/");
        Find(QStringLiteral("Медленно"));
        QVERIFY(QTest::qWaitFor([&] { return slow.requests().size() >= 2; }, kTimeout));
        QCOMPARE(mainWindow_->ThreadCount(), 1);

        Control<QAction>(mainWindow_.get(), "clearAction")->trigger();
        const double cleared = testsupport::NowSeconds();
        QCOMPARE(mainWindow_->ThreadCount(), 0);
        QCOMPARE(mainWindow_->StatusText(), QStringLiteral("Checking completed."));
        QTest::qWait(2500);
        QCOMPARE(Tree()->model()->rowCount(), 0);
        // A request already on its way when "Clear all" came may still reach the
        // stand-in after it; nothing after that one is sent.
        int late = 0;
        for (const LoggedRequest& r : slow.requests()) {
            late += r.time > cleared ? 1 : 0;
        }
        QVERIFY2(late <= 1, QByteArray::number(late).constData());
    }

    // Closing during a long list run returns within a second, and no request leaves
    // after it.
    void closingDuringAListRunStopsEverything() {
        StandinServer slow({"--slow", "1"});
        QStringList lines;
        for (int i = 0; i < 40; ++i) {
            lines << QStringLiteral("Медленно %1").arg(i);
        }
        const QString list = WriteList(QStringLiteral("slow.txt"), lines);
        mainWindow_ = NewWindow(slow.root(), standin_->root() + "/");
        mainWindow_->LoadQueryList(list);
        QVERIFY(QTest::qWaitFor([&] { return slow.requests().size() >= 4; }, kTimeout));
        QCOMPARE(mainWindow_->ThreadCount(), 40);
        // A few lines wait in the service at a time, not the whole list.
        QVERIFY(mainWindow_->Service()->Pending() <= 8);

        // Asked first: keeping the run leaves the window open and the queries running.
        QStringList asked;
        window::SetQuestionHandler([&asked](const QString& text) {
            asked << text;
            return false;
        });
        QVERIFY(!mainWindow_->close());
        QCOMPARE(mainWindow_->ThreadCount(), 40);
        QCOMPARE(asked, QStringList({QStringLiteral(
                            "Queries are still running. Stop them and close the window?")}));
        window::SetQuestionHandler([](const QString&) { return true; });

        QElapsedTimer timer;
        timer.start();
        QVERIFY(mainWindow_->close());
        const qint64 closing = timer.elapsed();
        const double closed = testsupport::NowSeconds();
        QVERIFY2(closing < 1000, qPrintable(QString::number(closing)));
        QCOMPARE(mainWindow_->ThreadCount(), 0);
        window::SetQuestionHandler(nullptr);

        // Requests already on their way when the window closed (one per running query
        // at most) may still reach the stand-in after it; a run that went on would send
        // about two more per query in the time waited.
        QTest::qWait(2500);
        int late = 0;
        for (const LoggedRequest& r : slow.requests()) {
            late += r.time > closed ? 1 : 0;
        }
        QVERIFY2(late <= lookup::ServiceOptions().poolSize, QByteArray::number(late).constData());
    }

    // While the probe waits for the service's answer that does not come, the window
    // handles what is posted to it at once, and a second "Find" is ignored.
    void probeLeavesTheWindowResponsive() {
        const testsupport::SilentListener silent;
        mainWindow_ = NewWindow(
            silent.root(), "http://127.0.0.1:" + std::to_string(testsupport::FreePort()) + "/");
        Find(QStringLiteral("Ромашка"));
        QVERIFY(mainWindow_->Service()->Probing());
        QCOMPARE(mainWindow_->StatusText(), QStringLiteral("Checking internet connection..."));

        QElapsedTimer timer;
        timer.start();
        qint64 handledAfter = -1;
        QMetaObject::invokeMethod(
            mainWindow_.get(), [&] { handledAfter = timer.elapsed(); }, Qt::QueuedConnection);
        QTRY_VERIFY_WITH_TIMEOUT(handledAfter >= 0, 1000);
        QVERIFY2(handledAfter < 100, qPrintable(QString::number(handledAfter)));

        Find(QStringLiteral("Лютик"));  // ignored while probing
        QVERIFY(mainWindow_->Service()->Probing());
        QVERIFY(QTest::qWaitFor([&] { return !mainWindow_->Service()->Probing(); }, kTimeout));
        QCOMPARE(mainWindow_->StatusText(), QStringLiteral("No Internet connection..."));
        QCOMPARE(Tree()->model()->rowCount(), 0);
    }

    // The connection check asks the register service itself: a mirror that answers is
    // searched even where the fixed address of the check cannot be reached (a mirror
    // on the local network, an office network open to the register only).
    void aServiceThatAnswersIsSearchedWithoutTheFixedAddress() {
        const std::string closed = "http://127.0.0.1:" + std::to_string(testsupport::FreePort());
        mainWindow_ = NewWindow(standin_->root(), closed + "/");
        Find(QStringLiteral("Лютик"));
        QVERIFY(WaitForStatus(QStringLiteral("Checking completed.")));
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));
    }

    // A service that does not answer starts no query; the fixed address then tells a
    // service that is down (with the service's reason) from a missing connection.
    void aServiceThatDoesNotAnswerIsToldFromNoConnection() {
        const int closedPort = testsupport::FreePort();
        const std::string closed = "http://127.0.0.1:" + std::to_string(closedPort);
        mainWindow_ = NewWindow(closed, standin_->root() + "/");
        Find(QStringLiteral("Лютик"));
        QTRY_COMPARE_WITH_TIMEOUT(
            mainWindow_->StatusText(),
            QStringLiteral("the register service at 127.0.0.1:%1 does not answer: cannot connect "
                           "to 127.0.0.1:%1")
                .arg(closedPort),
            kTimeout);
        QCOMPARE(Tree()->model()->rowCount(), 0);
        QCOMPARE(mainWindow_->ThreadCount(), 0);

        mainWindow_ = NewWindow(closed, closed + "/");
        Find(QStringLiteral("Лютик"));
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow_->StatusText(),
                                  QStringLiteral("No Internet connection..."), kTimeout);
        QCOMPARE(Tree()->model()->rowCount(), 0);
    }

    // The form characters typed into a name reach the service inside the one value.
    void nameWithFormCharactersArrivesWhole() {
        StandinServer s;
        mainWindow_ = NewWindow(s.root(), standin_->root() + "/");
        Find(QStringLiteral("Ромашка & Ко = 1+1 50%"));
        QVERIFY(WaitForStatus(QStringLiteral("Checking completed.")));
        std::string body;
        for (const LoggedRequest& r : s.requests()) {
            if (r.method == "POST") {
                body = r.body;
            }
        }
        QCOMPARE(body.substr(0, body.find("&adr=")),
                 std::string("name=%D0%EE%EC%E0%F8%EA%E0+%26+%CA%EE+%3D+1%2B1+50%25"));
    }

    // "Stop" (Escape) aborts the running query, starts no other and keeps every row.
    void stopKeepsRowsAndSendsNothingMore() {
        StandinServer slow({"--slow", "2"});
        const QString list =
            WriteList(QStringLiteral("stop.txt"),
                      {QStringLiteral("Лютик"), QStringLiteral("Медленно"), QStringLiteral("Лютик"),
                       QStringLiteral("Лютик"), QStringLiteral("Лютик")});
        mainWindow_ =
            NewWindow(slow.root(), standin_->root() + "/", QString(), wintest::OneQueryAtATime());
        mainWindow_->LoadQueryList(list);
        // The rows come once the connection is known to work.
        QTRY_COMPARE_WITH_TIMEOUT(Tree()->model()->rowCount(), 5, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(wintest::TopNode(Tree(), 0).childCount(), 2, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow_->ThreadCount() == 4, 30000);  // "Медленно" runs

        mainWindow_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow_.get()));
        QTest::keyClick(mainWindow_.get(), Qt::Key_Escape);
        QCOMPARE(mainWindow_->StatusText(), QStringLiteral("Stopped: 1 of 5 checked."));
        QCOMPARE(mainWindow_->ThreadCount(), 0);
        const std::size_t requestsAtStop = slow.requests().size();
        QTest::qWait(3000);  // the slow answer would have ended and the next line started
        QVERIFY(slow.requests().size() <= requestsAtStop + 1);  // at most one on the wire
        QCOMPARE(Tree()->model()->rowCount(), 5);
        QCOMPARE(wintest::TopNode(Tree(), 0).childCount(), 2);
        for (int row = 2; row < 5; ++row) {
            QCOMPARE(wintest::TopNode(Tree(), row).childCount(), 0);
        }
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));
    }

    // A list run stops sending at the daily limit: every line not yet sent says so,
    // and a number whose check digit does not match is never sent.
    void listRunStopsAtTheDailyLimitAndSkipsBadNumbers() {
        StandinServer limited({"--daily-limit", "1"});
        const QString list =
            WriteList(QStringLiteral("limit.txt"),
                      {QStringLiteral("7713001233"), QStringLiteral("Лютик"),
                       QStringLiteral("Ромашка"), QStringLiteral("1027700101231"),
                       QStringLiteral("Прямо"), QStringLiteral("Пусто"), QStringLiteral("Ноль")});
        mainWindow_ = NewWindow(limited.root(), standin_->root() + "/", QString(),
                                wintest::OneQueryAtATime());
        mainWindow_->LoadQueryList(list);
        // Two numbers skipped and three lines left unsent at the limit: two queries.
        QVERIFY(WaitForStatus(QStringLiteral("Checked 2 queries; 5 lines skipped")));

        const auto onlyChild = [this](int row) {
            wintest::Node node = wintest::TopNode(Tree(), row);
            return node.childCount() == 1 ? node.child(0).text(0) : QString();
        };
        QCOMPARE(onlyChild(0), QStringLiteral("check digit does not match (INN)"));
        QCOMPARE(wintest::TopNode(Tree(), 1).childCount(), 2);  // Лютик, within the limit
        QVERIFY(onlyChild(2).contains(QStringLiteral("лимит запросов исчерпан")));
        QCOMPARE(onlyChild(3), QStringLiteral("check digit does not match (OGRN)"));
        for (int row = 4; row < 7; ++row) {
            QCOMPARE(onlyChild(row),
                     QStringLiteral("not checked: the daily request limit is used up"));
            QCOMPARE(ImageOf(wintest::TopNode(Tree(), row)), int(window::kImageMessage));
        }
        int posts = 0;
        for (const LoggedRequest& r : limited.requests()) {
            posts += r.method == "POST" ? 1 : 0;
        }
        QCOMPARE(posts, 2);
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));
    }

    // A list saved as UTF-8 with LF endings is read as UTF-8, and a 15-digit OGRNIP
    // whose check digit does not match is refused like an INN or an OGRN.
    void utf8ListIsReadAsUtf8AndBadOgrnipIsSkipped() {
        const QString path = dir_.filePath(QStringLiteral("utf8.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("Лютик\n304500116000158\n").toUtf8());
        file.close();
        mainWindow_ = NewWindow(standin_->root(), standin_->root() + "/");
        mainWindow_->LoadQueryList(path);
        QVERIFY(WaitForStatus(QStringLiteral("Checked 1 queries; 1 lines skipped")));
        QCOMPARE(Tree()->model()->rowCount(), 2);
        QVERIFY(wintest::TopNode(Tree(), 0).text(0).startsWith(QStringLiteral("Лютик")));
        QCOMPARE(wintest::TopNode(Tree(), 0).childCount(), 2);
        QCOMPARE(wintest::TopNode(Tree(), 1).childCount(), 1);
        QCOMPARE(wintest::TopNode(Tree(), 1).child(0).text(0),
                 QStringLiteral("check digit does not match (OGRNIP)"));
    }
};

QTEST_MAIN(SearchServiceTest)
#include "search_service_test.moc"
