// The keyboard's light modes frame by frame, with the random numbers pinned.
#include "keyboard_effect_rig.h"

#include "devices/keyboard_effect_steps.h"
#include "devices/keyboard_layout.h"
#include "devices/keyboard_light_modes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace q31::devices {
namespace {

constexpr int kPress = 1;
constexpr int kRelease = 2;

TEST(KeyboardEffectsTest, OneColourFollowsTheSecondaryMode)
{
    for (const auto& [secondary, index] : std::map<int, int>{{1, 25}, {2, 70}, {3, 95}, {0, 174}, {9, 174}}) {
        KeyboardEffectRig rig(17);
        rig.settings[kSettingSecondary] = std::uint8_t(secondary);
        rig.Step();
        for (int light = 0; light < kEffectLights; ++light)
            ASSERT_EQ(rig.At(light), Full(kSpectrum[index])) << secondary << " light " << light;
    }
}

TEST(KeyboardEffectsTest, LevelColourStreamsTheFirstThreeLevelsScaledByTheFullLevel)
{
    KeyboardEffectRig rig(kKeyboardModeLevelColour);
    const int levels[6] = {100, 50, 200, 7, 8, 9};
    rig.effects.OnAudioLevels(levels);
    rig.Step();
    KeyboardLayout layout;
    layout.lightOfKey.fill(kNoKeyEntry);
    layout.lightOfKey[0] = 4;
    layout.lightOfKey[30] = 60;
    const LiveFrame frame = KeyboardLiveFrame(layout, rig.records);
    for (const int light : {4, 60}) {
        EXPECT_EQ(frame[3 * light], 0x63);
        EXPECT_EQ(frame[3 * light + 1], 0x31);
        EXPECT_EQ(frame[3 * light + 2], 0xC7);
    }
}

TEST(KeyboardEffectsTest, FadeLightsAPressedKeyAndTakes51StepsToDarkAfterTheRelease)
{
    KeyboardEffectRig rig(7);
    rig.Key(30, kPress);
    rig.Step();
    const std::uint8_t colour = rig.State().colour[30];
    EXPECT_EQ(rig.At(30), Full(kSpectrum[colour], 255 * 255 / 256));
    rig.Key(30, kRelease);
    int steps = 0;
    while (rig.State().intensity[30] != 0 && steps < 1000) {
        rig.Step();
        ++steps;
    }
    EXPECT_EQ(steps, 51);
    EXPECT_EQ(rig.At(30).a, 0);
}

TEST(KeyboardEffectsTest, SplashKeepsTheLightBetweenTwoHeldKeysUntilTheSecondIsReleased)
{
    // Keys 44 and 46 on the letter row, 45 between them.
    KeyboardEffectRig rig(25);
    rig.Key(44, kPress);
    rig.Key(46, kPress);
    rig.Step(20);
    EXPECT_EQ(rig.State().intensity[45], 255);
    rig.Key(44, kRelease);
    rig.Step(60);
    EXPECT_EQ(rig.State().intensity[45], 255);
    EXPECT_EQ(rig.State().fade[44], kFadeIn) << "next to the held key";
    rig.Key(46, kRelease);
    rig.Step(60);
    EXPECT_EQ(rig.State().intensity[45], 0);
    EXPECT_EQ(rig.State().intensity[46], 0);
}

TEST(KeyboardEffectsTest, SplashReachesTheNeighboursByTheirDistance)
{
    KeyboardEffectRig rig(25);
    rig.Key(50, kPress);  // column 9, row 2
    const KeyboardEffectState s = rig.State();
    EXPECT_EQ(s.intensity[50], 255);
    EXPECT_EQ(s.intensity[29], 150);  // above
    EXPECT_EQ(s.intensity[51], 150);  // right
    EXPECT_EQ(s.intensity[6], 90);    // two above
    EXPECT_EQ(s.intensity[70], 90);   // below left
    EXPECT_EQ(s.intensity[52], 60);   // two right
    EXPECT_EQ(s.intensity[93], 0);    // out of reach
}

TEST(KeyboardEffectsTest, FillCountsDownFrom170AndStartsAgainThere)
{
    KeyboardEffectRig rig(21, 1, 1, 0);
    rig.Step();
    EXPECT_EQ(rig.State().phase, 170);
    rig.Step();
    EXPECT_EQ(rig.State().phase, 169);
    rig.Step(169);
    EXPECT_EQ(rig.State().phase, 0);
    rig.Step();
    EXPECT_EQ(rig.State().phase, 170);
}

TEST(KeyboardEffectsTest, FillForwardsLightsTheSnakeInOrder)
{
    KeyboardEffectRig rig(21);
    rig.Step();
    EXPECT_EQ(rig.State().phase, 1);
    const std::uint8_t first = KeyboardTables().snake[0];
    EXPECT_GT(rig.State().intensity[first], 200);
    rig.Step(170);
    EXPECT_EQ(rig.State().phase, 0);
}

// A walk over the snake list reaches its padding places; they name no light.
TEST(KeyboardEffectsTest, WalksSkipThePaddingOfTheirTables)
{
    for (const int direction : {0, 1}) {
        KeyboardEffectRig rig(21, 1, 1, direction);
        const KeyboardEffectState start = rig.State();
        rig.Step(400);
        // The colours live right after the intensities: a write at 170 would change the first.
        EXPECT_EQ(rig.State().colour, start.colour);
    }
    for (const int mode : {3, 15, 16, 22}) {
        KeyboardEffectRig rig(mode);
        rig.records.Resize(kEffectLights + 1);
        rig.Step(3);
        EXPECT_EQ(rig.records.Load(kNoLight), 0u) << mode;
    }
}

TEST(KeyboardEffectsTest, ARippleFromAKeyWithoutAGridCellIsIgnored)
{
    for (const int mode : {8, 9}) {
        KeyboardEffectRig rig(mode);
        rig.Key(140, kPress);
        for (const WavePlane& plane : rig.State().waves)
            EXPECT_EQ(plane, WavePlane{});
        rig.Step();
        for (int light = 0; light < kEffectLights; ++light)
            EXPECT_EQ(rig.At(light).a, 0);
    }
}

TEST(KeyboardEffectsTest, RippleSpreadsFromThePressedKey)
{
    KeyboardEffectRig rig(8);
    rig.Key(50, kPress);  // column 9, row 2
    rig.Step();
    EXPECT_EQ(rig.State().intensity[50], 255 - 40);
    rig.Step();
    // One step on, the four fronts stand above, below and either side of it.
    for (const int light : {29, 49, 51, 71})
        EXPECT_EQ(rig.State().intensity[light], 255 - 40) << light;
    EXPECT_EQ(rig.State().intensity[50], 255 - 40 - 40);
}

TEST(KeyboardEffectsTest, LineRippleRunsAlongTheRowBothWays)
{
    KeyboardEffectRig rig(9);
    rig.Key(50, kPress);
    rig.Step(3);
    for (const int light : {48, 52})  // two columns either side
        EXPECT_EQ(rig.State().intensity[light], 255 - 40) << light;
    EXPECT_EQ(rig.State().intensity[29], 0);
}

TEST(KeyboardEffectsTest, SweepColoursPastTheSpectrumShowItsLastColour)
{
    KeyboardEffectRig rig(24);
    rig.Step(80);
    const KeyboardEffectState s = rig.State();
    int checked = 0;
    for (int light = 0; light < kEffectLights; ++light) {
        if (s.colour[light] >= kSpectrumLength) {
            EXPECT_EQ(rig.At(light), Full(kSpectrum[191])) << light;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(KeyboardEffectsTest, StartActionsAndClearPreview)
{
    KeyboardEffectRig rig(11);
    for (int i = 0; i < kEffectLights; ++i)
        ASSERT_EQ(rig.State().colour[i], 33 * (i + 1) % 192);
    rig.Mode(13);
    EXPECT_EQ(rig.State().waves[0][9], 1 << 6);
    EXPECT_EQ(rig.State().waves[3][9], 1 << 6);
    rig.Mode(16);
    EXPECT_EQ(rig.State().waves[2][1], 1);
    EXPECT_EQ(rig.State().waves[0][9], 0) << "cleared on the change";
    rig.Mode(22);
    // Column 0's lights: 192 - 35 ... per row, wrapping below 35.
    EXPECT_EQ(rig.State().startPhase[120], 157 - 35);
    EXPECT_EQ(rig.State().colour[120], 0);
    EXPECT_EQ(rig.State().colour[22], 14);
    rig.Mode(15);
    EXPECT_EQ(rig.State().intensity[0], KeyboardTables().startIntensities[2 * kGridRows]);
    EXPECT_EQ(rig.State().colour[0], 14);
    rig.effects.ClearPreview();
    EXPECT_EQ(rig.State().intensity, LightBytes{});
    EXPECT_EQ(rig.State().phase, 0);
}

// Pictures that depend on nothing but the phase.
TEST(KeyboardEffectsTest, WavesAndRingsTakeTheirColoursFromThePhase)
{
    KeyboardEffectRig columns(1);
    columns.Step();
    EXPECT_EQ(columns.At(GridLight(0, 3)), Full(kSpectrum[2]));
    EXPECT_EQ(columns.At(GridLight(5, 3)), Full(kSpectrum[2 + 35]));
    KeyboardEffectRig single(1, 1, 0);
    single.Step();
    EXPECT_EQ(single.At(GridLight(3, 1)).a, kWave[2 + 21] * 255 / 256);
    EXPECT_EQ(single.At(GridLight(3, 1)).r, 200);

    KeyboardEffectRig rows(12);
    rows.Step();
    EXPECT_EQ(rows.At(GridLight(7, 4)), Full(kSpectrum[2 + 96]));

    KeyboardEffectRig slow(2);
    slow.Step();
    EXPECT_EQ(slow.At(GridLight(10, 0)), Full(kSpectrum[1 + 20]));

    KeyboardEffectRig snake(3);
    snake.Step();
    EXPECT_EQ(snake.At(KeyboardTables().orderWalk[4]), Full(kSpectrum[1 + 20]));

    KeyboardEffectRig staticRings(6);
    staticRings.Step();
    EXPECT_EQ(staticRings.At(KeyboardTables().rings[0][0]), Full(kSpectrum[138]));
    EXPECT_EQ(staticRings.At(KeyboardTables().rings[11][0]), Full(kSpectrum[6]));

    KeyboardEffectRig rotating(18);
    rotating.Step();
    EXPECT_EQ(rotating.At(KeyboardTables().rings[2][0]), Full(kSpectrum[1 + 21]));

    KeyboardEffectRig breathing(5);
    breathing.Step(64);
    EXPECT_EQ(breathing.At(GridLight(4, 2)), Full(kSpectrum[28], std::uint8_t(kBreathingCurve[64] * 255 / 256)));

    KeyboardEffectRig cycle(11);
    cycle.Step();
    EXPECT_EQ(cycle.At(0), Full(kSpectrum[34]));
}

TEST(KeyboardEffectsTest, TwinkleAndIntroLightKeysAndLetThemFade)
{
    KeyboardEffectRig twinkle(10);
    twinkle.Step();
    int lit = 0;
    for (const std::uint8_t i : twinkle.State().intensity)
        lit += i == 255 - 40 ? 1 : 0;
    EXPECT_GE(lit, 1);
    EXPECT_LE(lit, 6);

    KeyboardEffectRig intro(14);
    intro.Step();
    for (const std::uint8_t light : KeyboardTables().introFrames[0]) {
        if (light != kNoGroupLight) {
            EXPECT_EQ(intro.State().intensity[light], 255 - 40);
        }
    }
    // Columns, pairs, the ripple from light 50 to the corner, then back to the columns.
    std::set<int> stages;
    for (int step = 0; step < 600 && !(stages.size() == 5 && intro.State().waveCounter == 0); ++step) {
        intro.Step();
        stages.insert(intro.State().waveCounter);
    }
    EXPECT_EQ(stages, (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(intro.State().waveCounter, 0);
}

TEST(KeyboardEffectsTest, BouncingAndEdgeWavesKeepTheirFrontsAlive)
{
    KeyboardEffectRig bounce(13);
    bounce.Step(200);
    int lit = 0;
    for (int light = 0; light < kEffectLights; ++light)
        lit += bounce.At(light).a > 0 ? 1 : 0;
    EXPECT_GT(lit, 0);
    KeyboardEffectRig edges(16);
    edges.Step(200);
    lit = 0;
    for (int light = 0; light < kEffectLights; ++light)
        lit += edges.At(light).a > 0 ? 1 : 0;
    EXPECT_GT(lit, 0);
}

TEST(KeyboardEffectsTest, RandomBreathingRestartsEachBreathWithANewColour)
{
    KeyboardEffectRig fast(15);
    const std::uint8_t light = KeyboardTables().orderLights[0];
    const int start = fast.State().intensity[light];
    fast.Step();
    EXPECT_EQ(fast.State().intensity[light], start + 2);
    EXPECT_EQ(fast.At(light),
              Full(kSpectrum[fast.State().colour[light]], std::uint8_t(255 * kTwinkleCurve[start + 2] / 256)));
    fast.Step((192 - start) / 2 - 1);
    EXPECT_EQ(fast.State().intensity[light], 0);
}

TEST(KeyboardEffectsTest, CustomColoursKeepTheirColourAtTheSetLevel)
{
    KeyboardEffectRig rig(19);
    rig.settings[kSettingBrightness] = 1;
    rig.records.Store(5, PackLightRecord({1, 2, 3, 255}));
    rig.Step();
    EXPECT_EQ(rig.At(5), (LightColour{1, 2, 3, 80}));
}

// Every mode the effects draw gives the same frames from the same seed,
// and the random modes differ with another seed.
TEST(KeyboardEffectsTest, ASeedPinsEveryFrame)
{
    for (int mode = 1; mode <= 30; ++mode) {
        if (mode == 20)
            continue;
        KeyboardEffectRig a(mode, 5), b(mode, 5);
        EXPECT_TRUE(a.effects.Step(a.settings, a.records, 0)) << mode;
        a.Key(50, kPress);
        b.effects.Step(b.settings, b.records, 0);
        b.Key(50, kPress);
        a.Step(40);
        b.Step(40);
        EXPECT_EQ(a.Frame(), b.Frame()) << mode;
    }
    for (const int mode : {10, 15, 22}) {
        KeyboardEffectRig a(mode, 5), b(mode, 6);
        a.Step(200);
        b.Step(200);
        EXPECT_NE(a.Frame(), b.Frame()) << mode;
    }
    KeyboardEffectRig custom(20);
    EXPECT_FALSE(custom.effects.Step(custom.settings, custom.records, 0));
}

}  // namespace
}  // namespace q31::devices
