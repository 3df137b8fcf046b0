#pragma once
// Where the mouse's buttons sit in its key table: the mouse reports a code per
// key slot, and each button is found by its factory code. Read together with
// the DPI limits, in one bracket; shared by the mouse page and the command line tool.
#include "devices/key_map_transfers.h"
#include "devices/mouse_dpi.h"
#include "profiles/profile_records.h"

#include <array>
#include <cstdint>

class CDeviceLink;

namespace q31::devices {

inline constexpr int kMouseButtons = 11;
// A button the mouse's key table has no slot for.
inline constexpr std::uint8_t kNoSlot = 0xAA;

struct MouseButton {
    const char* nameKey;  // the language text of its caption
    FunctionCode factory;
};

// In button order.
const std::array<MouseButton, kMouseButtons>& MouseButtonTable();

using MouseSlotMap = std::array<std::uint8_t, kMouseButtons>;

// Each button at the first of the keyCount slots whose code is its factory
// code; kNoSlot where there is none.
MouseSlotMap MouseSlotMapOf(int keyCount, const KeyMapImage& keyMap);

struct MouseLayoutRead {
    int result = kResultNoReply;  // the first failing link code, else success
    int keyCount = 0;
    KeyMapImage keyMap{};
    MouseSlotMap buttonSlots{};  // every button kNoSlot unless the read succeeded
    DpiLimits dpi;               // as keyCount and keyMap: only after a read that succeeded
};

// Device information and key table, in a bracket that is closed also when a
// command fails. A mouse claiming more slots than a key table block holds is
// refused before its key table is read. Through a receiver every command
// waits for the mouse to answer (see mouse_link_gate.h).
MouseLayoutRead ReadMouseLayout(CDeviceLink& link);

}  // namespace q31::devices
