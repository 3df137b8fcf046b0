#include "ui/window_impl_base.h"

#include "platform/debug_log.h"
#include "ui/dpi_scaler.h"
#include "ui/window_host.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// "left,top,right,bottom"; null when the skin gives no caption.
QMargins ParseCaption(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return QMargins();
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return QMargins();
    }
    return QMargins(values[0], values[1], values[2], values[3]);
}

}  // namespace

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase()
{
    if (m_modalLoop)
        m_modalLoop->quit();
    if (m_host) {
        m_host->Detach();
        m_host->hide();
        // Deferred: the window object may go away from inside one of its controls' handlers.
        m_host->deleteLater();
    }
}

void WindowImplBase::Notify(TNotifyUI&) {}

LRESULT WindowImplBase::HandleMessage(UINT, WPARAM, LPARAM)
{
    return 0;
}

QWidget* WindowImplBase::CreateControl(const QString&, QWidget*)
{
    return nullptr;
}

QWidget* WindowImplBase::Create(QWidget* parent, const QString& name, DWORD style, DWORD exStyle, const QRect& rc)
{
    if (m_host)
        return m_host;
    Qt::WindowFlags flags = Qt::FramelessWindowHint;
    flags |= (exStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Window;
    m_host = new q31::ui::CWindowHost(this, parent, flags);
    m_host->setObjectName(GetWindowClassName());
    m_host->setWindowTitle(name);

    QWidget* root = CDialogBuilder::Create(GetSkinFile(), this, m_host);
    if (!root) {
        OutputDebugText(QStringLiteral("window %1: skin %2 missing, the window stays empty")
                            .arg(GetWindowClassName(), GetSkinFile()));
        root = new QWidget(m_host);
        root->resize(320, 200);
    }
    m_host->SetCaption(ParseCaption(root->property("caption").toString()));
    m_pm.AddNotifier(this);
    m_pm.Init(m_host, root);
    auto* layout = new QVBoxLayout(m_host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(root);
    if (!rc.isNull()) {
        m_host->move(rc.topLeft());
        if (!rc.size().isEmpty())
            m_host->resize(rc.size());
    }
    InitWindow();
    if (m_host && (style & WS_VISIBLE))
        m_host->show();
    return m_host;
}

void WindowImplBase::OnHostShown()
{
    if (m_initNotified || !m_pm.GetRoot())
        return;
    m_initNotified = true;
    m_pm.SendNotify(m_pm.GetRoot(), QStringLiteral("windowinit"));
}

void WindowImplBase::OnHostDestroyed()
{
    m_host = nullptr;
    OnFinalMessage();
}

UINT WindowImplBase::ShowModal()
{
    if (!m_host)
        return 0;
    QEventLoop loop;
    UINT result = 0;
    m_modalLoop = &loop;
    m_modalResult = &result;
    m_host->setWindowModality(Qt::ApplicationModal);
    ShowWindow(true, true);
    loop.exec(QEventLoop::DialogExec);
    // The window object may be gone by now: only locals from here on.
    return result;
}

void WindowImplBase::ShowWindow(bool show, bool takeFocus)
{
    if (!m_host)
        return;
    if (!show) {
        m_host->hide();
        return;
    }
    m_host->show();
    if (takeFocus) {
        m_host->raise();
        m_host->activateWindow();
    }
}

void WindowImplBase::CenterWindow()
{
    if (!m_host)
        return;
    const QWidget* owner = m_host->parentWidget() ? m_host->parentWidget()->window() : nullptr;
    QRect area;
    if (owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (const QScreen* screen = m_host->screen() ? m_host->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        m_host->move(area.center() - QPoint(m_host->width() / 2, m_host->height() / 2));
}

void WindowImplBase::Close(UINT ret)
{
    if (m_modalLoop) {
        *m_modalResult = ret;
        m_modalLoop->quit();
        m_modalLoop = nullptr;
        m_modalResult = nullptr;
    }
    if (m_host) {
        m_host->AcceptClose();
        m_host->close();
    }
}

int WindowImplBase::SetStepDpi(int dpi, QSize sizeAt96)
{
    if (!q31::ui::IsDpiStep(dpi)) {
        OutputDebugText(QStringLiteral("SET_WND DPI SET ERROR"));
        dpi = CPaintManagerUI::kDefaultDpi;
    }
    m_pm.SetDPI(dpi);
    if (m_host) {
        const double scale = m_pm.GetDPIScale();
        m_host->resize(int(sizeAt96.width() * scale), int(sizeAt96.height() * scale));
    }
    return dpi;
}

void WindowImplBase::ChangeWindowState(Qt::WindowState state)
{
    if (!m_host)
        return;
    if (state == Qt::WindowMinimized)
        m_host->showMinimized();
    else if (state == Qt::WindowMaximized)
        m_host->showMaximized();
    else
        m_host->showNormal();
    const bool maximized = m_host->isMaximized();
    if (QWidget* maxButton = m_pm.FindControl(QStringLiteral("maxbtn")))
        maxButton->setVisible(!maximized);
    if (QWidget* restoreButton = m_pm.FindControl(QStringLiteral("restorebtn")))
        restoreButton->setVisible(maximized);
}

void WindowImplBase::SetIcon(const QString& imageFile)
{
    if (m_host)
        m_host->setWindowIcon(QIcon(CPaintManagerUI::GetResourcePath() + imageFile));
}

QWidget* WindowImplBase::GetHWND() const
{
    return m_host;
}

bool WindowImplBase::SetTimer(UINT timerId, UINT elapseMs)
{
    return m_pm.SetTimer(m_host, timerId, elapseMs);
}

bool WindowImplBase::KillTimer(UINT timerId)
{
    return m_pm.KillTimer(m_host, timerId);
}
