#pragma once
// q31ctl's record: the macro rows that recording makes of timestamped key and
// button changes, through the same recorder as the window; needs no device:
//   record --mode 1|2|3 [--fixed-delay D] [--insert-at S] [--macro FILE.mac] [--start T] < EVENTS.jsonl
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

// Nullopt when the arguments do not start with "record".
std::optional<OfflineCommandResult> RunRecordCommand(const std::vector<std::string>& arguments, Console console,
                                                     std::istream& events);
std::string RecordUsageText();

}  // namespace q31::ctl
