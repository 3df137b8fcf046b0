// Notification reports from the simulated devices decoded into their codes.
#include "tests/protocol/link_test_support.h"

#include "hid/hid_catalogue.h"
#include "protocol/notification_code.h"

namespace q31::test {
namespace {

class NotificationCodeTest : public SimLinkTest {
protected:
    std::optional<std::uint16_t> NextCode(CHidDevice& device)
    {
        auto& buffer = device.InputReportBuffer();
        DWORD read = 0;
        if (!device.ReadReport(buffer.data(), static_cast<DWORD>(buffer.size()), &read, 1000))
            return std::nullopt;
        return NotificationCode(device, buffer.data(), read);
    }
};

TEST_F(NotificationCodeTest, EachReportGivesItsSixteenBitCode)
{
    for (std::uint16_t type : {Keyboard, KeyboardReceiver, Mouse, MousePad}) {
        SCOPED_TRACE(type);
        const std::string device = type == Mouse ? "mouse" : type == MousePad ? "mousepad" : "keyboard";
        const auto route = type == KeyboardReceiver ? sim::Route::Receiver : sim::Route::Cable;
        ASSERT_EQ(hub->Plug(device, route), "");
        CHidDevice notifications;
        ASSERT_TRUE(notifications.Open(InterfacePath(*hub, type, kChannelNotification), true, true, true, false));
        for (std::uint16_t code : {0x0401, 0x0403, 0x1132, 0x0402, 0x8001, 0xFFFF}) {
            ASSERT_EQ(hub->Notify(device, code), "");
            EXPECT_EQ(NextCode(notifications), code);
        }
        ASSERT_EQ(hub->Unplug(device, route), "");
    }
}

TEST_F(NotificationCodeTest, CodesSplitIntoEventAndArgument)
{
    EXPECT_EQ(EventOf(0x0401), kEventSettings);
    EXPECT_EQ(ArgumentOf(0x0517), 0x17);
    EXPECT_EQ(EventOf(0x1132), kEventProfileStage);
    EXPECT_EQ(ProfileOf(0x1132), 2);
    EXPECT_EQ(SecondSettingOf(0x1132), 3);
    EXPECT_EQ(ProfileOf(0x10F4), 4);
}

}  // namespace
}  // namespace q31::test
