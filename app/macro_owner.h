#pragma once
// Joins the macro editors of the keyboard and mouse pages to the main window:
// binds each page's editor to its device's macro folder, passes on the
// notifications of the macro controls to the editor they belong to, keeps the
// device's macro names current, and locks the device selector and the
// profile bar while a recording runs.
#include <QObject>

class CHalvorinUSBDevice;
class CMacroControlUI;
class CMainWnd;
class QWidget;

namespace q31::app {

class CMacroOwner {
public:
    // Registers with the main window's notification owners.
    explicit CMacroOwner(CMainWnd& main);
    CMacroOwner(const CMacroOwner&) = delete;
    CMacroOwner& operator=(const CMacroOwner&) = delete;

    // A new page: its editor, when it has one, shows the device's macros.
    void BindPage(CHalvorinUSBDevice& device);

private:
    void LockAroundRecording(bool recording);

    CMainWnd& m_main;
    QObject m_context;
};

// The editor a macro control belongs to; null for controls outside one.
CMacroControlUI* EditorOf(QWidget* control);

}  // namespace q31::app
