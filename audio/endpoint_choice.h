#pragma once
// Which of the library's audio devices the headset's sound goes through.
#include "audio/chip_property.h"

namespace q31::audio {

struct ChipEndpoints {
    ChipEndpoint render;
    ChipEndpoint capture;
};

// Call after CreateDeviceList. Render: the first active device of kind 1,
// else 12, else 7, else 4. Capture: the first device of kind 2, active or not.
// Nothing is chosen when the library lists no render device.
ChipEndpoints ChooseEndpoints(const ConfLibEntryPoints& entryPoints);

}  // namespace q31::audio
