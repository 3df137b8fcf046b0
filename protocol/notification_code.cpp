#include "protocol/notification_code.h"

#include "hid/hid_device.h"

namespace q31 {

std::optional<std::uint16_t> NotificationCode(CHidDevice& device, const std::uint8_t* report, std::size_t length)
{
    if (!device.UnpackInputReport(report, length) || device.InputData().empty())
        return std::nullopt;
    const HidData& first = device.InputData().front();
    if (first.isButton) {
        const auto& usages = first.buttonData.usages;
        return usages.empty() ? std::uint16_t{0} : usages.front();
    }
    return static_cast<std::uint16_t>(first.valueData.value);
}

}  // namespace q31
