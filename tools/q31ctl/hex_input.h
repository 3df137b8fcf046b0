#pragma once
// The numbers and byte strings typed on q31ctl's command line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q31::ctl {

// Hex bytes: "0aff10", "0a ff 10", "0a:ff:10"; every group between
// separators needs an even number of digits. Nullopt (and why) otherwise.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(const std::string& text, std::string* error);
// A decimal number or 0x-prefixed hex number no larger than maximum.
std::optional<std::uint32_t> ParseNumber(const std::string& text, std::uint32_t maximum, std::string* error);

}  // namespace q31::ctl
