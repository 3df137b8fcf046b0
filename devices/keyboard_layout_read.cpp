#include "devices/keyboard_layout_read.h"

#include "devices/config_bracket.h"
#include "devices/key_map_transfers.h"

namespace q31::devices {
namespace {

// Every position a key map block can report has its place in the tables.
static_assert(CDeviceLink::kMaxBlockLength / 3 <= kMaxKeyPositions);

int ReadImages(CDeviceLink& link, KeyboardLayoutRead& read)
{
    const KeyMapSizing sizing = SizeKeyMapTransfers(link);
    if (sizing.result != kResultSuccess)
        return sizing.result;
    read.layout.positions = sizing.positions;
    if (const int result = link.ReadKeyMap(read.keyMap.data()); result != kResultSuccess)
        return result;
    return link.ReadKeyLightMap(read.keyLights.data());
}

}  // namespace

KeyboardLayoutRead ReadKeyboardLayout(CDeviceLink& link)
{
    KeyboardLayoutRead read;
    read.result = InConfigBracket(link, [&] { return ReadImages(link, read); });
    if (read.result == kResultSuccess)
        read.layout = BuildKeyboardLayout(read.layout.positions, read.keyMap, read.keyLights);
    return read;
}

}  // namespace q31::devices
