#pragma once
// Makes the program's own controls known to the control factory by their
// skin names ("DeviceKeyButton", "SelectPanel") and class names
// ("CDeviceKeyButtonUI", "CSelectPanelUI").
class CControlFactory;

namespace q31::controls {

void RegisterKeyButtonControls(CControlFactory& factory);

}  // namespace q31::controls
