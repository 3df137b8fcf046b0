#pragma once
// Which keyboard key a low-level key event names: the PC set-1 make code of
// rows 0-112 of the keyboard key list, plus 0x100 for keys sent with the 0xE0
// prefix ("extended").
#include "profiles/profile_records.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace q31::keys {

inline constexpr int kKeyIdentityRows = 113;

struct IdentifiedKey {
    int row = 0;  // in the keyboard key list
    std::string nameKey;
    FunctionCode code;
};

// The scan codes, by row of the keyboard key list.
std::span<const std::uint16_t> ScanCodes();

std::optional<IdentifiedKey> KeyFromScanCode(std::uint8_t lowByte, bool extended);

}  // namespace q31::keys
