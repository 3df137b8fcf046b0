#pragma once
// What q31ctl's profile and layout commands of keyboard and mouse share:
// reporting a step that failed, the macro folder, the JSON line.
#include <json/json.h>

#include <QString>

#include <optional>
#include <string>

#include "devices/profile_macro_step.h"
#include "macros/macro_files.h"
#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

// One line "what: why" with the exit status of the link code.
int FailWithResult(Console console, const std::string& what, int result);

// The folder of --macros; none without it.
std::optional<macros::MacroFolder> MacroFolderOf(const Options& options);

// The shipped effect list the light mode codes come from.
QString DefaultEffectList();

// The exit status of a profile write, with its one line when it failed;
// device names the device in that line ("keyboard", "mouse").
int FinishProfileWrite(Console console, const devices::ProfileWriteResult& written, const std::string& device);

// The value as one line of compact JSON on out.
int PrintJsonLine(Console console, const Json::Value& value);

}  // namespace q31::ctl
