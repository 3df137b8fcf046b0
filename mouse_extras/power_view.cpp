#include "mouse_extras/power_view.h"

#include "hid/hid_catalogue.h"
#include "mouse_extras/device_power_control.h"

#include <algorithm>

namespace q31::mouse_extras {
namespace {

constexpr int kFullLevel = 100;

enum ChargingState : std::uint8_t {
    kCharged = 0,
    kCharging = 1,
    kOnBattery = 2,
};

std::uint8_t ByteAt(std::span<const std::uint8_t> record, std::size_t index)
{
    return index < record.size() ? record[index] : 0;
}

PowerView::Phone PhoneOf(std::uint8_t kind)
{
    switch (kind) {
    case 1:
        return {"Phone_type_iphone", "power/Phone_type_iphone.svg"};
    case 2:
        return {"Phone_type_samsung", "power/Phone_type_samsung.svg"};
    case 3:
        return {"Phone_type_other", "power/Phone_type_other.svg"};
    default:
        return {"Phone_type_no_device", "power/Phone_type_no_device.svg"};
    }
}

}  // namespace

PowerView PowerViewOf(int deviceType, std::span<const std::uint8_t> record)
{
    PowerView view;
    // A level past full is a device's oddity, not a reason to draw a bar backwards.
    const int level = std::min<int>(ByteAt(record, kPowerStatusLevelByte), kFullLevel);
    view.text = std::to_string(level) + "%";
    view.progress = kFullLevel - level;
    const bool wireless = ByteAt(record, kPowerStatusReceiverByte) != 0;
    if (deviceType == Mouse || deviceType == MouseReceiver)
        view.wirelessLogo = wireless;
    switch (ByteAt(record, kPowerStatusChargingByte)) {
    case kCharged:
        view.barShown = true;
        view.statusImage = "power/powered.svg";
        break;
    case kCharging:
        view.barShown = !wireless;
        view.statusImage = wireless ? "power/wuxian_powering.svg" : "power/powering.svg";
        break;
    case kOnBattery:
        view.barShown = true;
        view.statusImage = "power/power.svg";
        break;
    default:
        break;
    }
    if (deviceType == MousePad)
        view.phone = PhoneOf(ByteAt(record, kPowerStatusPhoneByte));
    return view;
}

}  // namespace q31::mouse_extras
