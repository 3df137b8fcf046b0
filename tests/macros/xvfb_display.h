#pragma once
// A private X server for a test, on a display number the server picks itself,
// with a connection of the test's own as "another program" on that display.
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <xcb/xcb.h>

#include <string>
#include <sys/types.h>

namespace q31::macros::test {

// Runs the Qt events (what the capture posted among them) until done holds or
// waitMs is over; whether it holds.
bool RunEventsUntil(const std::function<bool()>& done, int waitMs);

class XvfbDisplay {
public:
    // Empty when Xvfb or xdotool is not installed.
    static QString MissingTool();

    XvfbDisplay();  // starts the server; Name() is empty when it did not come up
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    const std::string& Name() const { return m_name; }
    xcb_connection_t* Other() const { return m_other; }
    xcb_window_t Root() const;

    // Runs xdotool on the display; true when it ended well within a few seconds.
    bool Xdotool(const QStringList& arguments) const;
    // The modifier state every program sees, locks included.
    unsigned ModifierState() const;
    // Whether the other program can take the keyboard now (it gives it back at once).
    bool OtherCanGrabKeyboard() const;

private:
    pid_t m_server = -1;
    std::string m_name;
    xcb_connection_t* m_other = nullptr;
};

// One private X server for a whole test suite; every test is skipped where
// Xvfb or xdotool is missing.
class XvfbTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (XvfbDisplay::MissingTool().isEmpty())
            display = std::make_unique<XvfbDisplay>();
    }
    static void TearDownTestSuite() { display.reset(); }

    void SetUp() override
    {
        if (const QString missing = XvfbDisplay::MissingTool(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString() << " is not installed";
        ASSERT_FALSE(display->Name().empty()) << "Xvfb did not start";
    }

    static inline std::unique_ptr<XvfbDisplay> display;
};

}  // namespace q31::macros::test
