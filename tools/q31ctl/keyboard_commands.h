#pragma once
// q31ctl's keyboard commands: the same sequences the keyboard page runs.
#include "tools/q31ctl/ctl_runner.h"

class CDeviceLink;

namespace q31::ctl {

// apply-profile: settings record, macros, custom colours, key table.
int ApplyKeyboardProfile(const Options& options, CDeviceLink& link, Console console);
// layout: {"positions": n, "keyPositions": [...], "lightIndexes": [...]},
// one entry per logical key, null where the keyboard has none.
int PrintKeyboardLayout(CDeviceLink& link, Console console);

}  // namespace q31::ctl
