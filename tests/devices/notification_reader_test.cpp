// The device's notification interfaces against the simulator: which interface
// a type opens, the codes its reader hands over, and letting go again.
#include "devices/halvorin_usb_device.h"
#include "hid/hid_catalogue.h"
#include "protocol/link_attach.h"
#include "protocol/notification_code.h"
#include "tests/devices/device_test_support.h"

#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>

namespace q31::test {
namespace {

struct Received {
    int type;
    std::uint16_t code;
    bool operator==(const Received&) const = default;
};

class CRecordingDevice : public CHalvorinUSBDevice {
public:
    ~CRecordingDevice() override { StopDeviceThreads(); }
    std::vector<Received> Codes()
    {
        std::lock_guard lock(m_mutex);
        return m_codes;
    }

protected:
    void OnNotificationCode(int type, std::uint16_t code) override
    {
        std::lock_guard lock(m_mutex);
        m_codes.push_back({type, code});
    }

private:
    std::mutex m_mutex;
    std::vector<Received> m_codes;
};

class NotificationReaderTest : public ::testing::Test {
protected:
    // Plugs the device in by the route of the type; the path of its notification interface.
    std::string Plug(const std::string& device, std::uint16_t type)
    {
        EXPECT_EQ(bus.hub->Plug(device, IsReceiverType(type) ? sim::Route::Receiver : sim::Route::Cable), "");
        for (const HidInterfaceEntry& entry : kHidInterfaceTable) {
            if (entry.type != type || entry.channel != kChannelNotification)
                continue;
            for (const hid::HidInterfaceInfo& info : bus.hub->Enumerate()) {
                if (info.productId == entry.productId && info.usagePage == entry.usagePage && info.usage == entry.usage)
                    return info.path;
            }
        }
        ADD_FAILURE() << "no notification interface for type " << type;
        return {};
    }

    bool WaitForCodes(std::size_t count)
    {
        return QTest::qWaitFor([&] { return device.Codes().size() >= count; }, 3000);
    }

    SimBus bus;
    CRecordingDevice device;
};

TEST_F(NotificationReaderTest, CableInterfaceHandsOverEveryCodeUntilDetached)
{
    const std::string path = Plug("keyboard", Keyboard);
    device.AttachNotification(path, Keyboard);
    EXPECT_TRUE(device.IsNotificationAttached(Keyboard));
    EXPECT_FALSE(device.IsNotificationAttached(KeyboardReceiver));
    EXPECT_TRUE(device.NotificationLink().IsOpen());

    ASSERT_EQ(bus.hub->Notify("keyboard", kCodeReadSettings), "");
    ASSERT_EQ(bus.hub->Notify("keyboard", 0x1003), "");
    ASSERT_TRUE(WaitForCodes(2));
    EXPECT_EQ(device.Codes(), (std::vector<Received>{{Keyboard, 0x0401}, {Keyboard, 0x1003}}));

    // Closing the interface ends the blocking read at once: no waiting out the stop bound.
    const auto start = std::chrono::steady_clock::now();
    device.DetachNotification(Keyboard);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    EXPECT_FALSE(device.IsNotificationAttached(Keyboard));
    EXPECT_FALSE(device.NotificationLink().IsOpen());
    ASSERT_EQ(bus.hub->Notify("keyboard", 0x1004), "");
    QTest::qWait(100);
    EXPECT_EQ(device.Codes().size(), 2u);

    // The next arrival of the interface opens it again.
    device.AttachNotification(path, Keyboard);
    ASSERT_EQ(bus.hub->Notify("keyboard", 0x1005), "");
    ASSERT_TRUE(WaitForCodes(3));
    EXPECT_EQ(device.Codes().back(), (Received{Keyboard, 0x1005}));
}

TEST_F(NotificationReaderTest, ReceiverTypeOpensTheReceiverInterfaceOnlyOnce)
{
    const std::string path = Plug("mouse", MouseReceiver);
    device.AttachNotification(path, MouseReceiver);
    device.AttachNotification(path, MouseReceiver);  // already open: kept, no second reader
    EXPECT_TRUE(device.IsNotificationAttached(MouseReceiver));
    EXPECT_FALSE(device.IsNotificationAttached(Mouse));
    EXPECT_FALSE(device.NotificationLink().IsOpen());  // that flag is the cable interface's

    ASSERT_EQ(bus.hub->Notify("mouse", 0x1123), "");
    ASSERT_TRUE(WaitForCodes(1));
    QTest::qWait(100);
    EXPECT_EQ(device.Codes(), (std::vector<Received>{{MouseReceiver, 0x1123}}));
}

TEST_F(NotificationReaderTest, AnInterfaceThatVanishesIsLetGoAndComesBack)
{
    const std::string path = Plug("mousepad", MousePad);
    device.AttachNotification(path, MousePad);
    ASSERT_EQ(bus.hub->Unplug("mousepad", sim::Route::Cable), "");
    QTest::qWait(150);  // the reader's reads now fail; it must neither end nor hold anything
    device.DetachNotification(MousePad);
    EXPECT_FALSE(device.IsNotificationAttached(MousePad));

    const std::string again = Plug("mousepad", MousePad);
    EXPECT_NE(again, path);  // a replugged interface comes back under a new path
    device.AttachNotification(again, MousePad);
    ASSERT_EQ(bus.hub->Notify("mousepad", kCodeReadSettings), "");
    ASSERT_TRUE(WaitForCodes(1));
    EXPECT_EQ(device.Codes().front(), (Received{MousePad, 0x0401}));
}

TEST_F(NotificationReaderTest, AFailedOpenStartsNoReader)
{
    device.AttachNotification("sim:/no/such/interface", Keyboard);
    EXPECT_FALSE(device.IsNotificationAttached(Keyboard));
    EXPECT_FALSE(device.NotificationLink().IsOpen());
}

}  // namespace
}  // namespace q31::test
