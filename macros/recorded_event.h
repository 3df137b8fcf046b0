#pragma once
// Keys and mouse buttons seen while recording, as macro events: keys through
// the key identity table, buttons through the mouse event list of the macro
// editor, which is kept by window mouse message.
#include "macros/macro_event.h"

#include <cstdint>
#include <optional>
#include <string>

namespace q31::macros {

struct RecordedEvent {
    MacroEvent event;
    std::string nameKey;  // the caption of the event's row
};

// A mouse button change in the form the mouse event list is kept in.
struct MouseMessage {
    int message = 0;      // 0x0201 left down ... 0x020C extra button up
    int extraButton = 0;  // for 0x020B/0x020C: 1 the first (back), 2 the second (forward)
    bool operator==(const MouseMessage&) const = default;
};

inline constexpr int kLeftButtonDown = 0x0201;
inline constexpr int kLeftButtonUp = 0x0202;

// The message of an X button number (1 left, 2 middle, 3 right, 8 back,
// 9 forward); none for the others, the wheel among them.
std::optional<MouseMessage> MouseMessageOf(int button, bool down);
// The event of rows 0-9 of the mouse event list; none for other messages.
std::optional<RecordedEvent> MouseEventOf(const MouseMessage& message);
// A key by the low byte of its scan code and its extended flag: type 10 with
// its key usage, or type 9 with its modifier bit; none for keys the table
// does not know.
std::optional<RecordedEvent> KeyEventOf(std::uint16_t scan, bool extended, bool down);

}  // namespace q31::macros
