// The main window under load, against the stand-in register on loopback: a list of
// 200 lookups loaded at once, and a burst of "Find" presses while earlier searches
// are still running. Every firm lands once under its own query node, nothing of a
// discarded search shows up, and "Checking completed." comes once, at the end.
#include <sys/resource.h>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTreeView>
#include <QtTest>
#include <map>
#include <memory>
#include <set>

#include "platform/cp1251.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/image_list.h"
#include "window/main_window.h"

using wintest::Control;
using wintest::ImageOf;

namespace {

constexpr int kLoadTimeout = 120000;
// Rows of the one-page search; fewer under the thread sanitizer, which slows the
// window's handling of every row many times over.
#if defined(__SANITIZE_THREAD__)
constexpr int kRows = 20000;
#else
constexpr int kRows = 100000;
#endif

// The OGRNs the stand-in serves for each kind of line (tools/standin/README.md).
const std::set<std::string> kRomashka = {"1027700101230", "1032301234569", "1077847000110",
                                         "1117746012340", "1125406000774", "1042300008080",
                                         "1157847005502", "1177746009990", "1195476003140"};
const std::set<std::string> kLyutik = {"1087700012300", "1097847014704"};
const std::set<std::string> kDirect = {"1027700101230", "1032301234569", "1077847000110"};

// One kind of list line and what its query node must end up with.
struct LineKind {
    QString line;
    std::set<std::string> ogrns;  // the firms, each exactly once
    bool message = false;         // a single message node instead
};

std::vector<LineKind> Kinds() {
    return {
        {QStringLiteral("Ромашка"), kRomashka},
        {QStringLiteral("Лютик"), kLyutik},
        {QStringLiteral("1027700101230"), {"1027700101230"}},
        {QStringLiteral("7801005557"), {"1097847014704"}},
        {QStringLiteral("Пусто"), {}, true},
        {QStringLiteral("Прямо"), kDirect},
        {QStringLiteral("Дефлейт Ромашка"), kRomashka},
    };
}

// Watches every delivery the queries queue onto the window and notes, before each,
// what the status bar says, so that every state between two deliveries is seen.
class StatusWatch : public QObject {
  public:
    explicit StatusWatch(window::MainWindow* mainWindow) : mainWindow_(mainWindow) {
        mainWindow->installEventFilter(this);
    }
    ~StatusWatch() override { mainWindow_->removeEventFilter(this); }

    // How many times the status turned to "Checking completed." (the present state
    // included), and how many firms the window held the first time it did.
    int completions() {
        Note();
        return completions_;
    }
    std::size_t firmsAtFirstCompletion() const { return firmsAtFirst_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == mainWindow_ && event->type() == QEvent::MetaCall) {
            Note();
        }
        return false;
    }

  private:
    void Note() {
        const bool done = mainWindow_->StatusText() == QStringLiteral("Checking completed.");
        if (done && !wasDone_) {
            if (completions_++ == 0) {
                firmsAtFirst_ = mainWindow_->FirmCount();
            }
        }
        wasDone_ = done;
    }

    window::MainWindow* mainWindow_;
    bool wasDone_ = false;
    int completions_ = 0;
    std::size_t firmsAtFirst_ = 0;
};

}  // namespace

class LoadTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<testsupport::StandinServer> standin_;
    std::unique_ptr<window::MainWindow> mainWindow_;

    QTreeView* Tree() const { return wintest::Tree(mainWindow_.get()); }

    bool WaitUntilAllEnded() {
        return wintest::WaitForStatus(*mainWindow_, QStringLiteral("Checking completed."),
                                      kLoadTimeout);
    }

  private slots:
    void initTestCase() {
        sandbox_ = wintest::SearchingSandbox();
        standin_ =
            std::make_unique<testsupport::StandinServer>(std::vector<std::string>{"--slow", "1"});
    }

    void init() {
        wintest::Messages().clear();
        mainWindow_ = wintest::NewWindow(standin_->root(), standin_->root() + "/");
    }

    void cleanup() { mainWindow_.reset(); }

    void listOf200LinesDeliversEveryFirmOnceUnderItsOwnNode() {
        const std::vector<LineKind> kinds = Kinds();
        QTemporaryDir dir;
        const QString list = dir.filePath(QStringLiteral("list.txt"));
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 200; ++i) {
            file.write(QByteArray::fromStdString(
                platform::ToCp1251(kinds[i % kinds.size()].line + QStringLiteral("\r\n"))));
        }
        file.close();

        StatusWatch watch(mainWindow_.get());
        mainWindow_->LoadQueryList(list);
        QVERIFY(WaitUntilAllEnded());
        QTest::qWait(200);  // anything arriving late would show now

        QCOMPARE(Tree()->model()->rowCount(), 200);
        std::size_t firms = 0;
        for (int i = 0; i < 200; ++i) {
            const LineKind& kind = kinds[i % kinds.size()];
            wintest::Node node = wintest::TopNode(Tree(), i);
            QVERIFY2(node.text(0).startsWith(kind.line), qPrintable(node.text(0)));
            if (kind.message) {
                QCOMPARE(node.childCount(), 1);
                QCOMPARE(ImageOf(node.child(0)), int(window::kImageMessage));
                continue;
            }
            QCOMPARE(node.childCount(), int(kind.ogrns.size()));
            firms += kind.ogrns.size();
        }

        // The firm list: one entry per firm node, tied to the node it hangs under,
        // each firm of a line once.
        QCOMPARE(mainWindow_->FirmCount(), firms);
        const auto entries = mainWindow_->ResultEntries();
        std::map<std::string, std::multiset<std::string>> perNode;
        for (const auto& e : entries) {
            perNode[e.queryText].insert(e.firm.ogrn);
        }
        for (const LineKind& kind : kinds) {
            if (kind.message) {
                continue;
            }
            // Lines of one kind share their node text; each of them adds the set once.
            std::multiset<std::string> expected;
            std::size_t lines = 0;
            for (int i = 0; i < 200; ++i) {
                lines += kinds[i % kinds.size()].line == kind.line ? 1 : 0;
            }
            for (std::size_t n = 0; n < lines; ++n) {
                expected.insert(kind.ogrns.begin(), kind.ogrns.end());
            }
            std::multiset<std::string> got;
            for (const auto& [text, ogrns] : perNode) {
                const QString shown = platform::FromCp1251(text);
                if (shown == kind.line || shown.startsWith(kind.line + QStringLiteral(", "))) {
                    got.insert(ogrns.begin(), ogrns.end());
                }
            }
            QVERIFY2(got == expected, qPrintable(kind.line));
        }

        QCOMPARE(mainWindow_->ThreadCount(), 0);
        QCOMPARE(watch.completions(), 1);
        QCOMPARE(watch.firmsAtFirstCompletion(), firms);
        QVERIFY(wintest::Messages().isEmpty());
    }

    // 100 searches in a row, each pressed as soon as the previous one's probe has
    // ended; each empties the tree, so only the last search's firms may remain, though
    // the earlier ones would answer later (slowly).
    void burstOfFindPressesKeepsOnlyTheLastSearch() {
        auto* name = Control<QLineEdit>(mainWindow_.get(), "nameEdit");
        auto* find = Control<QPushButton>(mainWindow_.get(), "findButton");
        for (int i = 0; i < 99; ++i) {
            name->setText(i % 3 == 0 ? QStringLiteral("Ромашка") : QStringLiteral("Медленно"));
            QTest::mouseClick(find, Qt::LeftButton);
            QVERIFY(QTest::qWaitFor([this] { return !mainWindow_->Service()->Probing(); }, 10000));
        }
        name->setText(QStringLiteral("Лютик"));
        QTest::mouseClick(find, Qt::LeftButton);
        QVERIFY(WaitUntilAllEnded());
        QTest::qWait(200);

        QCOMPARE(Tree()->model()->rowCount(), 1);
        wintest::Node query = wintest::TopNode(Tree(), 0);
        QVERIFY2(query.text(0).contains(QStringLiteral("Название: Лютик")),
                 qPrintable(query.text(0)));
        QVERIFY(query.text(0).endsWith(QStringLiteral(", records found: 2")));
        QCOMPARE(query.childCount(), 2);
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));
        std::set<std::string> ogrns;
        for (const auto& e : mainWindow_->ResultEntries()) {
            ogrns.insert(e.firm.ogrn);
        }
        QVERIFY(ogrns == kLyutik);
        QCOMPARE(mainWindow_->ThreadCount(), 0);
        QVERIFY(wintest::Messages().isEmpty());
    }

    // Broken answers on the third page of every line: each query keeps the six firms
    // of its first two pages and shows why it failed under them; no dialog opens.
    void brokenAnswersKeepWhatCameBeforeAndSayWhy() {
        const QStringList lines = {
            QStringLiteral("Разрыв"),  QStringLiteral("Петля"),   QStringLiteral("Обрыв"),
            QStringLiteral("Пропажа"), QStringLiteral("Огрызок"), QStringLiteral("Подделка"),
            QStringLiteral("Громада"),
        };
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("broken.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(platform::ToCp1251(lines.join(QLatin1Char('\n')))));
        file.close();

        mainWindow_->LoadQueryList(file.fileName());
        const QString status =
            QStringLiteral("Checking completed: %1 of %1 queries failed.").arg(lines.size());
        QVERIFY(QTest::qWaitFor(
            [&] { return mainWindow_->ThreadCount() == 0 && mainWindow_->StatusText() == status; },
            kLoadTimeout));
        QCOMPARE(Tree()->model()->rowCount(), int(lines.size()));
        for (int i = 0; i < lines.size(); ++i) {
            wintest::Node node = wintest::TopNode(Tree(), i);
            QCOMPARE(node.text(0), lines[i] + QStringLiteral(", records found: 6"));
            QCOMPARE(node.childCount(), 7);
            const QString last = node.child(6).text(0);
            QVERIFY2(last.startsWith(QStringLiteral("Query failed: ")), qPrintable(last));
            QCOMPARE(ImageOf(node), int(window::kImageMessage));
        }
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(6 * lines.size()));
        QVERIFY(wintest::Messages().isEmpty());
    }

    // One page of 100,000 rows: every row becomes a firm node and a firm-list entry,
    // the count text ends right, and memory grows in proportion, not beyond.
    void hundredThousandRowsReachTheTree() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long before = usage.ru_maxrss;
        Control<QLineEdit>(mainWindow_.get(), "nameEdit")
            ->setText(QStringLiteral("Лавина%1").arg(kRows));
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        QVERIFY(WaitUntilAllEnded());

        wintest::Node query = wintest::TopNode(Tree(), 0);
        QCOMPARE(query.childCount(), kRows);
        QVERIFY(query.text(0).endsWith(QStringLiteral(", records found: %1").arg(kRows)));
        QCOMPARE(query.child(kRows - 1).text(0), QStringLiteral("ООО Лавина-%1").arg(kRows));
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(kRows));
        getrusage(RUSAGE_SELF, &usage);
        const long growthMiB = (usage.ru_maxrss - before) / 1024;
        qInfo("peak resident size grew by %ld MiB", growthMiB);
        QVERIFY2(growthMiB < 400, qPrintable(QString::number(growthMiB)));
    }
};

QTEST_MAIN(LoadTest)
#include "load_test.moc"
