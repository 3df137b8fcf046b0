// The mouse's records without a device: where its buttons sit, the settings
// record both ways, and the key table with its macro buttonSlots.
#include "devices/effect_steps.h"
#include "devices/light_mode_codes.h"
#include "devices/mouse_key_table.h"
#include "devices/mouse_layout.h"
#include "devices/mouse_settings_record.h"
#include "keys/function_types.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

void PutCode(KeyMapImage& keyMap, int slot, FunctionCode code)
{
    keyMap[3 * slot] = code.type;
    keyMap[3 * slot + 1] = code.data1;
    keyMap[3 * slot + 2] = code.data2;
}

FunctionCode CodeAt(const KeyMapImage& keyMap, int slot)
{
    return {keyMap[3 * slot], keyMap[3 * slot + 1], keyMap[3 * slot + 2]};
}

FunctionCode Factory(int button)
{
    return MouseButtonTable()[button].factory;
}

TEST(MouseLayoutTest, EachButtonTakesTheFirstSlotWithItsFactoryCode)
{
    EXPECT_EQ(Factory(3), (FunctionCode{0x10, 0x10, 0x00}));
    EXPECT_EQ(Factory(9), (FunctionCode{0x16, 0x90, 0x01}));
    KeyMapImage keyMap{};
    PutCode(keyMap, 0, Factory(1));
    PutCode(keyMap, 1, Factory(0));
    PutCode(keyMap, 2, Factory(0));  // a second slot with the same code is not taken
    const MouseSlotMap buttonSlots = MouseSlotMapOf(3, keyMap);
    EXPECT_EQ(buttonSlots[0], 1);
    EXPECT_EQ(buttonSlots[1], 0);
    EXPECT_EQ(buttonSlots[2], kNoSlot);
}

TEST(MouseLayoutTest, ButtonsBeyondTheMousesSlotsHaveNoSlot)
{
    KeyMapImage keyMap{};
    for (int button = 0; button < kMouseButtons; ++button)
        PutCode(keyMap, button, Factory(button));
    const MouseSlotMap buttonSlots = MouseSlotMapOf(2, keyMap);
    EXPECT_EQ(buttonSlots[0], 0);
    EXPECT_EQ(buttonSlots[1], 1);
    // Neither slot 0 nor the code past the count: these buttons are not on this mouse.
    for (int button = 2; button < kMouseButtons; ++button)
        EXPECT_EQ(buttonSlots[button], kNoSlot) << button;
    EXPECT_EQ(MouseSlotMapOf(-1, keyMap)[0], kNoSlot);
}

class MouseSettingsRecordTest : public ::testing::Test {
protected:
    MouseSettingsRecord Pack(ScreenSize screen = {1920, 1080}) const
    {
        return PackMouseSettings(settings, codes, 0, 1, screen);
    }

    MouseSettings settings;
    std::vector<std::uint8_t> codes{0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B};
};

