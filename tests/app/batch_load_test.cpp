// vendrake-batch under load and with a results file it cannot write: a long list
// runs through in bounded memory with every firm written once; an unwritable results
// folder or a full disk gives exit status 4 and names the file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/batch_run_support.h"
#include "support/cp1251_text.h"
#include "support/standin.h"

using batchtest::Count;
using batchtest::ReadFile;
using batchtest::WriteFile;
using testsupport::Cp1251;
using testsupport::StandinServer;

namespace {

// A mix of three-page name searches, entry pages, two-row pages, messages and answer
// tables, with the firms each line kind yields.
struct Kind {
    const char* line;
    int firms;
};
const Kind kMix[] = {{"Ромашка", 9}, {"1027700101230", 1}, {"Лютик", 2},        {"7801005557", 1},
                     {"Пусто", 0},   {"Прямо", 3},         {"1195476003140", 1}};

// The memory bound holds for the program as shipped. Under a sanitizer every byte the
// program touches has shadow memory beside it (eight times over under ThreadSanitizer),
// so the bound there says nothing about the program and is not checked.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr long kPeakBoundMiB = 0;
#else
constexpr long kPeakBoundMiB = 200;
#endif

void ExpectPeakWithinBound(long peakKiB) {
    if (kPeakBoundMiB > 0) {
        EXPECT_LT(peakKiB / 1024, kPeakBoundMiB) << "peak resident size " << peakKiB << " KiB";
    }
}

struct Outcome {
    int exitCode = -1;
    std::string err;
    long childPeakKiB = 0;
};

// A folder with a copy of the program and a config.ini that routes its queries
// through the stand-in; the probe goes there through http_proxy.
class BatchFolder {
  public:
    explicit BatchFolder(const StandinServer& s) : standin_(s) {
        dir_.setAutoRemove(true);
        program_ = dir_.filePath("vendrake-batch");
        EXPECT_TRUE(QFile::copy(QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-batch"), program_));
        ::chmod(program_.toLocal8Bit().constData(), 0755);
        WriteFile(dir_.filePath("config.ini"),
                  "[Setting]\r\nEnabledProxy=1\r\nproxy=127.0.0.1\r\nport=" +
                      std::to_string(s.port()) + "\r\n");
        ::chmod(dir_.path().toLocal8Bit().constData(), 0755);
    }
    ~BatchFolder() { ::chmod(dir_.path().toLocal8Bit().constData(), 0755); }

    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

    // Runs the program on list.txt; asUnprivileged drops root rights in the child so
    // that folder permissions apply to it.
    // fileSizeLimit, when not 0, caps the size of every file the child writes, as a
    // full disk does.
    Outcome Start(bool asUnprivileged = false, const QStringList& options = {},
                  rlim_t fileSizeLimit = 0) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"no_proxy", "NO_PROXY", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
            env.remove(QString::fromLatin1(name));
        }
        env.insert(QStringLiteral("http_proxy"), QString::fromStdString(standin_.root()));
        p.setProcessEnvironment(env);
        if (asUnprivileged && ::geteuid() == 0) {
            p.setChildProcessModifier([] {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
                    ::_exit(120);
                }
            });
        } else if (fileSizeLimit != 0) {
            p.setChildProcessModifier([fileSizeLimit] {
                ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
                const rlimit limit{fileSizeLimit, fileSizeLimit};
                if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                    ::_exit(120);
                }
            });
        }
        p.start(program_, QStringList{path("list.txt")} + options);
        EXPECT_TRUE(p.waitForFinished(300000));
        rusage usage{};
        ::getrusage(RUSAGE_CHILDREN, &usage);
        return Outcome{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                       p.readAllStandardError().toStdString(), usage.ru_maxrss};
    }

  private:
    const StandinServer& standin_;
    QTemporaryDir dir_;
    QString program_;
};

}  // namespace

