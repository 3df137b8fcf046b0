#include "audio/endpoint_choice.h"

#include <algorithm>
#include <array>

namespace q31::audio {
namespace {

// More would be no sound card this program knows; it bounds a count from outside.
constexpr std::int32_t kMostDevices = 256;
constexpr std::array<std::int32_t, 4> kRenderKinds = {1, 12, 7, 4};
constexpr std::int32_t kCaptureKind = 2;
constexpr std::int32_t kActive = 1;

std::vector<OsConfDevice> ListDevices(const ConfLibEntryPoints& entryPoints, std::int32_t flow)
{
    std::int32_t count = 0;
    entryPoints.getDeviceCount(flow, &count);
    std::vector<OsConfDevice> devices;
    for (std::int32_t index = 0; index < std::clamp(count, 0, kMostDevices); ++index) {
        OsConfDevice device{};
        entryPoints.getDeviceById(flow, index, &device);
        devices.push_back(device);
    }
    return devices;
}

ChipEndpoint FirstOf(const std::vector<OsConfDevice>& devices, std::int32_t kind, bool activeOnly)
{
    const auto match = std::find_if(devices.begin(), devices.end(), [&](const OsConfDevice& device) {
        return device.kind == kind && (!activeOnly || device.state == kActive);
    });
    if (match == devices.end())
        return {};
    return {true, *match, {}};
}

}  // namespace

ChipEndpoints ChooseEndpoints(const ConfLibEntryPoints& entryPoints)
{
    ChipEndpoints endpoints;
    const std::vector<OsConfDevice> render = ListDevices(entryPoints, kOsConfRender);
    if (render.empty())
        return endpoints;
    for (const std::int32_t kind : kRenderKinds) {
        endpoints.render = FirstOf(render, kind, true);
        if (endpoints.render.chosen)
            break;
    }
    endpoints.capture = FirstOf(ListDevices(entryPoints, kOsConfCapture), kCaptureKind, false);
    return endpoints;
}

}  // namespace q31::audio
