#pragma once
// The input capture behind macro recording and the key editor's key capture,
// one per main window. While installed, every key and mouse button change
// goes to the receiver on the thread of the context object, and on an X11
// session keys reach no other program (the lock keys still take effect).
// Where the desktop cannot be captured - no X display, as on Wayland, or the
// keyboard grab refused - Install says so; the caller then feeds the
// window's own input through a FocusInputFilter.
#include "macros/x11_input_capture.h"
#include "platform/input_event.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace q31::macros {

enum class HookReach { Desktop, WindowOnly };

// The display Qt shows its windows on, or none when Qt does not run on X11.
std::string QtX11Display();

class CDeviceHook {
public:
    using Receiver = std::function<void(const platform::InputEvent&)>;

    // The context outlives the hook (the main window owning it).
    explicit CDeviceHook(QObject* context, std::string displayName = QtX11Display());
    ~CDeviceHook();  // removes
    CDeviceHook(const CDeviceHook&) = delete;
    CDeviceHook& operator=(const CDeviceHook&) = delete;

    // Replaces a previous installation. mode is the caller's hook mode, kept for Mode().
    HookReach Install(int mode, Receiver receiver);
    // Ends the capture and releases the keyboard at once; nothing is delivered
    // afterwards. Safe from every teardown path, also when not installed.
    void Remove();
    // The mode of the installation, 0 when removed.
    int Mode() const;

private:
    struct Delivery;
    QObject* m_context;
    std::string m_displayName;
    int m_mode = 0;
    std::shared_ptr<Delivery> m_delivery;
    X11InputCapture m_capture;
};

}  // namespace q31::macros
