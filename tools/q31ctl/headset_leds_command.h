#pragma once
// q31ctl's headset LED reports, computed as the headset page computes them;
// they need no device:
//   --device headset leds R,G,B,A R,G,B,A ... (13 records)
#include <optional>
#include <string>
#include <vector>

#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

// Nullopt when the arguments name no headset leds command.
std::optional<OfflineCommandResult> RunHeadsetLedsCommand(const std::vector<std::string>& arguments,
                                                          Console console);
std::string HeadsetLedsUsageText();

}  // namespace q31::ctl
