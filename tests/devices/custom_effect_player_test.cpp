#include "devices/custom_effect_player.h"

#include "devices/light_tables.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

constexpr int kLights = 4;
// Written before a pass: a record still holding it was not touched.
constexpr std::uint32_t kUntouched = 0x01020304;
constexpr DWORD kStart = 100000;
constexpr DWORD kPassMs = 16;

CustomEffectStep Step(int mode, int brightness, int speed, Rgb colour = {10, 20, 30}, std::uint32_t durationMs = 60000,
                      int multiColour = 0, int direction = 0)
{
    CustomEffectStep step{};
    step[kStepMode] = std::uint8_t(mode);
    step[kStepBrightness] = std::uint8_t(brightness);
    step[kStepSpeed] = std::uint8_t(speed);
    step[kStepDirection] = std::uint8_t(direction);
    step[kStepMultiColour] = std::uint8_t(multiColour);
    step[kStepRed] = colour.r;
    step[kStepGreen] = colour.g;
    step[kStepBlue] = colour.b;
    SetStepDuration(step, durationMs);
    return step;
}

LightColour Colour(Rgb c, int a)
{
    return {c.r, c.g, c.b, std::uint8_t(a)};
}

class CustomEffectPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { records.Resize(kLights); }

    void Play(std::vector<CustomEffectStep> list)
    {
        steps = std::move(list);
        length = int(steps.size());
        position = 0;
    }

    // One pass at the next pass time; records not written keep kUntouched.
    void Pass()
    {
        records.Fill(kUntouched);
        StepCustomLighting(player, {lock, steps, position, length}, records, now);
        now += kPassMs;
    }

    // The number of the first pass that wrote the records (1-based), 0 when none of count did.
    int FirstWritingPass(int count)
    {
        for (int pass = 1; pass <= count; ++pass) {
            Pass();
            if (records.Load(0) != kUntouched)
                return pass;
        }
        return 0;
    }

    LightColour At(int light) const { return UnpackLightRecord(records.Load(light)); }

    CLightRecords records;
    CustomEffectPlayer player;
    std::recursive_mutex lock;
    std::vector<CustomEffectStep> steps;
    int position = 0;
    int length = 0;
    DWORD now = kStart;
};

TEST_F(CustomEffectPlayerTest, EmptyListTurnsEveryLightOffOnEveryPass)
{
    Play({});
    for (int pass = 0; pass < 3; ++pass) {
        Pass();
        for (int light = 0; light < kLights; ++light)
            EXPECT_EQ(records.Load(light), 0u);
    }
    EXPECT_EQ(position, 0);
}

TEST_F(CustomEffectPlayerTest, BreathingAndStaticStepOnTheSpeedThresholds)
{
    const int thresholds[] = {28, 23, 18, 13, 7};
    for (int mode : {kCustomStepBreathing, kCustomStepStatic}) {
        for (int speed = 0; speed < 5; ++speed) {
            player = {};
            Play({Step(mode, 4, speed)});
            EXPECT_EQ(FirstWritingPass(40), thresholds[speed]) << "mode " << mode << " speed " << speed;
            EXPECT_EQ(FirstWritingPass(40), thresholds[speed]) << "the count restarts after a step";
        }
    }
}

TEST_F(CustomEffectPlayerTest, BreathingFollowsTheCurveAndStaticShowsTheFullLevel)
{
    Play({Step(kCustomStepBreathing, 2, 4, {200, 100, 50})});
    for (int phase = 1; phase <= 40; ++phase) {
        ASSERT_EQ(FirstWritingPass(7), 7);
        EXPECT_EQ(At(3), Colour({200, 100, 50}, kBrightnessLevels[2] * kBreathingCurve[phase] / 256)) << phase;
    }
    Play({Step(kCustomStepBreathing, 4, 4, {200, 100, 50}, 60000, 1)});
    ASSERT_EQ(FirstWritingPass(7), 7);
    EXPECT_EQ(At(0), Colour(kSpectrum[0], 255 * kBreathingCurve[41] / 256)) << "multi-colour keeps the first entry";

    Play({Step(kCustomStepStatic, 1, 4, {1, 2, 3}, 60000, 1)});
    ASSERT_EQ(FirstWritingPass(7), 7);
    EXPECT_EQ(At(1), Colour({1, 2, 3}, 80)) << "static ignores the multi-colour flag";
}

