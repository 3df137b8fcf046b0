#include "devices/mouse_layout.h"

#include "devices/config_bracket.h"
#include "devices/mouse_link_gate.h"

#include <algorithm>

namespace q31::devices {

const std::array<MouseButton, kMouseButtons>& MouseButtonTable()
{
    static constexpr std::array<MouseButton, kMouseButtons> kButtons = {{
        {"mouse_key_left", {0x10, 0x01, 0x00}},
        {"mouse_key_right", {0x10, 0x02, 0x00}},
        {"mouse_key_middle", {0x10, 0x04, 0x00}},
        {"mouse_key_forward", {0x10, 0x10, 0x00}},
        {"mouse_key_back", {0x10, 0x08, 0x00}},
        {"mouse_key_DPI_add", {0x13, 0x01, 0x00}},
        {"mouse_key_DPI_sub", {0x13, 0x02, 0x00}},
        {"mouse_key_DPI_loop", {0x13, 0x03, 0x00}},
        {"keyboard_key_GM", {0xA0, 0x1B, 0x00}},
        {"mouse_key_M8_key", {0x16, 0x90, 0x01}},
        {"mouse_key_fire_key", {0x14, 0x78, 0x02}},
    }};
    return kButtons;
}

MouseSlotMap MouseSlotMapOf(int keyCount, const KeyMapImage& keyMap)
{
    MouseSlotMap buttonSlots;
    // Every button starts without a slot, also those the mouse has too few slots for.
    buttonSlots.fill(kNoSlot);
    const int count = std::clamp(keyCount, 0, int(keyMap.size() / 3));
    for (int button = 0; button < kMouseButtons; ++button) {
        const FunctionCode& factory = MouseButtonTable()[button].factory;
        for (int slot = 0; slot < count; ++slot) {
            if (FunctionCode{keyMap[3 * slot], keyMap[3 * slot + 1], keyMap[3 * slot + 2]} == factory) {
                buttonSlots[button] = std::uint8_t(slot);
                break;
            }
        }
    }
    return buttonSlots;
}

MouseLayoutRead ReadMouseLayout(CDeviceLink& link)
{
    MouseLayoutRead read;
    read.buttonSlots.fill(kNoSlot);
    MouseLinkGate gate(link);
    KeyMapSizing sizing;
    read.result = InConfigBracket(
        link,
        [&] {
            sizing = SizeKeyMapTransfers(link, gate.Gate());
            if (sizing.result != kResultSuccess)
                return sizing.result;
            return gate([&] { return link.ReadKeyMap(read.keyMap.data()); });
        },
        gate.Gate());
    if (read.result != kResultSuccess)
        return read;
    read.keyCount = sizing.positions;
    read.buttonSlots = MouseSlotMapOf(read.keyCount, read.keyMap);
    read.dpi = DpiLimitsOf(sizing.info).value_or(DpiLimits{});
    return read;
}

}  // namespace q31::devices
