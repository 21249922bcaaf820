// Helper programs a test starts (openssl, unzip, a Python server), started with
// posix_spawn rather than QProcess. QProcess forks through a raw clone(), behind the
// back of ThreadSanitizer's fork handling, and a test process whose window already
// runs threads then dies in the child under the sanitizer. posix_spawn runs nothing
// of ours between the clone and the exec, so it is safe in any test process.
#pragma once

#include <sys/types.h>
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testsupport {

struct ProgramResult {
    bool finished = false;  // it ended on its own before the time-out
    int exitCode = -1;      // its exit status; -1 when it did not exit normally
    QByteArray out;         // its standard output
    QByteArray err;         // its standard error
};

// Runs program (looked up on PATH) with args in folder (the current one when empty),
// standard input empty, and waits for it for at most timeoutMs; a program still
// running then is killed.
ProgramResult RunProgram(const QString& program, const QStringList& args,
                         const QString& folder = {}, int timeoutMs = 60000);

// A program left running while the test goes on, read line by line; killed and
// reaped when this ends.
class ChildProgram {
  public:
    ChildProgram() = default;
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;
    ~ChildProgram();

    // Starts program with args; false when it could not be started.
    bool Start(const QString& program, const QStringList& args, const QString& folder = {});
    // The next line of its standard output without the line end; empty when none came
    // within timeoutMs or the output ended.
    QByteArray ReadLine(int timeoutMs);
    void Kill();

  private:
    pid_t pid_ = -1;
    int out_ = -1;
    QByteArray buffer_;
};

}  // namespace testsupport
