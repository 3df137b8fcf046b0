#include "devices/effect_steps.h"

#include "devices/light_tables.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

constexpr int kLights = 15;

LightSettings Settings(int brightness, int speed, int direction, int multiColour, Rgb colour = {10, 20, 30})
{
    LightSettings s{};
    s[kSettingBrightness] = std::uint8_t(brightness);
    s[kSettingSpeed] = std::uint8_t(speed);
    s[kSettingDirection] = std::uint8_t(direction);
    s[kSettingMultiColour] = std::uint8_t(multiColour);
    s[kSettingRed] = colour.r;
    s[kSettingGreen] = colour.g;
    s[kSettingBlue] = colour.b;
    return s;
}

class EffectStepsTest : public ::testing::Test {
protected:
    void SetUp() override { records.Resize(kLights); }

    // Every record holds the same value, which is returned.
    LightColour Uniform() const
    {
        for (std::size_t i = 1; i < records.Size(); ++i)
            EXPECT_EQ(records.Load(i), records.Load(0)) << i;
        return UnpackLightRecord(records.Load(0));
    }

    static LightColour Colour(Rgb c, int a) { return {c.r, c.g, c.b, std::uint8_t(a)}; }

    CLightRecords records;
    EffectState state;
};

TEST(PhaseStepTest, WrapsBothWays)
{
    EXPECT_EQ(PhaseStep(1, 128, 0), 1);
    EXPECT_EQ(PhaseStep(1, 128, 127), 0);
    EXPECT_EQ(PhaseStep(0, 128, 1), 0);
    EXPECT_EQ(PhaseStep(0, 128, 0), 127);
    EXPECT_EQ(PhaseStep(0, 192, 0), 191);
    // A phase left beyond the limit by another effect comes back inside it.
    EXPECT_EQ(PhaseStep(0, 128, 190), 127);
    EXPECT_EQ(PhaseStep(1, 128, 190), 0);
}

TEST_F(EffectStepsTest, BreathingSpectrumFollowsTheCurveAndMovesOnSixteenColoursPerBreath)
{
    const LightSettings s = Settings(2, 0, 1, 1);
    int expectedIndex = 0;
    for (int cycle = 0; cycle < 13; ++cycle) {
        for (int step = 1; step <= kBreathingCurveLength; ++step) {
            ASSERT_EQ(StepBreathingSpectrum(state, s, records), kLights);
            const int phase = step % kBreathingCurveLength;
            if (phase == 0)
                expectedIndex = (expectedIndex + 16) % kSpectrumLength;
            ASSERT_EQ(state.phase, phase);
            ASSERT_EQ(state.colourIndex, expectedIndex);
            ASSERT_EQ(Uniform(), Colour(kSpectrum[expectedIndex], kBreathingCurve[phase] * 135 / 256));
        }
    }
}

TEST_F(EffectStepsTest, BreathingSpectrumColourIndexWrapsToZeroNot192)
{
    state.colourIndex = 176;
    state.phase = 127;
    StepBreathingSpectrum(state, Settings(4, 0, 1, 1), records);
    EXPECT_EQ(state.phase, 0);
    EXPECT_EQ(state.colourIndex, 0);
}

TEST_F(EffectStepsTest, BreathingBackwardsAdvancesTheColourWhenThePhaseReachesZero)
{
    const LightSettings s = Settings(4, 0, 0, 0, {1, 2, 3});
    StepBreathingSpectrum(state, s, records);
    EXPECT_EQ(state.phase, 127);
    EXPECT_EQ(state.colourIndex, 0);
    for (int i = 0; i < 127; ++i)
        StepBreathingSpectrum(state, s, records);
    EXPECT_EQ(state.phase, 0);
    EXPECT_EQ(state.colourIndex, 16);
    // Without the multi-colour flag the set colour breathes.
    EXPECT_EQ(Uniform(), Colour({1, 2, 3}, 0));
}

