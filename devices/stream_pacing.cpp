#include "devices/stream_pacing.h"

#include <algorithm>

namespace q31::devices {

bool CStreamPacing::ShouldSend(const LiveFrame& frame, std::size_t length, DWORD now) const
{
    const DWORD since = now - m_lastSentAt;
    if (m_resting)
        return since >= kRestAfterFailureMs;
    const bool unchanged = m_haveTaken && length == m_lastLength &&
                           std::equal(frame.begin(), frame.begin() + length, m_lastTaken.begin());
    return !unchanged || since >= kRepeatUnchangedMs;
}

void CStreamPacing::Sent(const LiveFrame& frame, std::size_t length, bool taken, DWORD now)
{
    m_lastSentAt = now;
    m_resting = !taken;
    m_haveTaken = taken;
    if (taken) {
        m_lastTaken = frame;
        m_lastLength = length;
    }
}

void CStreamPacing::Forget()
{
    m_haveTaken = false;
    m_resting = false;
}

}  // namespace q31::devices
