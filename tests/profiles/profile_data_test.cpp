// Profile documents: every section of every profile class survives a save and a
// load, the rules for missing sections hold, and hand-edited values of the
// wrong type read as missing.
#include "profiles/headset_profile_data.h"
#include "profiles/json_file.h"
#include "profiles/keyboard_profile_data.h"
#include "profiles/mouse_profile_data.h"
#include "tests/common/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

Json::Value ParseText(const char* text)
{
    return q31::ParseJsonText(text);
}

class ProfileDataTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return QDir(QString::fromStdString(m_folder.Path())).filePath(name); }

    // A profile document with the given device section (null: no "Device" at all).
    QString WriteProfile(const QString& name, const Json::Value& section)
    {
        Json::Value document(Json::objectValue);
        document["profilename"] = "mine";
        document["profileUUID"] = name.toStdString();
        if (!section.isNull())
            document["Device"].append(section);
        EXPECT_TRUE(WriteJsonFile(PathOf(name + ".Json"), document));
        return PathOf(name + ".Json");
    }

    // Loads the document into a fresh object of the class.
    template <typename Data>
    Data Load(const QString& path)
    {
        Data data;
        data.SetDefaultDocumentPath(PathOf("default.Json"));
        data.SetDocumentPath(path);
        data.LoadDeviceSection(path);
        return data;
    }

    template <typename Data>
    Data SaveAndReload(Data& data)
    {
        EXPECT_TRUE(data.Save());
        return Load<Data>(data.GetDocumentPath());
    }

    q31::test::TempFolder m_folder;
};

TEST_F(ProfileDataTest, DocumentWithoutDeviceIsCompletedFromTheDefault)
{
    Json::Value defaults = ParseText(R"({"profilename":"x","Device":[{"LightInfo":{"SelectItem":3,"Red":9}}]})");
    ASSERT_TRUE(WriteJsonFile(PathOf("default.Json"), defaults));
    const QString path = WriteProfile("p", Json::Value());

    auto data = Load<CBasicProfiledata>(path);
    EXPECT_EQ(data.ReadLightInfo()[0], 3);

    const Json::Value onDisk = ParseJsonFile(path);
    EXPECT_EQ(onDisk["Device"][0], defaults["Device"][0]);
    EXPECT_EQ(onDisk["profilename"].asString(), "mine");
}

TEST_F(ProfileDataTest, MissingDocumentAndDefaultReadAsZeros)
{
    auto data = Load<CMouseProfiledata>(PathOf("nothing.Json"));
    EXPECT_EQ(data.ReadLightInfo(), LightSettings{});
    EXPECT_EQ(data.ReadAudioLightInfo(), AudioLightSettings{});
    EXPECT_TRUE(data.ReadKeyList().empty());
    EXPECT_TRUE(data.ReadLightList().empty());
    EXPECT_EQ(data.ReadMouseSystem(), SystemWords{});
    EXPECT_TRUE(data.ReadCorrections().empty());
    std::vector<DpiStage> stages(2, DpiStage{1, 0, 5, 5, 1, 2, 3});
    int current = 4;
    EXPECT_FALSE(data.ReadDpiStages(stages, current));
    EXPECT_EQ(current, 4);
    EXPECT_EQ(stages.size(), 2u);
}

TEST_F(ProfileDataTest, LightSectionsSurviveSaveAndLoad)
{
    auto data = Load<CBasicProfiledata>(WriteProfile("p", Json::Value(Json::objectValue)));
    const LightSettings light{5, 4, 3, 1, 1, 10, 20, 30, 88, 99, 77, 2, 6, 7};
    const AudioLightSettings audio{2, 1, 2, 3, 4, 5, 6, 1, 0};
    data.WriteLightInfo(light);
    data.WriteAudioLightInfo(audio);

    auto loaded = SaveAndReload(data);
    // Bytes 8 to 10 are the device's own and are not stored.
    EXPECT_EQ(loaded.ReadLightInfo(), (LightSettings{5, 4, 3, 1, 1, 10, 20, 30, 0, 0, 0, 2, 6, 7}));
    // The colour type flag always reads back as 1 from a stored section.
    EXPECT_EQ(loaded.ReadAudioLightInfo(), (AudioLightSettings{2, 1, 2, 3, 4, 5, 6, 1, 1}));
    EXPECT_EQ(ParseJsonFile(data.GetDocumentPath())["Device"][0]["AudioLightInfo"]["ColorTypeFlags"].asInt(), 0);
}

