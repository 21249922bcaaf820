// vendrake-translit fed line by line through a pipe, with its output on a terminal or
// on a pipe: each line comes back as soon as it is converted, and an edit made between
// two lines counts from the second.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <string>

#include "support/rule_files.h"

namespace {

using translit_test::RuleFileBytes;
using translit_test::SharedRoot;

enum class OutputOn { Terminal, Pipe };

// The program with its standard input on a pipe and its standard output on a
// pseudo-terminal or a pipe.
class LineByLine {
  public:
    LineByLine(const char* language, OutputOn outputOn) {
        std::string follower;
        int output[2] = {-1, -1};
        if (outputOn == OutputOn::Terminal) {
            terminal_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
            if (terminal_ < 0 || ::grantpt(terminal_) != 0 || ::unlockpt(terminal_) != 0)
                return;
            follower = ::ptsname(terminal_);
        } else {
            if (::pipe2(output, O_CLOEXEC) != 0)
                return;
            terminal_ = output[0];
        }
        int input[2];
        if (::pipe2(input, O_CLOEXEC) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            const int out =
                follower.empty() ? output[1] : ::open(follower.c_str(), O_RDWR | O_NOCTTY);
            if (out < 0 || ::dup2(input[0], 0) < 0 || ::dup2(out, 1) < 0)
                ::_exit(127);
            ::execl(VENDRAKE_BIN_DIR "/vendrake-translit", "vendrake-translit", language,
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(input[0]);
        if (output[1] >= 0)
            ::close(output[1]);
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

class LineByLineTest : public ::testing::TestWithParam<OutputOn> {};

TEST_P(LineByLineTest, EditBetweenTwoLinesCountsFromTheSecond) {
    SharedRoot root;
    root.WriteLanguage(QStringLiteral("P"), {"а|a", "б|b"}, {});
    LineByLine program("P", GetParam());
    ASSERT_TRUE(program.Started());
    EXPECT_EQ(program.Convert("аб"), "ab");
    // Rewritten in place, same size; then a rule added.
    root.WriteTable(QStringLiteral("P"), RuleFileBytes({"а|x", "б|y"}));
    EXPECT_EQ(program.Convert("аб"), "xy");
    root.WriteExceptions(QStringLiteral("P"), RuleFileBytes({"Точная замена |аб|Z|"}));
    EXPECT_EQ(program.Convert("аб ба"), "Z yx");
    EXPECT_EQ(program.Convert("аб"), "Z");
}

// Input read in blocks: lines cut by a block's end, a line longer than a block, CR LF
// ends and a last line without its end all come out as whole lines, in order.
TEST(WholeInput, LinesAcrossAndBeyondInputBlocksComeOutWhole) {
    SharedRoot root;
    root.WriteLanguage(QStringLiteral("L"), {"а|a", "б|bb"}, {});
    QByteArray input;
    QByteArray expected;
    for (int i = 0; i < 300000; ++i) {  // about 3 MiB, lines of varying length
        const QByteArray line = QByteArray("аб").repeated(i % 7) + QByteArray::number(i);
        input += line + (i % 3 == 0 ? "\r\n" : "\n");
        expected += QByteArray("abb").repeated(i % 7) + QByteArray::number(i) + "\n";
        if (i == 1000) {
            input += QByteArray("б").repeated(1 << 20) + "\n";
            expected += QByteArray("bb").repeated(1 << 20) + "\n";
        }
    }
    input += "аб";
    expected += "abb\n";

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root.Path());
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), root.Path() + QStringLiteral("none"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-translit"), {QStringLiteral("L")});
    ASSERT_TRUE(program.waitForStarted(10000));
    program.write(input);
    program.closeWriteChannel();
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    const QByteArray output = program.readAllStandardOutput();
    EXPECT_EQ(output.size(), expected.size());
    EXPECT_TRUE(output == expected);
}

INSTANTIATE_TEST_SUITE_P(Output, LineByLineTest,
                         ::testing::Values(OutputOn::Terminal, OutputOn::Pipe),
                         [](const ::testing::TestParamInfo<OutputOn>& info) {
                             return info.param == OutputOn::Terminal ? "Terminal" : "Pipe";
                         });

}  // namespace