TEST_F(MouseSettingsRecordTest, LightAndSystemValuesHaveTheirBytes)
{
    settings.light = {3, 2, 1, 1, 1, 10, 20, 30};
    settings.system[2] = PackWord(5, 3);  // wheel lines 5, polling option 3
    settings.currentStage = 2;
    const MouseSettingsRecord record = Pack();
    EXPECT_EQ(record[0], 0);
    EXPECT_EQ(record[1], 0x23);
    EXPECT_EQ(record[2], 2);
    EXPECT_EQ(record[3], 3);  // 4 - speed
    EXPECT_EQ(record[4], 1);
    EXPECT_EQ(record[5], 1);
    EXPECT_EQ((std::vector<int>{record[6], record[7], record[8]}), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(record[9], 0);
    EXPECT_EQ(record[11], 3);
    EXPECT_EQ(record[12], 2);
    EXPECT_EQ(record[59], 1);
}

TEST_F(MouseSettingsRecordTest, ScreenSizeIsLittleEndianAndCorrectionsComeFromTheSelectedEntry)
{
    MouseSettingsRecord record = Pack({1920, 1080});
    EXPECT_EQ((std::vector<int>{record[60], record[61], record[62], record[63]}),
              (std::vector<int>{0x80, 0x07, 0x38, 0x04}));
    EXPECT_EQ(record[64], 0);
    EXPECT_EQ(record[65], 0);

    settings.corrections = {{7, 8, false, {}}, {30, 12, true, {}}, {40, 50, true, {}}};
    record = Pack();
    EXPECT_EQ(record[64], 12);  // the first selected entry's minimum
    EXPECT_EQ(record[65], 30);  // and threshold

    settings.corrections = {{-5, 900, true, {}}};
    record = Pack({70000, -3});
    EXPECT_EQ(record[64], 255);
    EXPECT_EQ(record[65], 0);
    EXPECT_EQ((std::vector<int>{record[60], record[61], record[62], record[63]}),
              (std::vector<int>{0xFF, 0xFF, 0x00, 0x00}));
}

TEST_F(MouseSettingsRecordTest, StagesFillFromByte14AndMissingStagesStayZero)
{
    settings.stages = {{1, 0, 0x0102, 0x0304, 255, 0, 0}, {1, 1, 20, 20, 0, 255, 0}};
    const MouseSettingsRecord record = Pack();
    const std::vector<int> first(record.begin() + 14, record.begin() + 23);
    EXPECT_EQ(first, (std::vector<int>{1, 0, 0x02, 0x01, 0x04, 0x03, 255, 0, 0}));
    EXPECT_EQ(record[23], 1);
    EXPECT_EQ(record[24], 1);
    for (int byte = 32; byte < 59; ++byte)
        EXPECT_EQ(record[byte], 0) << byte;
}

TEST_F(MouseSettingsRecordTest, OutOfRangeValuesAreHeldInTheirRanges)
{
    settings.light[kSettingEffect] = 10;  // the user's own effects send entry 0
    settings.light[kSettingSpeed] = 9;
    settings.system[2] = PackWord(0, 7);
    settings.currentStage = 6;
    MouseSettingsRecord record = Pack();
    EXPECT_EQ(record[1], 0x20);
    EXPECT_EQ(record[3], 0);
    EXPECT_EQ(record[11], 0);
    EXPECT_EQ(record[12], 4);

    settings.light[kSettingEffect] = 5;
    codes.resize(5);  // an index at the end of the list sends entry 0 too
    EXPECT_EQ(Pack()[1], 0x20);
    codes.clear();
    EXPECT_EQ(Pack()[1], 0);
}

TEST(MouseLightModeCodeTest, UnknownOrUserIndicesSendTheFirstEntry)
{
    std::vector<std::uint8_t> codes;
    for (std::uint8_t i = 0; i < 12; ++i)
        codes.push_back(std::uint8_t(0x40 + i));
    EXPECT_EQ(MouseLightModeCode(0, codes), 0x40);
    EXPECT_EQ(MouseLightModeCode(9, codes), 0x49);
    EXPECT_EQ(MouseLightModeCode(10, codes), 0x40);
    EXPECT_EQ(MouseLightModeCode(11, codes), 0x40);
    EXPECT_EQ(MouseLightModeCode(-1, codes), 0x40);
    EXPECT_EQ(MouseLightModeCode(3, {0xA0, 0xA1, 0xA2}), 0xA0);
    EXPECT_EQ(MouseLightModeCode(0, {}), 0);
}

TEST_F(MouseSettingsRecordTest, ARecordReadIsTakenWithinRanges)
{
    MouseSettingsRecord record{};
    record[0] = 9;
    record[1] = 0x24;
    record[2] = 3;
    record[3] = 1;
    record[4] = 1;
    record[5] = 1;
    record[6] = 11;
    record[7] = 22;
    record[8] = 33;
    record[9] = 7;
    record[12] = 3;
    const LightSettings light{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5};
    MouseSettingsRead read = TakeMouseSettings(record, 2, light, codes);
    EXPECT_EQ(read.record[0], 2);
    EXPECT_EQ(read.record[9], 0);
    EXPECT_EQ(read.light[kSettingEffect], 4);
    EXPECT_EQ(read.light[kSettingBrightness], 3);
    EXPECT_EQ(read.light[kSettingSpeed], 3);
    EXPECT_EQ(read.light[kSettingDirection], 0);  // the profile keeps its own
    EXPECT_EQ(read.light[kSettingMultiColour], 1);
    EXPECT_EQ((std::vector<int>{read.light[5], read.light[6], read.light[7]}), (std::vector<int>{11, 22, 33}));
    EXPECT_EQ(read.light[13], 5);
    EXPECT_EQ(read.currentStage, 3);

    // What no mouse should send is held in range; an unknown code stays as read.
    record[1] = 0x99;
    record[2] = 200;
    record[3] = 200;
    record[12] = 200;
    read = TakeMouseSettings(record, 2, light, codes);
    EXPECT_EQ(read.light[kSettingEffect], 0x99);
    EXPECT_EQ(read.light[kSettingBrightness], 4);
    EXPECT_EQ(read.light[kSettingSpeed], 0);
    EXPECT_EQ(read.currentStage, 4);
}

class MouseKeyTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int button = 0; button < kMouseButtons; ++button) {
            PutCode(keyMap, button, Factory(button));
            buttonSlots[button] = std::uint8_t(button);
            keys.push_back({std::uint16_t(button), Factory(button), Factory(button)});
        }
    }

    void BindToMacro(int button, int macro)
    {
        keys[button].current = {keys::kMacro, std::uint8_t(macro), 2};
    }

    KeyMapImage keyMap{};
    MouseSlotMap buttonSlots{};
    std::vector<KeyListEntry> keys;
};