TEST_F(ProfileDataTest, LightListMarksZonesInUse)
{
    auto data = Load<CBasicProfiledata>(WriteProfile("p", ParseText(R"({"LightList":[
        null,
        {"LEDREGMode":2,"LEDBrightness":3,"LEDSpeed":4,"LEDDirection":7,"LEDMultiColor":0,"red":1,"green":2,"blue":3}
    ]})")));
    const auto zones = data.ReadLightList();
    ASSERT_EQ(zones.size(), 2u);
    EXPECT_EQ(zones[0], LightSettings{});
    EXPECT_EQ(zones[1], (LightSettings{2, 3, 4, 1, 0, 1, 2, 3, 0, 0, 1, 0, 0, 0}));
}

TEST_F(ProfileDataTest, KeyAssignmentsAreSavedAndFactoryCodesKept)
{
    auto data = Load<CBasicProfiledata>(WriteProfile("p", ParseText(R"({"KeyList":[
        {"Assignment":1048832,"DefaultAssignment":1048832},
        {"Assignment":1049088,"DefaultAssignment":1049088}]})")));
    auto keys = data.ReadKeyList();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[1], (KeyListEntry{1, {0x10, 0x02, 0x00}, {0x10, 0x02, 0x00}}));
    keys[1].current = {0x30, 0xCD, 0x00};
    // A list longer than the document's: the extra key gains an "Assignment" only.
    keys.push_back({2, {0xD0, 0xA2, 0x05}, {}});
    data.WriteKeyAssignments(keys);

    auto loaded = SaveAndReload(data);
    const auto read = loaded.ReadKeyList();
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].current, (FunctionCode{0x10, 0x01, 0x00}));
    EXPECT_EQ(read[1], (KeyListEntry{1, {0x30, 0xCD, 0x00}, {0x10, 0x02, 0x00}}));
    const Json::Value stored = ParseJsonFile(data.GetDocumentPath())["Device"][0]["KeyList"];
    EXPECT_EQ(stored[1]["Assignment"].asInt(), 3198208);
    EXPECT_EQ(stored[2]["Assignment"].asInt(), 13672965);
    EXPECT_FALSE(stored[2].isMember("DefaultAssignment"));
}

TEST_F(ProfileDataTest, KeyboardSectionsSurviveSaveAndLoad)
{
    auto data = Load<CKeyboardProfiledata>(WriteProfile("k", Json::Value(Json::objectValue)));
    const SystemWords words{PackWord(20, 1), PackWord(1, 3), PackWord(0, 0xFFFF)};
    data.WriteKeyboardSystem(words);
    const std::vector<CustomColour> colours{{1, 2, 3, 4}, {255, 0, 128, 255}};
    data.WriteCustomLightColors(2, colours);
    data.WriteCustomLightGroup(2);

    auto loaded = SaveAndReload(data);
    EXPECT_EQ(loaded.ReadKeyboardSystem(), words);
    EXPECT_EQ(loaded.ReadCustomLightGroup(), 2);
    EXPECT_EQ(loaded.ReadCustomLightColors(2, 2), colours);
    const Json::Value system = loaded.DeviceSection()["SystemStages"];
    EXPECT_EQ(system["Repeat"].asInt(), 20);
    EXPECT_EQ(system["RepeatDelay"].asInt(), 1);
    EXPECT_EQ(system["PollingRate"].asInt(), 3);
    EXPECT_EQ(system["WinFlag"].asInt(), 0xFFFF);
}

