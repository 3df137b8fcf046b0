#include "devices/keyboard_key_table.h"

#include "macros/macro_rebinding.h"

#include <algorithm>

namespace q31::devices {

KeyboardKeyTable BuildKeyboardKeyTable(const KeyboardImage& keyMap, const KeyboardLayout& layout,
                                       const std::vector<KeyListEntry>& keys, int macroCount)
{
    KeyboardKeyTable table;
    std::copy_n(keyMap.begin(), 3 * layout.positions, table.block.begin());
    const int count = std::min(int(keys.size()), kKeyboardKeys);
    for (int key = 0; key < count; ++key) {
        const int position = layout.positionOfKey[key];
        if (position == kNoKeyEntry || position >= layout.positions)
            continue;
        const FunctionCode code = macros::KeyTableCode(keys[key], macroCount, table.macroSlots);
        table.block[3 * position] = code.type;
        table.block[3 * position + 1] = code.data1;
        table.block[3 * position + 2] = code.data2;
    }
    return table;
}

}  // namespace q31::devices
