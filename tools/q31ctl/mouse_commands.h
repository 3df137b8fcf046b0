#pragma once
// q31ctl's mouse commands: the same sequences the mouse page runs.
#include "tools/q31ctl/ctl_runner.h"

class CDeviceLink;

namespace q31::ctl {

// apply-profile: settings record (with the --screen size), macros, key table.
int ApplyMouseProfile(const Options& options, CDeviceLink& link, Console console);
// layout: {"keyCount": n, "slots": [...], "dpi": {"step", "highestIndex", "lowestDpi", "sensorId"}},
// one slot per button, -1 where the mouse has none.
int PrintMouseLayout(CDeviceLink& link, Console console);

}  // namespace q31::ctl
