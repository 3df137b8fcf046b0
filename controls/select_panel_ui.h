#pragma once
// The container of a device page's key and light buttons. Dragging a rectangle
// over it marks the key buttons it touches as selected and sends
// "click_select_end"; a click without movement selects nothing.
#include "ui/container_ui.h"

#include <QPoint>
#include <QRect>

class CSelectPanelUI : public CVerticalLayoutUI {
    Q_OBJECT
public:
    explicit CSelectPanelUI(QWidget* parent = nullptr) : CVerticalLayoutUI(parent) {}

    QString GetClass() const override { return QStringLiteral("SelectPanel"); }
    // The rectangle of the last drag, kept after it ended; left <= right, top <= bottom.
    QRect GetSelectionRect() const { return m_selection; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void MarkKeyButtons();

    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_anchor;
    QPoint m_current;
    QRect m_selection;
};