TEST_F(ProfileDataTest, MissingCustomColoursAreAddedAsZerosAndSaved)
{
    auto data = Load<CKeyboardProfiledata>(WriteProfile("k", ParseText(R"({"CustomLightMode":{"LightColorInfo":[
        [{"Red":9,"Green":9,"Blue":9,"Alpha":9}]]}})")));
    EXPECT_EQ(data.ReadCustomLightGroup(), 0);
    // Group 0 has one entry of three; group 1 does not exist.
    const auto group0 = data.ReadCustomLightColors(0, 3);
    EXPECT_EQ(group0, (std::vector<CustomColour>{{9, 9, 9, 9}, {}, {}}));
    EXPECT_EQ(data.ReadCustomLightColors(1, 4), std::vector<CustomColour>(4));

    ASSERT_TRUE(data.Save());
    const Json::Value info = ParseJsonFile(data.GetDocumentPath())["Device"][0]["CustomLightMode"]["LightColorInfo"];
    EXPECT_EQ(info[0].size(), 3u);
    ASSERT_EQ(info[1].size(), 4u);
    EXPECT_EQ(info[1][3]["Alpha"].asInt(), 0);
    EXPECT_TRUE(info[1][3].isMember("Red"));
}

TEST_F(ProfileDataTest, MouseSectionsSurviveSaveAndLoad)
{
    auto data = Load<CMouseProfiledata>(WriteProfile("m", ParseText(R"({"CorrectInfo":[
        {"CorrectPixThresh":3,"CorrectMinSq":9,"CorrectSelect":1,"CorrectName":"Winkel"}]})")));
    const std::vector<DpiStage> stages{{1, 0, 15, 15, 255, 0, 0}, {0, 1, 65535, 31, 0, 255, 180}};
    data.WriteDpiStages(stages);
    data.WriteCurrentDpiStage(1);
    const SystemWords words{PackWord(500, 10), PackWord(1, 0), PackWord(3, 4)};
    data.WriteMouseSystem(words);

    auto loaded = SaveAndReload(data);
    std::vector<DpiStage> read;
    int current = -1;
    ASSERT_TRUE(loaded.ReadDpiStages(read, current));
    EXPECT_EQ(read, stages);
    EXPECT_EQ(current, 1);
    EXPECT_EQ(loaded.ReadMouseSystem(), words);
    EXPECT_EQ(loaded.DeviceSection()["ReportStages"]["StageActive"].asInt(), 4);
    EXPECT_EQ(loaded.ReadCorrections(), (std::vector<CorrectionEntry>{{3, 9, true, "Winkel"}}));
}

TEST_F(ProfileDataTest, DpiStagesMergeIntoTheMouseList)
{
    auto data = Load<CMouseProfiledata>(WriteProfile("m", ParseText(R"({"DPIStages":{"StageActive":1,"StageDPIs":[
        {"StageActive":1,"StageDPIX":7},{"StageActive":1,"StageDPIX":8}]}})")));
    std::vector<DpiStage> stages(5, DpiStage{1, 0, 99, 99, 1, 1, 1});
    int current = 3;
    ASSERT_TRUE(data.ReadDpiStages(stages, current));
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[0], (DpiStage{1, 0, 7, 0, 0, 0, 0}));
    EXPECT_EQ(stages[1].dpiX, 8);
    EXPECT_EQ(stages[2], (DpiStage{1, 0, 99, 99, 1, 1, 1}));
    EXPECT_EQ(current, 1);

    std::vector<DpiStage> shorter(1);
    ASSERT_TRUE(data.ReadDpiStages(shorter, current));
    EXPECT_EQ(shorter.size(), 2u);
}

TEST_F(ProfileDataTest, DpiStagesOfAForeignDocumentStayWithinTheMousesFive)
{
    auto data = Load<CMouseProfiledata>(WriteProfile("m", ParseText(R"({"DPIStages":{"StageActive":9,"StageDPIs":[
        {"StageDPIX":1},{"StageDPIX":2},{"StageDPIX":3},{"StageDPIX":4},{"StageDPIX":5},{"StageDPIX":6},{"StageDPIX":7}]}})")));
    std::vector<DpiStage> stages;
    int current = 3;
    ASSERT_TRUE(data.ReadDpiStages(stages, current));
    EXPECT_EQ(current, 0);
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[4].dpiX, 5);

    auto negative = Load<CMouseProfiledata>(WriteProfile("n", ParseText(R"({"DPIStages":{"StageActive":-1}})")));
    ASSERT_TRUE(negative.ReadDpiStages(stages, current));
    EXPECT_EQ(current, 0);
}

