#include "macros/recorded_event.h"

#include "keys/key_identity.h"

#include <algorithm>
#include <array>

namespace q31::macros {

namespace {

constexpr int kModifierKeyType = 9;
constexpr int kKeyboardKeyType = 10;
constexpr int kPressBit = 0x80;

struct MouseEventRow {
    MouseMessage message;
    int button;
    int state;  // the event type, with the press bit for a "down"
    const char* nameKey;
};

constexpr std::array<MouseEventRow, 10> kMouseEventRows = {{
    {{0x0201, 0}, 0x01, 0x81, "mouse_key_left"},
    {{0x0202, 0}, 0x01, 0x01, "mouse_key_left"},
    {{0x0204, 0}, 0x02, 0x81, "mouse_key_right"},
    {{0x0205, 0}, 0x02, 0x01, "mouse_key_right"},
    {{0x0207, 0}, 0x04, 0x81, "mouse_key_middle"},
    {{0x0208, 0}, 0x04, 0x01, "mouse_key_middle"},
    {{0x020B, 2}, 0x10, 0x81, "mouse_key_forward"},
    {{0x020C, 2}, 0x10, 0x01, "mouse_key_forward"},
    {{0x020B, 1}, 0x08, 0x81, "mouse_key_back"},
    {{0x020C, 1}, 0x08, 0x01, "mouse_key_back"},
}};

}  // namespace

std::optional<MouseMessage> MouseMessageOf(int button, bool down)
{
    switch (button) {
    case 1:
        return MouseMessage{down ? 0x0201 : 0x0202, 0};
    case 3:
        return MouseMessage{down ? 0x0204 : 0x0205, 0};
    case 2:
        return MouseMessage{down ? 0x0207 : 0x0208, 0};
    case 8:
        return MouseMessage{down ? 0x020B : 0x020C, 1};
    case 9:
        return MouseMessage{down ? 0x020B : 0x020C, 2};
    default:
        return std::nullopt;
    }
}

std::optional<RecordedEvent> MouseEventOf(const MouseMessage& message)
{
    const bool extra = message.message == 0x020B || message.message == 0x020C;
    const MouseMessage wanted{message.message, extra ? message.extraButton : 0};
    const auto row = std::find_if(kMouseEventRows.begin(), kMouseEventRows.end(),
                                  [&](const MouseEventRow& candidate) { return candidate.message == wanted; });
    if (row == kMouseEventRows.end())
        return std::nullopt;
    return RecordedEvent{{(row->state & kPressBit) != 0, row->state & 0x7F, row->button}, row->nameKey};
}

std::optional<RecordedEvent> KeyEventOf(std::uint16_t scan, bool extended, bool down)
{
    const auto key = keys::KeyFromScanCode(static_cast<std::uint8_t>(scan & 0xFF), extended);
    if (!key)
        return std::nullopt;
    if (key->code.data2 != 0)
        return RecordedEvent{{down, kKeyboardKeyType, key->code.data2}, key->nameKey};
    return RecordedEvent{{down, kModifierKeyType, key->code.data1}, key->nameKey};
}

}  // namespace q31::macros
