#pragma once
// q31ctl's commands on key codes and macro folders; they touch files only,
// never a device, and need no display:
//   name TYPE DATA1 DATA2 [--page keyboard|mouse] [--macros N] [--guns N]
//   pack TYPE DATA1 DATA2 / unpack N / scankey LOW EXTENDED
//   macro-block --macros FOLDER --keys PROFILE.Json [--absent I,J,...] [--blocks N]
//   macro add|rename|delete|import|export FOLDER ...
#include <optional>
#include <string>
#include <vector>

#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

// Nullopt when the arguments name none of these commands.
std::optional<OfflineCommandResult> RunMacroCommand(const std::vector<std::string>& arguments, Console console);
std::string MacroUsageText();

}  // namespace q31::ctl
