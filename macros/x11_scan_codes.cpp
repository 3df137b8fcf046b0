#include "macros/x11_scan_codes.h"

#include <algorithm>
#include <array>

namespace q31::macros {

namespace {

// Up to Keypad . the evdev codes were chosen equal to the set-1 make codes.
constexpr int kLastSameAsSet1 = 83;
constexpr int kX11KeycodeOffset = 8;

struct EvdevScan {
    int evdev;
    ScanCode scan;
};

// The exceptions up to kLastSameAsSet1, and the known keys above it.
constexpr std::array<EvdevScan, 32> kOtherKeys = {{
    // Right Shift and Num Lock come with the E0 flag from a low-level hook.
    {54, {0x36, true}},   // Right Shift
    {69, {0x45, true}},   // Num Lock
    {86, {0x56, false}},  // 102nd key (K45)
    {87, {0x57, false}},  // F11
    {88, {0x58, false}},  // F12
    {89, {0x73, false}},  // Ro (K56)
    {92, {0x79, false}},  // Henkan (K132)
    {93, {0x70, false}},  // Katakana/Hiragana (K133)
    {94, {0x7B, false}},  // Muhenkan (K131)
    {96, {0x1C, true}},   // Keypad Enter
    {97, {0x1D, true}},   // Right Ctrl
    {98, {0x35, true}},   // Keypad /
    {99, {0x37, true}},   // Print Screen
    {100, {0x38, true}},  // Right Alt
    {102, {0x47, true}},  // Home
    {103, {0x48, true}},  // Up
    {104, {0x49, true}},  // Page Up
    {105, {0x4B, true}},  // Left
    {106, {0x4D, true}},  // Right
    {107, {0x4F, true}},  // End
    {108, {0x50, true}},  // Down
    {109, {0x51, true}},  // Page Down
    {110, {0x52, true}},  // Insert
    {111, {0x53, true}},  // Delete
    {119, {0x45, false}},  // Pause: E1 1D 45, seen as 0x45 without the flag
    {121, {0x7E, false}},  // Keypad comma (K107)
    {122, {0x72, false}},  // Hangeul (K151)
    {123, {0x71, false}},  // Hanja (K150)
    {124, {0x7D, false}},  // Yen (K14)
    {125, {0x5B, true}},  // Left Windows
    {126, {0x5C, true}},  // Right Windows
    {127, {0x5D, true}},  // Menu
}};

}  // namespace

std::optional<ScanCode> ScanCodeFromEvdev(int evdevCode)
{
    const auto other = std::find_if(kOtherKeys.begin(), kOtherKeys.end(),
                                    [evdevCode](const EvdevScan& key) { return key.evdev == evdevCode; });
    if (other != kOtherKeys.end())
        return other->scan;
    if (evdevCode >= 1 && evdevCode <= kLastSameAsSet1)
        return ScanCode{static_cast<std::uint8_t>(evdevCode), false};
    return std::nullopt;
}

std::optional<ScanCode> ScanCodeFromX11Keycode(int keycode)
{
    return ScanCodeFromEvdev(keycode - kX11KeycodeOffset);
}

}  // namespace q31::macros
