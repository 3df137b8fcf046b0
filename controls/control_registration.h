#pragma once
// Makes the program's own controls known to the control factory, each by the
// name skins use ("DeviceKeyButton", "CircleProgress", ...) and by its class
// name ("CDeviceKeyButtonUI", "CCircleProgressUI", ...).
class CControlFactory;

namespace q31::controls {

// Every control of this folder.
void RegisterControls(CControlFactory& factory);
// Only the device pages' key buttons and their selection panel.
void RegisterKeyButtonControls(CControlFactory& factory);

}  // namespace q31::controls