TEST(BatchLoad, ALongListRunsThroughInBoundedMemory) {
    constexpr int kLines = 10000;
    StandinServer s;
    BatchFolder folder(s);
    std::string list;
    std::size_t firms = 0;
    std::size_t threePageLines = 0;
    for (int i = 0; i < kLines; ++i) {
        const Kind& k = kMix[i % std::size(kMix)];
        list += std::string(k.line) + "\n";
        firms += static_cast<std::size_t>(k.firms);
        threePageLines += k.firms == 9 ? 1 : 0;
    }
    WriteFile(folder.path("list.txt"), list);

    const Outcome run = folder.Start();
    ASSERT_EQ(run.exitCode, 0) << run.err.substr(run.err.size() > 2000 ? run.err.size() - 2000 : 0);
    EXPECT_NE(run.err.find("Checked 10000 of 10000 lines"), std::string::npos);
    EXPECT_NE(run.err.find("Checking completed."), std::string::npos);

    const std::string results = ReadFile(folder.path("list_enabled.txt"));
    EXPECT_EQ(Count(results, Cp1251("\r\nНазвание: ")), firms);
    EXPECT_EQ(Count(results, Cp1251("[Ромашка, records found: 9]\r\n")), 9u * threePageLines);
    // A handful of workers at a time and the firms of one list: far below this.
    ExpectPeakWithinBound(run.childPeakKiB);
    RecordProperty("peak_rss_kib", static_cast<int>(run.childPeakKiB));
}

TEST(BatchLoad, ThreeHugeAnswersAtOnceStayInBoundedMemory) {
    // Three answers of 180,000 firms each (about 31 MB, the largest one query may
    // receive), all running at once: each query thread waits while its firms are not
    // taken, each line's firms wait for the line's end outside memory, and go to the
    // file in one piece.
    constexpr int kRows = 180000;
    StandinServer s;
    BatchFolder folder(s);
    WriteFile(folder.path("list.txt"), "Лавина180000\nЛавина180000\nЛавина180000\n");
    const Outcome run = folder.Start(false, {"--jobs", "3"});
    ASSERT_EQ(run.exitCode, 0) << run.err.substr(run.err.size() > 2000 ? run.err.size() - 2000 : 0);

    const std::string results = ReadFile(folder.path("list_enabled.txt"));
    const std::string header = Cp1251("[Лавина180000, records found: 180000]\r\n");
    EXPECT_EQ(Count(results, header), 3u * kRows);
    // Each line's blocks together: the first and last firm of a line are 180,000 blocks
    // apart, with no other line's block between.
    const std::string first = Cp1251("Название: ООО Лавина-1\r\n");
    const std::string last = Cp1251("Название: ООО Лавина-180000\r\n");
    std::size_t at = 0;
    for (int line = 0; line < 3; ++line) {
        const std::size_t begin = results.find(first, at);
        const std::size_t end = results.find(last, at);
        ASSERT_NE(begin, std::string::npos);
        ASSERT_NE(end, std::string::npos);
        EXPECT_LT(begin, end);
        EXPECT_EQ(results.find(first, begin + 1) > end, true) << "lines interleaved";
        at = end + 1;
    }
    ExpectPeakWithinBound(run.childPeakKiB);
    RecordProperty("peak_rss_kib", static_cast<int>(run.childPeakKiB));
}

TEST(BatchLoad, AResultsFileThatCannotBeWrittenGivesStatusFour) {
    StandinServer s;

    // A read-only folder (as an unprivileged user, since root writes anyway).
    {
        BatchFolder folder(s);
        WriteFile(folder.path("list.txt"), "Лютик\n");
        ::chmod(folder.path("list.txt").toLocal8Bit().constData(), 0644);
        ::chmod(folder.path("config.ini").toLocal8Bit().constData(), 0644);
        const QString dir = QFileInfo(folder.path("list.txt")).absolutePath();
        ASSERT_EQ(::chmod(dir.toLocal8Bit().constData(), 0555), 0);
        const Outcome run = folder.Start(true);
        EXPECT_EQ(run.exitCode, 4) << run.err;
        // The progress file, which holds the run's lock, is the first one created.
        const std::string expected =
            "Cannot create file \"" + folder.path("list_enabled.progress").toStdString() + "\". ";
        EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
        EXPECT_FALSE(QFile::exists(folder.path("list_enabled.txt")));
    }

    // A results file on a full disk: the write fails, not the opening (the progress
    // file's header still fits).
    {
        BatchFolder folder(s);
        WriteFile(folder.path("list.txt"), "Лютик\n");
        const Outcome run = folder.Start(false, {}, 200);
        EXPECT_EQ(run.exitCode, 4) << run.err;
        EXPECT_NE(run.err.find("Cannot create file \"" +
                               folder.path("list_enabled.txt").toStdString() + "\". "),
                  std::string::npos)
            << run.err;
    }
}
