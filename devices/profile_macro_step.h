#pragma once
// The macro step of a profile write, the same for keyboard and mouse: the
// macros the keys use go into the device's macro memory before the key table
// that names them by slot.
#include "macros/macro_files.h"
#include "protocol/command_gate.h"
#include "protocol/result_codes.h"

#include <optional>
#include <vector>

class CDeviceLink;

namespace q31::devices {

struct ProfileWriteResult {
    int result = kResultSuccess;  // the first failing link code; the steps after it are not run
    int macros = 0;               // 0, or -1 (no memory) or k > 0 (too large by about k events): not written
};

// The entries of the macro list; 0 without a folder.
int MacroCountOf(const std::optional<macros::MacroFolder>& macroFolder);

// Without a folder nothing is written. A block that does not fit is reported
// in written.macros and the write goes on; a failing command ends it, with its
// code in written.result. True when the write may go on.
bool WriteProfileMacros(CDeviceLink& link, const std::optional<macros::MacroFolder>& macroFolder,
                        const std::vector<int>& macroSlots, ProfileWriteResult& written,
                        const CommandGate& gate = SendDirectly);

}  // namespace q31::devices
