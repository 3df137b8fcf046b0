#pragma once
// q31ctl's light preview without a device: the light records a device page
// would show, one line per light thread pass, on a simulated clock so that
// every run prints the same:
//   effect-frames --device KIND (--custom FILE.light | --profile PROFILE.Json | --mode M ...) --passes N [--ms-per-pass M]
#include <optional>
#include <string>
#include <vector>

#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

// Nullopt when the arguments name no effect-frames command.
std::optional<OfflineCommandResult> RunEffectFramesCommand(const std::vector<std::string>& arguments,
                                                           Console console);
std::string EffectFramesUsageText();

}  // namespace q31::ctl
