#include "devices/mouse_settings_record.h"

#include "devices/config_bracket.h"
#include "devices/effect_steps.h"
#include "devices/light_mode_code.h"
#include "devices/light_speed_byte.h"
#include "devices/mouse_link_gate.h"

#include <QtEndian>

#include <algorithm>

namespace q31::devices {
namespace {

// The mode indices from here on are the user's own effects, sent as entry 0.
constexpr int kModeIndexLimit = 10;
constexpr int kTopBrightness = 4;
constexpr int kTopPollingCode = 4;
constexpr std::uint16_t kCurrentProfileAddress = 0;

enum RecordByte {
    kProfileByte = 0,
    kModeByte = 1,
    kBrightnessByte = 2,
    kSpeedByte = 3,
    kDirectionByte = 4,
    kMultiColourByte = 5,
    kRedByte = 6,
    kClearedByte = 9,
    kPollingByte = 11,
    kStageByte = 12,
    kStagesByte = 14,
    kByte59 = 59,
    kWidthByte = 60,
    kHeightByte = 62,
    kCorrectMinimumByte = 64,
    kCorrectThresholdByte = 65,
};

std::uint8_t ClampedByte(int value, int top = 0xFF)
{
    return std::uint8_t(std::clamp(value, 0, top));
}

std::uint8_t PollingCode(const SystemWords& system)
{
    const int code = HighHalf(system[2]);
    return code <= kTopPollingCode ? std::uint8_t(code) : 0;
}

}  // namespace

std::uint8_t MouseLightModeCode(int modeIndex, const std::vector<std::uint8_t>& modeCodes)
{
    return ModeCodeOf(modeIndex, kModeIndexLimit, modeCodes);
}

MouseSettingsRecord PackMouseSettings(const MouseSettings& settings, const std::vector<std::uint8_t>& modeCodes,
                                      std::uint8_t byte0, std::uint8_t byte59, ScreenSize screen)
{
    const LightSettings& light = settings.light;
    MouseSettingsRecord record{};
    record[kProfileByte] = byte0;
    record[kModeByte] = MouseLightModeCode(light[kSettingEffect], modeCodes);
    record[kBrightnessByte] = light[kSettingBrightness];
    record[kSpeedByte] = TurnedSpeed(light[kSettingSpeed]);
    record[kDirectionByte] = light[kSettingDirection];
    record[kMultiColourByte] = light[kSettingMultiColour];
    for (int colour = 0; colour < 3; ++colour)
        record[kRedByte + colour] = light[kSettingRed + colour];
    record[kPollingByte] = PollingCode(settings.system);
    record[kStageByte] = ClampedByte(settings.currentStage, kDpiStageCount - 1);
    std::ranges::copy(PackDpiStages(settings.stages), record.begin() + kStagesByte);
    record[kByte59] = byte59;
    qToLittleEndian<quint16>(quint16(std::clamp(screen.width, 0, 0xFFFF)), record.data() + kWidthByte);
    qToLittleEndian<quint16>(quint16(std::clamp(screen.height, 0, 0xFFFF)), record.data() + kHeightByte);
    const auto selected = std::ranges::find_if(settings.corrections, &CorrectionEntry::selected);
    if (selected != settings.corrections.end()) {
        record[kCorrectMinimumByte] = ClampedByte(selected->minimum);
        record[kCorrectThresholdByte] = ClampedByte(selected->threshold);
    }
    return record;
}

MouseSettingsRead TakeMouseSettings(const MouseSettingsRecord& record, std::uint8_t currentProfile,
                                    const LightSettings& light, const std::vector<std::uint8_t>& modeCodes)
{
    MouseSettingsRead read;
    read.record = record;
    read.record[kProfileByte] = currentProfile;
    read.record[kClearedByte] = 0;
    read.light = light;
    read.light[kSettingEffect] = ModeIndexOfCode(record[kModeByte], modeCodes);
    read.light[kSettingBrightness] = ClampedByte(record[kBrightnessByte], kTopBrightness);
    read.light[kSettingSpeed] = TurnedSpeed(record[kSpeedByte]);
    read.light[kSettingMultiColour] = record[kMultiColourByte];
    for (int colour = 0; colour < 3; ++colour)
        read.light[kSettingRed + colour] = record[kRedByte + colour];
    read.currentStage = std::min<int>(record[kStageByte], kDpiStageCount - 1);
    return read;
}

int WriteMouseSettings(CDeviceLink& link, const MouseSettingsRecord& record, int profilePage)
{
    if (profilePage < 0 || profilePage >= kMouseProfiles)
        return kResultWriteFailed;
    MouseLinkGate gate(link);
    const auto address = std::uint16_t(profilePage * kMouseSettingsStride);
    return InConfigBracket(
        link, [&] { return gate([&] { return link.WriteParams(record.data(), kMouseSettingsWriteSize, address); }); },
        gate.Gate());
}

MouseSettingsFetch ReadMouseSettings(CDeviceLink& link)
{
    MouseSettingsFetch fetch;
    MouseLinkGate gate(link);
    fetch.result = gate([&] { return link.ReadParams(&fetch.currentProfile, 1, kCurrentProfileAddress); });
    if (fetch.result != kResultSuccess)
        return fetch;
    if (fetch.currentProfile >= kMouseProfiles) {
        fetch.result = kResultNoReply;
        return fetch;
    }
    const auto address = std::uint16_t(fetch.currentProfile * kMouseSettingsStride);
    fetch.result = gate([&] { return link.ReadParams(fetch.record.data(), fetch.record.size(), address); });
    return fetch;
}

}  // namespace q31::devices
