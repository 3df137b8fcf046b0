// What the main window takes from other processes: the filter's rules, and a
// running q31 that is sent a pointer-carrying menu message and thousands of
// random frames.
#include "app/bus_message_filter.h"
#include "app/main_wnd.h"
#include "app/registered_messages.h"
#include "platform/bus_client.h"
#include "platform/bus_frame.h"
#include "platform/bus_names.h"
#include "platform/bus_socket.h"
#include "tests/common/sanitizer_limits.h"
#include "ui/menu_wnd.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <random>
#include <unistd.h>

using q31::app::AcceptFromBus;
using q31::bus::BusDelivery;

namespace {

BusDelivery Posted(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return BusDelivery{false, message, wParam, lParam, 0, {}};
}

bool Accepted(const BusDelivery& delivery)
{
    return AcceptFromBus(delivery, nullptr).has_value();
}

class BusFilter : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterInstanceMessage();
        RegisterGuidMessages();
    }
};

}  // namespace

TEST_F(BusFilter, PrivateMessagesOfTheWindowComeOnlyFromInside)
{
    for (UINT inside : {UINT(CMenuWnd::kMenuCommand), UINT(UM_DEVICE_ARRIVAL), UINT(UM_DEVICE_REMOVAL),
                        UINT(CMainWnd::kLanguageChanged), UINT(CMainWnd::kInputHook), UINT(WM_TIMER), 0u}) {
        QString why;
        EXPECT_FALSE(AcceptFromBus(Posted(inside, 0x1234, 1), &why)) << inside;
        EXPECT_FALSE(why.isEmpty());
    }
    // Those that other programs send carry nothing, whatever came with them.
    for (UINT outside : {CMainWnd::kOpenSettings, CMainWnd::kShowSettingProgress, CMainWnd::kDpiNotice}) {
        const auto accepted = AcceptFromBus(Posted(outside, 0x1234, -7), nullptr);
        ASSERT_TRUE(accepted) << outside;
        EXPECT_EQ(accepted->wParam, 0u);
        EXPECT_EQ(accepted->lParam, 0);
    }
}

TEST_F(BusFilter, RegisteredMessagesAreTakenWithTheirArgumentsInRange)
{
    EXPECT_TRUE(Accepted(Posted(g_msgInstance, 0, 1)));
    EXPECT_TRUE(Accepted(Posted(g_msgDeviceQuery, 99, 99)));
    EXPECT_TRUE(Accepted(Posted(g_msgLightRequest, 1, 0)));
    EXPECT_TRUE(Accepted(Posted(g_msgLightOwner, 1, 1)));
    EXPECT_FALSE(Accepted(Posted(g_msgLightRequest, 1, 2)));
    EXPECT_FALSE(Accepted(Posted(g_msgLightRequest, 0, 1)));
    EXPECT_TRUE(Accepted(Posted(g_msgUpdateProgress, 4, 100)));
    EXPECT_FALSE(Accepted(Posted(g_msgUpdateProgress, 5, 0)));
    EXPECT_FALSE(Accepted(Posted(g_msgUpdateProgress, 0, 0)));
    // Progress past either end is taken as the end it passed.
    const auto over = AcceptFromBus(Posted(g_msgUpdateProgress, 4, 101), nullptr);
    ASSERT_TRUE(over);
    EXPECT_EQ(over->lParam, 100);
    const auto under = AcceptFromBus(Posted(g_msgUpdateProgress, 4, -3), nullptr);
    ASSERT_TRUE(under);
    EXPECT_EQ(under->lParam, 0);
    // The audio recorder's message goes the other way; an unknown name is no message here.
    EXPECT_FALSE(Accepted(Posted(g_msgAudioRecorder, 6, 1)));
    EXPECT_FALSE(Accepted(Posted(0xC000 + 0x1234, 0, 0)));
    EXPECT_TRUE(Accepted(BusDelivery{true, 0, 0, 0, 5, QByteArray(1024, 0)}));
}

TEST_F(BusFilter, HookMessagesCrossWithoutTheirRecordAndGameEventsWithAnEffectIndex)
{
    const UINT keyCapture = g_hookAndGameMessages[0];
    const auto key = AcceptFromBus(Posted(keyCapture, 0x0100, 0x7ffd1234), nullptr);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->wParam, 0x0100u);
    EXPECT_EQ(key->lParam, 0);  // a pointer into the sender is nothing here
    EXPECT_FALSE(Accepted(Posted(keyCapture, 0x0479, 0)));

    const UINT gameStart = g_hookAndGameMessages[20];
    EXPECT_TRUE(Accepted(Posted(gameStart, 0, 5)));
    EXPECT_FALSE(Accepted(Posted(gameStart, 0, 256)));
    EXPECT_FALSE(Accepted(Posted(gameStart, 0, -1)));
}

TEST(BusFilterProcess, JunkFramesLeaveQ31RunningAndAnswering)
{
    Q31_SKIP_WHEN_CHILDREN_CONFUSE_THE_THREAD_CHECKER();
    RegisterInstanceMessage();
    RegisterGuidMessages();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(Q31_PROGRAM));
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([] { return q31::bus::FindWindow("MainWnd", "Q-31"); }, 10000));
    const QByteArray socketPath = QFile::encodeName(q31::bus::EndpointFileFor("MainWnd", "Q-31").socketPath);

    const auto sendRaw = [&](const QByteArray& bytes) {
        const int fd = q31::bus::ConnectTo(socketPath);
        ASSERT_GE(fd, 0);
        EXPECT_TRUE(q31::bus::WriteAll(fd, bytes, 5000));
        close(fd);
    };
    // A menu command's wParam was once taken for a pointer.
    q31::bus::BusFrame menu;
    menu.kind = q31::bus::FrameKind::Post;
    menu.message = CMenuWnd::kMenuCommand;
    menu.wParam = 0x1234;
    sendRaw(q31::bus::EncodeFrame(menu));

    std::mt19937_64 random(31);
    const std::vector<UINT> interesting = {CMenuWnd::kMenuCommand, UM_DEVICE_ARRIVAL, UM_DEVICE_REMOVAL,
                                           CMainWnd::kLanguageChanged, 0x0D03, 0x0401, WM_TIMER,
                                           g_msgLightRequest, g_msgUpdateProgress, g_hookAndGameMessages[0],
                                           g_hookAndGameMessages[20]};
    QByteArray batch;
    for (int i = 0; i < 10000; ++i) {
        q31::bus::BusFrame frame;
        frame.kind = q31::bus::FrameKind::Post;
        frame.message = i % 2 ? interesting[random() % interesting.size()] : UINT(random() % 0x10000);
        frame.wParam = random();
        frame.lParam = LPARAM(random());
        batch += q31::bus::EncodeFrame(frame);
        if (i % 500 == 499) {
            sendRaw(batch);
            batch.clear();
        }
    }
    // And frames that are no frames at all.
    for (int i = 0; i < 20; ++i) {
        QByteArray junk(int(random() % 200), Qt::Uninitialized);
        for (char& byte : junk)
            byte = char(random());
        sendRaw(junk);
    }

    EXPECT_TRUE(QTest::qWaitFor([] {
        return q31::bus::SendBusMessage("MainWnd", "Q-31", g_msgDeviceQuery, 0, 0).has_value();
    }, 20000));
    EXPECT_EQ(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();
}
