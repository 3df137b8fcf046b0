#pragma once
// Writing the macro block of the keys' macros into the device's macro memory.
#include "macros/macro_files.h"
#include "protocol/command_gate.h"

#include <vector>

class CDeviceLink;

namespace q31::macros {

// The device's macro memory is gone through, but a command failed; link codes
// below -1 are passed on as they are.
inline constexpr int kMacrosNotWritten = -2;
inline constexpr int kMacroMemoryUnit = 128;  // device information byte 6 counts these

// 0: written, or nothing to write (no used macro, no macro list, link closed);
// -1: no memory for the block; k > 0: the block is about k events too large
// and nothing was sent; below -1: a command failed. Each of its commands goes
// through the gate.
int WriteMacros(CDeviceLink& link, const MacroFolder& files, const std::vector<int>& used,
                const CommandGate& gate = SendDirectly);

enum class MacroWriteOutcome {
    Written,    // also nothing to write
    NoMemory,   // "message_text_7"
    TooLarge,   // "message_text_16" with k
    Failed,     // the write failed on the way to the device
};
MacroWriteOutcome OutcomeOfMacroWrite(int result);

}  // namespace q31::macros
