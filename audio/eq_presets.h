#pragma once
// The twelve equaliser presets: the gains of bands 1 to 10, written unchanged
// to the chip. Their captions belong to the page layout.
#include <array>
#include <optional>

namespace q31::audio {

constexpr int kEqPresetCount = 12;
using BandGains = std::array<int, 10>;

// Preset 1 .. 12; nullopt for any other number.
std::optional<BandGains> EqPresetGains(int preset);

}  // namespace q31::audio
