#pragma once
// q31ctl's profile command: the profile bar's operations on the user's files,
// for scripts. It touches no device and needs no display:
//   profile --device keyboard|mouse|mousepad|headset list|add|copy I|rename I NAME|
//           delete I|reset I|select I|import FILE|export I FILE
#include <optional>
#include <string>
#include <vector>

#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

// Nullopt when the arguments are no profile command.
std::optional<OfflineCommandResult> RunProfileCommand(const std::vector<std::string>& arguments, Console console);
std::string ProfileUsageText();

}  // namespace q31::ctl
