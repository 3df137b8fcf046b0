#include "devices/light_ticker.h"

#include <algorithm>

namespace q31::devices {

using std::chrono::milliseconds;

milliseconds CSteadyTickClock::Now()
{
    return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

bool CSteadyTickClock::SleepUntil(milliseconds due)
{
    std::unique_lock lock(m_mutex);
    const std::chrono::steady_clock::time_point until{due};
    return !m_woken.wait_until(lock, until, [this] { return m_awake; });
}

void CSteadyTickClock::Wake()
{
    {
        std::lock_guard lock(m_mutex);
        m_awake = true;
    }
    m_woken.notify_all();
}

void CSteadyTickClock::Rearm()
{
    std::lock_guard lock(m_mutex);
    m_awake = false;
}

CLightTicker::CLightTicker(std::unique_ptr<ITickClock> clock) : m_clock(std::move(clock)) {}

CLightTicker::~CLightTicker()
{
    Stop();
}

void CLightTicker::Start(Owner owner)
{
    Stop();
    m_clock->Rearm();
    m_thread = std::thread([this, owner = std::move(owner)] { Run(owner); });
}

void CLightTicker::Stop()
{
    if (!m_thread.joinable())
        return;
    m_clock->Wake();
    m_thread.join();
}

void CLightTicker::Run(const Owner& owner)
{
    int count = 0;
    milliseconds due = m_clock->Now();
    for (;;) {
        if (!owner.linkOpen()) {
            if (!m_clock->SleepUntil(m_clock->Now() + kClosedLinkWait))
                return;
            due = m_clock->Now();
            continue;
        }
        due += kTick;
        if (!m_clock->SleepUntil(due))
            return;
        // A pass that woke late counts one tick, as the desktop's tick count
        // did: what was missed is not made up in a burst.
        if (const milliseconds now = m_clock->Now(); now - due >= kTick)
            due = now;
        if (owner.paused())
            continue;
        if (++count >= std::max(owner.threshold(), 1)) {
            count = 0;
            owner.step();
        }
        if (owner.afterPass)
            owner.afterPass();
    }
}

}  // namespace q31::devices
