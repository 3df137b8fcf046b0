// Control timers: the owner hears "timer" with the id, a control may take its
// own timers, and a timer ends with its control.
#include "tests/ui/ui_test_support.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using q31::test::Item;
using q31::test::TestSkin;
using q31::test::TestWindow;
using q31::test::UiFile;

namespace {

class SelfTimedLabel : public QLabel, public ITimerTarget {
public:
    using QLabel::QLabel;
    bool DoTimer(UINT timerId) override
    {
        ids.push_back(timerId);
        return timerId == 1000;
    }
    std::vector<UINT> ids;
};

class ControlTimers : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.Write(QStringLiteral("XML/test.xml"), UiFile(Item(QStringLiteral("QLabel"), QStringLiteral("entry")) +
                                                           Item(QStringLiteral("SelfTimed"), QStringLiteral("own"))));
        window.createControl = [](const QString& className, QWidget* parent) -> QWidget* {
            return className == QLatin1String("SelfTimed") ? new SelfTimedLabel(parent) : nullptr;
        };
        window.Create(nullptr, QStringLiteral("test"), 0, 0);
    }

    TestSkin skin;
    TestWindow window{QStringLiteral("XML_TEST")};
};

}  // namespace

TEST_F(ControlTimers, OwnerGetsTimerWithIdUntilKilled)
{
    CPaintManagerUI& pm = window.GetPaintManager();
    QWidget* entry = window.Find(QStringLiteral("entry"));
    ASSERT_TRUE(pm.SetTimer(entry, 1005, 5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Count(QStringLiteral("timer")) >= 2; }, 2000));
    const TNotifyUI* timer = window.Last(QStringLiteral("timer"));
    EXPECT_EQ(timer->pSender, entry);
    EXPECT_EQ(timer->wParam, 1005u);

    EXPECT_TRUE(pm.KillTimer(entry, 1005));
    EXPECT_FALSE(pm.KillTimer(entry, 1005));
    const int seen = window.Count(QStringLiteral("timer"));
    QTest::qWait(30);
    EXPECT_EQ(window.Count(QStringLiteral("timer")), seen);
}

TEST_F(ControlTimers, SettingAnIdAgainRestartsOneTimer)
{
    CPaintManagerUI& pm = window.GetPaintManager();
    QWidget* entry = window.Find(QStringLiteral("entry"));
    pm.SetTimer(entry, 7, 10000);
    pm.SetTimer(entry, 7, 5);
    pm.SetTimer(entry, 8, 10000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Count(QStringLiteral("timer")) >= 1; }, 2000));
    EXPECT_EQ(window.Last(QStringLiteral("timer"))->wParam, 7u);
    pm.KillTimer(entry);
    EXPECT_FALSE(pm.KillTimer(entry, 8));
}

TEST_F(ControlTimers, ControlMayHandleItsOwnTimers)
{
    CPaintManagerUI& pm = window.GetPaintManager();
    auto* own = dynamic_cast<SelfTimedLabel*>(window.Find(QStringLiteral("own")));
    ASSERT_NE(own, nullptr);
    pm.SetTimer(own, 1000, 5);
    pm.SetTimer(own, 1001, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Count(QStringLiteral("timer")) >= 1; }, 2000));
    pm.KillTimer(own);
    EXPECT_EQ(window.Last(QStringLiteral("timer"))->wParam, 1001u);  // 1000 stayed with the control
    EXPECT_NE(std::find(own->ids.begin(), own->ids.end(), 1000u), own->ids.end());
}

TEST_F(ControlTimers, TimerEndsWithItsControl)
{
    CPaintManagerUI& pm = window.GetPaintManager();
    auto* doomed = new QLabel(window.GetPaintManager().GetRoot());
    pm.SetTimer(doomed, 3, 5);
    delete doomed;
    QTest::qWait(30);
    EXPECT_EQ(window.Count(QStringLiteral("timer")), 0);
    EXPECT_FALSE(pm.SetTimer(nullptr, 3, 5));
}

TEST_F(ControlTimers, WindowTimersReachHandleMessage)
{
    window.SetTimer(1011, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.messages.empty(); }, 2000));
    window.KillTimer(1011);
    EXPECT_EQ(window.messages.front().message, WM_TIMER);
    EXPECT_EQ(window.messages.front().wParam, 1011u);
}
