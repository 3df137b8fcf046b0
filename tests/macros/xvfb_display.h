#pragma once
// A private X server for a test, on a display number the server picks itself,
// with a connection of the test's own as "another program" on that display.
#include <QStringList>

#include <functional>

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

}  // namespace q31::macros::test
