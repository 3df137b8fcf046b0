#pragma once
// The selector entry's timers that a device object starts itself.
#include "platform/win_types.h"

namespace q31::devices {

// Reads the device's state again (SyncFromDevice), once.
inline constexpr UINT kEntrySyncTimer = 1002;

}  // namespace q31::devices