TEST_F(ProfileDataTest, MouseReportRateNeedsSystemStages)
{
    auto data = Load<CMouseProfiledata>(WriteProfile("m", ParseText(R"({"ReportStages":{"StageActive":3}})")));
    EXPECT_EQ(data.ReadMouseSystem(), SystemWords{});
    auto withSystem = Load<CMouseProfiledata>(WriteProfile("n", ParseText(
        R"({"SystemStages":{"WheelScorlllinse":3},"ReportStages":{"StageActive":2}})")));
    EXPECT_EQ(withSystem.ReadMouseSystem()[2], PackWord(3, 2));
}

TEST_F(ProfileDataTest, HeadsetSectionsSurviveSaveAndLoad)
{
    auto data = Load<CHs6533Profiledata>(WriteProfile("h", Json::Value(Json::objectValue)));
    const HeadsetSystemValues values{1, 3, 13, -1, 1, 80, 0, 50};
    data.WriteHeadsetSystem(values);
    const std::vector<int> preset{7, 11, 2, -3, -1, 4, 9, 12, 9, 5};
    data.WriteEqValues(4, preset);
    data.WriteCustomEqNames({"Bässe", "Voice"});
    const std::vector<int> custom{-12, -6, 0, 6, 12, 1, 2, 3, 4, 5};
    data.WriteCustomEqValues(1, custom);

    auto loaded = SaveAndReload(data);
    EXPECT_EQ(loaded.ReadHeadsetSystem(), values);
    EXPECT_EQ(loaded.ReadEqValues(4), preset);
    EXPECT_EQ(loaded.ReadCustomEqNames(), (QStringList{"Bässe", "Voice"}));
    EXPECT_EQ(loaded.ReadCustomEqValues(1), custom);
    EXPECT_EQ(loaded.ReadCustomEqValues(0), std::vector<int>(10));
}

TEST_F(ProfileDataTest, RemovingACustomCurveMovesTheLaterOnesDown)
{
    auto data = Load<CHs6533Profiledata>(WriteProfile("h", Json::Value(Json::objectValue)));
    data.RemoveCustomEqValues(0);
    EXPECT_FALSE(data.DeviceSection().isMember("CustomEQHzValueInfo"));
    for (int curve = 0; curve < 3; ++curve)
        data.WriteCustomEqValues(curve, std::vector<int>(10, curve + 1));
    data.RemoveCustomEqValues(3);
    data.RemoveCustomEqValues(-1);
    EXPECT_EQ(data.DeviceSection()["CustomEQHzValueInfo"].size(), 3u);
    data.RemoveCustomEqValues(1);
    auto loaded = SaveAndReload(data);
    EXPECT_EQ(loaded.DeviceSection()["CustomEQHzValueInfo"].size(), 2u);
    EXPECT_EQ(loaded.ReadCustomEqValues(0), std::vector<int>(10, 1));
    EXPECT_EQ(loaded.ReadCustomEqValues(1), std::vector<int>(10, 3));
}

