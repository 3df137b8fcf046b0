#pragma once
// The headset's twelve equaliser presets: the gains of bands 1 to 10, written
// to the audio chip as they are.
#include <array>
#include <optional>

namespace q31::devices {

constexpr int kEqPresetCount = 12;
using EqBandGains = std::array<int, 10>;

// Preset 1 .. 12; empty for any other number.
std::optional<EqBandGains> EqPresetGains(int preset);

}  // namespace q31::devices
