#pragma once
// The memory regions a simulated device keeps and the commands reach.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace q31::sim {

enum class Region {
    DeviceInfo,   // 34-byte information record
    Parameters,   // per-profile settings
    KeyMap,       // 3 bytes per key position
    KeyLightMap,  // light index per key position
    ColourPages,  // per-key colour pages
    LightFrame,   // the live light frame last streamed
    Macros,       // macro memory
    ShootData,    // shooting (recoil) data
    Status,       // battery, charging, link, phone kind
    HeadsetLeds,  // channel values of the headset's LED output reports
};

// Region names as the tools type them ("info", "params", ...).
std::string RegionName(Region region);
std::optional<Region> RegionFromName(const std::string& name);

using DeviceMemory = std::map<Region, std::vector<std::uint8_t>>;

}  // namespace q31::sim
