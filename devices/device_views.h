#pragma once
// What a device object needs from two controls of other subsystems: the
// lighting editor of its page and its power control. They implement these.
#include "controls/device_light_editor.h"
#include "mouse_extras/device_power_control.h"
#include "platform/win_types.h"

// A device's current profile number, read from it, goes to the main window with this.
inline constexpr UINT kDeviceProfileMessage = 0x0D00;
