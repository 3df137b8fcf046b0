#pragma once
// Binding a command interface to a link, and letting it go again, as
// discovery does when a device arrives, switches or leaves.
#include <cstdint>
#include <string>

class CDeviceLink;

namespace q31 {

// Opens the path into the link's cable interface (cable types) or receiver
// interface (receiver types) under the I/O lock and marks the link open.
// Keyboards and mice are also given their mode; mouse pad and headset links
// keep the constructed cable state with 24-byte chunks.
bool AttachCommandInterface(CDeviceLink& link, const std::string& path, std::uint16_t deviceType);
// Marks the link closed and closes both of its interfaces.
void DetachCommandInterfaces(CDeviceLink& link);

bool IsReceiverType(std::uint16_t deviceType);

}  // namespace q31
