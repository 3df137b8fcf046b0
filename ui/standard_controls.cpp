#include "ui/standard_controls.h"

#include "ui/button_ui.h"
#include "ui/color_palette_ui.h"
#include "ui/container_ui.h"
#include "ui/control_factory.h"
#include "ui/option_ui.h"

namespace q31::ui {

void RegisterStandardControls(CControlFactory& factory)
{
    factory.RegisterControl<CButtonUI>("Button", "CButtonUI");
    factory.RegisterControl<COptionUI>("Option", "COptionUI");
    factory.RegisterControl<CContainerUI>("Container", "CContainerUI");
    factory.RegisterControl<CVerticalLayoutUI>("VerticalLayout", "CVerticalLayoutUI");
    factory.RegisterControl<CHorizontalLayoutUI>("HorizontalLayout", "CHorizontalLayoutUI");
    factory.RegisterControl<CTabLayoutUI>("TabLayout", "CTabLayoutUI");
    factory.RegisterControl<CColorPaletteUI>("ColorPalette", "CColorPaletteUI");
}

}  // namespace q31::ui
