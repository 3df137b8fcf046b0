#pragma once
// The mouse's DPI stages: the limits its device info reports, the conversion
// between the DPI index the mouse works in and the DPI value the page shows,
// and the 9-byte stage records of its settings record.
#include "profiles/profile_records.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace q31::devices {

using ::kDpiStageCount;
inline constexpr std::size_t kDpiStageRecordSize = 9;
using DpiStageRecord = std::array<std::uint8_t, kDpiStageRecordSize>;
using DpiStageRecords = std::array<std::uint8_t, kDpiStageRecordSize * kDpiStageCount>;

// The sensor that moves in 200-DPI steps above index 48.
inline constexpr int kCoarseStepSensor = 0x3325;

struct DpiLimits {
    int step = 0;
    int highestIndex = 0;
    int lowestDpi = 0;
    int sensorId = 0;
    bool operator==(const DpiLimits&) const = default;
};

// Bytes 9-10 sensor, 11 step, 12-13 highest index, 14-15 lowest DPI (little-endian);
// empty when the info is too short to hold them.
std::optional<DpiLimits> DpiLimitsOf(std::span<const std::uint8_t> deviceInfo);

int DpiOfIndex(const DpiLimits& limits, int index);
// The index whose value a typed DPI value reaches, within 0 .. highest index.
int IndexOfDpi(const DpiLimits& limits, long long dpi);
// As IndexOfDpi; text that is empty or not a number counts as 0.
int IndexOfText(const DpiLimits& limits, const QString& text);

DpiStageRecord PackDpiStage(const DpiStage& stage);
DpiStage UnpackDpiStage(std::span<const std::uint8_t, kDpiStageRecordSize> record);
// The five records one after another; a stage missing from the list stays zero.
DpiStageRecords PackDpiStages(const std::vector<DpiStage>& stages);

// Stage `index` of the list, which grows to hold it; nullptr outside the five stages.
DpiStage* StageToEdit(std::vector<DpiStage>& stages, int index);

// The stage whose enable check must stay locked because it is the only one still
// enabled; empty when none or several are enabled.
std::optional<int> LoneEnabledStage(const std::array<bool, kDpiStageCount>& enabled);

}  // namespace q31::devices
