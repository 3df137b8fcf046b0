#include "devices/key_lights.h"

#include <gtest/gtest.h>

#include <vector>

namespace q31::devices {
namespace {

// Every value a key passes through from full brightness to dark.
std::vector<int> FadeFromFull(int kind)
{
    std::vector<int> values;
    std::uint8_t v = 255;
    while (v != 0 && values.size() < 300) {
        v = DecayedIntensity(v, kind);
        values.push_back(v);
    }
    return values;
}

TEST(KeyDecayTest, KindZeroFadesFastFromTheTopAndSlowlyAtTheEnd)
{
    EXPECT_EQ(DecayedIntensity(255, 0), 215);
    EXPECT_EQ(DecayedIntensity(128, 0), 88);
    EXPECT_EQ(DecayedIntensity(127, 0), 97);  // bit 6
    EXPECT_EQ(DecayedIntensity(63, 0), 48);   // bit 5
    EXPECT_EQ(DecayedIntensity(31, 0), 23);
    EXPECT_EQ(DecayedIntensity(17, 0), 9);
    EXPECT_EQ(DecayedIntensity(16, 0), 15);
    EXPECT_EQ(DecayedIntensity(1, 0), 0);
    EXPECT_EQ(DecayedIntensity(0, 0), 0);
    const std::vector<int> fade = FadeFromFull(0);
    EXPECT_EQ(fade.back(), 0);
    EXPECT_LT(fade.size(), 40u);
}

TEST(KeyDecayTest, AudioKindUsesBitsFourToSeven)
{
    EXPECT_EQ(DecayedIntensity(255, 29), 210);
    EXPECT_EQ(DecayedIntensity(16, 29), 0);    // bit 4 alone
    EXPECT_EQ(DecayedIntensity(50, 29), 5);    // bits 5 and 4: bit 4 wins
    EXPECT_EQ(DecayedIntensity(96, 29), 61);   // bits 6 and 5
    EXPECT_EQ(DecayedIntensity(64, 29), 29);   // bit 6
    EXPECT_EQ(DecayedIntensity(15, 29), 14);
    EXPECT_EQ(DecayedIntensity(0, 29), 0);
    // Never wraps below 0 on the way down.
    for (int v = 0; v < 256; ++v)
        EXPECT_LE(DecayedIntensity(std::uint8_t(v), 29), v) << v;
}

TEST(KeyDecayTest, OtherKindsFadeBitFiveByTen)
{
    for (int kind : {1, 8, 30}) {
        EXPECT_EQ(DecayedIntensity(255, kind), 215);
        EXPECT_EQ(DecayedIntensity(127, kind), 97);
        EXPECT_EQ(DecayedIntensity(63, kind), 53);
        EXPECT_EQ(DecayedIntensity(20, kind), 12);
        EXPECT_EQ(DecayedIntensity(3, kind), 2);
        for (int v = 0; v < 256; ++v)
            EXPECT_LE(DecayedIntensity(std::uint8_t(v), kind), v) << v;
    }
}

TEST(KeyLightsTest, DecayWorksOnOneKeyAndIgnoresBadKeys)
{
    CKeyLights lights;
    lights.SetIntensity(5, 255);
    lights.Decay(5, 0);
    EXPECT_EQ(lights.Intensity(5), 215);
    EXPECT_EQ(lights.Intensity(4), 0);
    lights.Decay(-1, 0);
    lights.Decay(CKeyLights::kKeyCount, 0);
    lights.SetIntensity(CKeyLights::kKeyCount, 9);
    EXPECT_EQ(lights.Intensity(CKeyLights::kKeyCount), 0);
}

TEST(KeyLightsTest, RingRotatesBothWays)
{
    CKeyLights lights;
    for (int i = 0; i < CKeyLights::kRingSize; ++i)
        lights.SetRingByte(i, std::uint8_t(i + 1));
    lights.RotateRing(1);
    EXPECT_EQ(lights.RingByte(0), 23);
    EXPECT_EQ(lights.RingByte(1), 1);
    EXPECT_EQ(lights.RingByte(22), 22);
    lights.RotateRing(0);
    lights.RotateRing(0);
    EXPECT_EQ(lights.RingByte(0), 2);
    EXPECT_EQ(lights.RingByte(21), 23);
    EXPECT_EQ(lights.RingByte(22), 1);
    // A full turn either way restores the ring.
    for (int i = 0; i < CKeyLights::kRingSize; ++i)
        lights.RotateRing(1);
    EXPECT_EQ(lights.RingByte(0), 2);
}

TEST(KeyLightsTest, TriggerLightsTheFirstNineKeysWhoseRingByteIsSet)
{
    CKeyLights lights;
    lights.SetRingByte(0, 1);
    lights.SetRingByte(8, 1);
    lights.SetRingByte(9, 1);
    lights.TriggerRingKeys();
    EXPECT_EQ(lights.Intensity(0), 255);
    EXPECT_EQ(lights.Intensity(1), 0);
    EXPECT_EQ(lights.Intensity(8), 255);
    EXPECT_EQ(lights.Intensity(9), 0);
    lights.Clear();
    EXPECT_EQ(lights.Intensity(0), 0);
    EXPECT_EQ(lights.RingByte(0), 0);
}

}  // namespace
}  // namespace q31::devices
