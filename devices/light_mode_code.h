#pragma once
// The code a device is sent for a light mode index, from the device's list of
// mode codes: an index from the device's limit on, or one the list has no
// entry for, sends the first entry, so a stored index can never reach past it.
#include <cstddef>
#include <ranges>

namespace q31::devices {

template <std::ranges::random_access_range Codes>
std::ranges::range_value_t<Codes> ModeCodeOf(int modeIndex, int indexLimit, const Codes& modeCodes)
{
    if (std::ranges::empty(modeCodes))
        return 0;
    const bool known = modeIndex >= 0 && modeIndex < indexLimit && std::size_t(modeIndex) < std::ranges::size(modeCodes);
    return modeCodes[known ? std::size_t(modeIndex) : 0];
}

}  // namespace q31::devices
