#include "keys/key_identity.h"
#include "macros/x11_scan_codes.h"

#include <gtest/gtest.h>

#include <set>

namespace q31::macros {
namespace {

constexpr int kHighestEvdevKey = 255;

std::uint16_t IdentityForm(ScanCode scan)
{
    return static_cast<std::uint16_t>(scan.code | (scan.extended ? 0x100 : 0));
}

TEST(X11ScanCodes, EveryKeyOfTheIdentityTableCanBeTyped)
{
    std::set<std::uint16_t> typed;
    for (int evdev = 0; evdev <= kHighestEvdevKey; ++evdev) {
        if (const auto scan = ScanCodeFromEvdev(evdev))
            typed.insert(IdentityForm(*scan));
    }
    for (const std::uint16_t scan : keys::ScanCodes())
        EXPECT_TRUE(typed.contains(scan)) << std::hex << "scan code 0x" << scan;
}

TEST(X11ScanCodes, EveryCodeGivenNamesAKeyOfTheIdentityTableOnce)
{
    std::set<std::uint16_t> given;
    for (int evdev = -1; evdev <= kHighestEvdevKey + 1; ++evdev) {
        const auto scan = ScanCodeFromEvdev(evdev);
        if (!scan)
            continue;
        EXPECT_TRUE(keys::KeyFromScanCode(scan->code, scan->extended)) << "evdev " << evdev;
        EXPECT_TRUE(given.insert(IdentityForm(*scan)).second) << "evdev " << evdev << " repeats a key";
    }
}

TEST(X11ScanCodes, KeysThatShareAMakeCodeKeepTheirFlag)
{
    EXPECT_EQ(ScanCodeFromEvdev(54), (ScanCode{0x36, true}));    // Right Shift
    EXPECT_EQ(ScanCodeFromEvdev(42), (ScanCode{0x2A, false}));   // Left Shift
    EXPECT_EQ(ScanCodeFromEvdev(69), (ScanCode{0x45, true}));    // Num Lock
    EXPECT_EQ(ScanCodeFromEvdev(119), (ScanCode{0x45, false}));  // Pause
    EXPECT_EQ(ScanCodeFromEvdev(97), (ScanCode{0x1D, true}));    // Right Ctrl
    EXPECT_EQ(ScanCodeFromEvdev(29), (ScanCode{0x1D, false}));   // Left Ctrl
    EXPECT_EQ(ScanCodeFromEvdev(96), (ScanCode{0x1C, true}));    // Keypad Enter
    EXPECT_EQ(ScanCodeFromEvdev(125), (ScanCode{0x5B, true}));   // Left Windows
}

TEST(X11ScanCodes, KeycodesAreEvdevCodesPlusEight)
{
    EXPECT_EQ(ScanCodeFromX11Keycode(38), (ScanCode{0x1E, false}));  // A
    EXPECT_EQ(ScanCodeFromX11Keycode(111), (ScanCode{0x48, true}));  // Up
    EXPECT_FALSE(ScanCodeFromX11Keycode(8));
    EXPECT_FALSE(ScanCodeFromX11Keycode(121));  // Mute: no key of the table
}

}  // namespace
}  // namespace q31::macros
