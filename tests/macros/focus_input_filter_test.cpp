#include "macros/focus_input_filter.h"
#include "tests/macros/input_event_builders.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace q31::macros {
namespace {

using platform::InputEvent;
using test::ButtonEvent;
using test::KeyEvent;
using test::WithoutTimes;

// Counts what the filter lets through to the window.
class PassedEvents : public QObject {
public:
    int keys = 0;
    int buttons = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        keys += event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
        buttons += event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease;
        return false;
    }
};

class FocusInputFilterTest : public ::testing::Test {
protected:
    FocusInputFilterTest()
    {
        window.resize(200, 100);
        window.show();
        window.windowHandle()->installEventFilter(&passed);  // runs after the filter under test
        filter = std::make_unique<FocusInputFilter>(
            &window, [this](const InputEvent& event) { received.push_back(event); });
    }

    void Key(QEvent::Type type, int key, quint32 keycode, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier, keycode, 0, 0, QString(), autoRepeat);
        QCoreApplication::sendEvent(window.windowHandle(), &event);
    }

    void Mouse(QEvent::Type type, Qt::MouseButton button, QPointF global)
    {
        QMouseEvent event(type, QPointF(5, 5), global, button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(window.windowHandle(), &event);
    }

    QWidget window;
    PassedEvents passed;
    std::vector<InputEvent> received;
    std::unique_ptr<FocusInputFilter> filter;
};

TEST_F(FocusInputFilterTest, KeysAreReportedAndKeptFromTheWindowExceptLockKeys)
{
    Key(QEvent::KeyPress, Qt::Key_A, 38);
    Key(QEvent::KeyRelease, Qt::Key_A, 38);
    Key(QEvent::KeyPress, Qt::Key_Up, 111);
    Key(QEvent::KeyPress, Qt::Key_CapsLock, 66);
    Key(QEvent::KeyRelease, Qt::Key_CapsLock, 66);

    EXPECT_EQ(WithoutTimes(received), (std::vector<InputEvent>{KeyEvent(0x1E, false, true), KeyEvent(0x1E, false, false),
                                                                KeyEvent(0x48, true, true), KeyEvent(0x3A, false, true),
                                                                KeyEvent(0x3A, false, false)}));
    EXPECT_EQ(passed.keys, 2);
}

TEST_F(FocusInputFilterTest, AutoRepeatAndUnknownKeysAreNotReported)
{
    Key(QEvent::KeyPress, Qt::Key_A, 38);
    Key(QEvent::KeyRelease, Qt::Key_A, 38, true);
    Key(QEvent::KeyPress, Qt::Key_A, 38, true);
    Key(QEvent::KeyPress, Qt::Key_VolumeMute, 121);

    EXPECT_EQ(WithoutTimes(received), (std::vector<InputEvent>{KeyEvent(0x1E, false, true)}));
    EXPECT_EQ(passed.keys, 0);
}

TEST_F(FocusInputFilterTest, ButtonsAreReportedWithTheirScreenPointAndStillReachTheWindow)
{
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, {300, 40});
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {300, 40});
    Mouse(QEvent::MouseButtonDblClick, Qt::BackButton, {10, 20});
    Mouse(QEvent::MouseButtonPress, Qt::ExtraButton4, {10, 20});

    EXPECT_EQ(WithoutTimes(received),
              (std::vector<InputEvent>{ButtonEvent(InputEvent::kLeft, true, 300, 40),
                                       ButtonEvent(InputEvent::kLeft, false, 300, 40),
                                       ButtonEvent(InputEvent::kBack, true, 10, 20)}));
    EXPECT_EQ(passed.buttons, 3);
}

TEST_F(FocusInputFilterTest, NothingIsReportedOnceTheFilterIsGone)
{
    filter.reset();
    Key(QEvent::KeyPress, Qt::Key_A, 38);

    EXPECT_TRUE(received.empty());
    EXPECT_EQ(passed.keys, 1);
}

}  // namespace
}  // namespace q31::macros
