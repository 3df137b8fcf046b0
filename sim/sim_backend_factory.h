#pragma once
// The simulator back end that "q31 --simulate" and the tools use.
#include "hid/hid_backend.h"

#include <QString>

#include <memory>

namespace q31::sim {

// Where q31-devsim listens: a socket in the per-user runtime folder.
QString DevsimSocketPath();

// The devices of the running q31-devsim, or, when none runs, an in-process
// simulator with the keyboard, the mouse, the mouse pad and the headset
// plugged in on their cables. Nullptr (and the reason) when the simulated
// models cannot be read.
std::shared_ptr<hid::IHidBackend> MakeSimulatorBackend(QString* error = nullptr);

}  // namespace q31::sim
