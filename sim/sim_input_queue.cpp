#include "sim/sim_input_queue.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace q31::sim {

bool InputQueue::Push(std::vector<std::uint8_t> report, SteadyTime arrives)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || m_reports.size() >= kCapacity)
            return false;
        m_reports.push_back({std::move(report), arrives});
    }
    m_changed.notify_all();
    return true;
}

int InputQueue::Pop(std::uint8_t* buffer, std::size_t length, int timeoutMs)
{
    std::optional<SteadyTime> deadline;
    if (timeoutMs >= 0)
        deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_closed)
            return -1;
        const auto now = std::chrono::steady_clock::now();
        if (!m_reports.empty() && m_reports.front().arrives <= now) {
            const std::vector<std::uint8_t> report = std::move(m_reports.front().report);
            m_reports.pop_front();
            const std::size_t copied = std::min(length, report.size());
            std::memcpy(buffer, report.data(), copied);
            return static_cast<int>(copied);
        }
        if (deadline && now >= *deadline)
            return 0;
        std::optional<SteadyTime> wakeAt = deadline;
        if (!m_reports.empty() && (!wakeAt || m_reports.front().arrives < *wakeAt))
            wakeAt = m_reports.front().arrives;
        if (wakeAt)
            m_changed.wait_until(lock, *wakeAt);
        else
            m_changed.wait(lock);
    }
}

void InputQueue::Close()
{
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        m_reports.clear();
    }
    m_changed.notify_all();
}

bool InputQueue::IsClosed() const
{
    std::lock_guard lock(m_mutex);
    return m_closed;
}

}  // namespace q31::sim
