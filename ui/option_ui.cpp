#include "ui/option_ui.h"

#include "ui/colour_value.h"
#include "ui/render_engine.h"

COptionUI::COptionUI(QWidget* parent) : CButtonUI(parent)
{
    setCheckable(true);
}

bool COptionUI::SetAttribute(const QString& name, const QString& value)
{
    const QString key = name.toLower();
    if (key == QLatin1String("selected"))
        setChecked(value.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0);
    else if (key == QLatin1String("group"))
        setAutoExclusive(!value.isEmpty());
    else if (key == QLatin1String("selectedimage"))
        m_selectedImage = value;
    else if (key == QLatin1String("selectedhotimage"))
        m_selectedHotImage = value;
    else if (key == QLatin1String("selectedbkcolor"))
        m_selectedBkColour = q31::ui::ParseColourValue(value).value_or(0);
    else
        return CButtonUI::SetAttribute(name, value);
    update();
    return true;
}

QString COptionUI::StateImage() const
{
    if (!isChecked() || m_selectedImage.isEmpty())
        return CButtonUI::StateImage();
    return IsHot() && !m_selectedHotImage.isEmpty() ? m_selectedHotImage : m_selectedImage;
}

void COptionUI::PaintBkColor(QPainter& painter)
{
    if (isChecked() && m_selectedBkColour != 0)
        CRenderEngine::DrawColor(painter, rect(), m_selectedBkColour);
    else
        CButtonUI::PaintBkColor(painter);
}
