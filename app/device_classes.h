#pragma once
// The device classes that device page skins may name. Each kind of device
// adds its row to the table; the control factory learns them all at start-up.
#include <span>

class CControlFactory;
class QWidget;

namespace q31::app {

struct DeviceClass {
    const char* className;
    QWidget* (*create)(QWidget* parent);
};

std::span<const DeviceClass> DeviceClasses();
void RegisterDeviceClasses(CControlFactory& factory);

}  // namespace q31::app
