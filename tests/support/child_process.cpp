#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <string>
#include <vector>

extern char** environ;

namespace testsupport {
namespace {

using Clock = std::chrono::steady_clock;

// The argument vector posix_spawn takes, kept alive by its owner.
class Arguments {
  public:
    Arguments(const QString& program, const QStringList& args) {
        strings_.push_back(program.toStdString());
        for (const QString& arg : args) {
            strings_.push_back(arg.toStdString());
        }
        for (std::string& s : strings_) {
            pointers_.push_back(s.data());
        }
        pointers_.push_back(nullptr);
    }
    char* const* get() { return pointers_.data(); }

  private:
    std::vector<std::string> strings_;
    std::vector<char*> pointers_;
};

// Starts program with its standard output and error on the write ends given (-1: the
// test's own); returns the child's pid or -1.
pid_t Spawn(const QString& program, const QStringList& args, const QString& folder, int out,
            int err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (out >= 0) {
        posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    }
    if (err >= 0) {
        posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
    }
    const std::string dir = folder.toStdString();
    if (!dir.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    }
    Arguments argv(program, args);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, argv.get()[0], &actions, nullptr, argv.get(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

int ExitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Appends what fd has to text; false at the end of the output or on an error.
bool ReadSome(int fd, QByteArray* text) {
    char chunk[65536];
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n > 0) {
        text->append(chunk, static_cast<int>(n));
        return true;
    }
    return n < 0 && (errno == EINTR || errno == EAGAIN);
}

void KillAndReap(pid_t pid) {
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

ProgramResult RunProgram(const QString& program, const QStringList& args, const QString& folder,
                         int timeoutMs) {
    ProgramResult result;
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        return result;
    }
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return result;
    }
    const pid_t pid = Spawn(program, args, folder, out[1], err[1]);
    close(out[1]);
    close(err[1]);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    QByteArray* texts[2] = {&result.out, &result.err};
    int open = pid > 0 ? 2 : 0;
    while (open > 0 && MillisecondsLeft(deadline) > 0) {
        if (poll(fds, 2, MillisecondsLeft(deadline)) < 0 && errno != EINTR) {
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0 &&
                !ReadSome(fds[i].fd, texts[i])) {
                fds[i].fd = -1;
                --open;
            }
        }
    }
    close(out[0]);
    close(err[0]);
    if (pid <= 0) {
        return result;
    }
    if (open > 0) {
        KillAndReap(pid);
        return result;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.finished = true;
    result.exitCode = ExitCode(status);
    return result;
}

ChildProgram::~ChildProgram() {
    Kill();
}

bool ChildProgram::Start(const QString& program, const QStringList& args, const QString& folder) {
    Kill();
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        return false;
    }
    pid_ = Spawn(program, args, folder, out[1], -1);
    close(out[1]);
    if (pid_ <= 0) {
        close(out[0]);
        pid_ = -1;
        return false;
    }
    out_ = out[0];
    return true;
}

QByteArray ChildProgram::ReadLine(int timeoutMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (out_ >= 0 && !buffer_.contains('\n') && MillisecondsLeft(deadline) > 0) {
        pollfd fd = {out_, POLLIN, 0};
        if (poll(&fd, 1, MillisecondsLeft(deadline)) > 0 && !ReadSome(out_, &buffer_)) {
            close(out_);
            out_ = -1;
        }
    }
    const int end = buffer_.indexOf('\n');
    if (end < 0) {
        return {};
    }
    QByteArray line = buffer_.left(end);
    buffer_.remove(0, end + 1);
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    return line;
}

void ChildProgram::Kill() {
    if (out_ >= 0) {
        close(out_);
        out_ = -1;
    }
    if (pid_ > 0) {
        KillAndReap(pid_);
        pid_ = -1;
    }
    buffer_.clear();
}

}  // namespace testsupport
