#include "devices/key_map_transfers.h"

#include "devices/config_bracket.h"

namespace q31::devices {

std::optional<int> KeyPositionCount(const DeviceInfo& deviceInfo)
{
    const int count = deviceInfo[kKeyPositionCountByte];
    if (3 * count > CDeviceLink::kMaxBlockLength)
        return std::nullopt;
    return count;
}

KeyMapSizing SizeKeyMapTransfers(CDeviceLink& link, const CommandGate& gate)
{
    KeyMapSizing sizing;
    sizing.result = gate([&] { return link.ReadDeviceInfo(sizing.info); });
    if (sizing.result != kResultSuccess)
        return sizing;
    const std::optional<int> count = KeyPositionCount(sizing.info);
    // A reply the block cannot hold counts as none.
    if (!count || link.SetBlockLength(std::uint16_t(3 * *count)) != kResultSuccess) {
        sizing.result = kResultNoReply;
        return sizing;
    }
    sizing.positions = *count;
    return sizing;
}

int WriteKeyMapImage(CDeviceLink& link, const KeyMapImage& image, int bank, const CommandGate& gate)
{
    if (bank != 0)
        return kResultBadBank;
    return InConfigBracket(
        link,
        [&] {
            const int sized = SizeKeyMapTransfers(link, gate).result;
            return sized == kResultSuccess ? gate([&] { return link.WriteKeyMap(image.data(), bank); }) : sized;
        },
        gate);
}

}  // namespace q31::devices
