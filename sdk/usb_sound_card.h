#pragma once
// Finding the ALSA card of a USB audio device.
#include <cstdint>
#include <optional>
#include <string>

namespace q31::sdk {

// The number of the first card under <sysRoot>/class/sound whose USB device
// has these ids; nullopt when none has.
std::optional<int> FindUsbSoundCard(const std::string& sysRoot, std::uint16_t vendorId, std::uint16_t productId);

}  // namespace q31::sdk
