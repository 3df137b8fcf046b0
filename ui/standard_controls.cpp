#include "ui/standard_controls.h"

#include "ui/button_ui.h"
#include "ui/color_palette_ui.h"
#include "ui/container_ui.h"
#include "ui/control_factory.h"
#include "ui/option_ui.h"

namespace q31::ui {
namespace {

template <class Control>
void Register(CControlFactory& factory, const char* shortName, const char* className)
{
    const auto creator = [](QWidget* parent) -> QWidget* { return new Control(parent); };
    factory.RegisterControlClass(QString::fromLatin1(shortName), creator);
    factory.RegisterControlClass(QString::fromLatin1(className), creator);
}

}  // namespace

void RegisterStandardControls(CControlFactory& factory)
{
    Register<CButtonUI>(factory, "Button", "CButtonUI");
    Register<COptionUI>(factory, "Option", "COptionUI");
    Register<CContainerUI>(factory, "Container", "CContainerUI");
    Register<CVerticalLayoutUI>(factory, "VerticalLayout", "CVerticalLayoutUI");
    Register<CHorizontalLayoutUI>(factory, "HorizontalLayout", "CHorizontalLayoutUI");
    Register<CTabLayoutUI>(factory, "TabLayout", "CTabLayoutUI");
    Register<CColorPaletteUI>(factory, "ColorPalette", "CColorPaletteUI");
}

}  // namespace q31::ui
