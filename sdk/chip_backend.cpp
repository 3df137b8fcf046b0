#include "sdk/chip_backend.h"

#include <array>
#include <charconv>

namespace q31::sdk {

std::string TextOfValue(const std::variant<std::int32_t, float>& value)
{
    // Shortest text that reads back as the same number, whatever the locale.
    std::array<char, 32> text{};
    const auto written = std::visit(
        [&](auto number) { return std::to_chars(text.data(), text.data() + text.size(), number); }, value);
    return std::string(text.data(), written.ptr);
}

bool IsScalarProperty(const std::string& name)
{
    return name == "VolumeScalarControl" || name == "AAVolumeScalarControl" || name == "VolumeControl" ||
           name == "AAVolumeControl";
}

}  // namespace q31::sdk
