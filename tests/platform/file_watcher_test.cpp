// Change notifications for folders: a change on disk moves the generation on and is
// counted for the file it concerns, by the time Sync returns.
#include "platform/file_watcher.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <thread>

namespace {

using platform::FileWatcher;

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class FileWatcherTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(scratch_.isValid()); }
    QString Path(const char* name) const { return scratch_.filePath(QString::fromUtf8(name)); }

    QTemporaryDir scratch_;
    FileWatcher watcher_;
};

TEST_F(FileWatcherTest, WritingAWatchedFolderMovesTheGenerationOn) {
    int folderWatch = -1;
    ASSERT_EQ(watcher_.WatchFolderOrAncestor(scratch_.path(), &folderWatch),
              FileWatcher::Watched::Folder);
    EXPECT_GE(folderWatch, 0);
    watcher_.Sync();
    const unsigned long long before = watcher_.Generation();
    Write(Path("rules.dat"), "a;b\n");
    watcher_.Sync();
    EXPECT_GT(watcher_.Generation(), before);

    // Reading a file is no change.
    const unsigned long long written = watcher_.Generation();
    QFile file(Path("rules.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("a;b\n"));
    file.close();
    watcher_.Sync();
    EXPECT_EQ(watcher_.Generation(), written);
}

TEST_F(FileWatcherTest, CountsChangesAndOpeningsOfATrackedFileOnly) {
    Write(Path("table.dat"), "one\n");
    Write(Path("other.dat"), "one\n");
    int folderWatch = -1;
    ASSERT_EQ(watcher_.WatchFolderOrAncestor(scratch_.path(), &folderWatch),
              FileWatcher::Watched::Folder);
    const QByteArray name("table.dat");
    EXPECT_EQ(watcher_.Changes(folderWatch, name), FileWatcher::kUntracked);
    watcher_.Track(folderWatch, name);
    EXPECT_EQ(watcher_.Changes(folderWatch, name), 0u);

    Write(Path("other.dat"), "two\n");
    watcher_.Sync();
    EXPECT_EQ(watcher_.Changes(folderWatch, name), 0u);

    // A rewrite in place that keeps the size is still counted.
    QFile file(Path("table.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    watcher_.Sync();
    EXPECT_TRUE(watcher_.Open(folderWatch, name));
    ASSERT_EQ(file.write("two\n"), 4);
    file.flush();
    watcher_.Sync();
    const unsigned long long changed = watcher_.Changes(folderWatch, name);
    EXPECT_GT(changed, 0u);
    file.close();
    watcher_.Sync();
    EXPECT_FALSE(watcher_.Open(folderWatch, name));
    EXPECT_GT(watcher_.Changes(folderWatch, name), changed);
}

TEST_F(FileWatcherTest, AMissingFolderIsWatchedThroughItsAncestorUntilItAppears) {
    const QString folder = Path("languages/latin");
    EXPECT_EQ(watcher_.WatchFolderOrAncestor(folder), FileWatcher::Watched::Ancestor);
    watcher_.Sync();
    const unsigned long long before = watcher_.Generation();
    ASSERT_TRUE(QDir().mkpath(folder));
    watcher_.Sync();
    EXPECT_GT(watcher_.Generation(), before);
    int folderWatch = -1;
    EXPECT_EQ(watcher_.WatchFolderOrAncestor(folder + QLatin1Char('/'), &folderWatch),
              FileWatcher::Watched::Folder);
    EXPECT_GE(folderWatch, 0);
}

TEST_F(FileWatcherTest, ARemovedAndRecreatedFolderCountsForItsFilesAndIsWatchedAgain) {
    const QString folder = Path("latin");
    ASSERT_TRUE(QDir().mkpath(folder));
    Write(folder + QStringLiteral("/latin.dat"), "a;b\n");
    int folderWatch = -1;
    ASSERT_EQ(watcher_.WatchFolderOrAncestor(folder, &folderWatch), FileWatcher::Watched::Folder);
    const QByteArray name("latin.dat");
    watcher_.Track(folderWatch, name);

    ASSERT_TRUE(QDir(folder).removeRecursively());
    watcher_.Sync();
    const unsigned long long gone = watcher_.Changes(folderWatch, name);
    EXPECT_GT(gone, 0u);
    EXPECT_EQ(watcher_.WatchFolderOrAncestor(folder), FileWatcher::Watched::Ancestor);

    watcher_.Sync();
    const unsigned long long before = watcher_.Generation();
    ASSERT_TRUE(QDir().mkpath(folder));
    Write(folder + QStringLiteral("/latin.dat"), "a;c\n");
    watcher_.Sync();
    EXPECT_GT(watcher_.Generation(), before);
    int again = -1;
    EXPECT_EQ(watcher_.WatchFolderOrAncestor(folder, &again), FileWatcher::Watched::Folder);
    EXPECT_GE(again, 0);
}

TEST_F(FileWatcherTest, ManyWatchedFoldersStartAfreshAndForgetWhatWasTracked) {
    // Folders watched for roots and languages no longer in use would pile up without
    // bound; past a few hundred the watcher drops them all, and everything it counted
    // is to be checked again.
    const QString first = Path("folder-0");
    ASSERT_TRUE(QDir().mkpath(first));
    int firstWatch = -1;
    ASSERT_EQ(watcher_.WatchFolderOrAncestor(first, &firstWatch), FileWatcher::Watched::Folder);
    const QByteArray name("rules.dat");
    watcher_.Track(firstWatch, name);
    ASSERT_EQ(watcher_.Changes(firstWatch, name), 0u);
    const unsigned long long before = watcher_.Generation();
    bool reset = false;
    for (int i = 1; i <= 600 && !reset; ++i) {
        const QString folder = Path("folder-") + QString::number(i);
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_NE(watcher_.WatchFolderOrAncestor(folder), FileWatcher::Watched::Nothing) << i;
        reset = watcher_.Changes(firstWatch, name) == FileWatcher::kUntracked;
    }
    EXPECT_TRUE(reset);
    EXPECT_GT(watcher_.Generation(), before);
}

TEST_F(FileWatcherTest, TheThreadMovesTheGenerationOnWithoutSync) {
    // Without Sync, the thread alone reads the queue; the test waits for its report
    // rather than for a set time.
    if (!watcher_.Threaded())
        GTEST_SKIP() << "no watcher thread";
    ASSERT_EQ(watcher_.WatchFolderOrAncestor(scratch_.path()), FileWatcher::Watched::Folder);
    const unsigned long long before = watcher_.Generation();
    Write(Path("new.dat"), "x\n");
    while (watcher_.Generation() == before)
        std::this_thread::yield();
    SUCCEED();
}

}  // namespace
