#pragma once
// What a device object needs from two controls of other subsystems: the
// lighting editor of its page and its power control. They implement these.
#include "controls/device_light_editor.h"
#include "mouse_extras/device_power_control.h"
