#pragma once
// Input events as a test expects them, and received ones without the times
// the clock gave them.
#include "platform/input_event.h"

#include <cstdint>
#include <vector>

namespace q31::macros::test {

inline platform::InputEvent KeyEvent(std::uint16_t scan, bool extended, bool down)
{
    platform::InputEvent event;
    event.scan = scan;
    event.extended = extended;
    event.down = down;
    return event;
}

inline platform::InputEvent ButtonEvent(int button, bool down, int x, int y)
{
    platform::InputEvent event;
    event.kind = platform::InputEvent::Kind::Button;
    event.button = button;
    event.down = down;
    event.x = x;
    event.y = y;
    return event;
}

inline std::vector<platform::InputEvent> WithoutTimes(std::vector<platform::InputEvent> events)
{
    for (platform::InputEvent& event : events)
        event.timeMs = 0;
    return events;
}

}  // namespace q31::macros::test
