#include "protocol/link_attach.h"

#include <mutex>

#include "hid/hid_catalogue.h"
#include "protocol/device_link.h"

namespace q31 {

bool IsReceiverType(std::uint16_t deviceType)
{
    return deviceType == KeyboardReceiver || deviceType == MouseReceiver;
}

bool AttachCommandInterface(CDeviceLink& link, const std::string& path, std::uint16_t deviceType)
{
    const bool receiver = IsReceiverType(deviceType);
    std::lock_guard io(link.IoLock());
    CHidDevice& device = receiver ? link.ReceiverInterface() : link.CableInterface();
    if (!device.Open(path, true, true, true, false))
        return false;
    // The mode first: a command that sees the link open must also see which
    // interface, chunk size and timeout it now has.
    if (deviceType == Keyboard || deviceType == Mouse || receiver)
        link.SetMode(receiver ? CDeviceLink::kModeReceiver : CDeviceLink::kModeCable);
    link.SetOpen(true);
    return true;
}

void DetachCommandInterfaces(CDeviceLink& link)
{
    // Not under the I/O lock: closing ends a read still waiting there at once.
    link.SetOpen(false);
    link.CableInterface().Close();
    link.ReceiverInterface().Close();
}

}  // namespace q31
