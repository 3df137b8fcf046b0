#include "devices/light_tables.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

TEST(LightTablesTest, BreathingCurveRisesToFullAndFallsBackTheSameWay)
{
    EXPECT_EQ(kBreathingCurve[0], 0);
    EXPECT_EQ(kBreathingCurve[11], 12);
    EXPECT_EQ(kBreathingCurve[63], 255);
    EXPECT_EQ(kBreathingCurve[64], 255);
    EXPECT_EQ(kBreathingCurve[127], 0);
    for (int i = 0; i < kBreathingCurveLength; ++i)
        EXPECT_EQ(kBreathingCurve[i], kBreathingCurve[kBreathingCurveLength - 1 - i]) << i;
    for (int i = 1; i < 64; ++i)
        EXPECT_LT(kBreathingCurve[i - 1], kBreathingCurve[i]) << i;
}

TEST(LightTablesTest, SpectrumRunsAroundTheColourWheel)
{
    EXPECT_EQ(kSpectrum[0], (Rgb{255, 1, 0}));
    EXPECT_EQ(kSpectrum[31], (Rgb{255, 255, 0}));   // yellow
    EXPECT_EQ(kSpectrum[32], (Rgb{248, 255, 0}));
    EXPECT_EQ(kSpectrum[63], (Rgb{0, 255, 0}));     // green
    EXPECT_EQ(kSpectrum[64], (Rgb{0, 255, 1}));
    EXPECT_EQ(kSpectrum[95], (Rgb{0, 255, 255}));   // cyan
    EXPECT_EQ(kSpectrum[96], (Rgb{0, 248, 255}));
    EXPECT_EQ(kSpectrum[127], (Rgb{0, 0, 255}));    // blue
    EXPECT_EQ(kSpectrum[128], (Rgb{1, 0, 255}));
    EXPECT_EQ(kSpectrum[159], (Rgb{255, 0, 255}));  // magenta
    EXPECT_EQ(kSpectrum[160], (Rgb{255, 0, 248}));
    EXPECT_EQ(kSpectrum[179], (Rgb{255, 0, 47}));
    EXPECT_EQ(kSpectrum[191], (Rgb{255, 0, 0}));    // red again
}

TEST(LightTablesTest, EverySpectrumColourHasOneFullAndOneDarkComponent)
{
    for (const Rgb& c : kSpectrum) {
        const int full = (c.r == 255) + (c.g == 255) + (c.b == 255);
        const int dark = (c.r == 0) + (c.g == 0) + (c.b == 0);
        EXPECT_GE(full, 1);
        EXPECT_GE(dark, 1);
    }
}

TEST(LightTablesTest, LevelsAndColours)
{
    EXPECT_EQ(BrightnessLevel(0), 30);
    EXPECT_EQ(BrightnessLevel(4), 255);
    EXPECT_EQ(SpeedLevel(0), 28);
    EXPECT_EQ(SpeedLevel(4), 7);
    // Settings read from a file may be out of range: the last level, never past the table.
    EXPECT_EQ(BrightnessLevel(200), 255);
    EXPECT_EQ(SpeedLevel(5), 7);
    EXPECT_EQ(kFixedColours[0], (Rgb{0, 255, 180}));
    EXPECT_EQ(kFixedColours[3], (Rgb{255, 0, 0}));
}

}  // namespace
}  // namespace q31::devices
