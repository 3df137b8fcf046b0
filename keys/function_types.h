#pragma once
// The function types of a key's three-byte code, and the stored integer form.
#include "profiles/profile_records.h"

#include <cstdint>

namespace q31::keys {

enum FunctionType : std::uint8_t {
    kNoFunction = 0x00,
    kMouseButton = 0x10,
    kHorizontalScroll = 0x11,
    kVerticalWheel = 0x12,
    kDpiAction = 0x13,
    kRapidFire = 0x14,
    kDpiShift = 0x16,
    kKeyboardKey = 0x20,
    kEditShortcut = 0x22,
    kShowWindow = 0x23,
    kConsumerControl = 0x30,
    kSystemControl = 0x40,
    kMacro = 0x70,
    kMacroRepeated = 0x71,
    kRecoilProfile = 0x72,
    kDeviceSpecial = 0xA0,
    kOnBoardMacroKey = 0xD0,
};

constexpr bool IsMacroType(std::uint8_t type)
{
    return type == kMacro || type == kMacroRepeated;
}

// A consumer-page usage as a code: low byte in data 1, high byte in data 2.
constexpr FunctionCode ConsumerCode(std::uint16_t usage)
{
    return {kConsumerControl, static_cast<std::uint8_t>(usage), static_cast<std::uint8_t>(usage >> 8)};
}

// Stored integers wider than 24 bits (or negative) keep only their low 24 bits.
constexpr FunctionCode UnpackStoredCode(std::int64_t stored)
{
    return UnpackFunctionCode(static_cast<int>(stored & 0xFFFFFF));
}

}  // namespace q31::keys
