#pragma once
// The top-level widget of a WindowImplBase: frameless, moved by its caption,
// reporting its life to the window object.
#include "platform/win_types.h"
#include "ui/paint_manager.h"

#include <QMargins>
#include <QPoint>
#include <QWidget>

class WindowImplBase;

namespace q31::ui {

class CWindowHost : public QWidget, public ITimerTarget {
    Q_OBJECT
public:
    CWindowHost(WindowImplBase* owner, QWidget* parent, Qt::WindowFlags flags);
    ~CWindowHost() override;

    // The owner is going away: the host no longer reports to it.
    void Detach() { m_owner = nullptr; }
    // Lets the next close through (the owner's Close asked for it).
    void AcceptClose() { m_closeAccepted = true; }
    // The caption area at 96 DPI: left and right insets, and the band from top to bottom.
    void SetCaption(const QMargins& caption) { m_caption = caption; }
    bool DoTimer(UINT timerId) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool InCaption(const QPoint& at) const;

    WindowImplBase* m_owner;
    QMargins m_caption;
    bool m_closeAccepted = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

}  // namespace q31::ui
