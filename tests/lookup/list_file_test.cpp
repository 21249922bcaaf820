// Query lists as the window and vendrake-batch read them.
#include "lookup/list_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/cp1251.h"

namespace {

QStringList Split(const std::string& bytes) {
    return lookup::SplitListText(bytes);
}

TEST(ListFile, EncodingAndLineEnds) {
    const QStringList expected = {QStringLiteral("ООО Ромашка"), QStringLiteral("1027700101230"),
                                  QStringLiteral("Лютик")};
    const std::string cp1251 = platform::ToCp1251(QStringLiteral("ООО Ромашка"));
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-8, LF", "ООО Ромашка\n1027700101230\nЛютик"},
        {"UTF-8 with BOM, CR LF", "\xEF\xBB\xBFООО Ромашка\r\n1027700101230\r\nЛютик\r\n"},
        {"UTF-8, lone CR", "ООО Ромашка\r1027700101230\rЛютик\r"},
        {"UTF-8, mixed ends, blank lines", "\r\nООО Ромашка\r\r\n\n1027700101230\n\rЛютик\n\n"},
        {"Windows-1251, CR LF",
         cp1251 + "\r\n1027700101230\r\n" + platform::ToCp1251(QStringLiteral("Лютик")) + "\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Split(c.bytes), expected) << c.what;
    }
    EXPECT_EQ(Split(""), QStringList());
    EXPECT_EQ(Split("\r\n\n\r"), QStringList());
}

TEST(ListFile, ReadsOnlyRegularFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Ромашка\r\nЛютик\r\n");
    }
    const lookup::ListFile list = lookup::ReadListFile(path);
    EXPECT_TRUE(list.ok()) << list.error.toStdString();
    EXPECT_EQ(list.lines, QStringList({QStringLiteral("Ромашка"), QStringLiteral("Лютик")}));

    const QString pipe = dir.filePath(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const lookup::ListFile fromPipe = lookup::ReadListFile(pipe);  // must not wait
    EXPECT_EQ(fromPipe.error.toStdString(),
              "Cannot read file \"" + pipe.toStdString() + "\". Not a regular file.");
    EXPECT_TRUE(fromPipe.lines.isEmpty());

    const lookup::ListFile folder = lookup::ReadListFile(dir.path());
    EXPECT_FALSE(folder.ok());
    const lookup::ListFile missing = lookup::ReadListFile(dir.filePath(QStringLiteral("none")));
    EXPECT_NE(missing.error.indexOf(QStringLiteral("No such file")), -1)
        << missing.error.toStdString();
}

}  // namespace
