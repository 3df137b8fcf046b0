#include "profiles/headset_profile_data.h"

#include "profiles/json_access.h"
#include "profiles/profile_text.h"

#include <algorithm>
#include <climits>
#include <optional>

using namespace q31::json;

namespace {

constexpr const char* kSystemKeys[] = {"MagicEnable", "MagicType",   "EqType",          "CustomEqSeletIndex",
                                       "MicInSelect", "MicInValue", "MicMoniterSelect", "MicMoniterValue"};

std::optional<Json::ArrayIndex> PresetSlot(int eqType)
{
    if (eqType == CHs6533Profiledata::kCustomEqType)
        return std::nullopt;
    if (eqType >= 1 && eqType <= 12)
        return static_cast<Json::ArrayIndex>(eqType);
    return 1;
}

std::optional<Json::ArrayIndex> CurveSlot(int curve)
{
    if (curve < 0 || curve >= CHs6533Profiledata::kMaxCustomCurves)
        return std::nullopt;
    return static_cast<Json::ArrayIndex>(curve);
}

// A curve is an array of ten {"value": gain}; missing bands are stored as 0.
std::vector<int> ReadCurve(Json::Value& curve)
{
    std::vector<int> gains(CHs6533Profiledata::kBandCount);
    for (Json::ArrayIndex band = 0; band < gains.size(); ++band) {
        Json::Value& entry = ElementToWrite(curve, band);
        const Json::Value& value = Member(entry, "value");
        if (value.isInt())
            gains[band] = value.asInt();
        else
            MemberToWrite(entry, "value") = 0;
    }
    return gains;
}

void WriteCurve(Json::Value& curve, const std::vector<int>& gains)
{
    const auto count = std::min<std::size_t>(gains.size(), CHs6533Profiledata::kBandCount);
    for (Json::ArrayIndex band = 0; band < count; ++band)
        MemberToWrite(ElementToWrite(curve, band), "value") = gains[band];
}

}  // namespace

HeadsetSystemValues CHs6533Profiledata::ReadHeadsetSystem() const
{
    const Json::Value& section = Member(m_section, "SystemSetStages");
    HeadsetSystemValues values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = IntIn(Member(section, kSystemKeys[i]), INT_MIN, INT_MAX);
    return values;
}

void CHs6533Profiledata::WriteHeadsetSystem(const HeadsetSystemValues& values)
{
    Json::Value& section = MemberToWrite(m_section, "SystemSetStages");
    for (std::size_t i = 0; i < values.size(); ++i)
        section[kSystemKeys[i]] = values[i];
}

std::vector<int> CHs6533Profiledata::ReadEqValues(int eqType)
{
    const auto slot = PresetSlot(eqType);
    if (!slot)
        return {};
    return ReadCurve(ElementToWrite(MemberToWrite(m_section, "EQHzValueInfo"), *slot));
}

void CHs6533Profiledata::WriteEqValues(int eqType, const std::vector<int>& gains)
{
    if (const auto slot = PresetSlot(eqType))
        WriteCurve(ElementToWrite(MemberToWrite(m_section, "EQHzValueInfo"), *slot), gains);
}

QStringList CHs6533Profiledata::ReadCustomEqNames() const
{
    const Json::Value& list = Member(m_section, "CustomEQNameInfo");
    QStringList names;
    for (Json::ArrayIndex i = 0; i < SizeOf(list); ++i)
        names.append(TextOf(Member(list[i], "Name")));
    return names;
}

void CHs6533Profiledata::WriteCustomEqNames(const QStringList& names)
{
    Json::Value list(Json::arrayValue);
    for (const QString& name : names) {
        Json::Value entry(Json::objectValue);
        entry["Name"] = Utf8FromWide(name);
        list.append(std::move(entry));
    }
    MemberToWrite(m_section, "CustomEQNameInfo") = std::move(list);
}

std::vector<int> CHs6533Profiledata::ReadCustomEqValues(int curve)
{
    const auto slot = CurveSlot(curve);
    if (!slot)
        return std::vector<int>(kBandCount);
    return ReadCurve(ElementToWrite(MemberToWrite(m_section, "CustomEQHzValueInfo"), *slot));
}

void CHs6533Profiledata::WriteCustomEqValues(int curve, const std::vector<int>& gains)
{
    if (const auto slot = CurveSlot(curve))
        WriteCurve(ElementToWrite(MemberToWrite(m_section, "CustomEQHzValueInfo"), *slot), gains);
}

void CHs6533Profiledata::RemoveCustomEqValues(int curve)
{
    const auto slot = CurveSlot(curve);
    if (slot && *slot < SizeOf(Member(m_section, "CustomEQHzValueInfo")))
        MemberToWrite(m_section, "CustomEQHzValueInfo").removeIndex(*slot, nullptr);
}
