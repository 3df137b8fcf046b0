// The worker that asks a receiver whether its device answers, against the
// simulated devices: it must not outlive the window and the device it asks about.
#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "app/registered_messages.h"
#include "app/start_up.h"
#include "devices/halvorin_usb_device.h"
#include "platform/debug_log.h"
#include "protocol/command_codes.h"
#include "tests/app/desktop_test.h"

#include <QTest>

#include <gtest/gtest.h>

#include <atomic>

namespace {

using q31::sim::Route;

constexpr int kMouseKind = 1;
constexpr int kSettleMs = 3000;

// The lines the worker logs after each try, counted once the window is gone.
std::atomic<bool> g_windowGone{false};
std::atomic<int> g_linesAfterTheWindow{0};

void CountWorkerLinesAfterTheWindow(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    if (g_windowGone && qstrcmp(context.category, lcQ31Debug().categoryName()) == 0 &&
        text.startsWith(QStringLiteral("获取2")))
        ++g_linesAfterTheWindow;
}

class ReceiverLinkWorkerTest : public q31::test::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        QLoggingCategory::setFilterRules(QStringLiteral("q31.debug=true"));
        m_previousHandler = qInstallMessageHandler(CountWorkerLinesAfterTheWindow);
    }

    void TearDown() override
    {
        m_window.reset();
        qInstallMessageHandler(m_previousHandler);
        QLoggingCategory::setFilterRules(QString());
        DesktopTest::TearDown();
    }

    QtMessageHandler m_previousHandler = nullptr;
};

TEST_F(ReceiverLinkWorkerTest, ClosingTheWindowEndsTheAskingOfAReceiverWhoseDeviceIsSilent)
{
    m_window = std::make_unique<CMainWnd>();
    ASSERT_TRUE(m_window->CreateMainWindow());
    ASSERT_TRUE(m_hub->Plug("mouse", Route::Cable).empty());
    ASSERT_TRUE(m_hub->Plug("mouse", Route::Receiver).empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->DeviceOfKind(kMouseKind) != nullptr; }, kSettleMs));
    CHalvorinUSBDevice* mouse = m_window->DeviceOfKind(kMouseKind);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mouse->CommandLink().IsOpen(); }, kSettleMs));
    ASSERT_TRUE(mouse->GetPowerDisplay());

    // Unreachable at first, the receiver answers at once, and the UI thread is
    // not kept waiting for the link while it handles the cable's other interface.
    ASSERT_TRUE(m_hub->SetReachable("mouse", false).empty());
    ASSERT_TRUE(m_hub->Unplug("mouse", Route::Cable).empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return mouse->CommandLink().IsReceiverMode() && !mouse->IsNotificationAttached(Mouse); },
                                kSettleMs));
    // Then it takes the question and never answers: the next try waits out the receiver timeout.
    q31::sim::SimFault silent;
    silent.kind = q31::sim::FaultKind::NoReply;
    silent.times = q31::sim::SimFault::kAlways;
    silent.command = q31::kCmdQueryReceiverLink;
    ASSERT_TRUE(m_hub->AddFault("mouse", silent).empty());
    ASSERT_TRUE(m_hub->SetReachable("mouse", true).empty());
    m_hub->Log().Clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { return RequestWasSent(q31::kCmdQueryReceiverLink, "receiver"); }, kSettleMs));

    m_window.reset();
    g_windowGone = true;
    // Long enough for the question in flight to have timed out, had it been left waiting.
    QTest::qWait(int(CDeviceLink::kReceiverTimeoutMs) + 1000);
    g_windowGone = false;
    EXPECT_EQ(g_linesAfterTheWindow, 0);
}

}  // namespace
