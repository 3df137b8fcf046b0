#include "devices/function_panels.h"
#include "devices/indexed_name.h"
#include "devices/light_records.h"
#include "devices/live_frame.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

TEST(FunctionPanelsTest, EachTabShowsItsPanels)
{
    using C = FunctionPanelChoice;
    for (int device : {1, 2, 3, 7, 9}) {
        EXPECT_EQ(ChooseFunctionPanels(2, device), (C{0, 1}));
        EXPECT_EQ(ChooseFunctionPanels(6, device), (C{0, 1}));
        EXPECT_EQ(ChooseFunctionPanels(3, device), (C{1, std::nullopt}));
        EXPECT_EQ(ChooseFunctionPanels(8, device), (C{1, std::nullopt}));
        EXPECT_EQ(ChooseFunctionPanels(7, device), (C{0, 2}));
        EXPECT_EQ(ChooseFunctionPanels(5, device), (C{2, std::nullopt}));
        EXPECT_EQ(ChooseFunctionPanels(1, device), (C{0, 0}));
        EXPECT_EQ(ChooseFunctionPanels(0, device), (C{0, 0}));
        EXPECT_EQ(ChooseFunctionPanels(99, device), (C{0, 0}));
    }
    // The system panel exists for keyboards and mice on their cable only.
    EXPECT_EQ(ChooseFunctionPanels(4, 1), (C{3, std::nullopt}));
    EXPECT_EQ(ChooseFunctionPanels(4, 2), (C{3, std::nullopt}));
    EXPECT_EQ(ChooseFunctionPanels(4, 3), (C{0, 2}));
    EXPECT_EQ(ChooseFunctionPanels(4, 9), (C{0, 2}));
}

TEST(IndexedNameTest, SplitsAtTheTrailingNumber)
{
    auto key = SplitIndexedName("key_12");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->prefix, "key_");
    EXPECT_EQ(key->number, 12);
    auto light = SplitIndexedName("Light_0");
    ASSERT_TRUE(light);
    EXPECT_EQ(light->prefix, "Light_");
    EXPECT_EQ(light->number, 0);
    EXPECT_FALSE(SplitIndexedName("key_"));
    EXPECT_FALSE(SplitIndexedName(""));
    EXPECT_FALSE(SplitIndexedName("key_99999999999999"));
    EXPECT_EQ(SplitIndexedName("7")->prefix, "");
}

TEST(LiveFrameTest, ScalesEachComponentByTheBrightness)
{
    LiveFrame frame{};
    PutFrameLight(frame, 2, PackLightRecord({255, 128, 10, 128}));
    EXPECT_EQ(frame[6], 127);
    EXPECT_EQ(frame[7], 64);
    EXPECT_EQ(frame[8], 5);
    PutFrameLight(frame, 0, PackLightRecord({255, 255, 255, 255}));
    EXPECT_EQ(frame[0], 254);
}

TEST(LiveFrameTest, LeavesOutLight170AndWhateverDoesNotFit)
{
    LiveFrame frame{};
    PutFrameLight(frame, 169, PackLightRecord({255, 255, 255, 255}));
    PutFrameLight(frame, 170, PackLightRecord({255, 255, 255, 255}));
    PutFrameLight(frame, 171, PackLightRecord({255, 255, 255, 255}));
    PutFrameLight(frame, -1, PackLightRecord({255, 255, 255, 255}));
    for (std::size_t i = 0; i < frame.size(); ++i)
        EXPECT_EQ(frame[i], i >= 507 && i < 510 ? 254 : 0) << i;
    EXPECT_EQ(FrameLength(170), 510u);
    EXPECT_EQ(FrameLength(15), 45u);
    EXPECT_EQ(FrameLength(200), kLiveFrameSize);
}

TEST(LiveFrameTest, OverlayColourTakesRedBlueGreen)
{
    EXPECT_EQ(OverlayColour(PackLightRecord({0x11, 0x22, 0x33, 0x44})), 0x223311u);
}

TEST(LightRecordsTest, PacksRedLowAndBrightnessHigh)
{
    EXPECT_EQ(PackLightRecord({1, 2, 3, 4}), 0x04030201u);
    EXPECT_EQ(UnpackLightRecord(0x04030201u), (LightColour{1, 2, 3, 4}));
    CLightRecords records;
    records.Resize(3);
    records.Store(1, 7);
    records.Resize(4);
    EXPECT_EQ(records.Size(), 4u);
    EXPECT_EQ(records.Load(1), 0u);
}

}  // namespace
}  // namespace q31::devices
