#include "devices/colour_slot_ui.h"

#include "ui/paint_manager.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Slots wider than this never need a thicker frame.
constexpr int kMaxBorderSize = 8;
const QColor kBorderColour(0x5f, 0x63, 0x68);

}  // namespace

bool CColourSlotUI::SetAttribute(const QString& name, const QString& value)
{
    if (name.compare(QLatin1String("bordersize"), Qt::CaseInsensitive) != 0)
        return COptionUI::SetAttribute(name, value);
    SetBorderSize(value.toInt());
    return true;
}

void CColourSlotUI::SetBorderSize(int size)
{
    m_borderSize = std::clamp(size, 0, kMaxBorderSize);
    update();
}

void CColourSlotUI::paintEvent(QPaintEvent* event)
{
    COptionUI::paintEvent(event);
    if (m_borderSize == 0)
        return;
    const CPaintManagerUI* manager = CPaintManagerUI::ForControl(this);
    const int width = std::max(1, int(std::lround(m_borderSize * (manager ? manager->GetDPIScale() : 1.0))));
    QPainter painter(this);
    painter.setPen(QPen(kBorderColour, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0));
}
