#pragma once
// The main window with the four simulated devices, used the way a person
// would while two of them do not answer: the keyboard's cable stays silent,
// and the mouse's receiver finds no mouse behind it. Pages are switched, the
// lighting switch is flipped, settings are written, and the selector entries'
// own timers run on.
#include "sim/sim_hub.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CMainWnd;
class QTimer;

namespace q31::test {

class CSilentDevicesScenario {
public:
    CSilentDevicesScenario();
    ~CSilentDevicesScenario();

    // Opens the window, waits until every device is on show, then silences
    // the keyboard and puts the mouse out of its receiver's reach. Empty when
    // that worked, else why not.
    QString Open();
    // Something the person does every intervalMs while Run runs.
    void AddPeriodicAction(int intervalMs, std::function<void()> action);
    // Runs the window's event loop for duration with the periodic actions, and
    // returns the longest the UI thread kept a posted call waiting meanwhile.
    std::chrono::milliseconds Run(std::chrono::milliseconds duration);

    CMainWnd& Window() { return *m_window; }
    sim::SimHub& Hub() { return *m_hub; }

private:
    void AddUserActions();
    void SelectNextPage();
    void FlipLightingSwitch();
    // A settings change on every device, through the device base.
    void WriteSettingsOfEveryDevice();

    std::shared_ptr<sim::SimHub> m_hub;
    std::unique_ptr<CMainWnd> m_window;
    std::vector<std::unique_ptr<QTimer>> m_actions;
    std::size_t m_selectedEntry = 0;
    std::uint8_t m_settingsValue = 0;
};

}  // namespace q31::test
