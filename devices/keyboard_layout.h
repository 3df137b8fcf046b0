#pragma once
// Where the keyboard's logical keys sit on the device: the keyboard reports a
// key map (a function code per key position) and a key light map (a light
// index per key position); each logical key is found by its factory code.
#include "profiles/profile_records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace q31::devices {

inline constexpr int kKeyboardKeys = 126;
// Key positions a keyboard may report; the frame and the light tables hold no more.
inline constexpr int kMaxKeyPositions = 170;
// No position, or no light.
inline constexpr std::uint8_t kNoKeyEntry = 255;
inline constexpr std::size_t kKeyboardImageSize = 512;

using KeyboardImage = std::array<std::uint8_t, kKeyboardImageSize>;

// The factory function code of each logical key, in key list order.
const std::array<FunctionCode, kKeyboardKeys>& FactoryKeyCodes();

struct KeyboardLayout {
    int positions = 0;
    std::array<std::uint8_t, kKeyboardKeys> positionOfKey{};  // kNoKeyEntry: not on this keyboard
    std::array<std::uint8_t, kKeyboardKeys> lightOfKey{};     // kNoKeyEntry: no light

    // The logical key at a key position the keyboard reports, if any.
    std::optional<int> KeyAtPosition(int position) const;
};

// Each logical key at the first position whose code is its factory code, and
// the light index of that position when it names a light (below 170).
KeyboardLayout BuildKeyboardLayout(int positions, const KeyboardImage& keyMap, const KeyboardImage& keyLights);

}  // namespace q31::devices
