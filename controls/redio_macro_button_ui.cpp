#include "controls/redio_macro_button_ui.h"

bool CRedioMacroButtonUI::SetAttribute(const QString& name, const QString& value)
{
    // The button has no pulse animation; its image is read and dropped.
    if (name.compare(QLatin1String("redioimage"), Qt::CaseInsensitive) == 0)
        return true;
    return CButtonUI::SetAttribute(name, value);
}
