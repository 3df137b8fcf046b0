#pragma once
// Reading a device's status record for its power display, the same way for
// the window and for q31ctl.
#include "mouse_extras/device_power_control.h"

class CDeviceLink;

namespace q31::devices {

struct PowerStatusRead {
    int result = 0;  // a link result code
    PowerStatus status{};
};

// Through a receiver only when it reaches the device (kResultUnreachable when
// it does not, or does not answer); byte 3 then says which link it came over.
PowerStatusRead ReadPowerStatusRecord(CDeviceLink& link);

}  // namespace q31::devices
