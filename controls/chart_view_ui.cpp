#include "controls/chart_view_ui.h"

#include <QPainter>

bool CChartViewUI::SetAttribute(const QString& name, const QString& value)
{
    const bool known = m_look.SetAttribute(name.toLower(), value);
    if (name == QLatin1String("view")) {
        if (value == QLatin1String("pie"))
            m_style.view = ViewKind::Pie;
        else if (value == QLatin1String("histpgram"))
            m_style.view = ViewKind::Histogram;
    } else if (name == QLatin1String("shadowimage")) {
        m_style.shadowImage = value;
    } else if (name == QLatin1String("shadowimageheight")) {
        m_style.shadowImageHeight = value.toInt();
    } else if (name == QLatin1String("pillarimage")) {
        m_style.pillarImage = value;
    } else if (name == QLatin1String("pillarimagewidth")) {
        m_style.pillarImageWidth = value.toInt();
    } else if (name == QLatin1String("showtext")) {
        m_style.showText = value == QLatin1String("true");
    } else if (name == QLatin1String("showhtml")) {
        m_style.showHtml = value == QLatin1String("true");
    } else if (name == QLatin1String("font")) {
        m_style.font = value.toInt();
    } else if (!known) {
        return false;
    }
    update();
    return true;
}

bool CChartViewUI::event(QEvent* event)
{
    QString name, value;
    if (q31::ui::ReadAttributeEvent(this, event, &name, &value))
        SetAttribute(name, value);
    return QWidget::event(event);
}

void CChartViewUI::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_look.Paint(painter, rect());
}
