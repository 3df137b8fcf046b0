#include "devices/keyboard_settings_record.h"

#include "devices/effect_steps.h"
#include "devices/light_mode_code.h"
#include "devices/light_speed_byte.h"

namespace q31::devices {
namespace {

enum RecordByte {
    kProfileByte = 0,
    kModeByte = 1,
    kBrightnessByte = 2,
    kSpeedByte = 3,
    kDirectionByte = 4,
    kMultiColourByte = 5,
    kRedByte = 6,
    kZzccByte = 9,
    kClearedByte = 16,
    kWFlagByte = 19,
    kKey6FlagByte = 20,
    kWinFlagByte = 21,
    kPollingRateByte = 22,
    kCustomGroupByte = 25,
};

}  // namespace

KeyboardFlags KeyboardFlagsOf(const SystemWords& words)
{
    return {std::uint16_t(LowHalf(words[2])), std::uint16_t(LowHalf(words[1])), std::uint16_t(HighHalf(words[2])),
            std::uint16_t(HighHalf(words[1]))};
}

std::uint8_t LightModeCode(int modeIndex, const std::vector<std::uint8_t>& modeCodes)
{
    return ModeCodeOf(modeIndex, kKeyboardModeIndexLimit, modeCodes);
}

KeyboardSettingsRecord PackKeyboardSettings(std::uint8_t value, const LightSettings& light, const KeyboardFlags& flags,
                                            const std::vector<std::uint8_t>& modeCodes)
{
    KeyboardSettingsRecord record{};
    record[kProfileByte] = value;
    record[kModeByte] = LightModeCode(light[kSettingEffect], modeCodes);
    record[kBrightnessByte] = light[kSettingBrightness];
    record[kSpeedByte] = TurnedSpeed(light[kSettingSpeed]);
    record[kDirectionByte] = light[kSettingDirection];
    record[kMultiColourByte] = light[kSettingMultiColour];
    for (int colour = 0; colour < 3; ++colour)
        record[kRedByte + colour] = light[kSettingRed + colour];
    record[kZzccByte] = light[kKeyboardZzccLedMode];
    record[kWFlagByte] = std::uint8_t(flags.wFlag);
    record[kKey6FlagByte] = std::uint8_t(flags.key6Flag);
    record[kWinFlagByte] = std::uint8_t(flags.winFlag);
    record[kPollingRateByte] = std::uint8_t(flags.pollingRate);
    record[kCustomGroupByte] = light[kKeyboardCustomGroup];
    return record;
}

KeyboardSettingsRead ReadKeyboardSettings(const KeyboardSettingsRecord& record, std::uint8_t currentProfile,
                                          const LightSettings& light, const std::vector<std::uint8_t>& modeCodes)
{
    KeyboardSettingsRead read;
    read.record = record;
    read.record[kProfileByte] = currentProfile;
    read.record[kClearedByte] = 0;
    read.light = light;
    read.light[kSettingEffect] = ModeIndexOfCode(record[kModeByte], modeCodes);
    read.light[kSettingBrightness] = record[kBrightnessByte];
    read.light[kSettingSpeed] = TurnedSpeed(record[kSpeedByte]);
    read.light[kSettingDirection] = record[kDirectionByte];
    read.light[kSettingMultiColour] = record[kMultiColourByte];
    for (int colour = 0; colour < 3; ++colour)
        read.light[kSettingRed + colour] = record[kRedByte + colour];
    read.light[kKeyboardZzccLedMode] = record[kZzccByte];
    read.wFlag = record[kWFlagByte];
    read.key6Flag = record[kKey6FlagByte];
    read.winFlag = record[kWinFlagByte];
    return read;
}

}  // namespace q31::devices
