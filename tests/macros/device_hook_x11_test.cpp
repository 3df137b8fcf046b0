// The input capture against a private X server, with real input from xdotool.
#include "macros/device_hook.h"
#include "tests/macros/input_event_builders.h"
#include "tests/macros/xvfb_display.h"

#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace q31::macros {
namespace {

using platform::InputEvent;
using test::ButtonEvent;
using test::KeyEvent;
using test::WithoutTimes;
using test::XvfbDisplay;

constexpr int kWaitMs = 5000;
// How long a key that must not arrive is waited for.
constexpr int kQuietMs = 500;

class DeviceHookX11Test : public test::XvfbTest {
protected:
    CDeviceHook::Receiver Collect()
    {
        return [this](const InputEvent& event) { received.push_back(event); };
    }

    static bool RunUntil(const std::function<bool()>& done, int waitMs = kWaitMs)
    {
        return test::RunEventsUntil(done, waitMs);
    }

    QObject context;
    std::vector<InputEvent> received;
};

// A window of another program that has the keyboard focus.
class FocusedWindow {
public:
    explicit FocusedWindow(const XvfbDisplay& x) : m_x(x), m_window(xcb_generate_id(x.Other()))
    {
        const std::uint32_t events = XCB_EVENT_MASK_KEY_PRESS;
        xcb_create_window(x.Other(), XCB_COPY_FROM_PARENT, m_window, x.Root(), 0, 0, 100, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
        xcb_map_window(x.Other(), m_window);
        xcb_set_input_focus(x.Other(), XCB_INPUT_FOCUS_POINTER_ROOT, m_window, XCB_CURRENT_TIME);
        std::free(xcb_get_input_focus_reply(x.Other(), xcb_get_input_focus(x.Other()), nullptr));
    }
    ~FocusedWindow()
    {
        xcb_destroy_window(m_x.Other(), m_window);
        xcb_flush(m_x.Other());
    }

    // Whether a key press reaches the window within waitMs.
    bool GetsKeyPress(int waitMs) const
    {
        QDeadlineTimer deadline(waitMs);
        while (!deadline.hasExpired()) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_x.Other())) {
                const bool keyPress = (event->response_type & 0x7F) == XCB_KEY_PRESS;
                std::free(event);
                if (keyPress)
                    return true;
            }
            QThread::msleep(10);
        }
        return false;
    }

private:
    const XvfbDisplay& m_x;
    xcb_window_t m_window;
};

TEST_F(DeviceHookX11Test, TypedKeysAndClicksArriveOnTheContextThread)
{
    CDeviceHook hook(&context, display->Name());
    ASSERT_EQ(hook.Install(4, Collect()), HookReach::Desktop);
    EXPECT_EQ(hook.Mode(), 4);

    ASSERT_TRUE(display->Xdotool({"mousemove", "100", "200"}));
    ASSERT_TRUE(display->Xdotool({"key", "a"}));
    ASSERT_TRUE(display->Xdotool({"click", "4"}));  // the wheel is not recorded
    ASSERT_TRUE(display->Xdotool({"click", "1"}));

    ASSERT_TRUE(RunUntil([&] { return received.size() >= 4; })) << received.size() << " events";
    RunUntil([] { return false; }, kQuietMs);
    EXPECT_EQ(WithoutTimes(received),
              (std::vector<InputEvent>{KeyEvent(0x1E, false, true), KeyEvent(0x1E, false, false),
                                       ButtonEvent(InputEvent::kLeft, true, 100, 200),
                                       ButtonEvent(InputEvent::kLeft, false, 100, 200)}));
    EXPECT_LE(received.front().timeMs, received.back().timeMs);
}

