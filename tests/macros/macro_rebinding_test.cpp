#include "macros/macro_rebinding.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace q31::macros;

namespace {

constexpr FunctionCode kDefaultCode{0x20, 0, 0x04};

KeyListEntry Key(std::uint16_t index, FunctionCode current)
{
    return {index, current, kDefaultCode};
}

TEST(MacroRebinding, DeletedMacroRevertsAndLaterOnesMoveDown)
{
    std::vector<KeyListEntry> keys = {Key(0, {0x70, 0, 1}), Key(1, {0x70, 1, 2}), Key(2, {0x71, 2, 5}),
                                      Key(3, {0x20, 1, 0})};
    EXPECT_TRUE(AnyKeyBoundTo(keys, 1));
    EXPECT_FALSE(AnyKeyBoundTo(keys, 3));
    EXPECT_TRUE(RebindAfterDelete(keys, 1));
    EXPECT_EQ(keys[0].current, (FunctionCode{0x70, 0, 1}));
    EXPECT_EQ(keys[1].current, kDefaultCode);
    EXPECT_EQ(keys[2].current, (FunctionCode{0x71, 1, 5}));
    EXPECT_EQ(keys[3].current, (FunctionCode{0x20, 1, 0}));
    EXPECT_FALSE(RebindAfterDelete(keys, 4));
}

TEST(MacroRebinding, KeysOfMacrosTheListLacksGetTheirDefault)
{
    std::vector<KeyListEntry> keys = {Key(0, {0x70, 1, 0}), Key(1, {0x71, 2, 3}), Key(2, {0x70, 7, 0}),
                                      Key(3, {0x20, 9, 0})};
    EXPECT_TRUE(DropDanglingMacroBindings(keys, 2));
    EXPECT_EQ(keys[0].current, (FunctionCode{0x70, 1, 0}));
    EXPECT_EQ(keys[1].current, kDefaultCode);
    EXPECT_EQ(keys[2].current, kDefaultCode);
    EXPECT_EQ(keys[3].current, (FunctionCode{0x20, 9, 0}));
    EXPECT_FALSE(DropDanglingMacroBindings(keys, 2));
}

Json::Value ProfileDocument(const std::vector<int>& assignments)
{
    Json::Value document(Json::objectValue);
    document["ProfileName"] = "p";
    Json::Value& list = document["Device"][0]["KeyList"];
    for (const int assignment : assignments) {
        Json::Value entry(Json::objectValue);
        entry["Assignment"] = assignment;
        entry["DefaultAssignment"] = PackFunctionCode(kDefaultCode);
        list.append(entry);
    }
    return document;
}

int AssignmentOf(const QString& path, Json::ArrayIndex key)
{
    return ParseJsonFile(path)["Device"][0]["KeyList"][key]["Assignment"].asInt();
}

TEST(MacroRebinding, EveryProfileOfTheDeviceFollows)
{
    const q31::test::TempFolder temp;
    const QDir folder(QString::fromStdString(temp.Path()));
    Json::Value list(Json::objectValue);
    for (const char* id : {"first", "second", "third"}) {
        Json::Value entry(Json::objectValue);
        entry["profilename"] = id;
        entry["profileUUID"] = id;
        list["profilelist"].append(entry);
    }
    list["profileselect"] = 0;
    ASSERT_TRUE(WriteJsonFile(folder.filePath("ProfileList.ini"), list));
    ASSERT_TRUE(WriteJsonFile(folder.filePath("first.Json"), ProfileDocument({0x700100, 0x700200})));
    ASSERT_TRUE(WriteJsonFile(folder.filePath("second.Json"), ProfileDocument({0x710203, 0x200104})));
    ASSERT_TRUE(WriteJsonFile(folder.filePath("third.Json"), ProfileDocument({0x700000})));

    const QStringList documents = ProfileDocumentsOf(folder.path());
    ASSERT_EQ(documents.size(), 3);
    const RebindReport report = RebindProfileDocuments(documents, 1);
    EXPECT_EQ(report.rewritten, (QStringList{folder.filePath("first.Json"), folder.filePath("second.Json")}));
    EXPECT_TRUE(report.failed.isEmpty());

    EXPECT_EQ(AssignmentOf(folder.filePath("first.Json"), 0), PackFunctionCode(kDefaultCode));
    EXPECT_EQ(AssignmentOf(folder.filePath("first.Json"), 1), 0x700100);
    EXPECT_EQ(AssignmentOf(folder.filePath("second.Json"), 0), 0x710103);
    EXPECT_EQ(AssignmentOf(folder.filePath("second.Json"), 1), 0x200104);
    EXPECT_EQ(AssignmentOf(folder.filePath("third.Json"), 0), 0x700000);
    EXPECT_EQ(ParseJsonFile(folder.filePath("second.Json"))["ProfileName"].asString(), "p");
}

}  // namespace
