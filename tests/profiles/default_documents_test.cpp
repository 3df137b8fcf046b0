// The shipped default documents: each holds every section its device reads,
// with values the device can use as they stand.
#include "profiles/headset_profile_data.h"
#include "profiles/json_file.h"
#include "profiles/keyboard_profile_data.h"
#include "profiles/mouse_profile_data.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString DefaultDocument(const char* name)
{
    return QDir(QStringLiteral(Q31_SOURCE_DATA_DIR "/DefaultData")).filePath(QString::fromLatin1(name));
}

template <typename Data>
Data LoadDefault(const char* name)
{
    Data data;
    data.SetDefaultDocumentPath(DefaultDocument(name));
    // Loading a document that does not exist takes the default's section (and
    // writes nothing when the path cannot be written).
    data.LoadDeviceSection(QStringLiteral("/nonexistent/profile.Json"));
    return data;
}

struct Shipped {
    const char* file;
    std::vector<const char*> sections;
};

class DefaultDocumentTest : public ::testing::TestWithParam<Shipped> {};

TEST_P(DefaultDocumentTest, HoldsEverySectionItsDeviceReads)
{
    const Json::Value document = ParseJsonFile(DefaultDocument(GetParam().file));
    ASSERT_TRUE(document.isObject()) << GetParam().file;
    EXPECT_TRUE(document["profilename"].isString());
    EXPECT_TRUE(document["profileUUID"].isString());
    ASSERT_TRUE(document["Device"][0].isObject());
    for (const char* section : GetParam().sections)
        EXPECT_TRUE(document["Device"][0].isMember(section)) << GetParam().file << ": " << section;

    const LightSettings light = LoadDefault<CBasicProfiledata>(GetParam().file).ReadLightInfo();
    EXPECT_GT(light[1], 0) << "a default that shows no light";
    EXPECT_LE(light[1], 4);
    EXPECT_LE(light[2], 4);
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, DefaultDocumentTest,
    ::testing::Values(
        Shipped{"keyboard.Json",
                {"LightInfo", "AudioLightInfo", "LightList", "KeyList", "SystemStages", "CustomLightMode"}},
        Shipped{"mouse.Json",
                {"LightInfo", "LightList", "KeyList", "SystemStages", "DPIStages", "ReportStages", "CorrectInfo"}},
        Shipped{"MousePad.Json", {"LightInfo", "LightList"}},
        Shipped{"HD.Json", {"LightInfo", "LightList", "SystemSetStages", "EQHzValueInfo", "CustomEQNameInfo",
                            "CustomEQHzValueInfo"}}));

TEST(DefaultDocumentsTest, KeyboardHasTheFactoryKeyTable)
{
    auto keyboard = LoadDefault<CKeyboardProfiledata>("keyboard.Json");
    const auto keys = keyboard.ReadKeyList();
    ASSERT_EQ(keys.size(), 126u);
    for (const KeyListEntry& key : keys)
        EXPECT_EQ(key.current, key.factory) << key.key;
    EXPECT_EQ(keys[0].factory, (FunctionCode{0x20, 0x00, 0x29}));   // Esc
    EXPECT_EQ(keys[16].factory, (FunctionCode{0xA0, 0x1B, 0x00}));  // GM
    EXPECT_EQ(keys[43].factory, (FunctionCode{0x20, 0x00, 0x14}));  // Q
    EXPECT_EQ(keys[84].factory, (FunctionCode{0x20, 0x02, 0x00}));  // LShift
    EXPECT_EQ(keys[110].factory, (FunctionCode{0xA0, 0x01, 0x00})); // FN
    EXPECT_EQ(keys[124].factory, (FunctionCode{0xD0, 0xA2, 0x05})); // M5
    EXPECT_EQ(keys[125].factory, (FunctionCode{0x20, 0x80, 0x00})); // RWin

    const auto colours = keyboard.ReadCustomLightColors(keyboard.ReadCustomLightGroup(), 170);
    EXPECT_EQ(colours.size(), 170u);
    EXPECT_GT(colours[0].alpha, 0);
    EXPECT_EQ(keyboard.DeviceSection()["CustomLightMode"]["LightColorInfo"][0].size(), 170u);
}

TEST(DefaultDocumentsTest, MouseHasElevenButtonsAndFiveDpiStages)
{
    auto mouse = LoadDefault<CMouseProfiledata>("mouse.Json");
    const auto keys = mouse.ReadKeyList();
    ASSERT_EQ(keys.size(), 11u);
    EXPECT_EQ(keys[0].factory, (FunctionCode{0x10, 0x01, 0x00}));
    EXPECT_EQ(keys[9].factory, (FunctionCode{0x16, 0x90, 0x01}));
    EXPECT_EQ(keys[10].factory, (FunctionCode{0x14, 0x78, 0x02}));

    std::vector<DpiStage> stages;
    int current = -1;
    ASSERT_TRUE(mouse.ReadDpiStages(stages, current));
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_GE(current, 0);
    EXPECT_LT(current, 5);
    for (size_t i = 0; i < stages.size(); ++i) {
        EXPECT_EQ(stages[i].enabled, 1);
        if (i > 0) {
            EXPECT_GT(stages[i].dpiX, stages[i - 1].dpiX);
        }
    }
    EXPECT_NE(mouse.ReadMouseSystem()[0], 0u);
    for (const CorrectionEntry& correction : mouse.ReadCorrections())
        EXPECT_FALSE(correction.name.isEmpty());
}

TEST(DefaultDocumentsTest, HeadsetHasEveryEqualiserPreset)
{
    auto headset = LoadDefault<CHs6533Profiledata>("HD.Json");
    const HeadsetSystemValues system = headset.ReadHeadsetSystem();
    EXPECT_GE(system[2], 1);   // EqType: a preset
    EXPECT_LE(system[2], 12);
    EXPECT_EQ(system[3], -1);  // no custom curve selected
    EXPECT_EQ(headset.ReadEqValues(1), (std::vector<int>{7, 11, 2, -3, -1, 4, 9, 12, 9, 5}));
    EXPECT_EQ(headset.ReadEqValues(12), (std::vector<int>{2, 1, -2, -4, -8, 4, 12, 16, 18, 15}));
    const Json::Value& curves = headset.DeviceSection()["EQHzValueInfo"];
    ASSERT_EQ(curves.size(), 13u);
    for (const Json::Value& curve : curves)
        EXPECT_EQ(curve.size(), 10u);
    EXPECT_TRUE(headset.ReadCustomEqNames().isEmpty());
}

TEST(DefaultDocumentsTest, LanguageListNamesItsFiles)
{
    const Json::Value languages = ParseJsonFile(DefaultDocument("Language.config"))["Language"];
    ASSERT_GE(languages.size(), 2u);
    for (const Json::Value& language : languages) {
        EXPECT_TRUE(language["Language_name"].isString());
        EXPECT_TRUE(language["Language_file"].isString());
        EXPECT_TRUE(language["Language_text"].isString());
        EXPECT_TRUE(language["Language_ID"].isUInt());
    }
}

}  // namespace
