#include "app/control_classes.h"

#include "app/device_option_ui.h"
#include "controls/control_registration.h"
#include "devices/halvorin_usb_device.h"
#include "profiles/device_profile_ui.h"
#include "ui/control_factory.h"

#include <array>

namespace q31::app {
namespace {

void RegisterDeviceBase(CControlFactory& factory)
{
    factory.RegisterControlClass(QStringLiteral("CHalvorinUSBDevice"),
                                 [](QWidget* parent) -> QWidget* { return new CHalvorinUSBDevice(parent); });
}

// One registration per library, each with the classes it makes.
constexpr std::array<void (*)(CControlFactory&), 4> kRegistrations = {
    &q31::controls::RegisterControls,           // "CSelectPanelUI", "CCircleProgressUI", ...
    &RegisterDeviceOptionControl,               // "CDeviceOptionUI"
    &q31::RegisterProfileControls,              // "CDeviceProfileUI"
    &RegisterDeviceBase,                        // "CHalvorinUSBDevice"
};

}  // namespace

void RegisterControlClasses()
{
    CControlFactory& factory = CControlFactory::GetInstance();
    for (const auto registerClasses : kRegistrations)
        registerClasses(factory);
}

}  // namespace q31::app
