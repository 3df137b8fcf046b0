// The mouse's DPI limits, index/value conversion, stage records and mode codes.
#include "devices/mouse_dpi.h"

#include <gtest/gtest.h>

#include <vector>

namespace q31::devices {
namespace {

constexpr DpiLimits kCoarseSensor{100, 60, 200, kCoarseStepSensor};
constexpr DpiLimits kOtherSensor{50, 100, 100, 0x3389};

TEST(MouseDpiLimits, AreReadFromTheDeviceInfoAndNeedAllOfIt)
{
    std::vector<std::uint8_t> info(16, 0);
    info[9] = 0x25;
    info[10] = 0x33;
    info[11] = 100;
    info[12] = 0x3C;
    info[13] = 0x01;
    info[14] = 0xC8;
    info[15] = 0x00;
    EXPECT_EQ(DpiLimitsOf(info), (DpiLimits{100, 316, 200, 0x3325}));
    info.pop_back();
    EXPECT_EQ(DpiLimitsOf(info), std::nullopt);
}

struct IndexCase {
    DpiLimits limits;
    int index;
    int dpi;
};

TEST(MouseDpiConversion, IndexShowsItsValue)
{
    const IndexCase cases[] = {
        {kCoarseSensor, 0, 200},   {kCoarseSensor, 28, 3000}, {kCoarseSensor, 48, 5000},
        {kCoarseSensor, 49, 5200}, {kCoarseSensor, 60, 7400}, {kOtherSensor, 10, 600},
        {kOtherSensor, 60, 3100},
    };
    for (const IndexCase& c : cases)
        EXPECT_EQ(DpiOfIndex(c.limits, c.index), c.dpi) << c.index;
}

struct TypedCase {
    DpiLimits limits;
    const char* typed;
    int index;
};

TEST(MouseDpiConversion, TypedValueGivesTheIndex)
{
    const TypedCase cases[] = {
        {kCoarseSensor, "150", 0},   {kCoarseSensor, "3000", 28}, {kCoarseSensor, "5000", 48},
        {kCoarseSensor, "5100", 48}, {kOtherSensor, "", 0},        {kOtherSensor, "abc", 0},
        {kOtherSensor, "-400", 0},   {kOtherSensor, " 600 ", 10}, {kOtherSensor, "624", 10},
    };
    for (const TypedCase& c : cases)
        EXPECT_EQ(IndexOfText(c.limits, QString::fromLatin1(c.typed)), c.index) << c.typed;
}

TEST(MouseDpiConversion, CoarseStepsInvertExactlyAbove48)
{
    for (int index = 48; index <= kCoarseSensor.highestIndex; ++index)
        EXPECT_EQ(IndexOfDpi(kCoarseSensor, DpiOfIndex(kCoarseSensor, index)), index) << index;
    EXPECT_EQ(IndexOfText(kCoarseSensor, QStringLiteral("5200")), 49);
    // Between two coarse steps the lower one is taken, as with the fine steps.
    EXPECT_EQ(IndexOfDpi(kCoarseSensor, 5399), 49);
}

TEST(MouseDpiConversion, TypedValueStaysWithinTheHighestIndex)
{
    EXPECT_EQ(IndexOfDpi(kCoarseSensor, 100000), kCoarseSensor.highestIndex);
    EXPECT_EQ(IndexOfDpi(kOtherSensor, 100000), kOtherSensor.highestIndex);
    EXPECT_EQ(IndexOfText(kOtherSensor, QStringLiteral("99999999999999")), kOtherSensor.highestIndex);
}

TEST(MouseDpiConversion, ZeroStepGivesIndexZero)
{
    for (int sensor : {0, kCoarseStepSensor}) {
        const DpiLimits limits{0, 60, 200, sensor};
        EXPECT_EQ(IndexOfDpi(limits, 3000), 0) << sensor;
        EXPECT_EQ(IndexOfText(limits, QStringLiteral("800")), 0) << sensor;
    }
}

TEST(MouseDpiStages, RecordHoldsEnableXYIndicesLittleEndianAndColour)
{
    const DpiStage stage{1, 1, 0x0130, 0x0205, 0x11, 0x22, 0x33};
    const DpiStageRecord expected{1, 1, 0x30, 0x01, 0x05, 0x02, 0x11, 0x22, 0x33};
    EXPECT_EQ(PackDpiStage(stage), expected);
    EXPECT_EQ(UnpackDpiStage(expected), stage);
}

TEST(MouseDpiStages, MissingStagesStayZeroAndExtraOnesAreLeftOut)
{
    const DpiStage stage{1, 0, 7, 7, 1, 2, 3};
    const DpiStageRecords two = PackDpiStages({stage, stage});
    for (std::size_t i = 0; i < two.size(); ++i) {
        const std::size_t offset = i % kDpiStageRecordSize;
        EXPECT_EQ(two[i], i < 2 * kDpiStageRecordSize ? PackDpiStage(stage)[offset] : 0) << i;
    }
    const std::vector<DpiStage> seven(7, stage);
    EXPECT_EQ(PackDpiStages(seven), PackDpiStages(std::vector<DpiStage>(5, stage)));
}

TEST(MouseDpiStages, EditingAStageGrowsTheListToHoldIt)
{
    std::vector<DpiStage> stages(1);
    ASSERT_NE(StageToEdit(stages, 3), nullptr);
    EXPECT_EQ(stages.size(), 4u);
    EXPECT_EQ(StageToEdit(stages, 1), &stages[1]);
    EXPECT_EQ(stages.size(), 4u);
    EXPECT_EQ(StageToEdit(stages, 5), nullptr);
    EXPECT_EQ(StageToEdit(stages, -1), nullptr);
    EXPECT_EQ(stages.size(), 4u);
}

TEST(MouseDpiStages, OnlyTheLastEnabledStageIsLocked)
{
    EXPECT_EQ(LoneEnabledStage({false, false, true, false, false}), 2);
    EXPECT_EQ(LoneEnabledStage({true, false, true, false, false}), std::nullopt);
    EXPECT_EQ(LoneEnabledStage({false, false, false, false, false}), std::nullopt);
}

}  // namespace
}  // namespace q31::devices
