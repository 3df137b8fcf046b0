#include "app/notify_owners.h"

#include <QWidget>

namespace q31::app {

CNotifyOwners::CNotifyOwners(TimerStarter startTimer) : m_startTimer(std::move(startTimer)) {}

bool CNotifyOwners::Register(NotifyOwner owner, NotifyHandler handler)
{
    return owner != NotifyOwner::None && m_owners.try_emplace(owner, std::move(handler)).second;
}

bool CNotifyOwners::RegisterTimer(UINT timerId, TimerHandler handler)
{
    return m_timers.try_emplace(timerId, std::move(handler)).second;
}

void CNotifyOwners::RegisterMessage(UINT message, MessageHandler handler)
{
    m_messages.emplace(message, std::move(handler));
}

bool CNotifyOwners::StartTimer(UINT timerId, UINT elapseMs) const
{
    return m_timers.contains(timerId) && m_startTimer(timerId, elapseMs);
}

bool CNotifyOwners::Dispatch(TNotifyUI& msg) const
{
    if (!msg.pSender || !IsRoutedNotification(msg.sType))
        return false;
    const auto owner = m_owners.find(RouteControl(msg.pSender->objectName()));
    if (owner == m_owners.end())
        return false;
    owner->second(msg);
    return true;
}

bool CNotifyOwners::DispatchTimer(UINT timerId) const
{
    const auto timer = m_timers.find(timerId);
    if (timer == m_timers.end())
        return false;
    timer->second();
    return true;
}

bool CNotifyOwners::DispatchMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    const auto [first, last] = m_messages.equal_range(message);
    for (auto handler = first; handler != last; ++handler)
        handler->second(wParam, lParam);
    return first != last;
}

}  // namespace q31::app
