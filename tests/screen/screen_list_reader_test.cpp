// Opening a watch list: its format is told from the first line that is not blank, and
// what cannot be a list file is refused with a message naming the file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>
#include <QTemporaryDir>

#include "screen/list_reader.h"
#include "support/screen_support.h"

namespace {

using screen::ListFormat;
using screen::ListReader;
using screen_test::WriteFile;

using Opened = platform::Result<void, ListReader::OpenFailure>;

// How an open ended: Ok, or why the file was refused.
ListReader::OpenResult Outcome(const Opened& opened) {
    return opened ? ListReader::OpenResult::Ok : opened.error().result;
}

// What a refused open said; empty when the file was opened.
std::string Message(const Opened& opened) {
    return opened ? std::string() : opened.error().message;
}

class ScreenListReader : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string Write(const char* name, const QByteArray& bytes) {
        const QString path = dir_.filePath(QString::fromUtf8(name));
        EXPECT_TRUE(WriteFile(path, bytes));
        return path.toStdString();
    }

    QTemporaryDir dir_;
};

TEST_F(ScreenListReader, TheFormatIsToldFromTheFirstLineThatIsNotBlank) {
    struct Case {
        const char* name;
        QByteArray bytes;
        ListFormat format;
        const char* firstId;
    } cases[] = {
        {"plain.jsonl", R"({"id":"a1","schema":"Company","properties":{"name":["Kalina"]}})",
         ListFormat::JsonLines, "a1"},
        {"bom.jsonl",
         "\xEF\xBB\xBF"
         R"(  {"id":"b1","schema":"Company","properties":{"name":["Kalina"]}})",
         ListFormat::JsonLines, "b1"},
        {"blank.jsonl",
         "\n  \r\n\t\n"
         R"({"id":"c1","schema":"Company","properties":{"name":["Kalina"]}})",
         ListFormat::JsonLines, "c1"},
        {"upper.csv", "ID,Schema,NAME,identifiers\nd1,Company,Kalina,\n", ListFormat::SimpleCsv,
         "d1"},
        {"bom.csv", "\xEF\xBB\xBFid,schema,name\ne1,Company,Kalina\n", ListFormat::SimpleCsv, "e1"},
        {"blank.csv", "\n\nid,schema,name\r\nf1,Company,Kalina\r\n", ListFormat::SimpleCsv, "f1"},
    };
    for (const Case& c : cases) {
        ListReader reader;
        const auto opened = reader.Open(Write(c.name, c.bytes));
        ASSERT_EQ(Outcome(opened), ListReader::OpenResult::Ok) << c.name << ": " << Message(opened);
        EXPECT_EQ(reader.format(), c.format) << c.name;
        screen::ListEntity entity;
        ASSERT_EQ(reader.Next(&entity), ListReader::Step::Entity) << c.name;
        EXPECT_EQ(entity.id, c.firstId) << c.name;
        EXPECT_EQ(entity.schema, "Company") << c.name;
    }
}

TEST_F(ScreenListReader, WhatCannotBeAListIsRefusedWithTheFileNamed) {
    struct Case {
        const char* name;
        QByteArray bytes;
        ListReader::OpenResult result;
        const char* message;
    } cases[] = {
        // A header whose quoted cell never closes is no header.
        {"open.csv", "id,schema,\"name\n", ListReader::OpenResult::NotAList,
         ": not a watch list (neither FollowTheMoney JSON lines nor a targets CSV"},
        {"blank.csv", "\n \n", ListReader::OpenResult::NotAList, ": not a watch list (neither"},
        {"columns.csv", "id,name\n", ListReader::OpenResult::NotAList,
         ": not a watch list (neither"},
    };
    for (const Case& c : cases) {
        const std::string path = Write(c.name, c.bytes);
        ListReader reader;
        const auto opened = reader.Open(path);
        const std::string error = Message(opened);
        EXPECT_EQ(Outcome(opened), c.result) << c.name;
        EXPECT_EQ(error.rfind(path, 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": " << error;
    }

    // A named pipe in the list's place is refused at once rather than waited on.
    const std::string fifo = dir_.filePath(QStringLiteral("pipe.jsonl")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ListReader reader;
    const auto pipe = reader.Open(fifo);
    EXPECT_EQ(Outcome(pipe), ListReader::OpenResult::Unreadable);
    EXPECT_EQ(Message(pipe), fifo + ": not a regular file");
    const std::string missing = dir_.filePath(QStringLiteral("missing.csv")).toStdString();
    const auto absent = reader.Open(missing);
    EXPECT_EQ(Outcome(absent), ListReader::OpenResult::Unreadable);
    EXPECT_EQ(Message(absent), missing + ": cannot open it (No such file or directory)");
}

}  // namespace
