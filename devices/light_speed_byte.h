#pragma once
// The settings records carry the light speed turned round (the top speed
// sends 0); the same turn takes a record's byte back to a speed.
#include <algorithm>
#include <cstdint>

namespace q31::devices {

inline constexpr int kTopLightSpeed = 4;

// A value outside 0 .. kTopLightSpeed is held at the nearer end first.
constexpr std::uint8_t TurnedSpeed(int value)
{
    return std::uint8_t(kTopLightSpeed - std::clamp(value, 0, kTopLightSpeed));
}

}  // namespace q31::devices
