#pragma once
// The reader of one notification interface: a worker that blocks on the
// interface and hands every code it decodes to its handler, on its own thread.
#include "platform/worker_thread.h"

#include <cstdint>
#include <functional>
#include <string>

class CHidDevice;

namespace q31::devices {

class CNotificationReader {
public:
    using Handler = std::function<void(std::uint16_t code)>;

    explicit CNotificationReader(std::string name) : m_thread(std::move(name)) {}

    // Reads the open interface until Stop.
    void Start(CHidDevice& hid, Handler handler);
    // Sets the stop event and closes the interface, which ends a waiting read
    // at once; then waits up to waitMs for the reader.
    void Stop(CHidDevice& hid, int waitMs);
    bool IsRunning() const { return m_thread.IsRunning(); }

private:
    CWorkerThread m_thread;
};

}  // namespace q31::devices
