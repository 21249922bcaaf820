// Opening a watch list: its format is told from the first line that is not blank, and
// what cannot be a list file is refused with a message naming the file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>
#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <map>

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

// Every entity of a list file, by id.
std::map<std::string, screen::ListEntity> ReadAll(const std::string& path, bool nested = false,
                                                  int* skipped = nullptr,
                                                  std::int64_t* nameless = nullptr) {
    std::map<std::string, screen::ListEntity> out;
    ListReader reader;
    reader.SetNestedEntities(nested);
    if (!reader.Open(path))
        return out;
    screen::ListEntity entity;
    for (;;) {
        const ListReader::Step step = reader.Next(&entity);
        if (step == ListReader::Step::Entity)
            out[entity.id] = entity;
        else if (step == ListReader::Step::Skipped && skipped != nullptr)
            ++*skipped;
        else if (step != ListReader::Step::Skipped)
            break;
    }
    if (nameless != nullptr)
        *nameless = reader.namelessEntities();
    return out;
}

const std::string kExternal = VENDRAKE_EXTERNAL_DIR "/";

bool HaveExternal() {
    return std::ifstream(kExternal + "PROVENANCE.md").good();
}

TEST_F(ScreenListReader, TargetsAndRelationEndsAreReadFromARealExport) {
    if (!HaveExternal())
        GTEST_SKIP() << "no " << kExternal;
    auto all = ReadAll(kExternal + "ftm_entities/yente_zala.entities.ftm.json");
    // A firm carried for its owner only is no target; one without the field is.
    ASSERT_TRUE(all.count("ru-inn-5920040846"));
    EXPECT_FALSE(all["ru-inn-5920040846"].target);
    const screen::ListEntity& ownership = all["ru-4f1dde663bc2ea2f208283e5253fb5079df93190"];
    ASSERT_EQ(ownership.ends.size(), 2u);
    EXPECT_EQ(ownership.ends[0].property, "owner");
    EXPECT_EQ(ownership.ends[0].id, "NK-aU5ybkbRFJucf8YMwsJvDw");
    EXPECT_EQ(ownership.ends[1].property, "asset");
    EXPECT_EQ(ownership.ends[1].id, "ru-inn-5920040846");
    EXPECT_EQ(ownership.percentage, "100");
    const screen::ListEntity& family = all["ofac-6d023267c742427bc92220ad97daca2e17b136ff"];
    ASSERT_EQ(family.ends.size(), 2u);
    EXPECT_EQ(family.ends[0].property, "person");
    EXPECT_EQ(family.ends[1].property, "relative");
    EXPECT_EQ(family.relationDetail, "Family member of");
    int targets = 0, relations = 0;
    for (const auto& [id, entity] : all) {
        targets += entity.target ? 1 : 0;
        relations += entity.ends.empty() ? 0 : 1;
    }
    EXPECT_EQ(targets, 14);
    EXPECT_EQ(relations, 21);  // 14 Ownership, 4 Family, 3 Directorship
    for (const auto& [id, entity] :
         ReadAll(kExternal + "simple_csv/zala_targets.simple.derived.csv"))
        EXPECT_TRUE(entity.target) << id;

    // Nested entities of a targets export come as related parties of their own, the
    // relations between them with their ends.
    const auto nested =
        ReadAll(kExternal + "simple_csv/wd_persons_zavod_run/targets.nested.json", true);
    int top = 0, families = 0;
    for (const auto& [id, entity] : nested) {
        top += entity.target ? 1 : 0;
        if (entity.schema == "Family") {
            ++families;
            EXPECT_EQ(entity.ends.size(), 2u) << id;
            EXPECT_FALSE(entity.target) << id;
        }
    }
    EXPECT_EQ(top, 10);
    EXPECT_GT(families, 0);
    EXPECT_EQ(ReadAll(kExternal + "simple_csv/wd_persons_zavod_run/targets.nested.json").size(),
              10u);
}

TEST_F(ScreenListReader, SeveralValueCellsAreReadAsWritten) {
    if (!HaveExternal())
        GTEST_SKIP() << "no " << kExternal;
    auto all = ReadAll(kExternal + "simple_csv/zala_targets.simple.derived.csv");
    EXPECT_EQ(all.size(), 14u);
    std::vector<std::string> aliases;
    for (const auto& [id, entity] : all) {
        for (const auto& [kind, name] : entity.names)
            aliases.push_back(name.toStdString());
    }
    const auto has = [&](const std::string& name) {
        return std::find(aliases.begin(), aliases.end(), name) != aliases.end();
    };
    EXPECT_TRUE(has("NPO Izhmash OAO;OJSC Concern Kalashnikov"));
    EXPECT_TRUE(has("Joint-stock company \"Concern \"Kalashnikov\""));
    EXPECT_TRUE(has("OJSC Concern Kalashnikov"));
    for (const std::string& name : aliases)
        EXPECT_NE(name.find("\"\""), 0u) << name;

    // Invented: a quoted value with a line break, blanks around plain values.
    const auto small = ReadAll(Write("cells.csv",
                                     "id,schema,name,aliases\n"
                                     "a1,Company,Kalina,\" x ; \"\"y;\n z\"\" ;\"\n"));
    ASSERT_EQ(small.count("a1"), 1u);
    const auto& names = small.at("a1").names;
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[1].second.toStdString(), "x");
    EXPECT_EQ(names[2].second.toStdString(), "y;\n z");
}

TEST_F(ScreenListReader, NothingIsDroppedSilently) {
    std::string longLine(screen::kMaxLineBytes + 10, 'x');
    const std::string path = Write(
        "drops.jsonl",
        QByteArray("\xEF\xBB\xBF\n") + QByteArray::fromStdString(longLine) + "\n" +
            R"({"id":"n1","schema":"Company","properties":{"innCode":[7704730655]}})"
            "\n"
            R"({"id":"n2","schema":"Company","properties":{"name":["Kalina"],"innCode":7713001232}})"
            "\n");
    int skipped = 0;
    std::int64_t nameless = 0;
    auto all = ReadAll(path, false, &skipped, &nameless);
    EXPECT_EQ(skipped, 1);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all["n1"].identifierTexts, std::vector<std::string>{"7704730655"});
    EXPECT_TRUE(all["n1"].hasRegisterCode);
    EXPECT_EQ(all["n2"].identifierTexts, std::vector<std::string>{"7713001232"});
    EXPECT_EQ(nameless, 1);
}

}  // namespace
