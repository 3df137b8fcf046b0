#pragma once
// The toolkit's own control classes, registered under their short skin names
// ("Button") and their class names ("CButtonUI").
class CControlFactory;

namespace q31::ui {

void RegisterStandardControls(CControlFactory& factory);

}  // namespace q31::ui
