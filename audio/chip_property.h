#pragma once
// One property call of the chip library on one endpoint: the buffers, the
// value formats and the rule that an endpoint never chosen is never addressed.
#include "audio/conf_lib_entry_points.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace q31::audio {

struct ChipEndpoint {
    bool chosen = false;  // false: no device matched, and no call is made on it
    OsConfDevice device{};
    std::array<std::int32_t, 3> features{};
};

// Absent: no parameter buffer. Present: a zeroed buffer that begins with
// these values (none: an empty buffer for the library to fill).
using PropertyParameter = std::optional<std::vector<std::int32_t>>;
inline PropertyParameter Channel(std::int32_t channel)
{
    return std::vector<std::int32_t>{channel};
}

constexpr int kBandCount = 10;
// "EQ_Slider1" .. "EQ_Slider10": the gain of equaliser band 1 .. 10.
std::u16string BandGainProperty(int band);

// A switch, selection or gain (integer) or a level scalar (single precision).
using PropertyValue = std::variant<std::int32_t, float>;

class ChipProperties {
public:
    explicit ChipProperties(const ConfLibEntryPoints& entryPoints) : m_entryPoints(entryPoints) {}

    // The value text; nullopt when the read failed or the endpoint is not chosen.
    // valueBytes: the size of the value buffer, zeroed whole before the call.
    std::optional<std::u16string> Read(const ChipEndpoint& endpoint, std::u16string_view name,
                                       const PropertyParameter& parameter = std::nullopt,
                                       std::size_t valueBytes = kOsConfBufferBytes) const;
    bool Write(const ChipEndpoint& endpoint, std::u16string_view name, PropertyValue value,
               const PropertyParameter& parameter = std::nullopt) const;

private:
    int Call(const ChipEndpoint& endpoint, std::u16string_view name, void* value, const PropertyParameter& parameter,
             std::int32_t direction) const;

    const ConfLibEntryPoints& m_entryPoints;
};

}  // namespace q31::audio
