#include "devices/pad_settings_record.h"

#include "devices/config_bracket.h"
#include "devices/effect_steps.h"
#include "devices/light_mode_code.h"
#include "devices/light_speed_byte.h"

#include <algorithm>
#include <limits>

namespace q31::devices {
namespace {

constexpr std::uint16_t kCurrentProfileAddress = 0;
constexpr int kColours = 3;

}  // namespace

void PutPadLight(PadRecord& state, const LightSettings& light)
{
    state[kPadModeByte] = light[kSettingEffect];
    state[kPadBrightnessByte] = light[kSettingBrightness];
    state[kPadSpeedByte] = light[kSettingSpeed];
    state[kPadMultiColourByte] = light[kSettingMultiColour];
    for (int colour = 0; colour < kColours; ++colour)
        state[kPadRedByte + colour] = light[kSettingRed + colour];
}

PadRecord PadWireRecord(const PadRecord& state, const std::vector<std::uint8_t>& modeCodes)
{
    PadRecord wire = state;
    wire[kPadModeByte] = ModeCodeOf(state[kPadModeByte], int(modeCodes.size()), modeCodes);
    wire[kPadSpeedByte] = TurnedSpeed(state[kPadSpeedByte]);
    return wire;
}

PadRecord PadStateOfRead(const PadReadRecord& read, std::uint8_t currentProfile,
                         const std::vector<std::uint8_t>& modeCodes)
{
    PadRecord state{};
    std::copy_n(read.begin(), state.size(), state.begin());
    state[kPadProfileByte] = currentProfile;
    state[kPadModeByte] = ModeIndexOfCode(read[kPadModeByte], modeCodes);
    state[kPadSpeedByte] = TurnedSpeed(read[kPadSpeedByte]);
    return state;
}

PadRecord WithPadOwnBytes(const PadRecord& into, const PadRecord& from)
{
    PadRecord merged = into;
    merged[kPadProfileByte] = from[kPadProfileByte];
    merged[kPadDirectionByte] = from[kPadDirectionByte];
    std::copy(from.begin() + kPadOwnBytes, from.end(), merged.begin() + kPadOwnBytes);
    return merged;
}

PadRecordFetch ReadPadRecord(CDeviceLink& link)
{
    PadRecordFetch fetch;
    fetch.result = link.ReadParams(&fetch.currentProfile, 1, kCurrentProfileAddress);
    if (fetch.result != kResultSuccess)
        return fetch;
    const auto address = std::uint16_t(fetch.currentProfile * kPadReadStride);
    fetch.result = link.ReadParams(fetch.record.data(), fetch.record.size(), address);
    return fetch;
}

int WritePadRecord(CDeviceLink& link, const PadRecord& wire, int page)
{
    if (page < 0 || page > (std::numeric_limits<std::uint16_t>::max() - int(kPadRecordSize)) / kPadWriteStride)
        return kResultWriteFailed;
    const auto address = std::uint16_t(page * kPadWriteStride);
    return InConfigBracket(link, [&] { return link.WriteParams(wire.data(), wire.size(), address); });
}

PadSettingsWrite WritePadSettings(CDeviceLink& link, const PadRecord& state, bool ownBytesKnown,
                                  const std::vector<std::uint8_t>& modeCodes, int page)
{
    PadSettingsWrite written;
    written.state = state;
    if (!ownBytesKnown) {
        const PadRecordFetch fetch = ReadPadRecord(link);
        written.result = fetch.result;
        if (fetch.result != kResultSuccess)
            return written;
        written.state = WithPadOwnBytes(state, PadStateOfRead(fetch.record, fetch.currentProfile, modeCodes));
        written.ownBytesRead = true;
    }
    written.result = WritePadRecord(link, PadWireRecord(written.state, modeCodes), page);
    return written;
}

}  // namespace q31::devices
