#include "controls/control_registration.h"

#include "controls/device_key_button_ui.h"
#include "controls/select_panel_ui.h"
#include "ui/control_factory.h"

namespace q31::controls {

void RegisterKeyButtonControls(CControlFactory& factory)
{
    factory.RegisterControl<CDeviceKeyButtonUI>("DeviceKeyButton", "CDeviceKeyButtonUI");
    factory.RegisterControl<CSelectPanelUI>("SelectPanel", "CSelectPanelUI");
}

}  // namespace q31::controls
