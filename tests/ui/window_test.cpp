// Window life: modal runs, closing, messages from other threads, moving by the caption.
#include "tests/ui/ui_test_support.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <future>
#include <thread>

using q31::test::FlushDeletes;
using q31::test::Item;
using q31::test::TestSkin;
using q31::test::TestWindow;
using q31::test::UiFile;

namespace {

class Windows : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.Write(QStringLiteral("XML/test.xml"),
                   UiFile(Item(QStringLiteral("QPushButton"), QStringLiteral("ok")),
                          QStringLiteral("<property name=\"caption\" stdset=\"0\"><string>0,0,0,40</string></property>")));
    }

    TestSkin skin;
};

}  // namespace

TEST_F(Windows, ShowModalReturnsTheValueGivenToClose)
{
    TestWindow window(QStringLiteral("XML_TEST"));
    window.Create(nullptr, QStringLiteral("modal"), 0, 0);
    window.onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == QLatin1String("click"))
            window.Close(7);
    };
    QTimer::singleShot(0, [&] { QTest::mouseClick(qobject_cast<QPushButton*>(window.Find(QStringLiteral("ok"))),
                                                  Qt::LeftButton); });
    EXPECT_EQ(window.ShowModal(), 7u);
    FlushDeletes();
    EXPECT_EQ(window.finalCalls, 1);
    EXPECT_EQ(window.GetHWND(), nullptr);
}

TEST_F(Windows, ClosingFromOutsideEndsTheModalRunWithZeroAndTheWindow)
{
    TestWindow window(QStringLiteral("XML_TEST"));
    window.Create(nullptr, QStringLiteral("modal"), 0, 0);
    QTimer::singleShot(0, [&] { window.GetHWND()->close(); });
    EXPECT_EQ(window.ShowModal(), 0u);
    FlushDeletes();
    EXPECT_EQ(window.finalCalls, 1);
    EXPECT_EQ(window.GetHWND(), nullptr);
}

TEST_F(Windows, ModalRunEndsWhenTheWindowObjectGoesAway)
{
    auto* window = new TestWindow(QStringLiteral("XML_TEST"));
    window->Create(nullptr, QStringLiteral("modal"), 0, 0);
    QTimer::singleShot(0, [window] { delete window; });
    EXPECT_EQ(window->ShowModal(), 0u);
    FlushDeletes();
}

TEST_F(Windows, MessagesFromWorkerThreads)
{
    TestWindow window(QStringLiteral("XML_TEST"));
    window.Create(nullptr, QStringLiteral("worker"), 0, 0);
    std::promise<LRESULT> sent;
    std::thread worker([&] {
        sent.set_value(SendMessageTo(window, 0x0C12, 3, 0));
        PostMessageTo(window, 0x0C13, 4, 0);
    });
    std::future<LRESULT> result = sent.get_future();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.messages.size() == 2; }, 5000));
    worker.join();
    EXPECT_EQ(result.get(), LRESULT(0x0C12 + 3));
    EXPECT_EQ(window.messages[0].message, 0x0C12u);
    EXPECT_EQ(window.messages[1].message, 0x0C13u);
    EXPECT_EQ(window.messages[1].wParam, 4u);
}

TEST_F(Windows, CaptionMovesTheWindowAndOnlyTheCaption)
{
    TestWindow window(QStringLiteral("XML_TEST"));
    QWidget* host = window.Create(nullptr, QStringLiteral("drag"), WS_VISIBLE, 0, QRect(100, 100, 400, 300));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host));
    const QPoint start = host->pos();
    const auto send = [host](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, host->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(host, &event);
    };
    // Below the caption band nothing moves.
    send(QEvent::MouseButtonPress, QPoint(200, 200), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(230, 220), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(230, 220), Qt::NoButton);
    EXPECT_EQ(host->pos(), start);

    send(QEvent::MouseButtonPress, QPoint(200, 10), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(230, 30), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(230, 30), Qt::NoButton);
    EXPECT_EQ(host->pos(), start + QPoint(30, 20));
}

TEST_F(Windows, CentreOverTheParent)
{
    QWidget owner;
    owner.setGeometry(200, 150, 800, 572);
    owner.show();
    TestWindow window(QStringLiteral("XML_TEST"));
    QWidget* host = window.Create(&owner, QStringLiteral("child"), 0, WS_EX_TOOLWINDOW);
    window.CenterWindow();
    EXPECT_LE((host->geometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);
    EXPECT_TRUE(host->windowFlags() & Qt::FramelessWindowHint);
}
