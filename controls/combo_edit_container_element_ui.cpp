#include "controls/combo_edit_container_element_ui.h"

#include "controls/send_notify.h"
#include "ui/colour_value.h"
#include "ui/dialog_builder.h"
#include "ui/paint_manager.h"
#include "ui/render_engine.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using q31::controls::SendNotify;

CComboEditContainerElementUI::CComboEditContainerElementUI(QWidget* parent) : CContainerUI(parent)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::ClickFocus);
    if (QWidget* content =
            CDialogBuilder::Create(QStringLiteral("XML/CustomControlXML/ComboEditElementItem.xml"), nullptr, this)) {
        Add(content);
        m_text1 = CPaintManagerUI::FindSubControlByName(content, QStringLiteral("text1"));
        m_text2 = CPaintManagerUI::FindSubControlByName(content, QStringLiteral("text2"));
        m_delayEdit = CPaintManagerUI::FindSubControlByName(content, QStringLiteral("delay_edit"));
    }
}

bool CComboEditContainerElementUI::SetAttribute(const QString& name, const QString& value)
{
    const QString key = name.toLower();
    if (key == QLatin1String("hotbkcolor") || key == QLatin1String("selectedbkcolor")) {
        (key == QLatin1String("hotbkcolor") ? m_hotColour : m_selectedColour) =
            q31::ui::ParseColourValue(value).value_or(0);
        update();
        return true;
    }
    // The item shows its states with colours, not with state images.
    if (key == QLatin1String("normalimage") || key == QLatin1String("hotimage") ||
        key == QLatin1String("selectedimage"))
        return true;
    return CContainerUI::SetAttribute(name, value);
}

void CComboEditContainerElementUI::SetState(bool& state, bool on)
{
    if (state == on)
        return;
    state = on;
    update();
}

void CComboEditContainerElementUI::Select(bool selected, bool alone)
{
    if (selected && alone && parentWidget()) {
        const auto items =
            parentWidget()->findChildren<CComboEditContainerElementUI*>(QString(), Qt::FindDirectChildrenOnly);
        for (CComboEditContainerElementUI* item : items) {
            if (item != this)
                item->SetState(item->m_selected, false);
        }
    }
    SetState(m_selected, selected);
}

void CComboEditContainerElementUI::Activate()
{
    update();
    SendNotify(this, "itemactivate");
}

void CComboEditContainerElementUI::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        CContainerUI::keyPressEvent(event);
        return;
    }
    Activate();
    SendNotify(this, "return");
}

void CComboEditContainerElementUI::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CContainerUI::mousePressEvent(event);
        return;
    }
    if (event->modifiers() & Qt::ControlModifier)
        Select(!m_selected, false);
    else
        Select(true);
}

void CComboEditContainerElementUI::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CContainerUI::mouseReleaseEvent(event);
        return;
    }
    SendNotify(this, "itemclick");
}

void CComboEditContainerElementUI::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CContainerUI::mouseDoubleClickEvent(event);
        return;
    }
    Activate();
}

void CComboEditContainerElementUI::enterEvent(QEnterEvent* event)
{
    CContainerUI::enterEvent(event);
    if (isEnabled())
        SetState(m_hot, true);
}

void CComboEditContainerElementUI::leaveEvent(QEvent* event)
{
    CContainerUI::leaveEvent(event);
    SetState(m_hot, false);
}

void CComboEditContainerElementUI::paintEvent(QPaintEvent* event)
{
    CContainerUI::paintEvent(event);
    const DWORD colour = m_selected ? m_selectedColour : m_hot ? m_hotColour : 0;
    if (colour != 0) {
        QPainter painter(this);
        CRenderEngine::DrawColor(painter, rect(), colour);
    }
}
