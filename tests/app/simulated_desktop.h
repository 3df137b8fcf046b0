#pragma once
// What a main window test needs before it opens the window: the simulated
// devices behind the HID back end, the skin and the program's messages.
#include "sim/sim_hub.h"

#include <QString>

#include <memory>

namespace q31::test {

// The hub the window will see, or nullptr with the reason in error.
std::shared_ptr<q31::sim::SimHub> StartSimulatedDesktop(QString* error);
// Gives the HID back end back.
void EndSimulatedDesktop();

}  // namespace q31::test
