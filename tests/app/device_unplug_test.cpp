// A device unplugged while the window waits for nothing from it but its worker
// is blocked in an exchange: the device is freed at once, without the window
// noticing the silence.
#include "app/main_wnd.h"
#include "app/registered_messages.h"
#include "devices/halvorin_usb_device.h"
#include "protocol/command_codes.h"
#include "tests/app/desktop_test.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using q31::sim::Route;

constexpr int kKeyboardKind = kKindKeyboard;
constexpr int kSettleMs = 3000;

using DeviceUnplugTest = q31::test::DesktopTest;

TEST_F(DeviceUnplugTest, UnpluggingASilentKeyboardFreesItWithinASecond)
{
    m_window = std::make_unique<CMainWnd>();
    ASSERT_TRUE(m_window->CreateMainWindow());
    ASSERT_TRUE(m_hub->Plug("keyboard", Route::Cable).empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->DeviceOfKind(kKeyboardKind) != nullptr; }, kSettleMs));
    CHalvorinUSBDevice* keyboard = m_window->DeviceOfKind(kKeyboardKind);
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard->CommandLink().IsOpen(); }, kSettleMs));

    q31::sim::SimFault silent;
    silent.kind = q31::sim::FaultKind::NoReply;
    silent.times = q31::sim::SimFault::kAlways;
    ASSERT_TRUE(m_hub->AddFault("keyboard", silent).empty());
    m_hub->Log().Clear();
    // Lighting control back on: the keyboard is asked for its lights and never answers.
    m_window->HandleMessage(g_msgLightRequest, 1, 0);
    QElapsedTimer handling;
    handling.start();
    m_window->HandleMessage(g_msgLightRequest, 1, 1);
    EXPECT_LT(handling.elapsed(), 50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return RequestWasSent(q31::kCmdTakeLightControl); }, kSettleMs));
    ASSERT_FALSE(keyboard->IsDeviceWorkIdle());

    QElapsedTimer freed;
    freed.start();
    ASSERT_TRUE(m_hub->Unplug("keyboard", Route::Cable).empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !keyboard->CommandLink().IsOpen(); }, kSettleMs));
    EXPECT_TRUE(keyboard->IsDeviceWorkIdle());
    EXPECT_LT(freed.elapsed(), 1000);
}

}  // namespace
