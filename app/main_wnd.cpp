#include "app/main_wnd.h"

#include "app/registered_messages.h"
#include "platform/debug_log.h"

CMainWnd::CMainWnd()
    : m_busEndpoint([this](const q31::bus::BusDelivery& delivery) {
          return HandleMessage(delivery.message, delivery.wParam, delivery.lParam);
      })
{
    setWindowTitle(QString::fromLatin1(kTitle));
    setObjectName(QString::fromLatin1(kClassName));
    resize(800, 572);
    if (!m_busEndpoint.Open(QString::fromLatin1(kClassName), QString::fromLatin1(kTitle)))
        OutputDebugText(QStringLiteral("the main window is not reachable by other programs"));
}

LRESULT CMainWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_msgInstance) {
        OutputDebugText(QString::asprintf("软件标示 %u，%llxd%llxd", message, static_cast<unsigned long long>(wParam),
                                          static_cast<unsigned long long>(lParam)));
        ShowAndBringToFront();
    }
    return 0;
}

void CMainWnd::ShowAndBringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}
