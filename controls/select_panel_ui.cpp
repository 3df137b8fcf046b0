#include "controls/select_panel_ui.h"

#include "controls/device_key_button_ui.h"
#include "ui/paint_manager.h"

#include <QMouseEvent>

#include <algorithm>

void CSelectPanelUI::mousePressEvent(QMouseEvent* event)
{
    CVerticalLayoutUI::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled()) {
        m_pressed = true;
        m_anchor = event->position().toPoint();
    }
}

void CSelectPanelUI::mouseMoveEvent(QMouseEvent* event)
{
    CVerticalLayoutUI::mouseMoveEvent(event);
    if (m_pressed)
        m_dragging = true;
    if (!m_dragging)
        return;
    m_current = event->position().toPoint();
    // Right and bottom are exclusive, so a drag along a button's edge does not touch it.
    const int left = std::min(m_anchor.x(), m_current.x());
    const int top = std::min(m_anchor.y(), m_current.y());
    m_selection = QRect(left, top, std::max(m_anchor.x(), m_current.x()) - left,
                        std::max(m_anchor.y(), m_current.y()) - top);
    update();
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* event)
{
    CVerticalLayoutUI::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = false;
    if (!m_dragging)
        return;
    m_dragging = false;
    m_anchor = m_current;
    MarkKeyButtons();
    update();
    if (CPaintManagerUI* manager = CPaintManagerUI::ForControl(this))
        manager->SendNotify(this, QStringLiteral("click_select_end"));
}

void CSelectPanelUI::MarkKeyButtons()
{
    const auto buttons = findChildren<CDeviceKeyButtonUI*>(QString(), Qt::FindDirectChildrenOnly);
    for (CDeviceKeyButtonUI* button : buttons) {
        if (button->GetClass() == QLatin1String("DeviceKeyButton"))
            button->SetSelected(button->geometry().intersects(m_selection) ? 1 : 0);
    }
}
