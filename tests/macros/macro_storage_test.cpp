#include "macros/macro_limits.h"
#include "macros/macro_storage.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"
#include "tests/macros/macro_test_support.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

using namespace q31::macros;
using namespace q31::macros::test;

namespace {

class MacroStorageTest : public ::testing::Test {
protected:
    QString Folder() const { return QString::fromStdString(temp.Path()); }
    QString MacroFile(int position) const
    {
        return *storage.Files().MacroPath(storage.LoadMacroList().at(static_cast<std::size_t>(position)).guid);
    }
    void Fill(int count) const
    {
        for (int i = 0; i < count; ++i)
            ASSERT_FALSE(storage.AddMacro().isEmpty());
    }

    q31::test::TempFolder temp;
    MacroStorage storage{Folder()};
};

TEST_F(MacroStorageTest, MissingListIsEmpty)
{
    EXPECT_TRUE(storage.LoadMacroList().empty());
    PutFile(storage.Files().ConfigPath(), "not json");
    EXPECT_TRUE(storage.LoadMacroList().empty());
}

TEST_F(MacroStorageTest, AddTakesTheSmallestFreeNameAndStopsAtFifty)
{
    ASSERT_TRUE(storage.Files().WriteList({{"macro_1", "a"}, {"MACRO_3", "b"}}));
    EXPECT_EQ(storage.AddMacro(), "macro_2");
    EXPECT_EQ(storage.AddMacro(), "macro_4");
    Fill(kMaxMacros - 4);
    ASSERT_EQ(storage.LoadMacroList().size(), 50u);
    EXPECT_TRUE(storage.AddMacro().isEmpty());
    EXPECT_EQ(storage.LoadMacroList().size(), 50u);
}

TEST_F(MacroStorageTest, GuidsDifferWithinOneMillisecond)
{
    Fill(20);
    QSet<QString> guids;
    for (const MacroEntry& entry : storage.LoadMacroList()) {
        EXPECT_TRUE(IsPlainGuid(entry.guid));
        guids.insert(entry.guid);
    }
    EXPECT_EQ(guids.size(), 20);
}

TEST_F(MacroStorageTest, RenameRefusesBlankAndTakenNames)
{
    Fill(2);
    EXPECT_EQ(storage.RenameMacro(0, "  ").position, -1);
    EXPECT_EQ(storage.RenameMacro(5, "x").position, -1);
    const RenameResult own = storage.RenameMacro(0, "Macro_1");
    EXPECT_EQ(own.position, 0);
    EXPECT_TRUE(own.name.isEmpty());
    EXPECT_TRUE(storage.RenameMacro(0, "MACRO_2").name.isEmpty());
    const RenameResult renamed = storage.RenameMacro(1, "Jump");
    EXPECT_EQ(renamed.position, 1);
    EXPECT_EQ(renamed.name, "Jump");
    EXPECT_EQ(storage.LoadMacroList().at(1).name, "Jump");
}

TEST_F(MacroStorageTest, DeleteRemovesTheEntryAndItsFile)
{
    Fill(3);
    std::vector<EditorRow> rows;
    ASSERT_TRUE(storage.SaveMacro(1, rows));
    const QString file = MacroFile(1);
    ASSERT_TRUE(QFile::exists(file));
    const QString third = storage.LoadMacroList().at(2).guid;
    EXPECT_EQ(storage.DeleteMacro(1), 1);
    EXPECT_FALSE(QFile::exists(file));
    ASSERT_EQ(storage.LoadMacroList().size(), 2u);
    EXPECT_EQ(storage.LoadMacroList().at(1).guid, third);
    EXPECT_EQ(storage.DeleteMacro(2), -1);
}

TEST_F(MacroStorageTest, SaveWritesDelaysAsClampedDecimalStrings)
{
    Fill(1);
    std::vector<EditorRow> rows = {
        {"", R"({"Action":"down","Type":10,"Button":4,"Delay":0})"},
        {"0300", R"({"Action":"up","Type":10,"Button":4})"},
        {"70000", R"({"Action":"down","Type":1,"Button":1})"},
        {"-5", R"({"Action":"up","Type":1,"Button":1})"},
        {"12", ""},
        {"13", R"({"Action":"down","Type":10,"Button":5})"},
    };
    ASSERT_TRUE(storage.SaveMacro(0, rows));
    const Json::Value document = ParseJsonFile(MacroFile(0));
    EXPECT_EQ(document["Version"].asInt(), 64);
    EXPECT_EQ(document["MacroName"].asString(), "macro_1");
    const Json::Value& events = document["Events"];
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0]["Delay"].asString(), "0");
    EXPECT_EQ(events[1]["Delay"].asString(), "300");
    EXPECT_EQ(events[2]["Delay"].asString(), "65535");
    EXPECT_EQ(events[3]["Delay"].asString(), "0");
    EXPECT_EQ(rows[0].delay, "0");
    EXPECT_EQ(rows[2].delay, "65535");
    EXPECT_EQ(q31::ParseJsonText(rows[1].eventText)["Delay"].asString(), "300");
    EXPECT_EQ(storage.LoadMacro(storage.LoadMacroList()[0].guid).size(), 4u);
}

