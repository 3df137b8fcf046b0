#pragma once
// One interface opened through q31-devsim: input reports arrive on the
// socket whenever the device sends them, writes wait for their answer.
#include "hid/hid_backend.h"
#include "sim/sim_input_queue.h"
#include "sim/sim_wire.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace q31::sim {

class RemoteConnection : public hid::IHidConnection {
public:
    RemoteConnection(std::unique_ptr<WireSocket> socket, hid::HidInterfaceInfo info);
    ~RemoteConnection() override;

    int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override;
    int Write(const std::uint8_t* buffer, std::size_t length, int timeoutMs) override;
    void Abort() override;
    const hid::HidInterfaceInfo& Info() const override { return m_info; }

private:
    void ReceiveLoop();

    std::unique_ptr<WireSocket> m_socket;
    hid::HidInterfaceInfo m_info;
    InputQueue m_input;
    std::mutex m_writeMutex;  // one write waits for its answer at a time
    std::mutex m_stateMutex;
    std::condition_variable m_answered;
    std::optional<int> m_written;
    bool m_closed = false;
    std::thread m_receiver;
};

}  // namespace q31::sim
