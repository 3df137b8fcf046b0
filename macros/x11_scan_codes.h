#pragma once
// Linux key codes (evdev; an X keycode is the evdev code + 8) as the PC set-1
// scan codes and E0 flag of the key identity table.
#include <cstdint>
#include <optional>

namespace q31::macros {

struct ScanCode {
    std::uint8_t code = 0;
    bool extended = false;
    bool operator==(const ScanCode&) const = default;
};

// Only keys the key identity table knows; any other code gives nothing.
std::optional<ScanCode> ScanCodeFromEvdev(int evdevCode);
std::optional<ScanCode> ScanCodeFromX11Keycode(int keycode);

}  // namespace q31::macros