TEST_F(MacroStorageTest, EmptyMacroSavesWithVersion)
{
    Fill(1);
    std::vector<EditorRow> rows;
    ASSERT_TRUE(storage.SaveMacro(0, rows));
    const Json::Value document = ParseJsonFile(MacroFile(0));
    EXPECT_EQ(document["Version"].asInt(), 64);
    EXPECT_EQ(document["Events"].size(), 0u);
}

TEST_F(MacroStorageTest, GuidsThatLeaveTheFolderAreRefused)
{
    const QString outside = QDir(Folder()).filePath("outside.mac");
    PutFile(outside, R"({"Events":[{"Action":"down","Type":10,"Button":4,"Delay":"1"}]})");
    ASSERT_TRUE(QDir(Folder()).mkpath("sub"));
    ASSERT_TRUE(storage.Files().WriteList({{"a", "../outside"}, {"b", "sub/../outside"}, {"c", ""}, {"d", "/tmp/x"}}));
    for (const MacroEntry& entry : storage.LoadMacroList()) {
        EXPECT_FALSE(IsPlainGuid(entry.guid)) << entry.guid.toStdString();
        EXPECT_FALSE(storage.Files().MacroPath(entry.guid));
        EXPECT_EQ(storage.LoadMacro(entry.guid).size(), 0u);
    }
    std::vector<EditorRow> rows;
    EXPECT_FALSE(storage.SaveMacro(0, rows));
    EXPECT_FALSE(storage.ExportMacro(0, QDir(Folder()).filePath("export.mac")));
    EXPECT_EQ(storage.DeleteMacro(0), 0);
    EXPECT_TRUE(QFile::exists(outside));
    EXPECT_TRUE(IsPlainGuid("2024_03_05_14_07_09_042"));
}

TEST_F(MacroStorageTest, ExportAndImportCopyBytesAndReplaceTargets)
{
    Fill(1);
    std::vector<EditorRow> rows = {{"5", R"({"Action":"down","Type":10,"Button":4})"}};
    ASSERT_TRUE(storage.SaveMacro(0, rows));
    const QString target = QDir(Folder()).filePath("exported.mac");
    PutFile(target, "old content that is longer than nothing");
    ASSERT_TRUE(storage.ExportMacro(0, target));
    EXPECT_EQ(FileBytes(target), FileBytes(MacroFile(0)));

    const QByteArray source = R"({"MacroName":"elsewhere","Guid":"x","Events":[]})";
    const QString sourcePath = QDir(Folder()).filePath("source.mac");
    PutFile(sourcePath, source);
    EXPECT_EQ(storage.ImportMacro(sourcePath), "macro_2");
    EXPECT_EQ(FileBytes(MacroFile(1)), source);
    EXPECT_TRUE(storage.ImportMacro(QDir(Folder()).filePath("missing.mac")).isEmpty());
    EXPECT_EQ(storage.LoadMacroList().size(), 2u);
}

TEST_F(MacroStorageTest, ImportIntoAFullListCopiesNothing)
{
    Fill(kMaxMacros);
    std::vector<QByteArray> before;
    for (int i = 0; i < kMaxMacros; ++i) {
        std::vector<EditorRow> rows;
        ASSERT_TRUE(storage.SaveMacro(i, rows));
        before.push_back(FileBytes(MacroFile(i)));
    }
    const QString sourcePath = QDir(Folder()).filePath("source.mac");
    PutFile(sourcePath, "imported");
    EXPECT_TRUE(storage.ImportMacro(sourcePath).isEmpty());
    ASSERT_EQ(storage.LoadMacroList().size(), static_cast<std::size_t>(kMaxMacros));
    for (int i = 0; i < kMaxMacros; ++i)
        EXPECT_EQ(FileBytes(MacroFile(i)), before[static_cast<std::size_t>(i)]) << i;
}

}  // namespace
