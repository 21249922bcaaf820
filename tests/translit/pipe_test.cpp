// vendrake-translit fed line by line through a pipe, with its output on a terminal so
// that each line comes back as soon as it is converted: an edit made between two lines
// counts from the second.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <string>

#include "translit/rule_files.h"

namespace {

using translit_test::RuleFileBytes;
using translit_test::SharedRoot;

// The program with its standard input on a pipe and its standard output on a
// pseudo-terminal.
class LineByLine {
  public:
    explicit LineByLine(const char* language) {
        terminal_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (terminal_ < 0 || ::grantpt(terminal_) != 0 || ::unlockpt(terminal_) != 0)
            return;
        const std::string follower = ::ptsname(terminal_);
        int input[2];
        if (::pipe2(input, O_CLOEXEC) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            const int out = ::open(follower.c_str(), O_RDWR | O_NOCTTY);
            if (out < 0 || ::dup2(input[0], 0) < 0 || ::dup2(out, 1) < 0)
                ::_exit(127);
            ::execl(VENDRAKE_BIN_DIR "/vendrake-translit", "vendrake-translit", language,
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(input[0]);
        input_ = input[1];
    }
    ~LineByLine() {
        if (input_ >= 0)
            ::close(input_);
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (terminal_ >= 0)
            ::close(terminal_);
    }

    bool Started() const { return pid_ > 0 && input_ >= 0; }

    // Writes line and returns the line the program answers with ("" when it does not
    // answer within a minute, which only a hung program takes).
    std::string Convert(const std::string& line) {
        const std::string text = line + "\n";
        if (::write(input_, text.data(), text.size()) != ssize_t(text.size()))
            return {};
        std::string answer;
        for (;;) {
            pollfd ready{terminal_, POLLIN, 0};
            if (::poll(&ready, 1, 60000) <= 0)
                return {};
            char c = 0;
            if (::read(terminal_, &c, 1) != 1)
                return {};
            if (c == '\n')
                return answer;
            if (c != '\r')  // the terminal ends lines with CR LF
                answer += c;
        }
    }

  private:
    int terminal_ = -1;
    int input_ = -1;
    pid_t pid_ = -1;
};

TEST(LineByLine, EditBetweenTwoLinesCountsFromTheSecond) {
    SharedRoot root;
    root.WriteLanguage(QStringLiteral("P"), {"а|a", "б|b"}, {});
    LineByLine program("P");
    ASSERT_TRUE(program.Started());
    EXPECT_EQ(program.Convert("аб"), "ab");
    // Rewritten in place, same size; then a rule added.
    root.WriteTable(QStringLiteral("P"), RuleFileBytes({"а|x", "б|y"}));
    EXPECT_EQ(program.Convert("аб"), "xy");
    root.WriteExceptions(QStringLiteral("P"), RuleFileBytes({"Точная замена |аб|Z|"}));
    EXPECT_EQ(program.Convert("аб ба"), "Z yx");
    EXPECT_EQ(program.Convert("аб"), "Z");
}

}  // namespace
