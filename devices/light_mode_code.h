#pragma once
// The code a device is sent for a light mode index, from the device's list of
// mode codes: an index from the device's limit on, or one the list has no
// entry for, sends the first entry, so a stored index can never reach past it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ranges>
#include <vector>

namespace q31::devices {

template <std::ranges::random_access_range Codes>
std::ranges::range_value_t<Codes> ModeCodeOf(int modeIndex, int indexLimit, const Codes& modeCodes)
{
    if (std::ranges::empty(modeCodes))
        return 0;
    const bool known = modeIndex >= 0 && modeIndex < indexLimit && std::size_t(modeIndex) < std::ranges::size(modeCodes);
    return modeCodes[known ? std::size_t(modeIndex) : 0];
}

// The mode index a code read from a device stands for: the first entry equal
// to it. A code the list does not have is kept as it was read.
inline std::uint8_t ModeIndexOfCode(std::uint8_t code, const std::vector<std::uint8_t>& modeCodes)
{
    const auto mode = std::ranges::find(modeCodes, code);
    return mode != modeCodes.end() ? std::uint8_t(mode - modeCodes.begin()) : code;
}

}  // namespace q31::devices
