// Rule files and dictionaries that change while the engine reads them or while other
// threads convert: every conversion uses one whole version of a language.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QFile>
#include <atomic>
#include <thread>
#include <vector>

#include "support/rule_files.h"
#include "translit/translit.h"

namespace translit {
namespace {

using translit_test::AfterEdit;
using translit_test::RuleFileBytes;
using translit_test::SharedRoot;
using translit_test::WriteBytes;

// A table whose first and last lines tell its version, with enough lines between them
// that reading it takes several reads and writing it several writes.
QByteArray VersionedTable(const QString& version) {
    QStringList lines = {QStringLiteral("а|") + version + QLatin1Char('1')};
    for (int i = 0; i < 3000; ++i)
        lines << QStringLiteral("ӿ|q");
    lines << QStringLiteral("б|") + version + QLatin1Char('2');
    return RuleFileBytes(lines);
}

// Writes bytes over the file in place with one write, without truncating it: the file
// is whole on disk before and after, and only a read that overlaps the write can mix
// the two versions.
void OverwriteInPlace(const QString& path, const QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0), ssize_t(bytes.size()));
    ::close(fd);
}

TEST(ChangesWhileReading, RuleFileRewrittenInPlaceNeverGivesHalfATable) {
    SharedRoot root;
    const QString language = QStringLiteral("V");
    root.WriteTable(language, VersionedTable(QStringLiteral("A")));
    root.WriteExceptions(language, RuleFileBytes({}));
    const QString path = root.TransliterationDir() + QStringLiteral("V/V.dat");
    const QByteArray versions[] = {VersionedTable(QStringLiteral("A")),
                                   VersionedTable(QStringLiteral("B"))};
    ASSERT_EQ(versions[0].size(), versions[1].size());

    // Read once before the writing starts: from then on the engine knows who opens it.
    ASSERT_EQ(ConvertText(QStringLiteral("аб"), language).text, "A1A2");
    constexpr int kWrites = 300;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 1; i <= kWrites; ++i)
            OverwriteInPlace(path, versions[i % 2]);
        done.store(true);
    });
    while (!done.load()) {
        // Each call after a pause reads the change queue, so most calls read the file
        // again, while it is being written.
        AfterEdit();
        const Outcome outcome = ConvertText(QStringLiteral("аб"), language);
        if (!outcome.ok()) {
            // Only a file that changed at every attempt to read it may fail, and says so.
            ASSERT_EQ(outcome.error, "Language \"V\": cannot read V.dat (" +
                                         QString::fromLocal8Bit(std::strerror(EAGAIN)) + ")");
            continue;
        }
        ASSERT_TRUE(outcome.text == "A1A2" || outcome.text == "B1B2") << outcome.text.toStdString();
    }
    writer.join();
    // Once the writing stops, the last version written counts.
    AfterEdit();
    EXPECT_EQ(ConvertText(QStringLiteral("аб"), language).text, QStringLiteral("A1A2"));
}

// A writer that opened the table before the engine first looked at its folder, wrote
// half of a new version and stalls: nothing the engine can watch tells that the write is
// under way, yet no conversion may use the half-written table, then or later.
TEST(ChangesWhileReading, FirstReadOfAFileStalledMidWriteIsRefused) {
    SharedRoot root;
    const QString language = QStringLiteral("Stalled");
    root.WriteTable(language, VersionedTable(QStringLiteral("A")));
    root.WriteExceptions(language, RuleFileBytes({}));
    const QString path = root.TransliterationDir() + QStringLiteral("Stalled/Stalled.dat");
    const QByteArray next = VersionedTable(QStringLiteral("B"));
    const qsizetype half = next.size() / 2;

    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, next.constData(), size_t(half), 0), ssize_t(half));
    AfterEdit();
    const Outcome during = ConvertText(QStringLiteral("аб"), language);
    EXPECT_EQ(during.error, "Language \"Stalled\": cannot read Stalled.dat (" +
                                QString::fromLocal8Bit(std::strerror(EAGAIN)) + ")")
        << during.text.toStdString();

    ASSERT_EQ(::pwrite(fd, next.constData() + half, size_t(next.size() - half), off_t(half)),
              ssize_t(next.size() - half));
    ::close(fd);
    AfterEdit();
    EXPECT_EQ(ConvertText(QStringLiteral("аб"), language).text, QStringLiteral("B1B2"));
}

TEST(ChangesWhileReading, ThreadsConvertWhileLanguageAndDictionaryAreReplaced) {
    SharedRoot root;
    const QString language = QStringLiteral("T");
    root.WriteLanguage(language, {"а|a", "б|b"}, {"Точная замена |аб|AB|"});
    root.WriteDictionary(QStringLiteral("D"), "ба;X\n");

    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    const auto Fail = [&](const Outcome& outcome) {
        if (failures++ == 0)
            ADD_FAILURE() << outcome.text.toStdString() << " " << outcome.error.toStdString();
    };
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([&] {
            while (!stop.load()) {
                const Outcome converted = ConvertText(QStringLiteral("аб б"), language);
                const Outcome translated =
                    TranslateText(QStringLiteral("ба"), language, QStringLiteral("D"));
                if (converted.text != "AB b" && converted.text != "AB q")
                    Fail(converted);
                if (translated.text != "X" && translated.text != "Y")
                    Fail(translated);
            }
        });
    }
    const QString fresh = root.Path() + QStringLiteral("fresh");
    const QString table = root.TransliterationDir() + QStringLiteral("T/T.dat");
    for (int i = 1; i <= 40; ++i) {
        // Replaced through a rename, so the table is always whole on disk.
        const bool odd = i % 2;
        WriteBytes(fresh,
                   RuleFileBytes(odd ? QStringList{"а|p", "б|q"} : QStringList{"а|a", "б|b"}));
        ASSERT_EQ(
            ::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(table).constData()),
            0);
        WriteBytes(fresh, odd ? "ба;Y\n" : "ба;X\n");
        ASSERT_EQ(::rename(QFile::encodeName(fresh).constData(),
                           QFile::encodeName(root.DictionaryDir() + "D.txt").constData()),
                  0);
    }
    stop.store(true);
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}

}  // namespace
}  // namespace translit
