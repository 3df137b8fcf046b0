#pragma once
// The headset's lighting settings record: 21 bytes written at page x 64 of
// its parameter memory, 28 read at current profile x 25. The headset object
// keeps the 21 bytes as its device state, with the mode index in byte 1 and
// the speed the page uses in byte 3; the record on the wire carries the mode
// code and the speed turned round.
#include "profiles/profile_records.h"
#include "protocol/result_codes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class CDeviceLink;

namespace q31::devices {

inline constexpr std::size_t kHeadsetStateSize = 21;
inline constexpr std::size_t kHeadsetSettingsReadSize = 28;
inline constexpr int kHeadsetWriteStride = 64;
inline constexpr int kHeadsetReadStride = 25;

using HeadsetState = std::array<std::uint8_t, kHeadsetStateSize>;
using HeadsetSettingsBlock = std::array<std::uint8_t, kHeadsetSettingsReadSize>;

// The light settings into the bytes they own (mode index, brightness, speed,
// multi-colour, red, green, blue); the direction byte and bytes 9-20 stay.
void PutLightIntoState(HeadsetState& state, const LightSettings& light);

// The code a mode index is sent as: an index at or past the end of the code
// list sends entry 0 (0 when the list is empty).
std::uint8_t HeadsetLightModeCode(int modeIndex, const std::vector<std::uint8_t>& modeCodes);

// The 21 bytes as they are written.
HeadsetState PackHeadsetSettings(const HeadsetState& state, const std::vector<std::uint8_t>& modeCodes);

// The first 21 bytes of a block read become the device state: byte 0 the
// current profile, byte 1 the mode index of its code (the code itself when
// the list lacks it), byte 3 the speed.
HeadsetState TakeHeadsetSettings(const HeadsetSettingsBlock& block, std::uint8_t currentProfile,
                                 const std::vector<std::uint8_t>& modeCodes);

// Writes the record at page x 64 in one configuration bracket, closed also
// when a command fails. Returns the first failing link code; a page whose
// address does not fit is refused (kResultWriteFailed) before anything is sent.
int WriteHeadsetSettings(CDeviceLink& link, const HeadsetState& record, int page);

struct HeadsetSettingsFetch {
    int result = kResultNoReply;  // success only when both reads succeeded
    std::uint8_t currentProfile = 0;
    HeadsetSettingsBlock block{};
};

// The current profile (1 byte at address 0), then its 28 bytes.
HeadsetSettingsFetch ReadHeadsetSettings(CDeviceLink& link);

}  // namespace q31::devices
