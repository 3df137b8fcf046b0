#include "profiles/mouse_profile_data.h"

#include "profiles/json_access.h"

#include <algorithm>
#include <climits>

using namespace q31::json;

namespace {

// Word n holds the pair kSystemKeys[2n] (low half), kSystemKeys[2n + 1] (high
// half); the last half lives in "ReportStages".
constexpr const char* kSystemKeys[] = {"DoubleClickTime", "MouseSpeed", "PointerPrecision", "ScorllPage",
                                       "WheelScorlllinse"};

DpiStage StageOf(const Json::Value& entry)
{
    DpiStage stage;
    stage.enabled = static_cast<std::uint8_t>(FlagOf(Member(entry, "StageActive")));
    stage.separateXY = static_cast<std::uint8_t>(FlagOf(Member(entry, "StageXY")));
    stage.dpiX = static_cast<std::uint16_t>(Low16Of(Member(entry, "StageDPIX")));
    stage.dpiY = static_cast<std::uint16_t>(Low16Of(Member(entry, "StageDPIY")));
    stage.red = static_cast<std::uint8_t>(ByteOf(Member(entry, "StageColorR")));
    stage.green = static_cast<std::uint8_t>(ByteOf(Member(entry, "StageColorG")));
    stage.blue = static_cast<std::uint8_t>(ByteOf(Member(entry, "StageColorB")));
    return stage;
}

Json::Value EntryOf(const DpiStage& stage)
{
    Json::Value entry(Json::objectValue);
    entry["StageActive"] = int(stage.enabled != 0);
    entry["StageXY"] = int(stage.separateXY != 0);
    entry["StageDPIX"] = int(stage.dpiX);
    entry["StageDPIY"] = int(stage.dpiY);
    entry["StageColorR"] = int(stage.red);
    entry["StageColorG"] = int(stage.green);
    entry["StageColorB"] = int(stage.blue);
    return entry;
}

}  // namespace

bool CMouseProfiledata::ReadDpiStages(std::vector<DpiStage>& stages, int& currentStage) const
{
    const Json::Value& section = Member(m_section, "DPIStages");
    if (!section.isObject())
        return false;
    // Documents may come from anywhere: a stage the mouse lacks reads as the first.
    currentStage = IntIn(Member(section, "StageActive"), 0, kDpiStageCount - 1);
    const Json::Value& entries = Member(section, "StageDPIs");
    const Json::ArrayIndex count = std::min<Json::ArrayIndex>(SizeOf(entries), kDpiStageCount);
    for (Json::ArrayIndex i = 0; i < count; ++i) {
        if (i < stages.size())
            stages[i] = StageOf(entries[i]);
        else
            stages.push_back(StageOf(entries[i]));
    }
    return true;
}

void CMouseProfiledata::WriteDpiStages(const std::vector<DpiStage>& stages)
{
    Json::Value entries(Json::arrayValue);
    for (const DpiStage& stage : stages)
        entries.append(EntryOf(stage));
    MemberToWrite(MemberToWrite(m_section, "DPIStages"), "StageDPIs") = std::move(entries);
}

void CMouseProfiledata::WriteCurrentDpiStage(int stage)
{
    MemberToWrite(MemberToWrite(m_section, "DPIStages"), "StageActive") = stage;
}

SystemWords CMouseProfiledata::ReadMouseSystem() const
{
    const Json::Value& system = Member(m_section, "SystemStages");
    if (!system.isObject())
        return {};
    const int reportRate = Low16Of(Member(Member(m_section, "ReportStages"), "StageActive"));
    return {PackWord(Low16Of(Member(system, kSystemKeys[0])), Low16Of(Member(system, kSystemKeys[1]))),
            PackWord(Low16Of(Member(system, kSystemKeys[2])), Low16Of(Member(system, kSystemKeys[3]))),
            PackWord(Low16Of(Member(system, kSystemKeys[4])), reportRate)};
}

void CMouseProfiledata::WriteMouseSystem(const SystemWords& words)
{
    Json::Value& system = MemberToWrite(m_section, "SystemStages");
    system[kSystemKeys[0]] = LowHalf(words[0]);
    system[kSystemKeys[1]] = HighHalf(words[0]);
    system[kSystemKeys[2]] = LowHalf(words[1]);
    system[kSystemKeys[3]] = HighHalf(words[1]);
    system[kSystemKeys[4]] = LowHalf(words[2]);
    MemberToWrite(MemberToWrite(m_section, "ReportStages"), "StageActive") = HighHalf(words[2]);
}

std::vector<CorrectionEntry> CMouseProfiledata::ReadCorrections() const
{
    const Json::Value& list = Member(m_section, "CorrectInfo");
    std::vector<CorrectionEntry> corrections(SizeOf(list));
    for (Json::ArrayIndex i = 0; i < corrections.size(); ++i) {
        const Json::Value& entry = list[i];
        corrections[i] = {IntIn(Member(entry, "CorrectPixThresh"), INT_MIN, INT_MAX),
                          IntIn(Member(entry, "CorrectMinSq"), INT_MIN, INT_MAX),
                          FlagOf(Member(entry, "CorrectSelect")), TextOf(Member(entry, "CorrectName"))};
    }
    return corrections;
}
