#include "app/sleep_watch.h"

#include "platform/debug_log.h"

#include <QDBusConnection>

CSleepWatch::CSleepWatch(std::function<void(bool sleeping)> onChange, QObject* parent)
    : QObject(parent), m_onChange(std::move(onChange))
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected() ||
        !bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                     QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                     SLOT(OnPrepareForSleep(bool))))
        OutputDebugText(QStringLiteral("no system bus: suspend and resume go unnoticed"));
}

void CSleepWatch::OnPrepareForSleep(bool sleeping)
{
    if (m_onChange)
        m_onChange(sleeping);
}
