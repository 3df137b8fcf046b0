// Scripted notifications, decoded the way the device notification readers
// decode them: through CHidDevice and the report descriptor.
#include "hid/hid_device.h"
#include "sim/sim_hid_backend.h"
#include "tests/sim/sim_test_support.h"

#include <gtest/gtest.h>

namespace q31::sim::test {
namespace {

class SimNotificationTest : public ::testing::Test {
protected:
    SimNotificationTest() : hub(MakeHub()), backend(std::make_shared<SimHidBackend>(hub))
    {
        hid::SetHidBackend(backend);
    }
    ~SimNotificationTest() override { hid::SetHidBackend(nullptr); }

    // Opens the notification collection as the readers do.
    bool Listen(CHidDevice& device, std::uint16_t productId)
    {
        return device.Open(NotificationPath(*hub, productId), true, true, true, false);
    }

    // The first usage of the first input data entry of the next report; -1 when none came.
    int NextCode(CHidDevice& device)
    {
        std::vector<std::uint8_t>& buffer = device.InputReportBuffer();
        DWORD read = 0;
        if (!device.ReadReport(buffer.data(), static_cast<DWORD>(buffer.size()), &read, 1000))
            return -1;
        if (!device.UnpackInputReport(buffer.data(), read) || device.InputData().empty())
            return -2;
        const HidData& first = device.InputData().front();
        return first.isButton && !first.buttonData.usages.empty() ? first.buttonData.usages.front() : -3;
    }

    std::shared_ptr<SimHub> hub;
    std::shared_ptr<SimHidBackend> backend;
};

TEST_F(SimNotificationTest, EveryNotificationCodeArrivesAsTheFirstUsage)
{
    ASSERT_EQ(hub->Plug("keyboard", Route::Cable), "");
    CHidDevice reader;
    ASSERT_TRUE(Listen(reader, 0x6B01));
    for (std::uint16_t code : {0x0401, 0x0403, 0x0507, 0x0607, 0x1002, 0x1123, 0x0402}) {
        ASSERT_EQ(hub->Notify("keyboard", code), "");
        EXPECT_EQ(NextCode(reader), code);
    }
}

TEST_F(SimNotificationTest, AKeyPressIsAPressAndAReleaseAtItsPosition)
{
    ASSERT_EQ(hub->Plug("keyboard", Route::Cable), "");
    ASSERT_EQ(hub->Plug("mouse", Route::Cable), "");
    CHidDevice keyboard;
    CHidDevice mouse;
    ASSERT_TRUE(Listen(keyboard, 0x6B01));
    ASSERT_TRUE(Listen(mouse, 0x6C01));
    ASSERT_EQ(hub->PressKey("keyboard", 0x2A), "");
    EXPECT_EQ(NextCode(keyboard), 0x052A);
    EXPECT_EQ(NextCode(keyboard), 0x062A);
    ASSERT_EQ(hub->PressKey("mouse", 3), "");
    EXPECT_EQ(NextCode(mouse), 0x0403);
    EXPECT_NE(hub->PressKey("keyboard", 200), "");
    EXPECT_NE(hub->PressKey("mousepad", 0), "");
}

TEST_F(SimNotificationTest, OnBoardProfileAndDpiSwitchesChangeMemoryAndAreReported)
{
    ASSERT_EQ(hub->Plug("mouse", Route::Receiver), "");
    CHidDevice reader;
    ASSERT_TRUE(Listen(reader, 0x6C02));
    ASSERT_EQ(hub->SwitchProfile("mouse", 3), "");
    EXPECT_EQ(NextCode(reader), 0x1003);
    EXPECT_EQ(hub->Dump("mouse", Region::Parameters)->at(0), 3);
    ASSERT_EQ(hub->ChangeDpiStage("mouse", 2), "");
    EXPECT_EQ(NextCode(reader), 0x1123);
    EXPECT_EQ(hub->Dump("mouse", Region::Parameters)->at(3 * 128 + 12), 2);
    EXPECT_NE(hub->ChangeDpiStage("keyboard", 1), "");
}

TEST_F(SimNotificationTest, NothingIsSentWhileTheDeviceCannotBeReached)
{
    EXPECT_NE(hub->Notify("mouse", 0x0401), "");
    ASSERT_EQ(hub->Plug("mouse", Route::Receiver), "");
    ASSERT_EQ(hub->SetReachable("mouse", false), "");
    EXPECT_NE(hub->Notify("mouse", 0x0401), "");
    EXPECT_NE(hub->Notify("nothing", 0x0401), "");
}

TEST_F(SimNotificationTest, TheHeadsetNotifiesOnItsOnlyInterface)
{
    ASSERT_EQ(hub->Plug("headset", Route::Cable), "");
    CHidDevice reader;
    ASSERT_TRUE(Listen(reader, 0x1630));
    ASSERT_EQ(hub->Notify("headset", 0x0401), "");
    EXPECT_EQ(NextCode(reader), 0x0401);
}

}  // namespace
}  // namespace q31::sim::test
