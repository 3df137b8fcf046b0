#include "controls/audio_record_ui.h"

#include "ui/colour_value.h"

#include <QPainter>

#include <algorithm>

CAudioRecordUI::CAudioRecordUI(QWidget* parent) : QLabel(parent)
{
    for (int i = 0; i < 256; ++i)
        m_values[i] = i;
}

bool CAudioRecordUI::SetAttribute(const QString& name, const QString& value)
{
    const QString key = name.toLower();
    if (key == QLatin1String("linecolor"))
        m_lineColour = q31::ui::ParseColourValue(value).value_or(0xFF000000);
    else if (!m_look.SetAttribute(key, value))
        return false;
    update();
    return true;
}

void CAudioRecordUI::SetValue(int index, int value)
{
    if (index < 0 || index >= kValueCount)
        return;
    m_values[index] = std::clamp(value, 0, kFullScale);
    update();
}

int CAudioRecordUI::GetValue(int index) const
{
    return index >= 0 && index < kValueCount ? m_values[index] : 0;
}

bool CAudioRecordUI::event(QEvent* event)
{
    QString name, value;
    if (q31::ui::ReadAttributeEvent(this, event, &name, &value))
        SetAttribute(name, value);
    return QLabel::event(event);
}

void CAudioRecordUI::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        m_look.Paint(painter, rect());
        const QColor line = QColor::fromRgba(m_lineColour);
        const int height = rect().height();
        for (int k = 0; k < kValueCount && 2 * k < width(); ++k) {
            const int length = m_values[k] * height / kFullScale;
            painter.fillRect(rect().left() + 2 * k, rect().bottom() + 1 - length, 1, length, line);
        }
    }
    QLabel::paintEvent(event);
}