TEST_F(ProfileDataTest, EqTypesShareSlotsAndCustomTypeHasNone)
{
    auto data = Load<CHs6533Profiledata>(WriteProfile("h", Json::Value(Json::objectValue)));
    const std::vector<int> gains{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    data.WriteEqValues(1, gains);
    EXPECT_EQ(data.ReadEqValues(0), gains);
    EXPECT_EQ(data.ReadEqValues(14), gains);
    EXPECT_EQ(data.ReadEqValues(-5), gains);
    EXPECT_TRUE(data.ReadEqValues(13).empty());
    data.WriteEqValues(13, std::vector<int>(10, 9));
    EXPECT_FALSE(data.DeviceSection()["EQHzValueInfo"].isValidIndex(13));

    // A slot that does not exist reads as zeros, which are then stored.
    EXPECT_EQ(data.ReadEqValues(12), std::vector<int>(10));
    EXPECT_EQ(data.DeviceSection()["EQHzValueInfo"][12][9]["value"].asInt(), 0);
}

TEST_F(ProfileDataTest, HandEditedValuesOfTheWrongTypeReadAsMissing)
{
    const QString path = WriteProfile("w", ParseText(R"({
        "LightInfo": {"SelectItem":"3","Light":300,"Speed":-1,"Fx":2.5,"MultiColor":true,"Red":[1],"Green":{},"Blue":null},
        "AudioLightInfo": [1,2,3],
        "LightList": {"0":{}},
        "KeyList": [5, {"Assignment":"1048832","DefaultAssignment":16777216}, {"Assignment":1048832}],
        "SystemStages": {"Repeat":"fast","RepeatDelay":1.5,"DoubleClickTime":1e20,"MouseSpeed":10},
        "CustomLightMode": {"LightColorInfo":"none","CustomLightModeGroupIndex":"2"},
        "DPIStages": {"StageActive":"1","StageDPIs":[7, {"StageDPIX":"3","StageColorR":256,"StageColorG":12}]},
        "ReportStages": [],
        "CorrectInfo": [{"CorrectName":5,"CorrectSelect":"yes","CorrectMinSq":9}],
        "SystemSetStages": {"EqType":"13","MicInValue":4294967296,"CustomEqSeletIndex":-1},
        "EQHzValueInfo": {"1":[]},
        "CustomEQNameInfo": [{"Name":1}, "Voice", {"Name":"ok"}],
        "CustomEQHzValueInfo": [[{"value":"3"},{"value":4}]]
    })"));

    auto keyboard = Load<CKeyboardProfiledata>(path);
    EXPECT_EQ(keyboard.ReadLightInfo(), (LightSettings{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(keyboard.ReadAudioLightInfo(), AudioLightSettings{});
    EXPECT_TRUE(keyboard.ReadLightList().empty());
    const auto keys = keyboard.ReadKeyList();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0], (KeyListEntry{0, {}, {}}));
    EXPECT_EQ(keys[1], (KeyListEntry{1, {}, {}}));
    EXPECT_EQ(keys[2].current, (FunctionCode{0x10, 0x01, 0x00}));
    EXPECT_EQ(keyboard.ReadKeyboardSystem()[0], 0u);
    EXPECT_EQ(keyboard.ReadCustomLightGroup(), 0);
    EXPECT_EQ(keyboard.ReadCustomLightColors(0, 2), std::vector<CustomColour>(2));

    auto mouse = Load<CMouseProfiledata>(path);
    std::vector<DpiStage> stages;
    int current = 9;
    ASSERT_TRUE(mouse.ReadDpiStages(stages, current));
    EXPECT_EQ(current, 0);
    EXPECT_EQ(stages, (std::vector<DpiStage>{{}, {0, 0, 0, 0, 0, 12, 0}}));
    EXPECT_EQ(mouse.ReadMouseSystem()[0], PackWord(0, 10));
    EXPECT_EQ(mouse.ReadCorrections(), (std::vector<CorrectionEntry>{{0, 9, false, ""}}));

    auto headset = Load<CHs6533Profiledata>(path);
    EXPECT_EQ(headset.ReadHeadsetSystem(), (HeadsetSystemValues{0, 0, 0, -1, 0, 0, 0, 0}));
    EXPECT_EQ(headset.ReadEqValues(1), std::vector<int>(10));
    EXPECT_EQ(headset.ReadCustomEqNames(), (QStringList{"", "", "ok"}));
    EXPECT_EQ(headset.ReadCustomEqValues(0), (std::vector<int>{0, 4, 0, 0, 0, 0, 0, 0, 0, 0}));

    // Writing over a mistyped section replaces it.
    keyboard.WriteCustomLightColors(1, {{1, 2, 3, 4}});
    keyboard.WriteAudioLightInfo(AudioLightSettings{3});
    EXPECT_EQ(keyboard.ReadCustomLightColors(1, 1), (std::vector<CustomColour>{{1, 2, 3, 4}}));
    EXPECT_EQ(keyboard.ReadAudioLightInfo()[0], 3);
}

TEST_F(ProfileDataTest, DeviceSectionOfTheWrongTypeIsReplacedByTheDefault)
{
    ASSERT_TRUE(WriteJsonFile(PathOf("default.Json"), ParseText(R"({"Device":[{"LightInfo":{"Light":4}}]})")));
    Json::Value document = ParseText(R"({"profilename":"mine","Device":{"LightInfo":{}}})");
    ASSERT_TRUE(WriteJsonFile(PathOf("odd.Json"), document));
    auto data = Load<CBasicProfiledata>(PathOf("odd.Json"));
    EXPECT_EQ(data.ReadLightInfo()[1], 4);
    EXPECT_EQ(ParseJsonFile(PathOf("odd.Json"))["profilename"].asString(), "mine");
}

TEST_F(ProfileDataTest, UnreadableDocumentIsKeptBeforeTheDefaultReplacesIt)
{
    ASSERT_TRUE(WriteJsonFile(PathOf("default.Json"), ParseText(R"({"Device":[{"LightInfo":{"Light":4}}]})")));
    QFile file(PathOf("torn.Json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"Device\":[{\"LightInfo\":{\"Light\":2");
    file.close();

    auto data = Load<CBasicProfiledata>(PathOf("torn.Json"));
    EXPECT_EQ(data.ReadLightInfo()[1], 4);
    EXPECT_TRUE(QFile::exists(PathOf("torn.Json.bad")));
    EXPECT_EQ(ParseJsonFile(PathOf("torn.Json"))["Device"][0]["LightInfo"]["Light"].asInt(), 4);
}

TEST_F(ProfileDataTest, SaveKeepsTheOtherKeysOfTheDocument)
{
    const QString path = WriteProfile("p", Json::Value(Json::objectValue));
    auto data = Load<CBasicProfiledata>(path);
    data.WriteLightInfo(LightSettings{1});
    ASSERT_TRUE(data.Save());
    const Json::Value onDisk = ParseJsonFile(path);
    EXPECT_EQ(onDisk["profilename"].asString(), "mine");
    EXPECT_EQ(onDisk["profileUUID"].asString(), "p");
    EXPECT_EQ(onDisk["Device"][0]["LightInfo"]["SelectItem"].asInt(), 1);

    CBasicProfiledata unsaved;
    EXPECT_FALSE(unsaved.Save());
}

TEST_F(ProfileDataTest, SixteenBitValuesKeepTheirLowSixteenBits)
{
    const QString path = WriteProfile("h", ParseText(R"({
        "SystemStages": {"Repeat":70000,"RepeatDelay":-1,"Key6Flag":65536,"PollingRate":4294967297,
                         "DoubleClickTime":70000,"MouseSpeed":-2,"WheelScorlllinse":131075},
        "ReportStages": {"StageActive":65539},
        "DPIStages": {"StageActive":0,"StageDPIs":[{"StageDPIX":65537,"StageDPIY":-3}]}
    })"));

    auto keyboard = Load<CKeyboardProfiledata>(path);
    const SystemWords keyboardWords = keyboard.ReadKeyboardSystem();
    EXPECT_EQ(keyboardWords[0], PackWord(70000 - 65536, 0xFFFF));
    EXPECT_EQ(keyboardWords[1], PackWord(0, 1));

    auto mouse = Load<CMouseProfiledata>(path);
    const SystemWords mouseWords = mouse.ReadMouseSystem();
    EXPECT_EQ(mouseWords[0], PackWord(70000 - 65536, 0xFFFE));
    EXPECT_EQ(mouseWords[2], PackWord(3, 3));
    std::vector<DpiStage> stages;
    int current = 0;
    ASSERT_TRUE(mouse.ReadDpiStages(stages, current));
    ASSERT_EQ(stages.size(), 1u);
    EXPECT_EQ(stages[0].dpiX, 1);
    EXPECT_EQ(stages[0].dpiY, 0xFFFD);
}

TEST_F(ProfileDataTest, DocumentThatCannotBeReadIsNeverReplaced)
{
    ASSERT_TRUE(WriteJsonFile(PathOf("default.Json"), ParseText(R"({"Device":[{"LightInfo":{"Light":4}}]})")));
    // Reading a folder fails like any I/O error; only a parse failure moves a document aside.
    ASSERT_TRUE(QDir().mkpath(PathOf("held.Json")));
    auto data = Load<CBasicProfiledata>(PathOf("held.Json"));
    EXPECT_EQ(data.ReadLightInfo()[1], 4);
    data.WriteLightInfo(LightSettings{1});
    EXPECT_FALSE(data.Save());
    EXPECT_TRUE(QFileInfo(PathOf("held.Json")).isDir());
    EXPECT_FALSE(QFileInfo::exists(PathOf("held.Json.bad")));
}

}  // namespace
