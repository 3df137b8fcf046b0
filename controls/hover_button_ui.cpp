#include "controls/hover_button_ui.h"

#include "controls/send_notify.h"

using q31::controls::SendNotify;

void CHoverButtonUI::enterEvent(QEnterEvent* event)
{
    CButtonUI::enterEvent(event);
    if (!isEnabled())
        return;
    m_entered = true;
    update();
    SendNotify(this, "msenter");
}

void CHoverButtonUI::leaveEvent(QEvent* event)
{
    CButtonUI::leaveEvent(event);
    if (!m_entered)
        return;
    m_entered = false;
    update();
    SendNotify(this, "msleave");
}