TEST_F(EffectStepsTest, BreathingColoursCyclesTheFourFixedColours)
{
    const LightSettings s = Settings(4, 0, 1, 0);
    for (int cycle = 1; cycle <= 8; ++cycle) {
        for (int step = 0; step < kBreathingCurveLength; ++step)
            StepBreathingColours(state, s, records);
        ASSERT_EQ(state.colourIndex, cycle % 4);
        ASSERT_EQ(Uniform(), Colour(kFixedColours[cycle % 4], 0));
    }
    for (int step = 0; step < 63; ++step)
        StepBreathingColours(state, s, records);
    EXPECT_EQ(Uniform(), Colour(kFixedColours[0], 254));
}

TEST_F(EffectStepsTest, StaticShowsTheSetColourAtTheLevel)
{
    EXPECT_EQ(StepStatic(Settings(1, 0, 0, 1, {9, 8, 7}), records), kLights);
    EXPECT_EQ(Uniform(), Colour({9, 8, 7}, 80));
}

TEST_F(EffectStepsTest, SpectrumVisitsEveryColourInBothDirections)
{
    for (int step = 1; step <= kSpectrumLength; ++step) {
        StepSpectrum(state, Settings(3, 0, 1, 0), records);
        ASSERT_EQ(Uniform(), Colour(kSpectrum[step % kSpectrumLength], 195));
    }
    EXPECT_EQ(state.phase, 0);
    StepSpectrum(state, Settings(3, 0, 0, 0), records);
    EXPECT_EQ(state.phase, 191);
    EXPECT_EQ(Uniform(), Colour(kSpectrum[191], 195));
}

TEST_F(EffectStepsTest, BlinkSpectrumTogglesEveryPeriodOfItsSpeed)
{
    for (const auto& [speed, period] : {std::pair{4, 1400u}, std::pair{0, 5600u}}) {
        state = EffectState{};
        state.lastBlinkTime = 100000;
        const LightSettings s = Settings(4, speed, 1, 1);
        DWORD now = 100000;
        int expectedPhase = 0;
        bool on = false;
        for (int toggle = 1; toggle <= 24; ++toggle) {
            StepBlinkSpectrum(state, s, records, now + period - 1);
            ASSERT_EQ(bool(state.blinkOn), on) << "toggled early, speed " << speed;
            now += period;
            StepBlinkSpectrum(state, s, records, now);
            on = !on;
            expectedPhase = (expectedPhase + 16) % kSpectrumLength;
            ASSERT_EQ(bool(state.blinkOn), on);
            ASSERT_EQ(state.phase, expectedPhase);
            ASSERT_EQ(Uniform(), on ? Colour(kSpectrum[expectedPhase], 255) : LightColour{});
        }
        EXPECT_EQ(state.phase, 0);  // twelve toggles of 16 come back to the start
    }
}

TEST_F(EffectStepsTest, BlinkSpectrumWithoutMultiColourUsesTheSetColour)
{
    StepBlinkSpectrum(state, Settings(0, 4, 1, 0, {5, 6, 7}), records, 5000);
    EXPECT_EQ(Uniform(), Colour({5, 6, 7}, 30));
}

TEST_F(EffectStepsTest, BlinkColoursCyclesTheFixedColoursWhileOn)
{
    const LightSettings s = Settings(4, 4, 1, 0);
    DWORD now = 10000;
    std::vector<int> onPhases;
    for (int toggle = 0; toggle < 16; ++toggle, now += 1400) {
        StepBlinkColours(state, s, records, now);
        ASSERT_LE(state.phase, 3);
        if (state.blinkOn) {
            onPhases.push_back(state.phase);
            ASSERT_EQ(Uniform(), Colour(kFixedColours[state.phase], 255));
        } else {
            ASSERT_EQ(Uniform(), LightColour{});
        }
    }
    EXPECT_EQ(onPhases, (std::vector<int>{1, 3, 1, 3, 1, 3, 1, 3}));
}

TEST_F(EffectStepsTest, OffClearsEveryRecord)
{
    StepStatic(Settings(4, 0, 0, 0, {1, 1, 1}), records);
    EXPECT_EQ(StepOff(records), kLights);
    EXPECT_EQ(Uniform(), LightColour{});
}

}  // namespace
}  // namespace q31::devices
