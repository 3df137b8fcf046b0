#pragma once
// The macro block the keyboard and the mouse play macros from, and the slot
// numbering that the key table written after it shares.
//
// Block: AA 55, total size, macro count n, 10 zero bytes, n offsets, then per
// macro its event count, 2 zero bytes and 4 bytes per event (delay low, delay
// high, type with bit 7 for a press, button). 16-bit values are little-endian.
#include "macros/macro_files.h"
#include "profiles/profile_records.h"

#include <json/value.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace q31::macros {

// The distinct macro numbers below macroCount that present keys are bound to,
// in the order of the keys; a macro's position here is its slot on the device.
std::vector<int> CollectUsedMacros(const std::vector<KeyListEntry>& keys,
                                   const std::function<bool(std::uint16_t key)>& isPresent, int macroCount);

std::array<std::uint8_t, 4> EncodeEvent(const Json::Value& event);

struct MacroBlock {
    int tooLargeBy = 0;  // k > 0: about k events too many for the capacity; nothing to write
    std::vector<std::uint8_t> bytes;  // empty: nothing to write
};

// Each macro file is read once. A slot whose macro is missing, unreadable or
// beyond the list holds a macro without events.
MacroBlock BuildMacroBlock(const MacroFolder& files, const std::vector<int>& used, std::size_t capacity);

struct DeviceKeyCodes {
    std::vector<FunctionCode> codes;        // one per key, in key order
    std::vector<std::uint16_t> reverted;    // macro-bound keys written with their default code
};

// The codes the key table write sends: macro numbers become slots of `used`.
// Without a freshly written block (macrosWritten false) no slot of the block
// the device holds is trusted, and every macro-bound key gets its default.
DeviceKeyCodes KeyCodesForDevice(const std::vector<KeyListEntry>& keys, const std::vector<int>& used, int macroCount,
                                 bool macrosWritten);

}  // namespace q31::macros
