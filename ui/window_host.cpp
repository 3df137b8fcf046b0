#include "ui/window_host.h"

#include "ui/window_impl_base.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QWindow>

#include <cmath>

namespace q31::ui {

CWindowHost::CWindowHost(WindowImplBase* owner, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_owner(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

CWindowHost::~CWindowHost()
{
    if (m_owner)
        m_owner->OnHostDestroyed();
}

bool CWindowHost::DoTimer(UINT timerId)
{
    if (m_owner)
        m_owner->HandleMessage(WM_TIMER, timerId, 0);
    return true;
}

void CWindowHost::closeEvent(QCloseEvent* event)
{
    // A close from outside (window manager, Alt+F4) goes the owner's way, with 0.
    if (m_closeAccepted || !m_owner) {
        event->accept();
        return;
    }
    event->ignore();
    m_owner->Close(0);
    // Close's own close() is a no-op while this one runs: this one must end the window.
    if (m_closeAccepted)
        event->accept();
}

void CWindowHost::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_owner)
        m_owner->OnHostShown();
}

void CWindowHost::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_owner)
        return;
    CPaintManagerUI& manager = m_owner->GetPaintManager();
    if (manager.GetRoot())
        manager.SendNotify(manager.GetRoot(), QStringLiteral("windowsize"), WPARAM(width()), LPARAM(height()));
}

bool CWindowHost::InCaption(const QPoint& at) const
{
    const double scale = m_owner ? m_owner->GetPaintManager().GetDPIScale() : 1.0;
    const auto scaled = [scale](int value) { return int(std::lround(value * scale)); };
    return at.x() >= scaled(m_caption.left()) && at.x() < width() - scaled(m_caption.right()) &&
           at.y() >= scaled(m_caption.top()) && at.y() < scaled(m_caption.bottom());
}

void CWindowHost::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !InCaption(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The window system moves the window where it can; elsewhere we follow the mouse.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
}

void CWindowHost::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
    else
        QWidget::mouseMoveEvent(event);
}

void CWindowHost::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

}  // namespace q31::ui
