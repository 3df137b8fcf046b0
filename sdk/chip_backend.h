#pragma once
// What answers the library's entry points: the headset through the sound
// system, or a simulated chip.
#include "audio/conf_lib_abi.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace q31::sdk {

struct PropertyCall {
    OsConfDevice device{};
    std::string name;
    std::variant<std::int32_t, float> value;  // writes only
    std::optional<std::vector<std::int32_t>> parameter;
};

class ChipBackend {
public:
    virtual ~ChipBackend() = default;
    virtual bool Init() = 0;
    virtual void CreateDeviceList() = 0;
    virtual std::optional<std::int32_t> DeviceCount(std::int32_t flow) = 0;
    virtual std::optional<OsConfDevice> DeviceAt(std::int32_t flow, std::int32_t index) = 0;
    // The value as decimal text; nullopt when the read fails.
    virtual std::optional<std::string> Read(const PropertyCall& call) = 0;
    virtual bool Write(const PropertyCall& call) = 0;
};

// A written value as a read gives it back: "1", "-13", "0.37".
std::string TextOfValue(const std::variant<std::int32_t, float>& value);
// Properties whose value is a single-precision number (levels and decibels).
bool IsScalarProperty(const std::string& name);

}  // namespace q31::sdk
