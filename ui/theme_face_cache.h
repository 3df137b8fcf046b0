#pragma once
// The theme's face of a push button, drawn once per look and then copied. A
// style sheet's rounded borders cost far more than copying their pixels, and
// pages such as the keyboard's repaint dozens of buttons many times a second
// while only the lights on top of them change.
#include <QPixmap>
#include <QStyleOptionButton>

class QPainter;
class QWidget;

class CThemeFaceCache {
public:
    // Paints the face for `option` on `widget`, from the cache when the look is unchanged.
    void Paint(QPainter& painter, QWidget& widget, const QStyleOptionButton& option);
    // The theme, font, palette or screen changed: the next paint draws the face again.
    void Clear() { m_face = QPixmap(); }

private:
    struct Look {
        QSize size;
        QStyle::State state;
        QStyleOptionButton::ButtonFeatures features;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        QString text;
        qint64 icon = 0;
        bool operator==(const Look&) const = default;
    };

    QPixmap m_face;
    Look m_look;
};
