#include "audio/chip_property.h"

#include <algorithm>
#include <cstring>

namespace q31::audio {

std::u16string BandGainProperty(int band)
{
    std::u16string name = u"EQ_Slider";
    for (const char digit : std::to_string(band))
        name.push_back(static_cast<char16_t>(digit));
    return name;
}

int ChipProperties::Call(const ChipEndpoint& endpoint, std::u16string_view name, void* value,
                         const PropertyParameter& parameter, std::int32_t direction) const
{
    if (!endpoint.chosen || !m_entryPoints.propertyControl)
        return -1;
    const std::u16string terminatedName(name);
    std::array<std::int32_t, kOsConfBufferBytes / sizeof(std::int32_t)> parameterBuffer{};
    void* parameterPointer = parameterBuffer.data();
    if (parameter)
        std::copy_n(parameter->begin(), std::min(parameter->size(), parameterBuffer.size()), parameterBuffer.begin());
    return m_entryPoints.propertyControl(endpoint.device, terminatedName.c_str(), &value,
                                         parameter ? &parameterPointer : nullptr, direction);
}

std::optional<std::u16string> ChipProperties::Read(const ChipEndpoint& endpoint, std::u16string_view name,
                                                   const PropertyParameter& parameter, std::size_t valueBytes) const
{
    std::vector<char16_t> buffer(std::max<std::size_t>(valueBytes, kOsConfBufferBytes) / sizeof(char16_t), 0);
    if (Call(endpoint, name, buffer.data(), parameter, kOsConfRead) != 0)
        return std::nullopt;
    // The text ends at its terminator or, when the library wrote none, at the buffer's end.
    const auto end = std::find(buffer.begin(), buffer.end(), u'\0');
    return std::u16string(buffer.begin(), end);
}

bool ChipProperties::Write(const ChipEndpoint& endpoint, std::u16string_view name, PropertyValue value,
                           const PropertyParameter& parameter) const
{
    std::array<std::uint8_t, kOsConfBufferBytes> buffer{};
    std::visit([&](auto number) { std::memcpy(buffer.data(), &number, sizeof number); }, value);
    return Call(endpoint, name, buffer.data(), parameter, kOsConfWrite) == 0;
}

}  // namespace q31::audio
