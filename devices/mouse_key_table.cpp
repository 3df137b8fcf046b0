#include "devices/mouse_key_table.h"

#include "devices/mouse_link_gate.h"
#include "macros/macro_rebinding.h"

#include <algorithm>

namespace q31::devices {

MouseKeyTable BuildMouseKeyTable(const KeyMapImage& keyMap, const MouseSlotMap& buttonSlots,
                                 const std::vector<KeyListEntry>& keys, int macroCount)
{
    MouseKeyTable table;
    table.block = keyMap;
    const int count = std::min(int(keys.size()), kMouseButtons);
    for (int button = 0; button < count; ++button) {
        const std::size_t slot = buttonSlots[button];
        if (slot == kNoSlot || 3 * slot + 2 >= table.block.size())
            continue;
        const FunctionCode code = macros::KeyTableCode(keys[button], macroCount, table.macroSlots);
        table.block[3 * slot] = code.type;
        table.block[3 * slot + 1] = code.data1;
        table.block[3 * slot + 2] = code.data2;
    }
    return table;
}

std::vector<int> CollectMouseKeyMacros(const MouseSlotMap& buttonSlots, const std::vector<KeyListEntry>& keys,
                                       int macroCount)
{
    return BuildMouseKeyTable({}, buttonSlots, keys, macroCount).macroSlots;
}

int WriteMouseKeyTable(CDeviceLink& link, const KeyMapImage& block, int profile)
{
    MouseLinkGate gate(link);
    return WriteKeyMapImage(link, block, profile, gate.Gate());
}

}  // namespace q31::devices
