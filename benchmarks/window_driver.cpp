// Drives the real main window, offscreen, against a register service given on the
// command line (the stand-in, run as a process of its own), and prints what one
// scenario cost as `key=value` lines. benchmarks/window_vs_batch.sh runs it.
//
//   window_driver --root http://127.0.0.1:PORT --mode deliver|language|find [--rows N]
//                 [--changes K]
//
// deliver   "Find" for a one-page answer of N firms (default 100,000) with the query row
//           open in both trees: GUI-thread CPU from the click until the event loop has
//           settled after "Checking completed.", and the process's peak resident size.
// language  deliver, then K (default 10) changes of the pane's language, each timed
//           as GUI-thread CPU until the event loop has settled.
// find      "Find" to "Checking completed." for N firms (default 50,000) with the
//           window as it opens: CPU of the whole process (every thread) and wall time.
#include <sys/resource.h>
#include <time.h>
#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "exchange/query_service.h"
#include "window/main_window.h"
#include "window/results_model.h"
#include "window/results_pane.h"

namespace {

// How long the event loop runs on after a step so that the views' delayed layouts and
// the paints they ask for are done and counted; idle, the GUI thread costs nothing.
constexpr int kSettleMs = 600;
constexpr int kTimeoutMs = 600000;

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

double PeakRssMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Settle(int ms = kSettleMs) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

[[noreturn]] void Die(const char* what) {
    std::fprintf(stderr, "window_driver: %s\n", what);
    std::exit(1);
}

template <typename T>
T* Child(const QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        Die(name);
    }
    return child;
}

struct Options {
    std::string root;
    std::string mode = "deliver";
    int rows = 0;
    int changes = 10;
};

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char* value = argv[i + 1];
        if (key == "--root") {
            options.root = value;
        } else if (key == "--mode") {
            options.mode = value;
        } else if (key == "--rows") {
            options.rows = std::atoi(value);
        } else if (key == "--changes") {
            options.changes = std::atoi(value);
        } else {
            Die("unknown option");
        }
    }
    if (options.root.empty()) {
        Die("--root is required");
    }
    if (options.rows <= 0) {
        options.rows = options.mode == "find" ? 50000 : 100000;
    }
    return options;
}

// Types "Лавина<rows>", presses "Find" and runs the event loop until the service's
// last query has ended (the window has then said "Checking completed.").
void FindAndWait(window::MainWindow& mainWindow, int rows) {
    Child<QLineEdit>(mainWindow, "nameEdit")->setText(QStringLiteral("Лавина%1").arg(rows));
    QEventLoop loop;
    QObject::connect(mainWindow.Service(), &lookup::QueryService::allFinished, &loop,
                     &QEventLoop::quit, Qt::QueuedConnection);
    QTimer::singleShot(kTimeoutMs, &loop, [&loop] { loop.exit(1); });
    Child<QPushButton>(mainWindow, "findButton")->click();
    if (loop.exec() != 0) {
        Die("no \"Checking completed.\" in time");
    }
    if (mainWindow.StatusText() != QStringLiteral("Checking completed.")) {
        Die(qPrintable(mainWindow.StatusText()));
    }
    if (mainWindow.FirmCount() != static_cast<std::size_t>(rows)) {
        Die("not every firm arrived");
    }
}

// Opens the query row in both trees as soon as it appears, as a user reading the firms.
void OpenQueryRowsOnArrival(window::MainWindow& mainWindow) {
    for (const char* name : {"resultsTree", "translatedTree"}) {
        QTreeView* tree = Child<QTreeView>(mainWindow, name);
        QObject::connect(tree->model(), &QAbstractItemModel::rowsInserted, tree,
                         [tree](const QModelIndex& parent, int first) {
                             if (!parent.isValid()) {
                                 tree->expand(tree->model()->index(first, 0));
                             }
                         });
    }
}

int Deliver(window::MainWindow& mainWindow, const Options& options, bool print) {
    OpenQueryRowsOnArrival(mainWindow);
    QElapsedTimer wall;
    wall.start();
    const double gui = ThreadCpuSeconds();
    const double process = ProcessCpuSeconds();
    FindAndWait(mainWindow, options.rows);
    Settle();
    const double guiSpent = ThreadCpuSeconds() - gui;
    const double processSpent = ProcessCpuSeconds() - process;
    QTreeView* right = Child<QTreeView>(mainWindow, "translatedTree");
    if (right->model()->rowCount(right->model()->index(0, 0)) != options.rows) {
        Die("the right tree misses rows");
    }
    if (print) {
        std::printf("rows=%d\ngui_cpu_s=%.3f\nprocess_cpu_s=%.3f\nwall_s=%.3f\npeak_rss_mib=%.1f\n",
                    options.rows, guiSpent, processSpent,
                    static_cast<double>(wall.elapsed() - kSettleMs) / 1000.0, PeakRssMiB());
    }
    return 0;
}

int ChangeLanguages(window::MainWindow& mainWindow, const Options& options) {
    Deliver(mainWindow, options, false);
    QComboBox* box = Child<QComboBox>(mainWindow, "paneLanguageBox");
    const int english = box->findText(QStringLiteral("English"));
    const int german = box->findText(QStringLiteral("Deutsch"));
    if (english < 0 || german < 0) {
        Die("the languages English and Deutsch are needed");
    }
    QTreeView* right = Child<QTreeView>(mainWindow, "translatedTree");
    const QModelIndex firstFirm = right->model()->index(0, 0, right->model()->index(0, 0));
    std::vector<double> spent;
    for (int i = 0; i < options.changes; ++i) {
        const QString before = firstFirm.data().toString();
        const double gui = ThreadCpuSeconds();
        box->setCurrentIndex(box->currentIndex() == german ? english : german);
        Settle();
        spent.push_back(ThreadCpuSeconds() - gui);
        if (firstFirm.data().toString() == before) {
            Die("the shown rows were not converted again");
        }
    }
    std::sort(spent.begin(), spent.end());
    std::printf("rows=%d\nchanges=%d\nlanguage_gui_ms_median=%.1f\nlanguage_gui_ms_max=%.1f\n",
                options.rows, options.changes, spent[spent.size() / 2] * 1000.0,
                spent.back() * 1000.0);
    return 0;
}

int Find(window::MainWindow& mainWindow, const Options& options) {
    QElapsedTimer wall;
    wall.start();
    const double gui = ThreadCpuSeconds();
    const double process = ProcessCpuSeconds();
    FindAndWait(mainWindow, options.rows);
    std::printf("rows=%d\nprocess_cpu_s=%.3f\ngui_cpu_s=%.3f\nwall_s=%.3f\n", options.rows,
                ProcessCpuSeconds() - process, ThreadCpuSeconds() - gui,
                static_cast<double>(wall.elapsed()) / 1000.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const Options options = Parse(argc, argv);
    window::MainWindow mainWindow(nullptr, options.root, options.root + "/");
    mainWindow.resize(1024, 768);
    mainWindow.show();
    Settle(200);
    if (options.mode == "deliver") {
        return Deliver(mainWindow, options, true);
    }
    if (options.mode == "language") {
        return ChangeLanguages(mainWindow, options);
    }
    if (options.mode == "find") {
        return Find(mainWindow, options);
    }
    Die("unknown mode");
}
