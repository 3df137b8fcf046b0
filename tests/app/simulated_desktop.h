#pragma once
// What a main window test needs before it opens the window: the simulated
// devices behind the HID back end, the skin and the program's messages.
#include "sim/sim_hub.h"

#include <QString>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CMainWnd;

namespace q31::test {

// The hub the window will see, or nullptr with the reason in error.
std::shared_ptr<q31::sim::SimHub> StartSimulatedDesktop(QString* error);
// Gives the HID back end back.
void EndSimulatedDesktop();

// A device and the way it is plugged in.
using Plugging = std::pair<std::string, q31::sim::Route>;
// A main window that shows each of these devices, plugged in once it was
// open; nullptr with the reason in error when one did not come on show.
std::unique_ptr<CMainWnd> OpenWindowShowing(q31::sim::SimHub& hub, const std::vector<Plugging>& devices, QString* error);

}  // namespace q31::test
