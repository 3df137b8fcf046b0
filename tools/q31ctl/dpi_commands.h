#pragma once
// q31ctl's DPI conversions, the ones the mouse page makes; they need no device:
//   dpi value INDEX --step S --lowest L --highest H --sensor ID
//   dpi index TEXT --step S --lowest L --highest H --sensor ID
#include <optional>
#include <string>
#include <vector>

#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

// Nullopt when the arguments name no dpi command.
std::optional<OfflineCommandResult> RunDpiCommand(const std::vector<std::string>& arguments, Console console);
std::string DpiUsageText();

}  // namespace q31::ctl
