#include "sim/sim_memory.h"

#include <array>
#include <utility>

namespace q31::sim {
namespace {

constexpr std::array<std::pair<Region, const char*>, 10> kRegionNames = {{
    {Region::DeviceInfo, "info"},
    {Region::Parameters, "params"},
    {Region::KeyMap, "keymap"},
    {Region::KeyLightMap, "keylights"},
    {Region::ColourPages, "colours"},
    {Region::LightFrame, "lights"},
    {Region::Macros, "macros"},
    {Region::ShootData, "shoot"},
    {Region::Status, "status"},
    {Region::HeadsetLeds, "leds"},
}};

}  // namespace

std::string RegionName(Region region)
{
    for (const auto& [known, name] : kRegionNames)
        if (known == region)
            return name;
    return {};
}

std::optional<Region> RegionFromName(const std::string& name)
{
    for (const auto& [region, known] : kRegionNames)
        if (name == known)
            return region;
    return std::nullopt;
}

}  // namespace q31::sim
