#include "controls/circle_progress_ui.h"

#include "ui/colour_value.h"
#include "ui/control_look.h"
#include "ui/paint_manager.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRingWidth = 10;  // pixels at 96 DPI

}  // namespace

CCircleProgressUI::CCircleProgressUI(QWidget* parent) : QProgressBar(parent)
{
    setTextVisible(false);
}

bool CCircleProgressUI::SetAttribute(const QString& name, const QString& value)
{
    const QString key = name.toLower();
    DWORD* colour = key == QLatin1String("bkcolor")      ? &m_backColour
                    : key == QLatin1String("forecolor")  ? &m_foreColour
                    : key == QLatin1String("innercolor") ? &m_innerColour
                                                         : nullptr;
    if (!colour)
        return false;
    *colour = q31::ui::ParseColourValue(value).value_or(0);
    update();
    return true;
}

int CCircleProgressUI::SweepDegrees() const
{
    const double range = double(maximum()) - double(minimum());
    if (range == 0)
        return 0;
    const double degrees = std::trunc(value() / range * 360.0);
    return int(std::clamp(degrees, 0.0, 360.0));
}

bool CCircleProgressUI::event(QEvent* event)
{
    QString name, value;
    if (q31::ui::ReadAttributeEvent(this, event, &name, &value))
        SetAttribute(name, value);
    return QProgressBar::event(event);
}

void CCircleProgressUI::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF disc = rect();
    painter.setBrush(QColor::fromRgba(m_backColour));
    painter.drawEllipse(disc);
    // Qt counts angles from three o'clock, counter-clockwise, in sixteenths.
    painter.setBrush(QColor::fromRgba(m_foreColour));
    painter.drawPie(disc, -90 * 16, -SweepDegrees() * 16);

    const CPaintManagerUI* manager = CPaintManagerUI::ForControl(this);
    const double inset = kRingWidth * (manager ? manager->GetDPIScale() : 1.0);
    painter.setBrush(QColor::fromRgba(m_innerColour));
    painter.drawEllipse(disc.adjusted(inset, inset, -inset, -inset));

    if (isTextVisible()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
}
