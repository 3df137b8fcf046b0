// The keyboard's light modes: how often the light thread steps them, the
// level colour, and the frame the keyboard is streamed in its host-driven modes.
#include "devices/effect_steps.h"
#include "devices/keyboard_light_modes.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

TEST(KeyboardLightModesTest, StepThresholdsFollowTheSpeedExceptForEdgeWavesAndAudio)
{
    for (int mode : {int(kKeyboardModeSpectrum), int(kKeyboardModeLevelColour), 0, 200}) {
        EXPECT_EQ(KeyboardStepThreshold(mode, 0), 5);
        EXPECT_EQ(KeyboardStepThreshold(mode, 2), 3);
        EXPECT_EQ(KeyboardStepThreshold(mode, 4), 1);
        // A speed from a file or the keyboard beyond the levels takes the nearest level.
        EXPECT_EQ(KeyboardStepThreshold(mode, 9), 1);
        EXPECT_EQ(KeyboardStepThreshold(mode, -1), 5);
    }
    for (int speed = 0; speed <= 4; ++speed) {
        EXPECT_EQ(KeyboardStepThreshold(kKeyboardModeEdgeWaves, speed), 5);
        EXPECT_EQ(KeyboardStepThreshold(kKeyboardModeAudio, speed), 2);
    }
    EXPECT_TRUE(IsStreamedKeyboardMode(kKeyboardModeAudio));
    EXPECT_TRUE(IsStreamedKeyboardMode(kKeyboardModeLevelColour));
    EXPECT_FALSE(IsStreamedKeyboardMode(kKeyboardModeSpectrum));
    EXPECT_FALSE(IsStreamedKeyboardMode(31));
}

TEST(KeyboardLightModesTest, LevelColourShowsTheLowBytesOfTheFirstThreeLevelsAtTheSetBrightness)
{
    CLightRecords records;
    records.Resize(170);
    LightSettings settings{};
    settings[kSettingBrightness] = 2;
    EXPECT_EQ(StepLevelColour(settings, {0x10, 0x1FF, -1}, records), 170);
    EXPECT_EQ(records.Load(0), PackLightRecord({0x10, 0xFF, 0xFF, 135}));
    EXPECT_EQ(records.Load(169), records.Load(0));
}

class KeyboardLiveFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        layout.lightOfKey.fill(kNoKeyEntry);
        records.Resize(170);
    }
    std::array<int, 3> At(const LiveFrame& frame, int light) const
    {
        return {frame[3 * light], frame[3 * light + 1], frame[3 * light + 2]};
    }

    KeyboardLayout layout;
    CLightRecords records;
};

TEST_F(KeyboardLiveFrameTest, EachKeyLightsItsLightIndexScaledByItsBrightness)
{
    layout.lightOfKey[0] = 7;
    layout.lightOfKey[1] = 169;
    layout.lightOfKey[2] = 170;  // no such light
    records.Store(0, PackLightRecord({200, 100, 50, 128}));
    records.Store(1, PackLightRecord({255, 255, 255, 255}));
    records.Store(2, PackLightRecord({255, 255, 255, 255}));
    records.Store(3, PackLightRecord({255, 255, 255, 255}));  // a key without a light
    const LiveFrame frame = KeyboardLiveFrame(layout, records);
    EXPECT_EQ(At(frame, 7), (std::array<int, 3>{100, 50, 25}));
    EXPECT_EQ(At(frame, 169), (std::array<int, 3>{254, 254, 254}));
    int lit = 0;
    for (std::uint8_t byte : frame)
        lit += byte != 0;
    EXPECT_EQ(lit, 6);
}

TEST_F(KeyboardLiveFrameTest, ALightOfSeveralKeysTakesTheFirstAndThreeLightsShowKeysBesideThem)
{
    layout.lightOfKey[10] = 20;
    layout.lightOfKey[11] = 20;
    records.Store(10, PackLightRecord({255, 0, 0, 255}));
    records.Store(11, PackLightRecord({0, 255, 0, 255}));
    // Lights 35, 72 and 57 show keys 45 (E), 91 (M) and 72 (L), whatever key owns them.
    layout.lightOfKey[12] = 35;
    records.Store(12, PackLightRecord({0, 0, 255, 255}));
    records.Store(45, PackLightRecord({10, 0, 0, 255}));
    records.Store(91, PackLightRecord({0, 10, 0, 255}));
    records.Store(72, PackLightRecord({0, 0, 10, 255}));
    const LiveFrame frame = KeyboardLiveFrame(layout, records);
    EXPECT_EQ(At(frame, 20), (std::array<int, 3>{254, 0, 0}));
    EXPECT_EQ(At(frame, 35), (std::array<int, 3>{9, 0, 0}));
    EXPECT_EQ(At(frame, 72), (std::array<int, 3>{0, 9, 0}));
    EXPECT_EQ(At(frame, 57), (std::array<int, 3>{0, 0, 9}));
}

TEST_F(KeyboardLiveFrameTest, FewerRecordsThanKeysLeaveTheRestDark)
{
    records.Resize(40);
    layout.lightOfKey.fill(0);
    layout.lightOfKey[100] = 100;
    records.Fill(PackLightRecord({255, 255, 255, 255}));
    const LiveFrame frame = KeyboardLiveFrame(layout, records);
    EXPECT_EQ(At(frame, 0), (std::array<int, 3>{254, 254, 254}));
    EXPECT_EQ(At(frame, 100), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(At(frame, 35), (std::array<int, 3>{0, 0, 0}));
}

}  // namespace
}  // namespace q31::devices
