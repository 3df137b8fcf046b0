#pragma once
// What the power display shows for a status record, without any widget, so
// that the display and q31ctl agree on it.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace q31::mouse_extras {

// An empty optional leaves that part of the display as it was.
struct PowerView {
    struct Phone {
        std::string textId;  // the tool tip's language id
        std::string image;   // under the skin folder
    };
    std::string text;                        // the level, "57%"
    int progress = 0;                        // the bar's value: 100 minus the level
    std::optional<bool> barShown;            // unchanged for a charging state it does not know
    std::optional<std::string> statusImage;  // under the skin folder; unchanged likewise
    std::optional<bool> wirelessLogo;        // for a mouse only
    std::optional<Phone> phone;              // for a mouse pad only
};

// deviceType as the catalogue has it; the receiver types count as their device.
// Bytes past the end of the record count as zero.
PowerView PowerViewOf(int deviceType, std::span<const std::uint8_t> record);

}  // namespace q31::mouse_extras
