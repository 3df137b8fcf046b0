#pragma once
// A button that shows a picture, its hand image, possibly larger than itself:
// a view window the size of the button can be dragged over the picture. It
// never sends "click". Attributes: "handimage" (image string), "cursor" (a
// standard cursor name). Sends "msenter" and "msleave".
#include "controls/hover_button_ui.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class CHandImgSelectButtonUI : public CHoverButtonUI {
    Q_OBJECT
public:
    explicit CHandImgSelectButtonUI(QWidget* parent = nullptr);

    QString GetClass() const override { return QStringLiteral("HandImgSelectButton"); }
    bool SetAttribute(const QString& name, const QString& value) override;

    // The part of the hand image shown, in image pixels; always inside the image.
    QRect GetViewWindow() const;

protected:
    void PaintStatusImage(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetHandImage(const QString& image);
    bool ImageLargerThanButton() const;
    QString SourceAttribute() const;
    // The window moved back inside the image where it ran past an edge.
    QRect InsideImage(QRect view) const;

    QString m_handImage;
    QSize m_imageSize;  // invalid while the image cannot be read
    QPoint m_viewOrigin;
    QPoint m_lastPointer;
    bool m_dragging = false;
};
