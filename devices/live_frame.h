#pragma once
// The live light frame streamed to a device: three bytes per light, each
// component already scaled by the light's brightness.
#include "platform/win_types.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace q31::devices {

inline constexpr std::size_t kLiveFrameSize = 512;
// The device has no light behind this index; its place in the frame stays 0.
inline constexpr int kLiveFrameSkippedLight = 170;

using LiveFrame = std::array<std::uint8_t, kLiveFrameSize>;

// Puts one light record into the frame; lights that do not fit are left out.
void PutFrameLight(LiveFrame& frame, int light, std::uint32_t record);
// The bytes of the frame that carry lightCount lights.
std::size_t FrameLength(int lightCount);

// A record's colour as the light overlays take it: red | blue << 8 | green << 16.
constexpr DWORD OverlayColour(std::uint32_t record)
{
    const DWORD r = record & 0xFF, g = record >> 8 & 0xFF, b = record >> 16 & 0xFF;
    return r | b << 8 | g << 16;
}

}  // namespace q31::devices
