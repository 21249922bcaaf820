// A folder for vendrake-batch end to end: a copy of the program, a list, and the
// program run on it against the stand-in register on loopback (--service), with the
// probe sent to the stand-in through http_proxy and the user's settings kept away.
#pragma once

#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/standin.h"

namespace batchtest {

inline void WriteFile(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

inline std::string ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
}

inline std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) {
        ++n;
    }
    return n;
}

// The lines of text, each without its LF; a last line without one is left out.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        out.push_back(text.substr(start, end - start));
    }
    return out;
}

// The mode a file at path has (-1 when there is none).
inline int ModeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// Polls until done() holds, up to `limit`.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

struct Outcome {
    int exitCode = -1;
    std::string err;
};

// The search requests (POSTs to /fns/g.php) in a stand-in's log.
inline std::vector<std::string> Searches(const testsupport::StandinServer& s) {
    std::vector<std::string> out;
    for (const std::string& line : s.requestLog()) {
        if (line.rfind("POST ", 0) == 0) {
            out.push_back(line);
        }
    }
    return out;
}

// The Time= field of a log line, in seconds.
inline double TimeOf(const std::string& logLine) {
    const std::size_t at = logLine.rfind("Time=");
    return at == std::string::npos ? 0 : std::stod(logLine.substr(at + 5));
}

class BatchFolder {
  public:
    BatchFolder() {
        program_ = dir_.filePath("vendrake-batch");
        QFile::copy(QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-batch"), program_);
        QFile::setPermissions(program_, QFile::permissions(program_) | QFile::ExeOwner);
        QDir(dir_.path()).mkpath(QStringLiteral("config"));
    }

    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    void WriteList(const std::string& bytes) const { WriteFile(path("list.txt"), bytes); }
    std::string Read(const char* name) const { return ReadFile(path(name)); }

    // Starts the program on list.txt with args, against s (unless args name a service).
    void Start(const testsupport::StandinServer& s, QStringList args, bool withService = true) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"no_proxy", "NO_PROXY", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
            env.remove(QString::fromLatin1(name));
        }
        env.insert(QStringLiteral("http_proxy"), QString::fromStdString(s.root()));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        process_.setProcessEnvironment(env);
        args.prepend(path("list.txt"));
        if (withService) {
            args << QStringLiteral("--service") << QStringLiteral("127.0.0.1:%1").arg(s.port());
        }
        process_.start(program_, args);
        process_.waitForStarted(10000);
    }

    qint64 Pid() const { return process_.processId(); }
    void Signal(int signal) { ::kill(static_cast<pid_t>(process_.processId()), signal); }
    bool Running() const { return process_.state() != QProcess::NotRunning; }

    Outcome Finish() {
        process_.waitForFinished(300000);
        return Outcome{process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1,
                       process_.readAllStandardError().toStdString()};
    }

    Outcome Run(const testsupport::StandinServer& s, const QStringList& args,
                bool withService = true) {
        Start(s, args, withService);
        return Finish();
    }

  private:
    QTemporaryDir dir_;
    QString program_;
    QProcess process_;
};

}  // namespace batchtest
