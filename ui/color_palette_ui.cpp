#include "ui/color_palette_ui.h"

#include "ui/paint_manager.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kGap = 8;
constexpr int kBarHeight = 14;

}  // namespace

CColorPaletteUI::CColorPaletteUI(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(120, 80);
}

DWORD CColorPaletteUI::GetSelectColor() const
{
    return QColor::fromHsv(m_hue, m_saturation, m_value).rgba();
}

void CColorPaletteUI::SetSelectColor(DWORD colour)
{
    const QColor chosen = QColor::fromRgba(colour).toHsv();
    m_hue = std::max(0, chosen.hsvHue());  // grey has no hue
    m_saturation = chosen.hsvSaturation();
    m_value = chosen.value();
    update();
}

QRect CColorPaletteUI::FieldRect() const
{
    return QRect(0, 0, width(), std::max(1, height() - kBarHeight - kGap));
}

QRect CColorPaletteUI::BarRect() const
{
    return QRect(0, height() - kBarHeight, width(), kBarHeight);
}

void CColorPaletteUI::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect field = FieldRect();
    QLinearGradient hues(field.topLeft(), field.topRight());
    for (int step = 0; step <= 6; ++step)
        hues.setColorAt(step / 6.0, QColor::fromHsv((step * 60) % 360, 255, 255));
    painter.fillRect(field, hues);
    QLinearGradient whiten(field.topLeft(), field.bottomLeft());
    whiten.setColorAt(0, Qt::transparent);
    whiten.setColorAt(1, Qt::white);
    painter.fillRect(field, whiten);

    const QRect bar = BarRect();
    QLinearGradient darken(bar.topLeft(), bar.topRight());
    darken.setColorAt(0, Qt::black);
    darken.setColorAt(1, QColor::fromHsv(m_hue, m_saturation, 255));
    painter.fillRect(bar, darken);

    // Markers of the current choice.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(Qt::NoBrush);
    const QPoint mark(field.left() + m_hue * (field.width() - 1) / 359,
                      field.top() + (255 - m_saturation) * (field.height() - 1) / 255);
    painter.drawEllipse(mark, 5, 5);
    const int barX = bar.left() + m_value * (bar.width() - 1) / 255;
    painter.drawRect(QRect(barX - 2, bar.top(), 4, bar.height() - 1));
}

void CColorPaletteUI::PickAt(const QPoint& at)
{
    if (m_dragging == Part::Field) {
        const QRect field = FieldRect();
        m_hue = std::clamp((at.x() - field.left()) * 359 / std::max(1, field.width() - 1), 0, 359);
        m_saturation = 255 - std::clamp((at.y() - field.top()) * 255 / std::max(1, field.height() - 1), 0, 255);
    } else if (m_dragging == Part::Bar) {
        const QRect bar = BarRect();
        m_value = std::clamp((at.x() - bar.left()) * 255 / std::max(1, bar.width() - 1), 0, 255);
    } else {
        return;
    }
    update();
    if (CPaintManagerUI* manager = CPaintManagerUI::ForControl(this))
        manager->SendNotify(this, QStringLiteral("colorchanged"), GetSelectColor());
}

void CColorPaletteUI::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    const QPoint at = event->position().toPoint();
    m_dragging = FieldRect().contains(at) ? Part::Field : BarRect().contains(at) ? Part::Bar : Part::None;
    PickAt(at);
}

void CColorPaletteUI::mouseMoveEvent(QMouseEvent* event)
{
    PickAt(event->position().toPoint());
}

void CColorPaletteUI::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = Part::None;
}
