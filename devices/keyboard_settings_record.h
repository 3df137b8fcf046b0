#pragma once
// The keyboard's 28-byte settings record of one profile (at address
// profile x 25 of its parameter memory): what is written from the profile's
// light info and flags, and what is taken back from a record read.
#include "profiles/profile_records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace q31::devices {

inline constexpr std::size_t kKeyboardSettingsRecordSize = 28;
inline constexpr int kKeyboardSettingsStride = 25;
// Light mode indexes from here on have no code of their own.
inline constexpr int kKeyboardModeIndexLimit = 31;

using KeyboardSettingsRecord = std::array<std::uint8_t, kKeyboardSettingsRecordSize>;

// The light settings bytes the keyboard keeps beyond the shared ones.
enum KeyboardLightByte {
    kKeyboardZzccLedMode = 11,
    kKeyboardCustomGroup = 12,
};

struct KeyboardFlags {
    std::uint16_t wFlag = 0;
    std::uint16_t key6Flag = 0;
    std::uint16_t winFlag = 0;
    std::uint16_t pollingRate = 0;
    bool operator==(const KeyboardFlags&) const = default;
};

// The flags as the profile keeps them: Key6Flag and PollingRate in word 2,
// WFlag and WinFlag in word 3.
KeyboardFlags KeyboardFlagsOf(const SystemWords& words);

// The code a light mode index is sent as; an index without an entry sends entry 0.
std::uint8_t LightModeCode(int modeIndex, const std::vector<std::uint8_t>& modeCodes);

KeyboardSettingsRecord PackKeyboardSettings(std::uint8_t value, const LightSettings& light, const KeyboardFlags& flags,
                                            const std::vector<std::uint8_t>& modeCodes);

struct KeyboardSettingsRead {
    KeyboardSettingsRecord record{};  // byte 0 the current profile, byte 16 cleared
    LightSettings light{};            // the profile's light settings with the record's values taken in
    std::uint16_t wFlag = 0;
    std::uint16_t key6Flag = 0;
    std::uint16_t winFlag = 0;
};

// Takes in a record the keyboard sent: untrusted, so every value stays in its range.
KeyboardSettingsRead ReadKeyboardSettings(const KeyboardSettingsRecord& record, std::uint8_t currentProfile,
                                          const LightSettings& light, const std::vector<std::uint8_t>& modeCodes);

}  // namespace q31::devices
