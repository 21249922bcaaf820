// vendrake-batch FILE: one register query per non-empty line of FILE, a few at a
// time, through the proxy settings of config.ini beside the program; the firms found
// go to the results file beside FILE (FILE's extension replaced by "_enabled.txt").
//
// Exit status: 0 every query ended without an error, 1 at least one failed (what it
// delivered before is kept), 2 bad arguments or FILE unreadable, 3 no Internet
// connection, 4 the results file cannot be written.
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/cp1251.h"
#include "platform/program_dir.h"
#include "proxy/config_file.h"
#include "worker/probe.h"
#include "worker/query_service.h"
#include "worker/results_file.h"

namespace {

// Collects what the queries deliver, per line, and reports progress on stderr.
class BatchResults {
  public:
    explicit BatchResults(const std::vector<std::string>& lines) : queries_(lines.size()) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            queries_[i].text = lines[i];
        }
    }

    // Runs every line through service and returns when all have ended.
    void Run(worker::QueryService& service, const worker::ProxySettings& proxy) {
        if (queries_.empty()) {
            return;
        }
        QEventLoop loop;
        QObject::connect(&service, &worker::QueryService::firmFound,
                         [this](worker::QueryId id, const worker::FirmRecord& firm) {
                             if (Query* q = Find(id)) {
                                 q->firms.push_back(worker::ResultEntry{{}, firm.name, firm});
                                 ++firms_;
                             }
                         });
        QObject::connect(&service, &worker::QueryService::queryTextChanged,
                         [this](worker::QueryId id, const std::string& text) {
                             if (Query* q = Find(id)) {
                                 q->text = text;
                             }
                         });
        QObject::connect(&service, &worker::QueryService::messageFound,
                         [this](worker::QueryId, const std::string&, worker::ServiceMessageKind) {
                             ++messages_;
                         });
        QObject::connect(&service, &worker::QueryService::queryFinished,
                         [this](worker::QueryId id, const worker::QueryOutcome& outcome) {
                             Ended(id, outcome);
                         });
        QObject::connect(&service, &worker::QueryService::allFinished, &loop, &QEventLoop::quit);
        for (std::size_t i = 0; i < queries_.size(); ++i) {
            worker::QueryRequest request;
            request.criteria = worker::SearchCriteria::ForLine(queries_[i].text);
            request.nodeText = queries_[i].text;
            request.serviceRoot = worker::DefaultServiceRoot();
            request.proxy = proxy;
            ids_[service.Enqueue(std::move(request))] = i;
        }
        loop.exec();
    }

    bool AllOk() const { return failed_ == 0 && done_ == static_cast<int>(queries_.size()); }

    // Firms grouped by line in line order, each with its query node's final text.
    std::vector<worker::ResultEntry> Entries() const {
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
    };

    void Ended(worker::QueryId id, const worker::QueryOutcome& outcome) {
        const auto it = ids_.find(id);
        if (it == ids_.end()) {
            return;
        }
        if (!outcome.ok()) {
            ++failed_;
            std::fprintf(stderr, "line %zu: %s\n", it->second + 1, outcome.error->reason.c_str());
        }
        ++done_;
        std::fprintf(stderr, "Lines done: %d of %zu, firms found: %d, service messages: %d%s\n",
                     done_, queries_.size(), firms_, messages_,
                     outcome.ok() ? "" : " (a query failed)");
    }

    Query* Find(worker::QueryId id) {
        const auto it = ids_.find(id);
        return it == ids_.end() ? nullptr : &queries_[it->second];
    }

    std::vector<Query> queries_;
    std::map<worker::QueryId, std::size_t> ids_;  // query to its line's index
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
std::unique_ptr<BatchResults> LookUpAll(const std::vector<std::string>& lines) {
    proxy::ProxyDialogState defaults;
    defaults.address = proxy::kDefaultProxyAddress;
    const auto config = proxy::LoadConfigFile(platform::ProgramDir() + "config.ini", defaults);
    if (!config.error.isEmpty()) {
        std::cerr << config.error.toStdString() << "\n";
    }

    auto results = std::make_unique<BatchResults>(lines);
    worker::QueryService service;
    std::cerr << "Checking...\n";
    results->Run(service, proxy::SettingsOf(config.state));
    return results;
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
    const std::unique_ptr<BatchResults> results = LookUpAll(lines);
    if (!WriteResults(resultPath, worker::ResultsFileBytes(results->Entries()))) {
        return 4;
    }
    std::cerr << "Checking completed. Results: " << resultPath.toStdString() << "\n";
    return results->AllOk() ? 0 : 1;
}
