#include "devices/eq_presets.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

TEST(EqPresets, TwelvePresetsOfTenGains)
{
    EXPECT_EQ(EqPresetGains(1), (EqBandGains{7, 11, 2, -3, -1, 4, 9, 12, 9, 5}));
    EXPECT_EQ(EqPresetGains(5), EqBandGains{});
    EXPECT_EQ((*EqPresetGains(6))[2], -13);
    EXPECT_EQ(EqPresetGains(12), (EqBandGains{2, 1, -2, -4, -8, 4, 12, 16, 18, 15}));
    EXPECT_EQ(EqPresetGains(0), std::nullopt);
    EXPECT_EQ(EqPresetGains(13), std::nullopt);
    EXPECT_EQ(EqPresetGains(-1), std::nullopt);
}

}  // namespace
}  // namespace q31::devices
