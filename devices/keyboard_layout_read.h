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

// The bracket is closed also when a command fails. A keyboard claiming more
// key positions than the tables hold is refused before its key map is read.
// The link must be open.
KeyboardLayoutRead ReadKeyboardLayout(CDeviceLink& link);

}  // namespace q31::devices
