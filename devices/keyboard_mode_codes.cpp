#include "devices/keyboard_mode_codes.h"

#include "profiles/json_access.h"
#include "profiles/json_file.h"

namespace q31::devices {
namespace {

// The keyboard's lists in the shared effect list file.
constexpr Json::ArrayIndex kKeyboardEffectList = 0;

}  // namespace

std::vector<std::uint8_t> ReadKeyboardModeCodes(const QString& effectListPath)
{
    std::vector<std::uint8_t> codes;
    const Json::Value effects = ParseJsonFile(effectListPath);
    const Json::Value& list = json::Element(json::Member(effects, "DefaultLightName"), kKeyboardEffectList);
    for (Json::ArrayIndex i = 0; list.isArray() && i < list.size(); ++i) {
        const Json::Value& value = json::Member(list[i], "value");
        // The record carries a mode code in one byte.
        codes.push_back(value.isIntegral() ? std::uint8_t(value.asLargestInt() & 0xFF) : 0);
    }
    return codes;
}

}  // namespace q31::devices
