#include "app/about_wnd.h"

#include "ui/resource_manager.h"
#include "update/update_component.h"

#include <QLayout>
#include <QWidget>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 572;

CAboutWnd* g_openAboutWindow = nullptr;

}  // namespace

void CAboutWnd::Open(WindowImplBase& owner)
{
    if (g_openAboutWindow)
        return;
    auto* window = new CAboutWnd;
    g_openAboutWindow = window;
    const double scale = owner.GetPaintManager().GetDPIScale();
    // Two blanks: the window system shows no title for it.
    window->Create(owner.GetHWND(), QStringLiteral("  "), WS_POPUP, WS_EX_TOOLWINDOW,
                   QRect(0, 0, int(kWidth * scale), int(kHeight * scale)));
    window->GetPaintManager().SetDPI(owner.GetPaintManager().GetDPI());
    window->ShowVersion();
    window->CenterWindow();
    window->ShowModal();
}

CAboutWnd* CAboutWnd::Current()
{
    return g_openAboutWindow;
}

QString CAboutWnd::VersionText()
{
    return CResourceManager::GetInstance().GetText(QStringLiteral("software_rev_text")) + QLatin1Char('V') +
           q31::update::InstalledAppVersionText();
}

CAboutWnd::~CAboutWnd()
{
    if (g_openAboutWindow == this)
        g_openAboutWindow = nullptr;
}

void CAboutWnd::InitWindow()
{
    m_closeButton = m_pm.FindControl(QStringLiteral("closebtn"));
    m_maxButton = m_pm.FindControl(QStringLiteral("maxbtn"));
    m_restoreButton = m_pm.FindControl(QStringLiteral("restorebtn"));
    m_minButton = m_pm.FindControl(QStringLiteral("minbtn"));
}

void CAboutWnd::Notify(TNotifyUI& msg)
{
    if (msg.sType != QLatin1String("click") || !msg.pSender)
        return;
    if (msg.pSender == m_closeButton)
        Close();
    else if (msg.pSender == m_minButton)
        ChangeWindowState(Qt::WindowMinimized);
    else if (msg.pSender == m_maxButton)
        ChangeWindowState(Qt::WindowMaximized);
    else if (msg.pSender == m_restoreButton)
        ChangeWindowState(Qt::WindowNoState);
}

LRESULT CAboutWnd::HandleMessage(UINT message, WPARAM, LPARAM)
{
    if (message == kLanguageChanged) {
        // The bound texts follow the language by themselves; the version line is composed here.
        ShowVersion();
        if (QWidget* root = m_pm.GetRoot(); root && root->layout())
            root->layout()->invalidate();
        if (QWidget* host = GetHWND())
            host->update();
    }
    return 0;
}

void CAboutWnd::ShowVersion()
{
    if (QWidget* label = m_pm.FindControl(QStringLiteral("software_ver_label")))
        label->setProperty("text", VersionText());
}
