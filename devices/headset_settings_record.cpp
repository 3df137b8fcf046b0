#include "devices/headset_settings_record.h"

#include "devices/config_bracket.h"
#include "devices/effect_steps.h"
#include "devices/light_mode_code.h"
#include "devices/light_speed_byte.h"
#include "protocol/device_link.h"

#include <algorithm>
#include <limits>

namespace q31::devices {
namespace {

constexpr std::uint16_t kCurrentProfileAddress = 0;

enum StateByte {
    kProfileByte = 0,
    kModeByte = 1,
    kBrightnessByte = 2,
    kSpeedByte = 3,
    kMultiColourByte = 5,
    kRedByte = 6,
};

}  // namespace

void PutLightIntoState(HeadsetState& state, const LightSettings& light)
{
    state[kModeByte] = light[kSettingEffect];
    state[kBrightnessByte] = light[kSettingBrightness];
    state[kSpeedByte] = light[kSettingSpeed];
    state[kMultiColourByte] = light[kSettingMultiColour];
    for (int colour = 0; colour < 3; ++colour)
        state[kRedByte + colour] = light[kSettingRed + colour];
}

std::uint8_t HeadsetLightModeCode(int modeIndex, const std::vector<std::uint8_t>& modeCodes)
{
    return ModeCodeOf(modeIndex, int(modeCodes.size()), modeCodes);
}

HeadsetState PackHeadsetSettings(const HeadsetState& state, const std::vector<std::uint8_t>& modeCodes)
{
    HeadsetState record = state;
    record[kModeByte] = HeadsetLightModeCode(state[kModeByte], modeCodes);
    record[kSpeedByte] = TurnedSpeed(state[kSpeedByte]);
    return record;
}

HeadsetState TakeHeadsetSettings(const HeadsetSettingsBlock& block, std::uint8_t currentProfile,
                                 const std::vector<std::uint8_t>& modeCodes)
{
    HeadsetState state{};
    std::copy_n(block.begin(), state.size(), state.begin());
    state[kProfileByte] = currentProfile;
    state[kModeByte] = ModeIndexOfCode(block[kModeByte], modeCodes);
    state[kSpeedByte] = TurnedSpeed(block[kSpeedByte]);
    return state;
}

int WriteHeadsetSettings(CDeviceLink& link, const HeadsetState& record, int page)
{
    constexpr int kLastPage = (std::numeric_limits<std::uint16_t>::max() - int(kHeadsetStateSize)) / kHeadsetWriteStride;
    if (page < 0 || page > kLastPage)
        return kResultWriteFailed;
    const auto address = std::uint16_t(page * kHeadsetWriteStride);
    return InConfigBracket(link, [&] { return link.WriteParams(record.data(), record.size(), address); });
}

HeadsetSettingsFetch ReadHeadsetSettings(CDeviceLink& link)
{
    HeadsetSettingsFetch fetch;
    fetch.result = link.ReadParams(&fetch.currentProfile, 1, kCurrentProfileAddress);
    if (fetch.result != kResultSuccess)
        return fetch;
    const auto address = std::uint16_t(fetch.currentProfile * kHeadsetReadStride);
    fetch.result = link.ReadParams(fetch.block.data(), fetch.block.size(), address);
    return fetch;
}

}  // namespace q31::devices
