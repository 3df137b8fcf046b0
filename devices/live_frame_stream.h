#pragma once
// The hand-over of live light frames from the preview, which paints them on
// the UI thread, to the device's worker, which sends them. At most one send is
// waiting at a time: frames that come meanwhile replace the waiting one, so a
// device that does not answer costs the worker one pending frame and the UI
// thread nothing.
#include "devices/live_frame.h"
#include "devices/stream_pacing.h"

#include <cstddef>
#include <mutex>

namespace q31::devices {

class CLiveFrameStream {
public:
    // The preview's newest frame. True when a send must be queued: none is
    // waiting and the pacing wants this frame sent.
    bool Offer(const LiveFrame& frame, std::size_t length, DWORD now);
    // On the worker: sends the newest frame with send(data, length) -> taken,
    // outside the lock, and notes its fate at the time the send returned.
    template <class Send>
    void SendNewest(Send send)
    {
        LiveFrame frame;
        std::size_t length = 0;
        {
            std::lock_guard lock(m_mutex);
            frame = m_pending;
            length = m_pendingLength;
        }
        const bool taken = send(frame.data(), length);
        Finished(frame, length, taken);
    }

    // The device may have lost what it took: the next frame goes out at once.
    void Forget();

private:
    void Finished(const LiveFrame& frame, std::size_t length, bool taken);

    std::mutex m_mutex;
    CStreamPacing m_pacing;
    LiveFrame m_pending{};
    std::size_t m_pendingLength = 0;
    bool m_sendQueued = false;
};

}  // namespace q31::devices
