#include "controls/control_registration.h"

#include "controls/device_key_button_ui.h"
#include "controls/select_panel_ui.h"
#include "ui/control_factory.h"

namespace q31::controls {
namespace {

template <class Control>
void Register(CControlFactory& factory, const char* shortName, const char* className)
{
    const auto creator = [](QWidget* parent) -> QWidget* { return new Control(parent); };
    factory.RegisterControlClass(QString::fromLatin1(shortName), creator);
    factory.RegisterControlClass(QString::fromLatin1(className), creator);
}

}  // namespace

void RegisterKeyButtonControls(CControlFactory& factory)
{
    Register<CDeviceKeyButtonUI>(factory, "DeviceKeyButton", "CDeviceKeyButtonUI");
    Register<CSelectPanelUI>(factory, "SelectPanel", "CSelectPanelUI");
}

}  // namespace q31::controls
