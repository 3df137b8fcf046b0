#pragma once
// The editors and windows around the device pages join the main window here:
// each owner of controls registers one handler for their notifications, and
// any owner may take main-window timers and messages. The main window only
// passes on what arrives, so a new owner needs nothing but its registration.
#include "app/notify_routes.h"
#include "platform/win_types.h"
#include "ui/notify.h"

#include <functional>
#include <map>

namespace q31::app {

class CNotifyOwners {
public:
    using NotifyHandler = std::function<void(TNotifyUI& msg)>;
    using TimerHandler = std::function<void()>;
    using MessageHandler = std::function<void(WPARAM wParam, LPARAM lParam)>;
    // Starts a timer on the main window; false when it could not.
    using TimerStarter = std::function<bool(UINT timerId, UINT elapseMs)>;

    explicit CNotifyOwners(TimerStarter startTimer);

    // One handler per owner; false when the owner already has one.
    bool Register(NotifyOwner owner, NotifyHandler handler);
    // One handler per timer id; false when the id is taken.
    bool RegisterTimer(UINT timerId, TimerHandler handler);
    // Every handler registered for a message hears it.
    void RegisterMessage(UINT message, MessageHandler handler);

    // Starts a registered timer on the main window; one that no owner registered is not started.
    bool StartTimer(UINT timerId, UINT elapseMs) const;

    // Each returns whether an owner took it; what no owner registered for is dropped.
    bool Dispatch(TNotifyUI& msg) const;
    bool DispatchTimer(UINT timerId) const;
    bool DispatchMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    TimerStarter m_startTimer;
    std::map<NotifyOwner, NotifyHandler> m_owners;
    std::map<UINT, TimerHandler> m_timers;
    std::multimap<UINT, MessageHandler> m_messages;
};

}  // namespace q31::app
