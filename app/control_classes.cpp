#include "app/control_classes.h"

#include "app/device_classes.h"
#include "app/device_option_ui.h"
#include "controls/control_registration.h"
#include "keys/key_set_control_ui.h"
#include "macros/macro_control_ui.h"
#include "mouse_extras/mp_device_power_ui.h"
#include "profiles/device_profile_ui.h"
#include "ui/control_factory.h"

#include <array>

namespace q31::app {
namespace {

// One registration per library, each with the classes it makes.
constexpr auto kRegistrations = std::to_array<void (*)(CControlFactory&)>({
    &q31::controls::RegisterControls,           // "CSelectPanelUI", "CCircleProgressUI", ...
    &RegisterDeviceOptionControl,               // "CDeviceOptionUI"
    &q31::RegisterProfileControls,              // "CDeviceProfileUI"
    &RegisterDeviceClasses,                     // "CHalvorinUSBDevice", one row per device class
    &q31::macros::RegisterMacroControls,        // "CMacroControlUI"
    &q31::mouse_extras::RegisterPowerControl,   // "CMpDevicePowerUI"
    &q31::keys::RegisterKeySetControls,         // "CKeySetControlUI"
});

}  // namespace

void RegisterControlClasses()
{
    CControlFactory& factory = CControlFactory::GetInstance();
    for (const auto registerClasses : kRegistrations)
        registerClasses(factory);
}

}  // namespace q31::app
