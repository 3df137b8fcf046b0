#include "controls/device_key_button_ui.h"

#include "ui/paint_manager.h"
#include "ui/render_engine.h"

#include <QMouseEvent>

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : CButtonUI(parent) {}

bool CDeviceKeyButtonUI::SetAttribute(const QString& name, const QString& value)
{
    const QString key = name.toLower();
    if (key == QLatin1String("lightimage")) {
        m_lightImage = value;
        update();
        return true;
    }
    if (key == QLatin1String("keysetimage")) {
        m_keySetImage = value;
        update();
        return true;
    }
    // Older layouts still carry a name colour; it is read and ignored.
    if (key == QLatin1String("gmnametextcolor"))
        return true;
    return CButtonUI::SetAttribute(name, value);
}

void CDeviceKeyButtonUI::SetLightOverlay(DWORD colour, int level, bool shown)
{
    m_lightColour = colour;
    m_lightLevel = level;
    m_lightShown = shown;
}

void CDeviceKeyButtonUI::SetKeySetBadgeHidden(bool hidden)
{
    if (m_keySetBadgeHidden == hidden)
        return;
    m_keySetBadgeHidden = hidden;
    update();
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!isEnabled() || !rect().contains(event->position().toPoint())) {
        CButtonUI::mouseDoubleClickEvent(event);
        return;
    }
    // Pushed and captured, as after a press, so that the release still clicks.
    setDown(true);
    if (CPaintManagerUI* manager = CPaintManagerUI::ForControl(this))
        manager->SendNotify(this, QStringLiteral("dbclick"));
    update();
    event->accept();
}

void CDeviceKeyButtonUI::PaintStatusImage(QPainter& painter)
{
    CButtonUI::PaintStatusImage(painter);
    if (m_lightShown)
        CRenderEngine::DrawImageString(painter, rect(), m_lightImage, QString(), m_lightColour, m_lightLevel, true);
    if (!m_keySetBadgeHidden)
        CRenderEngine::DrawImageString(painter, rect(), m_keySetImage, QString(), 0, 0, false);
}
