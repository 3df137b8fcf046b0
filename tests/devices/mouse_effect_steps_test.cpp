#include "devices/mouse_effect_steps.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace q31::devices {
namespace {

LightSettings Settings(int brightness, int direction, int multiColour, Rgb colour = {10, 20, 30})
{
    LightSettings s{};
    s[kSettingBrightness] = std::uint8_t(brightness);
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

std::vector<LightColour> Frame(const CLightRecords& records)
{
    std::vector<LightColour> frame;
    for (std::size_t i = 0; i < records.Size(); ++i)
        frame.push_back(UnpackLightRecord(records.Load(i)));
    return frame;
}

// LEDs by column, as they stand on the mouse.
const std::vector<std::vector<int>> kColumnLeds = {{0, 13}, {1, 12}, {2, 11}, {3, 10}, {4, 9}, {5, 8}, {6, 14, 7}};

class MouseEffectStepsTest : public ::testing::Test {
protected:
    void SetUp() override { records.Resize(kMouseLedCount); }

    // Every LED of column c shows expected(c).
    template <typename Expected>
    void ExpectColumns(Expected expected)
    {
        const std::vector<LightColour> frame = Frame(records);
        for (int column = 0; column < kMouseColumnCount; ++column)
            for (int led : kColumnLeds[column])
                EXPECT_EQ(frame[led], expected(column)) << "LED " << led;
    }

    CLightRecords records;
    MouseEffectState state;
};

TEST(MouseLightTablesTest, WaveIsTheBreathingCurveWithoutItsDimEnds)
{
    const std::array<std::uint8_t, 48> rise = {
        22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
        77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
        158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};
    for (int i = 0; i < 48; ++i) {
        EXPECT_EQ(kWave[i], rise[i]) << i;
        EXPECT_EQ(kWave[kWaveLength - 1 - i], rise[i]) << i;
    }
}

TEST(MouseLightTablesTest, ColumnsHoldTheirLeds)
{
    for (int column = 0; column < kMouseColumnCount; ++column)
        for (int led : kColumnLeds[column])
            EXPECT_EQ(kMouseLedColumns[led], column) << led;
}

TEST(MouseStepThresholdTest, FallsWithSpeedAndStaysInTheTable)
{
    EXPECT_EQ(MouseStepThreshold(0), 28);
    EXPECT_EQ(MouseStepThreshold(1), 23);
    EXPECT_EQ(MouseStepThreshold(2), 18);
    EXPECT_EQ(MouseStepThreshold(3), 13);
    EXPECT_EQ(MouseStepThreshold(4), 7);
    EXPECT_EQ(MouseStepThreshold(5), 7);
    EXPECT_EQ(MouseStepThreshold(255), 7);
}

TEST_F(MouseEffectStepsTest, FlowWithMultiColourShiftsTheWheelSevenEntriesPerColumn)
{
    EXPECT_EQ(StepMouseFlow(state, Settings(2, 1, 1), records), kMouseLedCount);
    EXPECT_EQ(state.phase, 1);
    ExpectColumns([](int c) { return Colour(kSpectrum[2 + 7 * c], 135); });

    state.phase = 191;
    StepMouseFlow(state, Settings(2, 1, 1), records);
    EXPECT_EQ(state.phase, 0);
    ExpectColumns([](int c) { return Colour(kSpectrum[1 + 7 * c], 135); });

    StepMouseFlow(state, Settings(2, 0, 1), records);
    EXPECT_EQ(state.phase, 191);
    ExpectColumns([](int c) { return Colour(kSpectrum[(192 + 7 * c) % 192], 135); });
}

TEST_F(MouseEffectStepsTest, FlowInOneColourRunsTheWaveAcrossTheColumns)
{
    const Rgb colour = {1, 2, 3};
    StepMouseFlow(state, Settings(4, 1, 0, colour), records);
    EXPECT_EQ(state.phase, 1);
    ExpectColumns([&](int c) { return Colour(colour, 255 * kWave[2 + 7 * c] / 256); });

    state.phase = 95;
    StepMouseFlow(state, Settings(4, 1, 0, colour), records);
    EXPECT_EQ(state.phase, 0);
    ExpectColumns([&](int c) { return Colour(colour, 255 * kWave[1 + 7 * c] / 256); });
    EXPECT_EQ(UnpackLightRecord(records.Load(0)).a, 24 * 255 / 256);  // wave entry 1

    // A phase the multi-colour flow left beyond the wave comes back inside it.
    state.phase = 150;
    StepMouseFlow(state, Settings(4, 0, 0, colour), records);
    EXPECT_EQ(state.phase, 95);
    ExpectColumns([&](int c) { return Colour(colour, 255 * kWave[(96 + 7 * c) % 96] / 256); });
}

TEST_F(MouseEffectStepsTest, ColumnWaveMovesTwelveEntriesPerColumnAndKeepsThePhase)
{
    StepMouseColumnWave(state, Settings(3, 1, 1), records);
    ExpectColumns([](int c) { return Colour(kSpectrum[1 + 12 * (c + 1)], 195 * 255 / 256); });
    EXPECT_EQ(state.phase, 85);

    state.phase = 180;
    StepMouseColumnWave(state, Settings(3, 1, 1), records);
    ExpectColumns([](int c) { return Colour(kSpectrum[(181 + 12 * (c + 1)) % 192], 195 * 255 / 256); });
    EXPECT_EQ(state.phase, (181 + 84) % 192);

    state.phase = 0;
    StepMouseColumnWave(state, Settings(3, 0, 1), records);
    ExpectColumns([](int c) { return Colour(kSpectrum[(191 + 12 * (c + 1)) % 192], 195 * 255 / 256); });
}

TEST_F(MouseEffectStepsTest, ColumnWaveInOneColourDimsEachColumnByItsLevel)
{
    state.columnLevels[3] = 128;
    StepMouseColumnWave(state, Settings(4, 1, 0, {7, 8, 9}), records);
    ExpectColumns([](int c) { return Colour({7, 8, 9}, c == 3 ? 127 : 254); });
}

TEST_F(MouseEffectStepsTest, RippleIsDarkUntilAKeyPress)
{
    StepMouseRipple(state, Settings(4, 1, 1), records);
    for (const LightColour& led : Frame(records))
        EXPECT_EQ(led.a, 0);
}

TEST_F(MouseEffectStepsTest, KeyPressStartsEveryLedAtFullLevelWithItsOwnWheelEntry)
{
    std::deque<std::uint32_t> draws = {0, 191, 192, 1000, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0xFFFFFFFF};
    StartMouseRipple(state, [&] {
        const std::uint32_t value = draws.front();
        draws.pop_front();
        return value;
    });
    EXPECT_TRUE(draws.empty());

    StepMouseRipple(state, Settings(1, 1, 1), records);
    const std::vector<LightColour> frame = Frame(records);
    EXPECT_EQ(frame[0], Colour(kSpectrum[0], 80 * 255 / 256));
    EXPECT_EQ(frame[1], Colour(kSpectrum[191], 79));
    EXPECT_EQ(frame[2], Colour(kSpectrum[0], 79));
    EXPECT_EQ(frame[3], Colour(kSpectrum[1000 % 192], 79));
    EXPECT_EQ(frame[14], Colour(kSpectrum[0xFFFFFFFFu % 192], 79));
}

TEST_F(MouseEffectStepsTest, RippleFallsFifteenPerStepToDarkAndStays)
{
    StartMouseRipple(state, [] { return 5u; });
    const LightSettings s = Settings(4, 1, 0, {50, 60, 70});
    for (int level = 255; level >= 0; level -= 15) {
        StepMouseRipple(state, s, records);
        for (const LightColour& led : Frame(records))
            ASSERT_EQ(led, Colour({50, 60, 70}, 255 * level / 256));
    }
    StepMouseRipple(state, s, records);
    EXPECT_EQ(UnpackLightRecord(records.Load(0)).a, 0);
}

TEST_F(MouseEffectStepsTest, RippleRisesToFullThenFalls)
{
    state.ripples[4] = {200, true, 64};
    const LightSettings s = Settings(4, 1, 1);
    std::vector<int> levels;
    for (int step = 0; step < 8; ++step) {
        StepMouseRipple(state, s, records);
        levels.push_back(state.ripples[4].level);
        ASSERT_EQ(UnpackLightRecord(records.Load(4)), Colour(kSpectrum[64], 255 * levels.back() / 256));
    }
    EXPECT_EQ(levels, (std::vector<int>{215, 230, 245, 255, 240, 225, 210, 195}));
}

TEST_F(MouseEffectStepsTest, StepsWriteOnlyTheMouseLedsTheRecordsHold)
{
    records.Resize(4);
    EXPECT_EQ(StepMouseFlow(state, Settings(4, 1, 1), records), 4);
    EXPECT_EQ(StepMouseColumnWave(state, Settings(4, 1, 1), records), 4);
    EXPECT_EQ(StepMouseRipple(state, Settings(4, 1, 1), records), 4);

    records.Resize(20);
    records.Fill(0x01020304);
    EXPECT_EQ(StepMouseFlow(state, Settings(4, 1, 1), records), kMouseLedCount);
    for (std::size_t i = kMouseLedCount; i < 20; ++i)
        EXPECT_EQ(records.Load(i), 0x01020304u);
}

TEST_F(MouseEffectStepsTest, BrightnessBeyondTheTableTakesFullLevel)
{
    StepMouseFlow(state, Settings(200, 1, 1), records);
    ExpectColumns([](int c) { return Colour(kSpectrum[2 + 7 * c], 255); });
}

TEST_F(MouseEffectStepsTest, PreviewRunsTheRoutineOfEachMode)
{
    using Step = std::function<void(EffectState&, MouseEffectState&, const LightSettings&, CLightRecords&, DWORD)>;
    const std::vector<std::pair<int, Step>> routines = {
        {0, [](EffectState&, MouseEffectState& m, auto& s, auto& r, DWORD) { StepMouseFlow(m, s, r); }},
        {1, [](EffectState& e, MouseEffectState&, auto& s, auto& r, DWORD) { StepSpectrum(e, s, r); }},
        {2, [](EffectState& e, MouseEffectState&, auto& s, auto& r, DWORD) { StepBreathingSpectrum(e, s, r); }},
        {3, [](EffectState&, MouseEffectState&, auto& s, auto& r, DWORD) { StepStatic(s, r); }},
        {4, [](EffectState& e, MouseEffectState&, auto& s, auto& r, DWORD t) { StepBlinkSpectrum(e, s, r, t); }},
        {5, [](EffectState&, MouseEffectState& m, auto& s, auto& r, DWORD) { StepMouseColumnWave(m, s, r); }},
        {6, [](EffectState&, MouseEffectState& m, auto& s, auto& r, DWORD) { StepMouseRipple(m, s, r); }},
        {7, [](EffectState& e, MouseEffectState&, auto& s, auto& r, DWORD) { StepBreathingColours(e, s, r); }},
        {8, [](EffectState& e, MouseEffectState&, auto& s, auto& r, DWORD t) { StepBlinkColours(e, s, r, t); }},
        {9, [](EffectState&, MouseEffectState&, auto&, auto& r, DWORD) { StepOff(r); }},
    };
    const LightSettings s = Settings(3, 1, 1, {40, 50, 60});
    for (const auto& [mode, routine] : routines) {
        EffectState common;
        MouseEffectState mouse;
        StartMouseRipple(mouse, [] { return 30u; });
        records.Fill(0xFFFFFFFF);
        CLightRecords expected;
        expected.Resize(kMouseLedCount);
        expected.Fill(0xFFFFFFFF);
        EffectState expectedCommon;
        MouseEffectState expectedMouse = mouse;
        // Two steps, so routines that keep their position show the second frame.
        for (DWORD now : {6000u, 12000u}) {
            ASSERT_TRUE(StepMousePreview(mode, common, mouse, s, records, now)) << mode;
            routine(expectedCommon, expectedMouse, s, expected, now);
        }
        EXPECT_EQ(Frame(records), Frame(expected)) << "mode " << mode;
        EXPECT_EQ(common.phase, expectedCommon.phase) << "mode " << mode;
        EXPECT_EQ(mouse.phase, expectedMouse.phase) << "mode " << mode;
    }
}

TEST_F(MouseEffectStepsTest, PreviewLeavesOtherModesToTheCustomEffects)
{
    EffectState common;
    records.Fill(0x11223344);
    for (int mode : {-1, 10, 11, 255}) {
        EXPECT_FALSE(StepMousePreview(mode, common, state, Settings(4, 1, 1), records, 1000)) << mode;
        EXPECT_EQ(state.phase, 0);
        EXPECT_EQ(common.phase, 0);
        EXPECT_EQ(records.Load(0), 0x11223344u);
    }
}

}  // namespace
}  // namespace q31::devices
