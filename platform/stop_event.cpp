#include "platform/stop_event.h"

#include <chrono>

void CStopEvent::Set()
{
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_all();
}

void CStopEvent::Reset()
{
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool CStopEvent::IsSet() const
{
    std::lock_guard lock(m_mutex);
    return m_set;
}

bool CStopEvent::Wait(int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_set; });
}
