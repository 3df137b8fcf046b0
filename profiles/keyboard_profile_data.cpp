#include "profiles/keyboard_profile_data.h"

#include "profiles/json_access.h"
#include "profiles/record_keys.h"

#include <array>

using namespace q31;
using namespace q31::json;

namespace {

// Word n holds the pair kSystemKeys[2n] (low half), kSystemKeys[2n + 1] (high half).
constexpr const char* kSystemKeys[] = {"Repeat", "RepeatDelay", "Key6Flag", "PollingRate", "WFlag", "WinFlag"};

constexpr RecordKey kColourKeys[] = {{"Red", 0}, {"Green", 1}, {"Blue", 2}, {"Alpha", 3}};

bool IsGroupNumber(int group)
{
    return group >= 0 && group < CKeyboardProfiledata::kGroupCount;
}

CustomColour ColourOf(const Json::Value& entry)
{
    std::array<std::uint8_t, 4> bytes{};
    ReadRecordKeys(entry, kColourKeys, bytes);
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

void StoreColour(Json::Value& entry, const CustomColour& colour)
{
    const std::array<std::uint8_t, 4> bytes{colour.red, colour.green, colour.blue, colour.alpha};
    WriteRecordKeys(entry, kColourKeys, bytes);
}

}  // namespace

SystemWords CKeyboardProfiledata::ReadKeyboardSystem() const
{
    const Json::Value& section = Member(m_section, "SystemStages");
    SystemWords words{};
    for (std::size_t n = 0; n < words.size(); ++n)
        words[n] = PackWord(Low16Of(Member(section, kSystemKeys[2 * n])),
                            Low16Of(Member(section, kSystemKeys[2 * n + 1])));
    return words;
}

void CKeyboardProfiledata::WriteKeyboardSystem(const SystemWords& words)
{
    Json::Value& section = MemberToWrite(m_section, "SystemStages");
    for (std::size_t n = 0; n < words.size(); ++n) {
        section[kSystemKeys[2 * n]] = LowHalf(words[n]);
        section[kSystemKeys[2 * n + 1]] = HighHalf(words[n]);
    }
}

std::vector<CustomColour> CKeyboardProfiledata::ReadCustomLightColors(int group, int count)
{
    if (!IsGroupNumber(group) || count <= 0)
        return {};
    std::vector<CustomColour> colours(static_cast<std::size_t>(count));
    Json::Value& groups = MemberToWrite(MemberToWrite(m_section, "CustomLightMode"), "LightColorInfo");
    Json::Value& entries = ElementToWrite(groups, static_cast<Json::ArrayIndex>(group));
    for (int i = 0; i < count; ++i) {
        Json::Value& entry = ElementToWrite(entries, static_cast<Json::ArrayIndex>(i));
        if (entry.isObject())
            colours[static_cast<std::size_t>(i)] = ColourOf(entry);
        else
            StoreColour(entry, CustomColour{});
    }
    return colours;
}

void CKeyboardProfiledata::WriteCustomLightColors(int group, const std::vector<CustomColour>& colours)
{
    if (!IsGroupNumber(group))
        return;
    Json::Value& groups = MemberToWrite(MemberToWrite(m_section, "CustomLightMode"), "LightColorInfo");
    Json::Value& entries = ElementToWrite(groups, static_cast<Json::ArrayIndex>(group));
    for (std::size_t i = 0; i < colours.size(); ++i)
        StoreColour(ElementToWrite(entries, static_cast<Json::ArrayIndex>(i)), colours[i]);
}

int CKeyboardProfiledata::ReadCustomLightGroup() const
{
    return IntIn(Member(Member(m_section, "CustomLightMode"), "CustomLightModeGroupIndex"), 0, kGroupCount - 1);
}

void CKeyboardProfiledata::WriteCustomLightGroup(int group)
{
    if (IsGroupNumber(group))
        MemberToWrite(MemberToWrite(m_section, "CustomLightMode"), "CustomLightModeGroupIndex") = group;
}
