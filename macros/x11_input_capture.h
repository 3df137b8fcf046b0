#pragma once
// Every key and mouse button of an X display, from XInput2 raw events read on
// a thread of its own, with the keyboard grabbed so that no other program
// gets the keys meanwhile. The lock keys still work: X keeps the lock state
// in the server, which changes it for every program also under a grab.
#include "platform/input_event.h"

#include <functional>
#include <memory>
#include <string>

namespace q31::macros {

class X11InputCapture {
public:
    enum class Start { Capturing, NoDisplay, NoRawInput, GrabRefused };
    using Sink = std::function<void(const platform::InputEvent&)>;

    X11InputCapture();
    ~X11InputCapture();  // stops
    X11InputCapture(const X11InputCapture&) = delete;
    X11InputCapture& operator=(const X11InputCapture&) = delete;

    // displayName as in DISPLAY. The sink runs on the capture's thread.
    // Anything but Capturing leaves nothing open.
    Start Begin(const std::string& displayName, Sink sink);
    // Releases the grab and closes the connection; harmless when not capturing.
    void Stop();
    bool IsCapturing() const;

private:
    struct Session;
    std::unique_ptr<Session> m_session;
};

}  // namespace q31::macros
