// The keyboard's audio pictures from band values, and how the bands are taken in.
#include "keyboard_effect_rig.h"

#include "devices/keyboard_effect_steps.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

constexpr Rgb kBackground{1, 2, 3};
constexpr Rgb kForeground{200, 150, 100};

struct AudioRig : KeyboardEffectRig {
    explicit AudioRig(int audioMode) : KeyboardEffectRig(29)
    {
        AudioLightSettings audio{};
        audio[kAudioMode] = std::uint8_t(audioMode);
        audio[1] = kBackground.r, audio[2] = kBackground.g, audio[3] = kBackground.b;
        audio[4] = kForeground.r, audio[5] = kForeground.g, audio[6] = kForeground.b;
        effects.SetAudioSettings(audio);
    }
    void Bands(std::array<int, kBandCount> bands)
    {
        effects.OnAudioBands(bands.data(), kBandCount, IsRippleAudio(settings[kSettingEffect], effects.AudioSettings()));
    }
    bool Lit(int light) const { return State().intensity[light] == 255; }
};

std::array<int, kBandCount> OneBand(int band, int value)
{
    std::array<int, kBandCount> bands{};
    bands[band] = value;
    return bands;
}

TEST(KeyboardAudioTest, ColumnBarsRiseFromTheBottomRowByTheirBand)
{
    AudioRig rig(0);
    std::array<int, kBandCount> bands{};
    bands[1] = 2000;  // height 0: rows 1 to 5
    bands[2] = 1000;  // height 300: rows 4 and 5
    rig.Bands(bands);
    rig.Step();
    for (int r = 0; r < kGridRows; ++r) {
        EXPECT_FALSE(rig.Lit(GridLight(0, r)));
        EXPECT_EQ(rig.Lit(GridLight(1, r)), r >= 1) << r;
        EXPECT_EQ(rig.Lit(GridLight(2, r)), r >= 4) << r;
    }
    EXPECT_EQ(rig.At(GridLight(1, 5)), Full(kForeground, 255 * 255 / 256));
    EXPECT_EQ(rig.At(GridLight(0, 5)), Full(kBackground));
    // The bands are used once.
    EXPECT_EQ(rig.State().bands, (std::array<std::int32_t, kBandCount>{}));
}

// Values loud enough for a negative height, or to overflow 32-bit products, light the whole column.
TEST(KeyboardAudioTest, LoudBandsKeepTheRowOnTheBoard)
{
    for (const int value : {2667, 4000000, 2147483647}) {
        AudioRig rig(0);
        rig.Bands(OneBand(3, value));
        rig.Step();
        for (int r = 0; r < kGridRows; ++r)
            EXPECT_TRUE(rig.Lit(GridLight(3, r))) << value << " row " << r;
    }
}

TEST(KeyboardAudioTest, BandsAboveTheScaleStandAtHeight500)
{
    AudioRig rig(1);
    rig.Bands(OneBand(1, 3000));  // the right half of row 0
    rig.Step();
    EXPECT_TRUE(rig.Lit(GridLight(9, 0)));
    for (int c = 10; c < kGridColumns; ++c)
        EXPECT_FALSE(rig.Lit(GridLight(c, 0))) << c;
}

TEST(KeyboardAudioTest, OddRowsOfTheAlternatingBarsStopAtTheLastColumn)
{
    AudioRig rig(6);
    std::array<int, kBandCount> bands{};
    bands[2] = bands[3] = 2900;  // group 1: height 21, start column 0
    rig.Bands(bands);
    rig.records.Resize(kEffectLights + 1);
    rig.Step();
    for (int c = 0; c < kGridColumns; ++c) {
        if (GridLight(c, 1) != kNoLight) {
            EXPECT_TRUE(rig.Lit(GridLight(c, 1))) << c;
        }
    }
    EXPECT_EQ(rig.records.Load(kEffectLights), 0u);
    // Row 0 with silent bands: height 600, no light.
    EXPECT_FALSE(rig.Lit(GridLight(22, 0)));
}

TEST(KeyboardAudioTest, LongRowBarsGrowFromTheLeft)
{
    AudioRig rig(5);
    std::array<int, kBandCount> bands{};
    bands[0] = bands[1] = 1000;  // group 0, shown on row 5: columns 0 to 4
    rig.Bands(bands);
    rig.Step();
    for (int c = 0; c < kGridColumns; ++c)
        EXPECT_EQ(rig.Lit(GridLight(c, 5)), c <= 4) << c;
}

TEST(KeyboardAudioTest, PulsingRingsLightAllRingsWhenLoud)
{
    AudioRig rig(3);
    std::array<int, kBandCount> bands;
    bands.fill(2000);
    rig.Bands(bands);
    rig.Step();
    const std::uint8_t centre = KeyboardTables().rings[0][0];
    EXPECT_EQ(rig.At(centre), Full(kSpectrum[9], 255 * 255 / 256));
    rig.Step();  // silence: no ring, the colour stays while the light fades
    EXPECT_EQ(rig.State().intensity[centre], 255 - 40);
    EXPECT_EQ(rig.At(centre), Full(kSpectrum[9], 215 * 255 / 256));
}

TEST(KeyboardAudioTest, DropsFallAtTheirBandsRowOncePerLatch)
{
    AudioRig rig(4);
    rig.Step();  // the latches set by the mode change open again under dark bottoms
    rig.Bands(OneBand(1, 2000));  // column 0: row 1
    rig.Step();
    EXPECT_EQ(rig.State().intensity[GridLight(0, 1)], 255 - 45);
}

TEST(KeyboardAudioTest, BandDataKeepsOnlyWhatWasDeliveredAndZeroesTheRest)
{
    AudioRig rig(0);
    std::array<int, kBandCount> full;
    full.fill(77);
    rig.Bands(full);
    const std::array<int, 3> few = {1, 2, 3};
    rig.effects.OnAudioBands(few.data(), int(few.size()), false);
    std::array<std::int32_t, kBandCount> expected{};
    expected[0] = 1, expected[1] = 2, expected[2] = 3;
    EXPECT_EQ(rig.State().bands, expected);
    rig.effects.OnAudioBands(full.data(), 500, false);
    EXPECT_EQ(rig.State().bands[24], 77);
    rig.effects.OnAudioBands(nullptr, 25, false);
    EXPECT_EQ(rig.State().bands, (std::array<std::int32_t, kBandCount>{}));
}

TEST(KeyboardAudioTest, BeatRipplesShareOneAccumulatorAcrossKeyboardsAndModeChanges)
{
    SetRippleAccumulator(0);
    AudioRig first(2), second(2);
    std::array<int, kBandCount> loud;
    loud.fill(2000);  // height 0: 25 per frame
    first.Bands(loud);
    second.Bands(loud);
    EXPECT_EQ(RippleAccumulator(), 50);
    first.Mode(29);
    EXPECT_EQ(RippleAccumulator(), 50);
    first.Bands(loud);
    EXPECT_EQ(RippleAccumulator(), 0);
    const GridCell cell = *KeyboardTables().cellOf[51];
    EXPECT_EQ(first.State().waves[0][cell.column], 1 << cell.row);
    EXPECT_EQ(second.State().waves[0][cell.column], 0);
    first.Step(2);
    EXPECT_GT(first.State().intensity[51], 0);
    // Outside the ripple mode the bands wait for the step.
    AudioRig bars(0);
    bars.Bands(loud);
    EXPECT_EQ(RippleAccumulator(), 0);
    EXPECT_EQ(bars.State().bands[0], 2000);
}

}  // namespace
}  // namespace q31::devices
