#include "devices/live_frame.h"

#include "devices/light_records.h"

#include <algorithm>

namespace q31::devices {

void PutFrameLight(LiveFrame& frame, int light, std::uint32_t record)
{
    if (light < 0 || light == kLiveFrameSkippedLight || std::size_t(light) * 3 + 3 > kLiveFrameSize)
        return;
    const LightColour c = UnpackLightRecord(record);
    std::uint8_t* out = frame.data() + light * 3;
    out[0] = std::uint8_t(c.r * c.a >> 8);
    out[1] = std::uint8_t(c.g * c.a >> 8);
    out[2] = std::uint8_t(c.b * c.a >> 8);
}

std::size_t FrameLength(int lightCount)
{
    return std::min(std::size_t(std::max(lightCount, 0)) * 3, kLiveFrameSize);
}

}  // namespace q31::devices
