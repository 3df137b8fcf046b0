#include "devices/custom_effect_files.h"

#include "macros/macro_files.h"
#include "profiles/json_access.h"
#include "profiles/json_file.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <climits>

namespace q31::devices {
namespace {

using namespace q31::json;

struct StepKey {
    const char* key;
    int byte;
};

constexpr std::array<StepKey, 8> kStepKeys = {{
    {"LEDREGMode", kStepMode},
    {"LEDBrightness", kStepBrightness},
    {"LEDSpeed", kStepSpeed},
    {"LEDDirection", kStepDirection},
    {"LEDMultiColor", kStepMultiColour},
    {"red", kStepRed},
    {"green", kStepGreen},
    {"blue", kStepBlue},
}};

// A hand-edited number beyond a byte is held at the nearest end rather than
// wrapped, so a brightness of 300 stays the brightest.
std::uint8_t ClampedByte(const Json::Value& value)
{
    return std::uint8_t(std::clamp(IntIn(value, INT_MIN, INT_MAX), 0, 255));
}

CustomEffectStep StepOf(const Json::Value& element)
{
    CustomEffectStep step{};
    for (const StepKey& key : kStepKeys)
        step[key.byte] = ClampedByte(Member(element, key.key));
    SetStepDuration(step, std::uint32_t(IntIn(Member(element, "Time"), 0, INT_MAX)));
    return step;
}

}  // namespace

std::vector<CustomEffectEntry> ReadCustomEffectList(const QString& folder, int kindIndex)
{
    if (kindIndex < 0)
        return {};
    const Json::Value document = ParseJsonFile(QDir(folder).filePath(QLatin1String(kCustomEffectListFile)));
    const Json::Value& list = Element(Member(document, "LightInfo"), Json::ArrayIndex(kindIndex));
    std::vector<CustomEffectEntry> entries(SizeOf(list));
    for (Json::ArrayIndex i = 0; i < entries.size(); ++i)
        entries[i] = {TextOf(Member(list[i], "LightName")), TextOf(Member(list[i], "Guid"))};
    return entries;
}

std::optional<QString> CustomEffectPath(const QString& folder, const QString& guid)
{
    if (!q31::macros::IsPlainGuid(guid))
        return std::nullopt;
    return QDir(folder).filePath(guid + QStringLiteral(".light"));
}

std::vector<CustomEffectStep> ReadCustomEffectSteps(const QString& path)
{
    const Json::Value document = ParseJsonFile(path);
    const Json::Value& list = Member(document, "LEDEffectList");
    std::vector<CustomEffectStep> steps(SizeOf(list));
    for (Json::ArrayIndex i = 0; i < steps.size(); ++i)
        steps[i] = StepOf(list[i]);
    return steps;
}

std::vector<CustomEffectStep> LoadCustomEffect(const QString& folder, int kindIndex, int entry)
{
    const std::vector<CustomEffectEntry> entries = ReadCustomEffectList(folder, kindIndex);
    if (entry < 0 || entry >= int(entries.size()))
        return {};
    const std::optional<QString> path = CustomEffectPath(folder, entries[entry].guid);
    return path ? ReadCustomEffectSteps(*path) : std::vector<CustomEffectStep>{};
}

}  // namespace q31::devices
