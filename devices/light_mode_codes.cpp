#include "devices/light_mode_codes.h"

#include "profiles/json_access.h"
#include "profiles/json_file.h"

namespace q31::devices {

std::vector<std::uint8_t> ReadLightModeCodes(const QString& effectListPath, int kindIndex)
{
    std::vector<std::uint8_t> codes;
    if (kindIndex < 0)
        return codes;
    const Json::Value effects = ParseJsonFile(effectListPath);
    const Json::Value& list = json::Element(json::Member(effects, "DefaultLightName"), Json::ArrayIndex(kindIndex));
    for (Json::ArrayIndex i = 0; list.isArray() && i < list.size(); ++i) {
        const Json::Value& value = json::Member(list[i], "value");
        // The settings records carry a mode code in one byte.
        codes.push_back(value.isIntegral() ? std::uint8_t(value.asLargestInt() & 0xFF) : 0);
    }
    return codes;
}

}  // namespace q31::devices