TEST_F(DeviceHookX11Test, KeysReachNoOtherWindowButLockKeysStillChangeTheLock)
{
    const FocusedWindow window(*display);
    ASSERT_TRUE(display->Xdotool({"key", "b"}));
    ASSERT_TRUE(window.GetsKeyPress(kWaitMs)) << "the window does not get keys even without the hook";

    CDeviceHook hook(&context, display->Name());
    ASSERT_EQ(hook.Install(4, Collect()), HookReach::Desktop);
    const unsigned before = display->ModifierState();
    ASSERT_TRUE(display->Xdotool({"key", "b"}));
    ASSERT_TRUE(display->Xdotool({"key", "Caps_Lock"}));
    ASSERT_TRUE(display->Xdotool({"key", "Num_Lock"}));

    EXPECT_FALSE(window.GetsKeyPress(kQuietMs));
    const unsigned toggled = display->ModifierState() ^ before;
    EXPECT_TRUE(toggled & XCB_MOD_MASK_LOCK);
    EXPECT_TRUE(toggled & XCB_MOD_MASK_2);  // Num Lock
    ASSERT_TRUE(RunUntil([&] { return received.size() >= 2; }));
    EXPECT_EQ(received.front().scan, 0x30);  // b
    hook.Remove();

    ASSERT_TRUE(display->Xdotool({"key", "Caps_Lock", "Num_Lock"}));
    EXPECT_EQ(display->ModifierState(), before);
}

TEST_F(DeviceHookX11Test, TheKeyboardIsFreeAfterRemoveAndAfterDestruction)
{
    {
        CDeviceHook hook(&context, display->Name());
        ASSERT_EQ(hook.Install(4, Collect()), HookReach::Desktop);
        EXPECT_FALSE(display->OtherCanGrabKeyboard());
        hook.Remove();
        EXPECT_TRUE(display->OtherCanGrabKeyboard());
        EXPECT_EQ(hook.Mode(), 0);
        hook.Remove();

        ASSERT_EQ(hook.Install(8, Collect()), HookReach::Desktop);
        EXPECT_FALSE(display->OtherCanGrabKeyboard());
    }
    EXPECT_TRUE(display->OtherCanGrabKeyboard());
}

TEST_F(DeviceHookX11Test, NothingArrivesAfterRemoveAlsoWhatWasAlreadyRead)
{
    CDeviceHook hook(&context, display->Name());
    ASSERT_EQ(hook.Install(4, Collect()), HookReach::Desktop);
    ASSERT_TRUE(display->Xdotool({"key", "a"}));
    QThread::msleep(200);  // the capture has read and posted the key by now, mostly
    hook.Remove();

    RunUntil([] { return false; }, kQuietMs);
    EXPECT_TRUE(received.empty());
}

TEST_F(DeviceHookX11Test, AKeyboardHeldElsewhereLeavesOnlyTheWindowsOwnInput)
{
    const std::unique_ptr<xcb_grab_keyboard_reply_t, decltype(&std::free)> grab(
        xcb_grab_keyboard_reply(display->Other(),
                                xcb_grab_keyboard(display->Other(), false, display->Root(), XCB_CURRENT_TIME,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                nullptr),
        &std::free);
    ASSERT_TRUE(grab && grab->status == XCB_GRAB_STATUS_SUCCESS);

    CDeviceHook hook(&context, display->Name());
    EXPECT_EQ(hook.Install(4, Collect()), HookReach::WindowOnly);
    ASSERT_TRUE(display->Xdotool({"key", "a"}));
    RunUntil([] { return false; }, kQuietMs);
    EXPECT_TRUE(received.empty());

    xcb_ungrab_keyboard(display->Other(), XCB_CURRENT_TIME);
    xcb_flush(display->Other());
}

TEST(DeviceHook, WithoutAnXDisplayOnlyTheWindowsOwnInputIsLeft)
{
    QObject context;
    // The tests run on Qt's offscreen platform, which is not X11.
    EXPECT_EQ(QtX11Display(), "");
    CDeviceHook hook(&context);
    EXPECT_EQ(hook.Install(4, [](const InputEvent&) {}), HookReach::WindowOnly);
    CDeviceHook unreachable(&context, ":9999");
    EXPECT_EQ(unreachable.Install(4, [](const InputEvent&) {}), HookReach::WindowOnly);
}

}  // namespace
}  // namespace q31::macros
