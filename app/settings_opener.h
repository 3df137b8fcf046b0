#pragma once
// Opens the settings window for the main window: from "setbtn", from the tray
// menu's "setwnd_menu" and on message 0x0C15, one at a time; passes it the
// language changes and the updating program's progress while it is open.
#include "app/set_wnd.h"

#include <QObject>

#include <memory>
#include <vector>

class CMainWnd;

namespace q31::app {

class CSettingsOpener {
public:
    // Registers with the main window's notification owners.
    explicit CSettingsOpener(CMainWnd& main);
    ~CSettingsOpener();
    CSettingsOpener(const CSettingsOpener&) = delete;
    CSettingsOpener& operator=(const CSettingsOpener&) = delete;

    // Opens the window from the event loop, so whoever asked is answered first.
    void OpenLater(bool centred);
    // Shows the window modally and returns when it is closed; an open window only comes to the front.
    void Open(bool centred);
    // Closes an open window whatever its lines are doing (the main window is going).
    void Close();
    CSetWnd* Window() const { return m_window.get(); }

private:
    // The devices of the selector, in its order, whose command link is open.
    std::vector<update::InstalledDevice> InstalledDevices() const;
    void Place(bool centred);

    CMainWnd& m_main;
    std::unique_ptr<CSetWnd> m_window;
    // Opens still queued are dropped with the opener.
    QObject m_context;
};

}  // namespace q31::app
