#include "controls/control_registration.h"

#include "controls/audio_record_ui.h"
#include "controls/chart_view_ui.h"
#include "controls/circle_progress_ui.h"
#include "controls/combo_edit_container_element_ui.h"
#include "controls/device_key_button_ui.h"
#include "controls/hand_img_button_ui.h"
#include "controls/hand_img_select_button_ui.h"
#include "controls/light_control_ui.h"
#include "controls/magic_control_ui.h"
#include "controls/redio_macro_button_ui.h"
#include "controls/select_panel_ui.h"
#include "controls/voice6533_control_ui.h"
#include "controls/wnd_ui.h"
#include "ui/control_factory.h"

namespace q31::controls {

void RegisterKeyButtonControls(CControlFactory& factory)
{
    factory.RegisterControl<CDeviceKeyButtonUI>("DeviceKeyButton", "CDeviceKeyButtonUI");
    factory.RegisterControl<CSelectPanelUI>("SelectPanel", "CSelectPanelUI");
}

void RegisterControls(CControlFactory& factory)
{
    RegisterKeyButtonControls(factory);
    factory.RegisterControl<CHandImgButtonUI>("HandImgButton", "CHandImgButtonUI");
    factory.RegisterControl<CHandImgSelectButtonUI>("HandImgSelectButton", "CHandImgSelectButtonUI");
    factory.RegisterControl<CRedioMacroButtonUI>("RedioMacroButton", "CRedioMacroButtonUI");
    factory.RegisterControl<CCircleProgressUI>("CircleProgress", "CCircleProgressUI");
    factory.RegisterControl<CAudioRecordUI>("AudioRecord", "CAudioRecordUI");
    // The chart answers its base's class name, so only its own class name makes it.
    factory.RegisterControlClass(QStringLiteral("CChartViewUI"),
                                 [](QWidget* parent) -> QWidget* { return new CChartViewUI(parent); });
    factory.RegisterControl<CWndUI>("Wnd", "CWndUI");
    factory.RegisterControl<CComboEditContainerElementUI>("ComboEditContainerElement",
                                                          "CComboEditContainerElementUI");
    RegisterLightControl(factory);
    RegisterVoice6533Control(factory);
    RegisterMagicControl(factory);
}

}  // namespace q31::controls