TEST_F(CustomEffectPlayerTest, SpectrumStepsOnItsOwnThresholds)
{
    const int thresholds[] = {5, 4, 3, 2, 1};
    for (int speed = 0; speed < 5; ++speed) {
        player = {};
        Play({Step(kCustomStepSpectrum, 3, speed)});
        EXPECT_EQ(FirstWritingPass(10), thresholds[speed]) << speed;
        EXPECT_EQ(At(0), Colour(kSpectrum[1], 195));
        EXPECT_EQ(FirstWritingPass(10), thresholds[speed]) << speed;
        EXPECT_EQ(At(2), Colour(kSpectrum[2], 195));
    }
}

TEST_F(CustomEffectPlayerTest, FlowSpreadsTheColoursOverTheLightsEveryPass)
{
    Play({Step(kCustomStepFlow, 4, 4, {9, 8, 7}, 60000, 1)});
    Pass();
    EXPECT_EQ(At(0), Colour(kSpectrum[1], 255));
    EXPECT_EQ(At(1), Colour(kSpectrum[13], 255));
    for (int pass = 2; pass <= 7; ++pass)
        Pass();
    EXPECT_EQ(At(0), Colour(kSpectrum[2], 255)) << "the phase moved on the seventh pass";

    player = {};
    Play({Step(kCustomStepFlow, 4, 4, {9, 8, 7}, 60000, 1, 1)});
    Pass();
    EXPECT_EQ(At(0), Colour(kSpectrum[191], 255)) << "the other direction starts at the end";
    EXPECT_EQ(At(1), Colour(kSpectrum[11], 255));

    player = {};
    Play({Step(kCustomStepFlow, 4, 4, {9, 8, 7})});
    Pass();
    EXPECT_EQ(At(0), Colour({9, 8, 7}, 255 * kWave[13] / 256));
    EXPECT_EQ(At(1), Colour({9, 8, 7}, 255 * kWave[25] / 256));
}

TEST_F(CustomEffectPlayerTest, BlinkTogglesAfterTheSpeedTimesTwoHundredMilliseconds)
{
    Play({Step(kCustomStepBlink, 4, 4, {5, 6, 7})});
    Pass();
    EXPECT_EQ(At(0), Colour({5, 6, 7}, 255)) << "the first pass turns it on";
    const DWORD toggled = now - kPassMs;
    while (now < toggled + 7 * 200) {
        Pass();
        ASSERT_EQ(At(0), Colour({5, 6, 7}, 255));
    }
    Pass();
    EXPECT_EQ(records.Load(0), 0u);

    player = {};
    Play({Step(kCustomStepBlink, 4, 4, {5, 6, 7}, 60000, 1)});
    Pass();
    EXPECT_EQ(At(3), Colour(kSpectrum[1 + 14], 255)) << "the colour index is the phase plus 14";
}

TEST_F(CustomEffectPlayerTest, EachStepRunsLongerThanItsDurationAndTheLastIsFollowedByTheFirst)
{
    Play({Step(kCustomStepStatic, 4, 4, {1, 1, 1}, 1000), Step(kCustomStepStatic, 4, 4, {2, 2, 2}, 500)});
    const DWORD begin = now;
    while (now <= begin + 1000) {
        Pass();
        ASSERT_EQ(position, 0);
    }
    Pass();
    EXPECT_EQ(position, 1);
    const DWORD second = now - kPassMs;
    while (now <= second + 500)
        Pass();
    Pass();
    EXPECT_EQ(position, 0);
}

TEST_F(CustomEffectPlayerTest, AnUnknownModeLeavesTheLightsAndAShorterListStartsAgain)
{
    Play({Step(3, 4, 4), Step(6, 4, 4)});
    for (int pass = 0; pass < 30; ++pass) {
        Pass();
        ASSERT_EQ(records.Load(0), kUntouched);
    }
    position = 5;
    Pass();
    EXPECT_EQ(position, 0);
}

// A hand-edited file may give any byte: past 4 it is the brightest level and
// the fastest speed, never a read beyond the tables.
TEST_F(CustomEffectPlayerTest, BrightnessAndSpeedPastTheTablesAreHeldAtTheirLastLevel)
{
    Play({Step(kCustomStepStatic, 200, 9, {3, 2, 1})});
    EXPECT_EQ(FirstWritingPass(40), 7);
    EXPECT_EQ(At(0), Colour({3, 2, 1}, 255));
    player = {};
    Play({Step(kCustomStepSpectrum, 255, 255)});
    EXPECT_EQ(FirstWritingPass(10), 1);
    EXPECT_EQ(At(0).a, 255);
}

}  // namespace
}  // namespace q31::devices
