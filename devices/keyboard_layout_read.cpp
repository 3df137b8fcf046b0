#include "devices/keyboard_layout_read.h"

#include "devices/config_bracket.h"

namespace q31::devices {
namespace {

int ReadImages(CDeviceLink& link, KeyboardLayoutRead& read)
{
    if (const int result = SizeKeyMapTransfers(link, &read.layout.positions); result != kResultSuccess)
        return result;
    if (const int result = link.ReadKeyMap(read.keyMap.data()); result != kResultSuccess)
        return result;
    return link.ReadKeyLightMap(read.keyLights.data());
}

}  // namespace

int SizeKeyMapTransfers(CDeviceLink& link, int* positions)
{
    std::array<std::uint8_t, CDeviceLink::kDeviceInfoLength> info{};
    if (const int result = link.ReadDeviceInfo(info); result != kResultSuccess)
        return result;
    const std::optional<int> count = KeyPositionCount(info);
    // A reply the tables cannot hold counts as none.
    if (!count || link.SetBlockLength(std::uint16_t(3 * *count)) != kResultSuccess)
        return kResultNoReply;
    if (positions)
        *positions = *count;
    return kResultSuccess;
}

KeyboardLayoutRead ReadKeyboardLayout(CDeviceLink& link)
{
    KeyboardLayoutRead read;
    read.result = InConfigBracket(link, [&] { return ReadImages(link, read); });
    if (read.result == kResultSuccess)
        read.layout = BuildKeyboardLayout(read.layout.positions, read.keyMap, read.keyLights);
    return read;
}

}  // namespace q31::devices
