#pragma once
// The mouse's key table: each button's code at its slot, macro-bound buttons
// naming their macro by slot in the macro block.
#include "devices/key_map_transfers.h"
#include "devices/mouse_layout.h"

#include <vector>

class CDeviceLink;

namespace q31::devices {

struct MouseKeyTable {
    // Macro numbers in slot order: the order of first use by button.
    std::vector<int> macroSlots;
    KeyMapImage block{};
};

// keyMap and buttonSlots: as read from this mouse; keys: one entry per button, in
// button order. macroCount: the entries of the mouse's macro list; a button
// bound to a macro past the list is written with its default code. Buttons
// without a slot are left out. The key list itself is not changed.
MouseKeyTable BuildMouseKeyTable(const KeyMapImage& keyMap, const MouseSlotMap& buttonSlots,
                                 const std::vector<KeyListEntry>& keys, int macroCount);

// The distinct macros the buttons with a slot use, below macroCount, in button order.
std::vector<int> CollectMouseKeyMacros(const MouseSlotMap& buttonSlots, const std::vector<KeyListEntry>& keys,
                                       int macroCount);

// Asks the mouse for its slot count again, then writes that many slots of the
// block in one bracket, closed also when a command fails. A profile other than
// 0 is refused with kResultBadBank before anything is sent. Returns the first
// failing link code.
int WriteMouseKeyTable(CDeviceLink& link, const KeyMapImage& block, int profile);

}  // namespace q31::devices
