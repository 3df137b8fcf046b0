#include "devices/live_frame_stream.h"

#include "devices/effect_steps.h"

namespace q31::devices {

bool CLiveFrameStream::Offer(const LiveFrame& frame, std::size_t length, DWORD now)
{
    std::lock_guard lock(m_mutex);
    if (m_sendQueued) {
        m_pending = frame;
        m_pendingLength = length;
        return false;
    }
    if (!m_pacing.ShouldSend(frame, length, now))
        return false;
    m_pending = frame;
    m_pendingLength = length;
    m_sendQueued = true;
    return true;
}

void CLiveFrameStream::Forget()
{
    std::lock_guard lock(m_mutex);
    m_pacing.Forget();
}

void CLiveFrameStream::Finished(const LiveFrame& frame, std::size_t length, bool taken)
{
    std::lock_guard lock(m_mutex);
    // The rest after a refused frame counts from when the refusal came back, not from the send.
    m_pacing.Sent(frame, length, taken, TickCountMs());
    m_sendQueued = false;
}

}  // namespace q31::devices
