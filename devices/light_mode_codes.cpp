#include "devices/light_mode_codes.h"

#include "profiles/json_access.h"
#include "profiles/json_file.h"

#include <algorithm>
#include <iterator>

namespace q31::devices {

std::vector<EffectListEntry> ReadEffectList(const QString& effectListPath, int kindIndex)
{
    std::vector<EffectListEntry> entries;
    if (kindIndex < 0)
        return entries;
    const Json::Value effects = ParseJsonFile(effectListPath);
    const Json::Value& list = json::Element(json::Member(effects, "DefaultLightName"), Json::ArrayIndex(kindIndex));
    for (Json::ArrayIndex i = 0; list.isArray() && i < list.size(); ++i) {
        const Json::Value& name = json::Member(list[i], "LightName");
        const Json::Value& visible = json::Member(list[i], "visible");
        const Json::Value& value = json::Member(list[i], "value");
        entries.push_back({
            name.isString() ? QString::fromStdString(name.asString()) : QString(),
            !visible.isBool() || visible.asBool(),
            // The settings records carry a mode code in one byte.
            value.isIntegral() ? std::uint8_t(value.asLargestInt() & 0xFF) : std::uint8_t(0),
        });
    }
    return entries;
}

std::vector<std::uint8_t> ReadLightModeCodes(const QString& effectListPath, int kindIndex)
{
    const std::vector<EffectListEntry> entries = ReadEffectList(effectListPath, kindIndex);
    std::vector<std::uint8_t> codes;
    std::ranges::transform(entries, std::back_inserter(codes), &EffectListEntry::code);
    return codes;
}

}  // namespace q31::devices
