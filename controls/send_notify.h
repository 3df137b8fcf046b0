#pragma once
// Sends a notification from a control to its window's notifiers; a control
// outside a managed window sends nothing.
#include "ui/paint_manager.h"

namespace q31::controls {

inline void SendNotify(QWidget* control, const char* type)
{
    if (CPaintManagerUI* manager = CPaintManagerUI::ForControl(control))
        manager->SendNotify(control, QString::fromLatin1(type));
}

}  // namespace q31::controls
