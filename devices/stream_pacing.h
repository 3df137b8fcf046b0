#pragma once
// When a live light frame goes to the device. The preview runs every few
// milliseconds, but the device keeps the last frame it took: an unchanged frame
// is repeated only now and then, in case the device dropped it, and a frame the
// device refused rests the stream for a while. Each repeat costs a round trip
// per chunk, so an idle program repeats rarely; a device that may have lost
// the frame (reconnected, lighting handed back) is forgotten instead.
#include "devices/live_frame.h"
#include "platform/win_types.h"

#include <cstddef>

namespace q31::devices {

class CStreamPacing {
public:
    static constexpr DWORD kRestAfterFailureMs = 200;
    static constexpr DWORD kRepeatUnchangedMs = 5000;

    bool ShouldSend(const LiveFrame& frame, std::size_t length, DWORD now) const;
    // What became of the frame ShouldSend allowed.
    void Sent(const LiveFrame& frame, std::size_t length, bool taken, DWORD now);
    // The device holds no frame of ours: the next one goes out at once.
    void Forget();

private:
    LiveFrame m_lastTaken{};
    std::size_t m_lastLength = 0;
    bool m_haveTaken = false;
    DWORD m_lastSentAt = 0;
    bool m_resting = false;
};

}  // namespace q31::devices
