#pragma once
// Joins the macro editors of the keyboard and mouse pages to the main window:
// binds each page's editor to its device's macro folder, passes on the
// notifications of the macro controls to the editor they belong to, keeps the
// device's macro names current, and locks the device selector and the
// profile bar while a recording runs. It holds the window's input capture
// the recordings run on.
#include "macros/device_hook.h"
#include "macros/hook_macro_capture.h"

#include <QObject>
#include <QPointer>

#include <vector>

class CHalvorinUSBDevice;
class CMacroControlUI;
class CMainWnd;
class QWidget;

namespace q31::app {

class CMacroOwner {
public:
    // Registers with the main window's notification owners.
    explicit CMacroOwner(CMainWnd& main);
    // Ends a recording still running and leaves no editor with the capture.
    ~CMacroOwner();
    CMacroOwner(const CMacroOwner&) = delete;
    CMacroOwner& operator=(const CMacroOwner&) = delete;

    // A new page: its editor, when it has one, shows the device's macros.
    void BindPage(CHalvorinUSBDevice& device);
    // The window's input capture, which the key editors capture through too.
    q31::macros::CDeviceHook& Hook() { return m_hook; }

private:
    void LockAroundRecording(bool recording);

    CMainWnd& m_main;
    QObject m_context;
    q31::macros::CDeviceHook m_hook{&m_context};
    q31::macros::CHookMacroCapture m_capture{m_hook};
    std::vector<QPointer<CMacroControlUI>> m_editors;
};

// The editor a macro control belongs to; null for controls outside one.
CMacroControlUI* EditorOf(QWidget* control);

}  // namespace q31::app
