#pragma once
// The keyboard's key assignment block: each present key's code at its key
// position, macro-bound keys naming their macro by slot in the macro block.
#include "devices/keyboard_layout.h"

#include <vector>

namespace q31::devices {

struct KeyboardKeyTable {
    // Macro numbers in slot order: the order of first use by key index.
    std::vector<int> macroSlots;
    KeyboardImage block{};
};

// macroCount: the entries of the device's macro list. A key bound to a macro
// past the list is written with its default code. Keys beyond the logical
// keys, or not on this keyboard, are left out.
KeyboardKeyTable BuildKeyboardKeyTable(const KeyboardImage& keyMap, const KeyboardLayout& layout,
                                       const std::vector<KeyListEntry>& keys, int macroCount);

}  // namespace q31::devices
