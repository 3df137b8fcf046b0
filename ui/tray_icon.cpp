#include "ui/tray_icon.h"

#include "platform/debug_log.h"
#include "ui/paint_manager.h"

#include <QIcon>
#include <QSystemTrayIcon>

CTrayIcon::CTrayIcon() = default;

CTrayIcon::~CTrayIcon() = default;

bool CTrayIcon::CreateTrayIcon(IMessageReceiver* owner, const QString& iconFile, const QString& toolTip,
                               UINT message)
{
    DeleteTrayIcon();
    m_icon = std::make_unique<QSystemTrayIcon>(QIcon(CPaintManagerUI::GetResourcePath() + iconFile));
    m_icon->setToolTip(toolTip);
    const QPointer<QObject> context = owner ? owner->MessageContext() : nullptr;
    QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, m_icon.get(),
                     [owner, context, message](QSystemTrayIcon::ActivationReason reason) {
                         LPARAM action = 0;
                         switch (reason) {
                         case QSystemTrayIcon::Trigger: action = kLeftButtonUp; break;
                         case QSystemTrayIcon::DoubleClick: action = kLeftDoubleClick; break;
                         case QSystemTrayIcon::Context: action = kRightButtonUp; break;
                         case QSystemTrayIcon::MiddleClick: action = kMiddleButtonUp; break;
                         case QSystemTrayIcon::Unknown: return;
                         }
                         if (context)
                             SendMessageTo(*owner, message, 0, action);
                     });
    if (!IsSystemTrayAvailable()) {
        OutputDebugText(QStringLiteral("tray: the desktop has no notification area"));
        return false;
    }
    m_icon->show();
    return true;
}

void CTrayIcon::DeleteTrayIcon()
{
    m_icon.reset();
}

void CTrayIcon::SetToolTipText(const QString& toolTip)
{
    if (m_icon)
        m_icon->setToolTip(toolTip);
}

bool CTrayIcon::IsVisible() const
{
    return m_icon && m_icon->isVisible();
}

bool CTrayIcon::IsSystemTrayAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}
