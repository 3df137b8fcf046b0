#include "devices/pad_effect_steps.h"

#include <gtest/gtest.h>

#include <vector>

namespace q31::devices {
namespace {

constexpr int kPadLeds = 15;

LightSettings Settings(int mode, int direction, int multiColour, Rgb colour = {10, 20, 30})
{
    LightSettings s{};
    s[kSettingEffect] = std::uint8_t(mode);
    s[kSettingBrightness] = 4;
    s[kSettingDirection] = std::uint8_t(direction);
    s[kSettingMultiColour] = std::uint8_t(multiColour);
    s[kSettingRed] = colour.r;
    s[kSettingGreen] = colour.g;
    s[kSettingBlue] = colour.b;
    return s;
}

LightColour Colour(Rgb c, int a)
{
    return {c.r, c.g, c.b, std::uint8_t(a)};
}

class PadEffectStepsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        records.Resize(kPadLeds);
        RestartWaves(lights);
    }

    LightColour At(int led) const { return UnpackLightRecord(records.Load(std::size_t(led))); }

    std::vector<int> Levels() const
    {
        std::vector<int> levels;
        for (int led = 0; led < int(records.Size()); ++led)
            levels.push_back(At(led).a);
        return levels;
    }

    void Step(const LightSettings& settings, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            ASSERT_TRUE(StepPadPreview(settings[kSettingEffect], effect, wave, lights, settings, records, 0));
    }

    EffectState effect;
    PadWaveState wave;
    CKeyLights lights;
    CLightRecords records;
};

TEST_F(PadEffectStepsTest, FlowGivesEachLedItsSpectrumEntrySevenOnFromItsNeighbour)
{
    Step(Settings(kPadModeFlow, 1, 1));
    EXPECT_EQ(effect.phase, 1);
    EXPECT_EQ(At(0), Colour(kSpectrum[2], 255));
    EXPECT_EQ(At(14), Colour(kSpectrum[100], 255));
}

TEST_F(PadEffectStepsTest, FlowInTheSetColourRunsTheWaveBackwards)
{
    const Rgb colour{200, 100, 50};
    Step(Settings(kPadModeFlow, 0, 0, colour));
    EXPECT_EQ(effect.phase, 95);
    for (int led : {0, 1, 14})
        EXPECT_EQ(At(led), Colour(colour, 255 * kWave[(96 + 7 * led) % 96] / 256)) << "LED " << led;
}

TEST_F(PadEffectStepsTest, TheRingWaveLightsOneLedAfterAnotherFromTheEntry)
{
    const LightSettings settings = Settings(kPadModeRingWave, 1, 0);
    Step(settings, 2);
    EXPECT_EQ(Levels(), std::vector<int>(kPadLeds, 0));
    // The third step flares up the entry LED and moves the ring on; the flare fades by 40 at once.
    Step(settings);
    EXPECT_EQ(At(0), Colour({10, 20, 30}, 255 * 215 / 256));
    EXPECT_EQ(At(1).a, 0);
    Step(settings, 2);
    EXPECT_EQ(At(1).a, 255 * 215 / 256);
    EXPECT_GT(At(0).a, 0);
    EXPECT_LT(At(0).a, At(1).a);
}

TEST_F(PadEffectStepsTest, TheRingWaveBackwardsLeavesThePadForTheRingsFarEnd)
{
    const LightSettings settings = Settings(kPadModeRingWave, 0, 0);
    Step(settings, 3);
    EXPECT_EQ(lights.RingByte(CKeyLights::kRingSize - 1), 1);
    Step(settings, 2);
    // Ring bytes past the pad's LEDs light nothing.
    EXPECT_EQ(lights.RingByte(CKeyLights::kRingSize - 2), 1);
    for (int led = 1; led < kPadLeds; ++led)
        EXPECT_EQ(At(led).a, 0) << "LED " << led;
}

TEST_F(PadEffectStepsTest, TheRingWavesSpectrumMovesTwelveEntriesALedAndWrapsPastItsEnd)
{
    const LightSettings settings = Settings(kPadModeRingWave, 1, 1);
    Step(settings);
    // Phase 1, then twelve entries per LED.
    EXPECT_EQ(At(0), Colour(kSpectrum[13], 0));
    EXPECT_EQ(At(14), Colour(kSpectrum[181], 0));
    Step(settings);
    // 182 + 12 = 194 is entry 2.
    EXPECT_EQ(At(0), Colour(kSpectrum[2], 0));
}

TEST_F(PadEffectStepsTest, WhileTheEntryLedIsLitTheRingWaveKeepsTheColoursItShows)
{
    const LightSettings settings = Settings(kPadModeRingWave, 1, 1);
    Step(settings, 2);
    const LightColour before = At(5);
    Step(settings);
    EXPECT_GT(At(0).a, 0);
    EXPECT_EQ((Rgb{At(5).r, At(5).g, At(5).b}), (Rgb{before.r, before.g, before.b}));
}

TEST_F(PadEffectStepsTest, TheColumnWaveLightsBothLedsOfAColumnAndLeavesTheEntryLed)
{
    const LightSettings settings = Settings(kPadModeColumnWave, 1, 0);
    records.Store(0, PackLightRecord({1, 2, 3, 4}));
    Step(settings, 3);
    EXPECT_EQ(At(1), Colour({10, 20, 30}, 255 * 215 / 256));
    EXPECT_EQ(At(14), At(1));
    EXPECT_EQ(At(0), (LightColour{1, 2, 3, 4}));
    for (int led = 2; led < 14; ++led)
        EXPECT_EQ(At(led).a, 0) << "LED " << led;
    // Only the first eight ring bytes move, towards the front.
    EXPECT_EQ(lights.RingByte(7), 1);
    EXPECT_EQ(lights.RingByte(CKeyLights::kRingSize - 1), 0);
}

TEST_F(PadEffectStepsTest, TheColumnWaveSkipsLedsPastTheRecords)
{
    records.Resize(13);
    Step(Settings(kPadModeColumnWave, 1, 0), 3);
    EXPECT_GT(At(1).a, 0);
    EXPECT_EQ(At(12).a, 0);
}

TEST_F(PadEffectStepsTest, TheModesPastThePadsOwnArePlayedByTheCustomEffect)
{
    const LightSettings settings = Settings(0, 1, 0);
    for (const int mode : {5, 9, 10, 255})
        EXPECT_FALSE(StepPadPreview(mode, effect, wave, lights, settings, records, 0)) << "mode " << mode;
    Step(Settings(kPadModeOff, 1, 0));
    EXPECT_EQ(Levels(), std::vector<int>(kPadLeds, 0));
    Step(Settings(kPadModeStatic, 1, 0));
    EXPECT_EQ(At(7), Colour({10, 20, 30}, 255));
}

}  // namespace
}  // namespace q31::devices
