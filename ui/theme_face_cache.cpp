#include "ui/theme_face_cache.h"

#include <QStylePainter>
#include <QWidget>

void CThemeFaceCache::Paint(QPainter& painter, QWidget& widget, const QStyleOptionButton& option)
{
    const Look look{option.rect.size(), option.state, option.features, option.direction, option.text,
                    option.icon.cacheKey()};
    if (m_face.isNull() || !(look == m_look)) {
        // Asking a widget for its pixel ratio walks up to its screen: done only here.
        const qreal pixelRatio = widget.devicePixelRatioF();
        m_face = QPixmap((QSizeF(look.size) * pixelRatio).toSize());
        m_face.setDevicePixelRatio(pixelRatio);
        m_face.fill(Qt::transparent);
        // Painted as the widget itself would be: its font, pens and style.
        QStylePainter facePainter(&m_face, &widget);
        QStyleOptionButton faceOption = option;
        faceOption.rect = QRect(QPoint(0, 0), look.size);
        facePainter.drawControl(QStyle::CE_PushButton, faceOption);
        m_look = look;
    }
    painter.drawPixmap(option.rect.topLeft(), m_face);
}