TEST_F(MouseKeyTableTest, AMacroPastTheListIsWrittenAsTheButtonsDefault)
{
    BindToMacro(4, 5);
    const MouseKeyTable table = BuildMouseKeyTable(keyMap, buttonSlots, keys, 3);
    EXPECT_EQ(CodeAt(table.block, 4), Factory(4));
    EXPECT_TRUE(table.macroSlots.empty());
    EXPECT_EQ(keys[4].current.data1, 5);
}

TEST_F(MouseKeyTableTest, MacrosAreNumberedBySlotInButtonOrder)
{
    BindToMacro(1, 7);
    BindToMacro(3, 2);
    BindToMacro(6, 7);
    const MouseKeyTable table = BuildMouseKeyTable(keyMap, buttonSlots, keys, 8);
    EXPECT_EQ(table.macroSlots, (std::vector<int>{7, 2}));
    EXPECT_EQ(CodeAt(table.block, 1), (FunctionCode{keys::kMacro, 0, 2}));
    EXPECT_EQ(CodeAt(table.block, 3), (FunctionCode{keys::kMacro, 1, 2}));
    EXPECT_EQ(CodeAt(table.block, 6), (FunctionCode{keys::kMacro, 0, 2}));
    EXPECT_EQ(CollectMouseKeyMacros(buttonSlots, keys, 8), (std::vector<int>{7, 2}));
}

TEST_F(MouseKeyTableTest, ButtonsWithoutASlotAreLeftOutOfTableAndMacros)
{
    buttonSlots[0] = 5;
    buttonSlots[5] = kNoSlot;
    BindToMacro(5, 1);
    keys[0].current = {0x10, 0x02, 0x00};
    const MouseKeyTable table = BuildMouseKeyTable(keyMap, buttonSlots, keys, 4);
    EXPECT_EQ(CodeAt(table.block, 5), keys[0].current);
    EXPECT_EQ(CodeAt(table.block, 0), Factory(0));  // slot 0 keeps what the mouse has
    EXPECT_TRUE(table.macroSlots.empty());
    EXPECT_TRUE(CollectMouseKeyMacros(buttonSlots, keys, 4).empty());
}

TEST(LightModeCodesTest, EachDeviceKindReadsItsOwnList)
{
    const test::TempFolder folder;
    const QString path = QString::fromStdString(folder.Path() + "/default_light.json");
    Json::Value lists(Json::arrayValue);
    for (int kind = 0; kind < 2; ++kind) {
        Json::Value list(Json::arrayValue);
        for (int mode = 0; mode < 3; ++mode)
            list.append(Json::Value(Json::objectValue))["value"] = 0x100 * kind + 16 * kind + mode;
        lists.append(list);
    }
    lists[1][2]["value"] = "seven";
    Json::Value document(Json::objectValue);
    document["DefaultLightName"] = lists;
    ASSERT_TRUE(WriteJsonFile(path, document));
    EXPECT_EQ(ReadLightModeCodes(path, 0), (std::vector<std::uint8_t>{0, 1, 2}));
    EXPECT_EQ(ReadLightModeCodes(path, 1), (std::vector<std::uint8_t>{0x10, 0x11, 0}));
    EXPECT_TRUE(ReadLightModeCodes(path, 2).empty());
    EXPECT_TRUE(ReadLightModeCodes(path, -1).empty());
    EXPECT_TRUE(ReadLightModeCodes(path + ".none", 0).empty());
}

}  // namespace
}  // namespace q31::devices
