#pragma once
// Which light modes play a custom effect, and which entry of the custom
// effect list. The user's effects follow the kind's built-in modes: the mouse
// has ten, so mode 10 plays entry 0; the keyboard has 31 (0 to 30) and the
// mouse pad and the headset nine (0 to 8). The keyboard's modes 0 and 20 and
// the pad's and headset's mode 5 are custom modes inside the built-in list;
// they play the first entry.
#include "hid/hid_catalogue.h"

#include <optional>

namespace q31::devices {

inline constexpr int kMouseBuiltInModes = 10;
inline constexpr int kKeyboardBuiltInModes = 31;
inline constexpr int kPadBuiltInModes = 9;

constexpr std::optional<int> CustomEntryOfMode(int kindIndex, int mode)
{
    switch (kindIndex) {
    case kKindMouse:
        return mode >= kMouseBuiltInModes ? std::optional<int>(mode - kMouseBuiltInModes) : std::nullopt;
    case kKindKeyboard:
        if (mode == 0 || mode == 20)
            return 0;
        return mode >= kKeyboardBuiltInModes ? std::optional<int>(mode - kKeyboardBuiltInModes) : std::nullopt;
    case kKindMousePad:
    case kKindHeadset:
        if (mode == 5)
            return 0;
        return mode >= kPadBuiltInModes ? std::optional<int>(mode - kPadBuiltInModes) : std::nullopt;
    default:
        return std::nullopt;
    }
}

// The mode past the kind's built-in ones that plays the entry.
constexpr int CustomModeOfEntry(int kindIndex, int entry)
{
    switch (kindIndex) {
    case kKindMouse:
        return kMouseBuiltInModes + entry;
    case kKindKeyboard:
        return kKeyboardBuiltInModes + entry;
    default:
        return kPadBuiltInModes + entry;
    }
}

constexpr bool IsCustomMode(int kindIndex, int mode)
{
    return CustomEntryOfMode(kindIndex, mode).has_value();
}

// The mouse plays only the custom effect list; the other kinds also play the per-light effects.
constexpr bool PlaysPerLightEffects(int kindIndex)
{
    return kindIndex != kKindMouse;
}

}  // namespace q31::devices
