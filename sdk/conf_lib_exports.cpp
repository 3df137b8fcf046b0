// The library's C entry points. Every call is answered under one lock by the
// back end chosen on first use: the simulated chip when its state file is
// named in the environment, else the headset.
#include "audio/conf_lib_abi.h"
#include "audio/simulation_variable.h"
#include "sdk/alsa_mixer.h"
#include "sdk/headset_chip.h"
#include "sdk/simulated_chip.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

#define Q31_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using q31::sdk::ChipBackend;
using q31::sdk::PropertyCall;

// Property names are short; a longer text is not one.
constexpr std::size_t kLongestName = 256;
constexpr std::size_t kLongestText = kOsConfBufferBytes / sizeof(char16_t) - 1;
constexpr std::int32_t kFailed = 1;

std::mutex& Lock()
{
    static std::mutex lock;
    return lock;
}

ChipBackend& Backend()
{
    static const std::unique_ptr<ChipBackend> backend = []() -> std::unique_ptr<ChipBackend> {
        if (const char* statePath = std::getenv(kSimulatedChipStateVariable))
            return std::make_unique<q31::sdk::SimulatedChip>(statePath);
        return std::make_unique<q31::sdk::HeadsetChip>(q31::sdk::OpenHeadsetMixer, q31::sdk::HeadsetChipStatePath());
    }();
    return *backend;
}

// The property name as narrow text; nullopt when it is missing, too long or not ASCII.
std::optional<std::string> NameOf(const char16_t* name)
{
    if (!name)
        return std::nullopt;
    std::string narrow;
    for (std::size_t i = 0; name[i] != 0; ++i) {
        if (i >= kLongestName || name[i] > 0x7F)
            return std::nullopt;
        narrow.push_back(static_cast<char>(name[i]));
    }
    return narrow;
}

std::optional<std::vector<std::int32_t>> ParameterOf(const std::string& name, void** parameter)
{
    if (!parameter || !*parameter)
        return std::nullopt;
    // The surround control's parameter is three values; every other one a channel.
    const std::size_t count = name == "VirtualSurroundEffectControl" ? 3 : 1;
    std::vector<std::int32_t> values(count);
    std::memcpy(values.data(), *parameter, count * sizeof(std::int32_t));
    return values;
}

void PutText(const std::string& text, void* buffer)
{
    auto* wide = static_cast<char16_t*>(buffer);
    const std::size_t length = std::min(text.size(), kLongestText);
    for (std::size_t i = 0; i < length; ++i)
        wide[i] = static_cast<unsigned char>(text[i]) < 0x80 ? static_cast<char16_t>(text[i]) : u'?';
    wide[length] = 0;
}

}  // namespace

Q31_EXPORT int32_t ConfLibInit(void)
{
    const std::lock_guard guard(Lock());
    return Backend().Init() ? 0 : kFailed;
}

Q31_EXPORT int32_t GetDeviceById(int32_t flow, int32_t index, OsConfDevice* device)
{
    const std::lock_guard guard(Lock());
    const auto found = Backend().DeviceAt(flow, index);
    if (!found || !device)
        return kFailed;
    *device = *found;
    return 0;
}

Q31_EXPORT int32_t PropertyControl(OsConfDevice device, const char16_t* name, void** value, void** parameter,
                                   int32_t direction)
{
    const std::lock_guard guard(Lock());
    const auto narrowName = NameOf(name);
    if (!narrowName || !value || !*value || (direction != kOsConfRead && direction != kOsConfWrite))
        return kFailed;
    PropertyCall call{device, *narrowName, {}, ParameterOf(*narrowName, parameter)};
    if (direction == kOsConfWrite) {
        if (q31::sdk::IsScalarProperty(call.name)) {
            float scalar = 0;
            std::memcpy(&scalar, *value, sizeof scalar);
            call.value = scalar;
        } else {
            std::int32_t integer = 0;
            std::memcpy(&integer, *value, sizeof integer);
            call.value = integer;
        }
        return Backend().Write(call) ? 0 : kFailed;
    }
    const auto text = Backend().Read(call);
    if (!text)
        return kFailed;
    PutText(*text, *value);
    return 0;
}

Q31_EXPORT int32_t RegisterCallbackFunction(OsConfCallback, void*)
{
    // Device changes are not reported: the endpoints are chosen once.
    return 0;
}

Q31_EXPORT int32_t GetDeviceCount(int32_t flow, int32_t* count)
{
    const std::lock_guard guard(Lock());
    const auto found = Backend().DeviceCount(flow);
    if (!found || !count)
        return kFailed;
    *count = *found;
    return 0;
}

Q31_EXPORT int32_t CreateDeviceList(void)
{
    const std::lock_guard guard(Lock());
    Backend().CreateDeviceList();
    return 0;
}

Q31_EXPORT int32_t ConfLibUnInit(void)
{
    return 0;
}

// The driver's own panels and test tones have no counterpart here.
Q31_EXPORT int32_t ShowAsioPanel(void)
{
    return kFailed;
}

Q31_EXPORT int32_t PlayTestSound(OsConfDevice, int32_t)
{
    return kFailed;
}

Q31_EXPORT int32_t StopTestSound(OsConfDevice)
{
    return kFailed;
}

Q31_EXPORT int32_t CloseTestSound(OsConfDevice)
{
    return kFailed;
}
