#include "sim/sim_hid_backend.h"

#include "platform/stop_event.h"

#include <algorithm>
#include <chrono>

namespace q31::sim {

void WaitInSlices(const CStopEvent& stop, int timeoutMs, int sliceMs, const std::function<bool(int)>& waitSlice)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!stop.IsSet()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0 || waitSlice(static_cast<int>(std::min<long long>(left, sliceMs))))
            return;
    }
}

void SimHidBackend::WaitForChange(const CStopEvent& stop, int timeoutMs)
{
    const std::uint64_t seen = m_hub->ChangeCounter();
    WaitInSlices(stop, timeoutMs, 10, [&](int sliceMs) { return m_hub->WaitForChange(seen, sliceMs); });
}

}  // namespace q31::sim
