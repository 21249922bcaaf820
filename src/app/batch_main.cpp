// vendrake-batch FILE: one register query per non-empty line of FILE, a few at a
// time, through the proxy settings of config.ini beside the program; the firms found
// go to the results file beside FILE (FILE's extension replaced by "_enabled.txt").
//
// Exit status: 0 every query ended without an error, 1 at least one failed (what it
// delivered before is kept), 2 bad arguments or FILE unreadable, 3 no Internet
// connection, 4 the results file cannot be written.
#include <QCoreApplication>
#include <QFile>
#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <string>
#include <vector>

#include "platform/cp1251.h"
#include "platform/program_dir.h"
#include "proxy/config_file.h"
#include "worker/batch_queue.h"
#include "worker/probe.h"
#include "worker/query_worker.h"
#include "worker/result_sink.h"
#include "worker/results_file.h"

namespace {

// Collects what the workers deliver, per line, and reports progress on stderr.
class BatchSink : public worker::ResultSink {
  public:
    explicit BatchSink(const std::vector<std::string>& lines) : queries_(lines.size()) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            queries_[i].text = lines[i];
        }
    }

    void ChangeThreadCount(int delta) override {
        std::lock_guard<std::mutex> lock(mutex_);
        count_ += delta;
        changed_.notify_all();
    }

    void AddResultNode(worker::NodeHandle node, const std::string& text, int,
                       const std::optional<worker::FirmRecord>& record) override {
        std::lock_guard<std::mutex> lock(mutex_);
        Query* q = Find(node);
        if (q == nullptr) {
            return;
        }
        if (record) {
            q->firms.push_back(worker::ResultEntry{{}, text, *record});
            ++firms_;
        } else {
            ++messages_;
        }
    }

    void SetNodeText(worker::NodeHandle node, const std::string& text) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (Query* q = Find(node)) {
            q->text = text;
        }
    }

    void QueryEnded(worker::NodeHandle node, bool ok) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (Query* q = Find(node)) {
            q->ok = ok;
        }
        failed_ += ok ? 0 : 1;
        ++done_;
        std::fprintf(stderr, "Lines done: %d of %zu, firms found: %d, service messages: %d%s\n",
                     done_, queries_.size(), firms_, messages_, ok ? "" : " (a query failed)");
    }

    // Blocks until every queued line has ended.
    void WaitUntilDone() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return count_ == 0; });
    }

    bool AllOk() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return failed_ == 0 && done_ == static_cast<int>(queries_.size());
    }

    // Firms grouped by line in line order, each with its query node's final text.
    std::vector<worker::ResultEntry> Entries() const {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<worker::ResultEntry> out;
        for (const Query& q : queries_) {
            for (worker::ResultEntry e : q.firms) {
                e.queryText = q.text;
                out.push_back(std::move(e));
            }
        }
        return out;
    }

  private:
    struct Query {
        std::string text;
        std::vector<worker::ResultEntry> firms;
        bool ok = true;
    };

    Query* Find(worker::NodeHandle node) {
        return node >= 1 && node <= queries_.size() ? &queries_[node - 1] : nullptr;
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Query> queries_;
    int count_ = 0;
    int done_ = 0;
    int failed_ = 0;
    int firms_ = 0;
    int messages_ = 0;
};

// The non-empty lines of a list file, as Windows-1251 bytes.
std::vector<std::string> ReadLines(const QByteArray& bytes) {
    const QString text = platform::DecodeUtf8OrCp1251(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    std::vector<std::string> lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        if (!line.isEmpty()) {
            lines.push_back(platform::ToCp1251(line));
        }
    }
    return lines;
}

// Whether the results file can be written, tried before any query is made, so that a
// folder the results cannot go to does not cost a whole run of the service's
// requests. A file that did not exist is not left behind.
bool CanCreateResults(const QString& resultPath) {
    const bool existed = QFile::exists(resultPath);
    QFile probeOut(resultPath);
    if (!probeOut.open(QIODevice::WriteOnly | QIODevice::Append)) {
        std::cerr << "Cannot create file \"" << resultPath.toStdString() << "\". "
                  << probeOut.errorString().toStdString() << "\n";
        return false;
    }
    probeOut.close();
    if (!existed)
        QFile::remove(resultPath);
    return true;
}

// Looks up every line through the proxy settings of config.ini and waits until all
// lookups have ended.
std::shared_ptr<BatchSink> LookUpAll(const std::vector<std::string>& lines) {
    proxy::ProxyDialogState defaults;
    defaults.address = proxy::kDefaultProxyAddress;
    const auto config = proxy::LoadConfigFile(platform::ProgramDir() + "config.ini", defaults);
    if (!config.error.isEmpty()) {
        std::cerr << config.error.toStdString() << "\n";
    }

    auto sink = std::make_shared<BatchSink>(lines);
    {
        worker::BatchQueue queue(sink, worker::DefaultServiceRoot(),
                                 proxy::SettingsOf(config.state));
        std::cerr << "Checking...\n";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            queue.Add(i + 1, lines[i]);
        }
        sink->WaitUntilDone();
    }
    worker::WaitForWorkers(std::chrono::seconds(30));
    return sink;
}

bool WriteResults(const QString& resultPath, const std::string& bytes) {
    QFile out(resultPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !out.flush()) {
        std::cerr << "Cannot create file \"" << resultPath.toStdString() << "\". "
                  << out.errorString().toStdString() << "\n";
        return false;
    }
    out.close();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "Usage: vendrake-batch FILE\n"
                     "Looks up every non-empty line of FILE (a number or a name) in the register\n"
                     "and writes the firms found to FILE's name with \"_enabled.txt\".\n";
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::cerr << "Cannot open file \"" << argv[1] << "\". " << file.errorString().toStdString()
                  << "\n";
        return 2;
    }
    const std::vector<std::string> lines = ReadLines(file.readAll());
    file.close();

    const QString resultPath = worker::EnabledFileName(path);
    if (!CanCreateResults(resultPath)) {
        return 4;
    }
    if (!worker::InternetConnection()) {
        std::cerr << "No Internet connection...\n";
        return 3;
    }
    const std::shared_ptr<BatchSink> sink = LookUpAll(lines);
    if (!WriteResults(resultPath, worker::ResultsFileBytes(sink->Entries()))) {
        return 4;
    }
    std::cerr << "Checking completed. Results: " << resultPath.toStdString() << "\n";
    return sink->AllOk() ? 0 : 1;
}
