#pragma once
// One key or mouse button change as the global input capture sees it, before
// any macro or key editor turns it into something of its own.
#include <cstdint>

namespace q31::platform {

struct InputEvent {
    enum class Kind { Key, Button };
    // Mouse buttons by their X11 numbers; back and forward are the extra buttons.
    enum Button { kLeft = 1, kMiddle = 2, kRight = 3, kBack = 8, kForward = 9 };

    Kind kind = Kind::Key;
    std::uint32_t timeMs = 0;  // a monotonic clock in milliseconds
    bool down = false;
    // Keys: the set-1 scan code and whether it comes with the E0 prefix.
    std::uint16_t scan = 0;
    bool extended = false;
    // Buttons: the button number and where the pointer was, in screen pixels.
    int button = 0;
    int x = 0;
    int y = 0;
    bool operator==(const InputEvent&) const = default;
};

}  // namespace q31::platform
