#pragma once
// The key map of a keyboard or mouse moves in one block of three bytes per key
// position; the device's information record says how many positions it has.
#include "protocol/command_gate.h"
#include "protocol/device_link.h"
#include "protocol/result_codes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace q31::devices {

using DeviceInfo = std::array<std::uint8_t, CDeviceLink::kDeviceInfoLength>;
// A key map as the link moves it: room for the largest block.
using KeyMapImage = std::array<std::uint8_t, CDeviceLink::kMaxBlockLength>;

// Byte of the device information record that gives the number of key positions.
inline constexpr std::size_t kKeyPositionCountByte = 5;

// The number of key positions of a device information record, when their key
// map fits one block; a bigger one would make a key map read run past it.
std::optional<int> KeyPositionCount(const DeviceInfo& deviceInfo);

struct KeyMapSizing {
    int result = kResultNoReply;  // the first failing link code, else success
    int positions = 0;
    DeviceInfo info{};
};

// Inside a bracket: asks the device for its information record and sizes the
// link's key map transfers to its key positions. A count whose key map does
// not fit one block counts as no reply, before any key map moves.
KeyMapSizing SizeKeyMapTransfers(CDeviceLink& link, const CommandGate& gate = SendDirectly);

// Sizes the transfers again and writes the first 3 x positions bytes of the
// image, in one bracket that is closed also when a command fails. A bank
// other than 0 is refused before anything is sent.
int WriteKeyMapImage(CDeviceLink& link, const KeyMapImage& image, int bank, const CommandGate& gate = SendDirectly);

}  // namespace q31::devices
