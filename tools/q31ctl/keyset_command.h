#pragma once
// q31ctl's key editor conversions, the ones the key tab makes; they need no device:
//   keyset encode CATEGORY [field options]
//   keyset decode TYPE DATA1 DATA2 --default TYPE DATA1 DATA2 [--page keyboard|mouse] [--macros N]
//   keyset capture SCAN EXTENDED [--option N]
#include <optional>
#include <string>
#include <vector>

#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

// Nullopt when the arguments name no keyset command.
std::optional<OfflineCommandResult> RunKeySetCommand(const std::vector<std::string>& arguments, Console console);
std::string KeySetUsageText();

}  // namespace q31::ctl
