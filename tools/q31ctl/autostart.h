#pragma once
// "q31ctl autostart on|off": the XDG autostart entry that starts Q-31 at login.
#include <QString>

#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

// $XDG_CONFIG_HOME/autostart/q31.desktop (by default ~/.config/autostart/q31.desktop).
QString AutostartEntryPath();

// Writes the entry whole (a temporary file renamed over the old one) or removes
// it; needs no display and no device. Returns the exit status.
int SetAutostart(bool on, Console console);

}  // namespace q31::ctl
