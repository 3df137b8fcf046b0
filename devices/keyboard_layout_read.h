#pragma once
// Reading where the keyboard's keys and lights sit, in one configuration
// bracket: shared by the keyboard page and the command line tool.
#include "devices/keyboard_layout.h"

class CDeviceLink;

namespace q31::devices {

struct KeyboardLayoutRead {
    int result = 0;  // the first failing link code, else success
    KeyboardImage keyMap{};
    KeyboardImage keyLights{};
    KeyboardLayout layout;
};

// Inside a bracket: asks the keyboard how many key positions it has and sizes
// the link's key map transfers to them. A count the tables cannot hold is
// refused (no reply) before any key map moves. positions, when given, gets the count.
int SizeKeyMapTransfers(CDeviceLink& link, int* positions = nullptr);

// The bracket is closed also when a command fails. A keyboard claiming more
// key positions than the tables hold is refused before its key map is read.
// The link must be open.
KeyboardLayoutRead ReadKeyboardLayout(CDeviceLink& link);

}  // namespace q31::devices
