#include "devices/mouse_dpi.h"

#include <QtEndian>

#include <algorithm>

namespace q31::devices {

namespace {

// Where the coarse sensor's 200-DPI steps begin.
constexpr int kFineIndexCount = 48;
constexpr int kCoarseStep = 200;

constexpr std::size_t kSensorByte = 9;
constexpr std::size_t kStepByte = 11;
constexpr std::size_t kHighestIndexByte = 12;
constexpr std::size_t kLowestDpiByte = 14;
constexpr std::size_t kLimitsEnd = 16;

int Le16At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

bool HasCoarseSteps(const DpiLimits& limits)
{
    return limits.sensorId == kCoarseStepSensor;
}

}  // namespace

std::optional<DpiLimits> DpiLimitsOf(std::span<const std::uint8_t> deviceInfo)
{
    if (deviceInfo.size() < kLimitsEnd)
        return std::nullopt;
    return DpiLimits{deviceInfo[kStepByte], Le16At(deviceInfo, kHighestIndexByte), Le16At(deviceInfo, kLowestDpiByte),
                     Le16At(deviceInfo, kSensorByte)};
}

int DpiOfIndex(const DpiLimits& limits, int index)
{
    if (HasCoarseSteps(limits) && index > kFineIndexCount)
        return limits.lowestDpi + kFineIndexCount * limits.step + (index - kFineIndexCount) * kCoarseStep;
    return index * limits.step + limits.lowestDpi;
}

int IndexOfDpi(const DpiLimits& limits, long long dpi)
{
    if (limits.step <= 0)
        return 0;
    const long long above = std::max<long long>(dpi, limits.lowestDpi) - limits.lowestDpi;
    const long long fineTop = static_cast<long long>(kFineIndexCount) * limits.step;
    const long long index = HasCoarseSteps(limits) && above > fineTop
                                ? kFineIndexCount + (above - fineTop) / kCoarseStep
                                : above / limits.step;
    return static_cast<int>(std::clamp<long long>(index, 0, limits.highestIndex));
}

int IndexOfText(const DpiLimits& limits, const QString& text)
{
    return IndexOfDpi(limits, text.trimmed().toLongLong());
}

DpiStageRecord PackDpiStage(const DpiStage& stage)
{
    DpiStageRecord record{};
    record[0] = stage.enabled;
    record[1] = stage.separateXY;
    qToLittleEndian<quint16>(stage.dpiX, record.data() + 2);
    qToLittleEndian<quint16>(stage.dpiY, record.data() + 4);
    record[6] = stage.red;
    record[7] = stage.green;
    record[8] = stage.blue;
    return record;
}

DpiStage UnpackDpiStage(std::span<const std::uint8_t, kDpiStageRecordSize> record)
{
    DpiStage stage;
    stage.enabled = record[0];
    stage.separateXY = record[1];
    stage.dpiX = static_cast<std::uint16_t>(Le16At(record, 2));
    stage.dpiY = static_cast<std::uint16_t>(Le16At(record, 4));
    stage.red = record[6];
    stage.green = record[7];
    stage.blue = record[8];
    return stage;
}

DpiStageRecords PackDpiStages(const std::vector<DpiStage>& stages)
{
    DpiStageRecords records{};
    const std::size_t count = std::min<std::size_t>(stages.size(), kDpiStageCount);
    for (std::size_t i = 0; i < count; ++i)
        std::ranges::copy(PackDpiStage(stages[i]), records.begin() + i * kDpiStageRecordSize);
    return records;
}

DpiStage* StageToEdit(std::vector<DpiStage>& stages, int index)
{
    if (index < 0 || index >= kDpiStageCount)
        return nullptr;
    if (stages.size() <= std::size_t(index))
        stages.resize(std::size_t(index) + 1);
    return &stages[std::size_t(index)];
}

std::optional<int> LoneEnabledStage(const std::array<bool, kDpiStageCount>& enabled)
{
    if (std::ranges::count(enabled, true) != 1)
        return std::nullopt;
    return static_cast<int>(std::ranges::find(enabled, true) - enabled.begin());
}

}  // namespace q31::devices
