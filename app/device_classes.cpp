#include "app/device_classes.h"

#include "devices/halvorin_hs6533_device.h"
#include "devices/halvorin_keyboard_device.h"
#include "devices/halvorin_mouse_device.h"
#include "devices/halvorin_mouse_pad_device.h"
#include "devices/halvorin_usb_device.h"
#include "ui/control_factory.h"

#include <array>

namespace q31::app {
namespace {

template <class Device>
QWidget* MakeDevice(QWidget* parent)
{
    return new Device(parent);
}

constexpr auto kDeviceClasses = std::to_array<DeviceClass>({
    {"CHalvorinUSBDevice", &MakeDevice<CHalvorinUSBDevice>},
    {"HalvorinKeyboardDevice", &MakeDevice<CHalvorinKeyboardDevice>},
    {"HalvorinMouseDevice", &MakeDevice<CHalvorinMouseDevice>},
    {"HalvorinMousePadDevice", &MakeDevice<CHalvorinMousePadDevice>},
    {"HalvorinHS6533Device", &MakeDevice<CHalvorinHS6533Device>},
    // The pad and the headset are also known by their class names, as the base is.
    {"CHalvorinMousePadDevice", &MakeDevice<CHalvorinMousePadDevice>},
    {"CHalvorinHS6533Device", &MakeDevice<CHalvorinHS6533Device>},
});

}  // namespace

std::span<const DeviceClass> DeviceClasses()
{
    return kDeviceClasses;
}

void RegisterDeviceClasses(CControlFactory& factory)
{
    for (const DeviceClass& device : kDeviceClasses)
        factory.RegisterControlClass(QString::fromLatin1(device.className), device.create);
}

}  // namespace q31::app
