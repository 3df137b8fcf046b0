// What the power display shows for a status record, as q31ctl prints it too:
// the parts a device type does not have, and the states that change nothing.
#include "mouse_extras/power_view.h"

#include "hid/hid_catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace q31::test {
namespace {

using mouse_extras::PowerView;
using mouse_extras::PowerViewOf;

constexpr std::array<std::uint8_t, 6> kWirelessCharging57 = {57, 1, 0, 1, 0, 0};

TEST(PowerView, AMouseOnItsReceiverCountsAsAMouse)
{
    for (const int type : {int(Mouse), int(MouseReceiver)}) {
        const PowerView view = PowerViewOf(type, kWirelessCharging57);
        EXPECT_EQ(view.text, "57%");
        EXPECT_EQ(view.progress, 43);
        EXPECT_EQ(view.wirelessLogo, true);
        EXPECT_EQ(view.barShown, false);
        EXPECT_EQ(view.statusImage, "power/wuxian_powering.svg");
        EXPECT_FALSE(view.phone);
    }
}

TEST(PowerView, EachChargingStateHasItsImageAndAnUnknownOneLeavesBoth)
{
    struct Case {
        std::uint8_t state;
        std::uint8_t link;
        std::optional<bool> barShown;
        std::optional<std::string> image;
    };
    const std::vector<Case> cases = {
        {0, 1, true, "power/powered.svg"},  {0, 0, true, "power/powered.svg"},
        {1, 0, true, "power/powering.svg"}, {1, 1, false, "power/wuxian_powering.svg"},
        {2, 1, true, "power/power.svg"},    {3, 1, std::nullopt, std::nullopt},
        {0xFF, 0, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::array<std::uint8_t, 6> record = {40, c.state, 0, c.link, 0, 0};
        const PowerView view = PowerViewOf(Mouse, record);
        EXPECT_EQ(view.barShown, c.barShown) << int(c.state) << " over link " << int(c.link);
        EXPECT_EQ(view.statusImage, c.image) << int(c.state) << " over link " << int(c.link);
        EXPECT_EQ(view.text, "40%");
    }
}

TEST(PowerView, OnlyAMouseHasTheWirelessLogoAndOnlyAPadThePhone)
{
    for (const int type : {int(Keyboard), int(KeyboardReceiver), int(Headset), int(MousePad)}) {
        EXPECT_FALSE(PowerViewOf(type, kWirelessCharging57).wirelessLogo) << type;
    }
    for (const int type : {int(Keyboard), int(Mouse), int(Headset)}) {
        EXPECT_FALSE(PowerViewOf(type, kWirelessCharging57).phone) << type;
    }
}

TEST(PowerView, ThePadNamesThePhoneOnItsCharger)
{
    const std::vector<std::pair<std::uint8_t, std::string>> kinds = {
        {0, "Phone_type_no_device"}, {1, "Phone_type_iphone"}, {2, "Phone_type_samsung"},
        {3, "Phone_type_other"},     {4, "Phone_type_no_device"}, {0xFF, "Phone_type_no_device"},
    };
    for (const auto& [kind, textId] : kinds) {
        const std::array<std::uint8_t, 6> record = {100, 2, 0, 0, 0, kind};
        const PowerView view = PowerViewOf(MousePad, record);
        ASSERT_TRUE(view.phone);
        EXPECT_EQ(view.phone->textId, textId);
        EXPECT_EQ(view.phone->image, "power/" + textId + ".svg");
    }
}

TEST(PowerView, ALevelPastFullShowsAsFull)
{
    for (const std::uint8_t level : {101, 200, 255}) {
        const std::array<std::uint8_t, 6> record = {level, 2, 0, 0, 0, 0};
        const PowerView view = PowerViewOf(Mouse, record);
        EXPECT_EQ(view.text, "100%");
        EXPECT_EQ(view.progress, 0);
    }
}

TEST(PowerView, BytesPastAShortRecordCountAsZero)
{
    const std::array<std::uint8_t, 2> levelAndState = {30, 1};
    const PowerView view = PowerViewOf(MousePad, levelAndState);
    EXPECT_EQ(view.text, "30%");
    EXPECT_EQ(view.statusImage, "power/powering.svg");
    ASSERT_TRUE(view.phone);
    EXPECT_EQ(view.phone->textId, "Phone_type_no_device");
    EXPECT_EQ(PowerViewOf(Mouse, {}).text, "0%");
}

}  // namespace
}  // namespace q31::test
