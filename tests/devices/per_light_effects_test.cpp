#include "devices/per_light_effects.h"

#include "devices/effect_steps.h"
#include "devices/light_tables.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

constexpr std::uint32_t kUntouched = 0x01020304;
constexpr DWORD kPassMs = 16;

LightSettings Entry(int mode, int brightness, int speed, Rgb colour = {10, 20, 30}, int multiColour = 0)
{
    LightSettings entry{};
    entry[kSettingEffect] = std::uint8_t(mode);
    entry[kSettingBrightness] = std::uint8_t(brightness);
    entry[kSettingSpeed] = std::uint8_t(speed);
    entry[kSettingMultiColour] = std::uint8_t(multiColour);
    entry[kSettingRed] = colour.r;
    entry[kSettingGreen] = colour.g;
    entry[kSettingBlue] = colour.b;
    entry[kEntryInUse] = 1;
    return entry;
}

LightColour Colour(Rgb c, int a)
{
    return {c.r, c.g, c.b, std::uint8_t(a)};
}

class PerLightEffectsTest : public ::testing::Test {
protected:
    void Load(std::vector<LightSettings> list, int lights)
    {
        entries = std::move(list);
        records.Resize(lights);
        ResetPerLightEffects(states, entries);
    }

    void Pass()
    {
        records.Fill(kUntouched);
        StepPerLightEffects(states, entries, records, now);
        now += kPassMs;
    }

    LightColour At(int light) const { return UnpackLightRecord(records.Load(light)); }

    std::vector<LightSettings> entries;
    std::vector<PerLightState> states;
    CLightRecords records;
    DWORD now = 100000;
};

TEST_F(PerLightEffectsTest, StaticAtFullLevelOffAndUnusedEntries)
{
    Load({Entry(kPerLightStatic, 4, 0, {7, 8, 9}), LightSettings{}, Entry(kPerLightOff, 4, 0)}, 3);
    Pass();
    EXPECT_EQ(At(0), Colour({7, 8, 9}, 255));
    EXPECT_EQ(records.Load(1), kUntouched) << "a null entry leaves its light to the current effect";
    EXPECT_EQ(records.Load(2), 0u);
}

TEST_F(PerLightEffectsTest, AListLongerThanTheLightsAppliesOnlyItsFirstEntries)
{
    Load(std::vector<LightSettings>(8, Entry(kPerLightStatic, 2, 0, {1, 2, 3})), 3);
    Pass();
    for (int light = 0; light < 3; ++light)
        EXPECT_EQ(At(light), Colour({1, 2, 3}, 135));
}

TEST_F(PerLightEffectsTest, SpectrumAdvancesOnTheEntrysSpeedThreshold)
{
    Load({Entry(kPerLightSpectrum, 3, 4)}, 1);
    for (int pass = 1; pass < 7; ++pass) {
        Pass();
        ASSERT_EQ(At(0), Colour(kSpectrum[0], 195)) << pass;
    }
    Pass();
    EXPECT_EQ(At(0), Colour(kSpectrum[1], 195));
}

TEST_F(PerLightEffectsTest, BlinkRunsOnTheEntrysPeriodAndMovesItsColourBy14)
{
    Load({Entry(kPerLightBlink, 4, 4, {4, 5, 6}, 1), Entry(kPerLightBlink, 4, 0, {4, 5, 6})}, 2);
    Pass();
    EXPECT_EQ(At(0), Colour(kSpectrum[14], 255));
    EXPECT_EQ(At(1), Colour({4, 5, 6}, 255));
    now += 1400 - kPassMs;
    Pass();
    EXPECT_EQ(records.Load(0), 0u) << "speed 4: 1400 ms";
    EXPECT_EQ(At(1), Colour({4, 5, 6}, 255)) << "speed 0: 5600 ms";
}

TEST_F(PerLightEffectsTest, BreathingFollowsTheCurveInStepsOfSpeedPlusFour)
{
    Load({Entry(kPerLightBreathing, 4, 4, {50, 60, 70})}, 1);
    for (int pass = 1; pass <= 15; ++pass) {
        Pass();
        ASSERT_EQ(At(0), Colour({50, 60, 70}, kBreathingCurve[8 * pass] * 255 / 256)) << pass;
    }
}

// Speeds 1 to 3 do not divide 128: the phase steps past the end of the curve
// and must start again there rather than read beyond it.
TEST_F(PerLightEffectsTest, BreathingRestartsWhenThePhaseReachesTheEndOfTheCurve)
{
    for (int speed : {1, 2, 3, 9}) {
        const int step = std::min(speed, 4) + 4;
        Load({Entry(kPerLightBreathing, 4, speed, {50, 60, 70}, 1)}, 1);
        const int lastInside = 127 / step;
        for (int pass = 1; pass <= lastInside; ++pass)
            Pass();
        EXPECT_EQ(At(0), Colour(kSpectrum[0], kBreathingCurve[step * lastInside] * 255 / 256)) << speed;
        Pass();
        EXPECT_EQ(At(0), Colour(kSpectrum[0], 0)) << "speed " << speed << " restarts at phase 0";
        Pass();
        EXPECT_EQ(At(0), Colour(kSpectrum[1], kBreathingCurve[step] * 255 / 256)) << "and the colour moved on";
    }
}

TEST_F(PerLightEffectsTest, BrightnessPastTheTableIsTheBrightestLevel)
{
    Load({Entry(kPerLightStatic, 9, 0, {1, 1, 1}), Entry(kPerLightSpectrum, 200, 77)}, 2);
    Pass();
    EXPECT_EQ(At(0).a, 255);
    EXPECT_EQ(At(1).a, 255);
}

}  // namespace
}  // namespace q31::devices
