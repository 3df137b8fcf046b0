#pragma once
// The mouse's profile document: DPI stages, system settings, corrections.
#include "profiles/basic_profile_data.h"

class CMouseProfiledata : public CBasicProfiledata {
public:
    // Merges the document's stages into the list the mouse holds: stage i
    // overwrites stage i or is appended; further stages of the list stay. False,
    // with list and current stage unchanged, when the document has no "DPIStages".
    bool ReadDpiStages(std::vector<DpiStage>& stages, int& currentStage) const;
    // Stores the list as the document's stages.
    void WriteDpiStages(const std::vector<DpiStage>& stages);
    void WriteCurrentDpiStage(int stage);

    // Word 1: DoubleClickTime/MouseSpeed, word 2: PointerPrecision/ScorllPage,
    // word 3: WheelScorlllinse/the report rate ("ReportStages"."StageActive").
    SystemWords ReadMouseSystem() const;
    void WriteMouseSystem(const SystemWords& words);

    std::vector<CorrectionEntry> ReadCorrections() const;
};
