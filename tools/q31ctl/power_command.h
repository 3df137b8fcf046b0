#pragma once
// q31ctl's power command: what the device's power display would show.
#include "tools/q31ctl/ctl_runner.h"

class CDeviceLink;

namespace q31::ctl {

// One line of JSON: "text", "progress", "barShown", "statusImage", "wirelessLogo"
// and "phoneType" (the tool tip's language id); null where the display would
// keep what it showed before, or does not show that part for this device.
int PrintPowerView(const Options& options, CDeviceLink& link, Console console);

}  // namespace q31::ctl
