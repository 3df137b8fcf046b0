#pragma once
// The colour palette: a hue and saturation field above a brightness bar. Picking
// with the mouse raises "colorchanged"; colours are 0xAARRGGBB.
#include "platform/win_types.h"

#include <QColor>
#include <QWidget>

class CColorPaletteUI : public QWidget {
    Q_OBJECT
public:
    explicit CColorPaletteUI(QWidget* parent = nullptr);

    QString GetClass() const { return QStringLiteral("ColorPalette"); }
    DWORD GetSelectColor() const;
    void SetSelectColor(DWORD colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class Part { None, Field, Bar };
    QRect FieldRect() const;
    QRect BarRect() const;
    void PickAt(const QPoint& at);

    int m_hue = 0;           // 0..359
    int m_saturation = 255;  // 0..255
    int m_value = 255;       // 0..255
    Part m_dragging = Part::None;
};
