#include "devices/power_status_read.h"

#include "protocol/device_link.h"
#include "protocol/result_codes.h"

namespace q31::devices {

PowerStatusRead ReadPowerStatusRecord(CDeviceLink& link)
{
    PowerStatusRead read;
    if (!link.QueryReceiverLink()) {
        read.result = kResultUnreachable;
        return read;
    }
    read.result = link.ReadStatus(read.status.data(), read.status.size(), 0);
    read.status[kPowerStatusReceiverByte] = link.IsReceiverMode() ? 1 : 0;
    return read;
}

}  // namespace q31::devices
