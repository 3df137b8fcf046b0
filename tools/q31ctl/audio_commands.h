#pragma once
// q31ctl's headset sound commands, through the audio chip's library:
//   audio status            the endpoints, feature words and sound state as JSON
//   audio set NAME VALUE    one sound setting
#include <optional>
#include <string>
#include <vector>

#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

// Nullopt when the arguments name no audio command.
std::optional<OfflineCommandResult> RunAudioCommand(const std::vector<std::string>& arguments, Console console);
std::string AudioUsageText();

}  // namespace q31::ctl
