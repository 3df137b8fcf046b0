#include "controls/hand_img_button_ui.h"

#include "ui/render_engine.h"

bool CHandImgButtonUI::SetAttribute(const QString& name, const QString& value)
{
    const QString key = name.toLower();
    if (key == QLatin1String("handimage")) {
        m_handImage = value;
        update();
        return true;
    }
    // Layouts still name the delete badge's images, but no button ever shows
    // the badge, so they are read and dropped.
    if (key == QLatin1String("deletenormalimage") || key == QLatin1String("deletehotimage"))
        return true;
    return CHoverButtonUI::SetAttribute(name, value);
}

void CHandImgButtonUI::PaintStatusImage(QPainter& painter)
{
    CHoverButtonUI::PaintStatusImage(painter);
    CRenderEngine::DrawImageString(painter, rect(), m_handImage);
}
