#include "devices/effect_steps.h"
#include "devices/key_map_transfers.h"
#include "devices/keyboard_layout.h"
#include "devices/keyboard_settings_record.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

void PutCode(KeyboardImage& keyMap, int position, FunctionCode code)
{
    keyMap[3 * position] = code.type;
    keyMap[3 * position + 1] = code.data1;
    keyMap[3 * position + 2] = code.data2;
}

TEST(KeyboardLayoutTest, FactoryCodesFollowTheKeyList)
{
    const auto& codes = FactoryKeyCodes();
    EXPECT_EQ(codes[0], (FunctionCode{0x20, 0x00, 0x29}));     // Esc
    EXPECT_EQ(codes[16], (FunctionCode{0xA0, 0x1B, 0x00}));    // GM
    EXPECT_EQ(codes[17], (FunctionCode{0xA0, 0x24, 0x00}));    // the special key
    EXPECT_EQ(codes[18], (FunctionCode{0x20, 0x00, 0x00}));    // no key
    EXPECT_EQ(codes[104], (FunctionCode{0x20, 0x00, 0x00}));
    EXPECT_EQ(codes[105], (FunctionCode{0x20, 0x01, 0x00}));   // LCtrl
    EXPECT_EQ(codes[110], (FunctionCode{0xA0, 0x01, 0x00}));   // FN
    EXPECT_EQ(codes[120], (FunctionCode{0xD0, 0xA2, 0x01}));   // M1
    EXPECT_EQ(codes[125], (FunctionCode{0x20, 0x80, 0x00}));   // RWin
}

TEST(KeyboardLayoutTest, EachKeyTakesTheFirstPositionOfItsCodeAndOnlyLightsTheTablesHold)
{
    const auto& codes = FactoryKeyCodes();
    KeyboardImage keyMap{};
    KeyboardImage keyLights{};
    keyLights.fill(kNoKeyEntry);
    PutCode(keyMap, 0, codes[0]);             // Esc
    PutCode(keyMap, 1, codes[43]);            // Q
    PutCode(keyMap, 2, {0x30, 0xE9, 0x00});   // a code no logical key has
    PutCode(keyMap, 3, codes[0]);             // Esc again: the first one wins
    PutCode(keyMap, 4, codes[108]);           // Space
    PutCode(keyMap, 5, codes[42]);            // Tab, past the positions reported
    keyLights[0] = 7;
    keyLights[1] = 170;  // no such light: kept out of the frame
    keyLights[4] = 169;

    const KeyboardLayout layout = BuildKeyboardLayout(5, keyMap, keyLights);
    EXPECT_EQ(layout.positionOfKey[0], 0);
    EXPECT_EQ(layout.lightOfKey[0], 7);
    EXPECT_EQ(layout.positionOfKey[43], 1);
    EXPECT_EQ(layout.lightOfKey[43], kNoKeyEntry);
    EXPECT_EQ(layout.lightOfKey[108], 169);
    EXPECT_EQ(layout.positionOfKey[42], kNoKeyEntry);
    EXPECT_EQ(layout.lightOfKey[42], kNoKeyEntry);

    EXPECT_EQ(layout.KeyAtPosition(4), 108);
    EXPECT_EQ(layout.KeyAtPosition(2), std::nullopt);  // no logical key there
    EXPECT_EQ(layout.KeyAtPosition(3), std::nullopt);  // Esc sits at 0
    EXPECT_EQ(layout.KeyAtPosition(5), std::nullopt);
    EXPECT_EQ(layout.KeyAtPosition(-1), std::nullopt);
    EXPECT_EQ(layout.KeyAtPosition(255), std::nullopt);
}

TEST(KeyboardLayoutTest, MorePositionsThanTheTablesHoldAreRefused)
{
    DeviceInfo info{};
    info[kKeyPositionCountByte] = 170;
    EXPECT_EQ(KeyPositionCount(info), 170);
    info[kKeyPositionCountByte] = 171;
    EXPECT_EQ(KeyPositionCount(info), std::nullopt);
    // A layout never searches past the tables, whatever it is given.
    KeyboardImage keyMap{};
    KeyboardImage keyLights{};
    EXPECT_EQ(BuildKeyboardLayout(1000, keyMap, keyLights).positions, kMaxKeyPositions);
}

TEST(KeyboardSettingsRecordTest, ModeIndexesWithoutACodeSendEntryZero)
{
    const std::vector<std::uint8_t> codes = {0x10, 0x11, 0x12};
    EXPECT_EQ(LightModeCode(2, codes), 0x12);
    EXPECT_EQ(LightModeCode(3, codes), 0x10);   // past the list
    EXPECT_EQ(LightModeCode(-1, codes), 0x10);
    std::vector<std::uint8_t> many(40);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = std::uint8_t(i + 100);
    EXPECT_EQ(LightModeCode(30, many), 130);
    EXPECT_EQ(LightModeCode(31, many), 100);    // 31 and up have no code
    EXPECT_EQ(LightModeCode(0, {}), 0);
}

TEST(KeyboardSettingsRecordTest, WriteAndReadTheRecord)
{
    const std::vector<std::uint8_t> codes = {0x01, 0x05, 0x09};
    LightSettings light{};
    light[kSettingEffect] = 2;
    light[kSettingBrightness] = 3;
    light[kSettingSpeed] = 1;
    light[kSettingDirection] = 1;
    light[kSettingMultiColour] = 1;
    light[kSettingRed] = 10;
    light[kSettingGreen] = 20;
    light[kSettingBlue] = 30;
    light[kKeyboardZzccLedMode] = 6;
    light[kKeyboardCustomGroup] = 2;
    const KeyboardFlags flags{1, 1, 0, 3};
    const KeyboardSettingsRecord record = PackKeyboardSettings(0, light, flags, codes);
    const KeyboardSettingsRecord expected = {0, 0x09, 3, 3, 1, 1, 10, 20, 30, 6, 0, 0, 0, 0,
                                             0, 0, 0, 0, 0, 1, 1, 0, 3, 0, 0, 2, 0, 0};
    EXPECT_EQ(record, expected);

    KeyboardSettingsRecord sent = record;
    sent[16] = 9;
    const KeyboardSettingsRead read = ReadKeyboardSettings(sent, 4, LightSettings{}, codes);
    EXPECT_EQ(read.record[0], 4);
    EXPECT_EQ(read.record[16], 0);
    EXPECT_EQ(read.record[25], 2);  // kept in the record only
    EXPECT_EQ(read.light[kSettingEffect], 2);
    EXPECT_EQ(read.light[kSettingSpeed], 1);
    EXPECT_EQ(read.light[kSettingBlue], 30);
    EXPECT_EQ(read.light[kKeyboardZzccLedMode], 6);
    EXPECT_EQ(read.light[kKeyboardCustomGroup], 0);
    EXPECT_EQ(read.wFlag, 1);
    EXPECT_EQ(read.key6Flag, 1);
    EXPECT_EQ(read.winFlag, 0);
}

TEST(KeyboardSettingsRecordTest, ARecordFromTheKeyboardStaysInRange)
{
    KeyboardSettingsRecord sent{};
    sent[1] = 0x77;  // a mode code the list does not have: kept as read
    sent[3] = 200;   // a speed byte past the top speed
    const KeyboardSettingsRead read = ReadKeyboardSettings(sent, 0, LightSettings{}, {0x01, 0x02});
    EXPECT_EQ(read.light[kSettingEffect], 0x77);
    EXPECT_EQ(read.light[kSettingSpeed], 0);
}

}  // namespace
}  // namespace q31::devices
