#include "sim/sim_remote_connection.h"

#include <chrono>

namespace q31::sim {

RemoteConnection::RemoteConnection(std::unique_ptr<WireSocket> socket, hid::HidInterfaceInfo info)
    : m_socket(std::move(socket)), m_info(std::move(info)), m_receiver([this] { ReceiveLoop(); })
{
}

RemoteConnection::~RemoteConnection()
{
    Abort();
    m_receiver.join();
}

void RemoteConnection::ReceiveLoop()
{
    while (const auto frame = m_socket->Receive(-1)) {
        if (frame->kind == WireKind::Input) {
            m_input.Push({frame->payload.begin(), frame->payload.end()}, std::chrono::steady_clock::now());
        } else if (frame->kind == WireKind::Written) {
            std::lock_guard lock(m_stateMutex);
            m_written = static_cast<int>(DecodeNumber(frame->payload).value_or(-1));
            m_answered.notify_all();
        }
    }
    // The server went away or the device was unplugged.
    std::lock_guard lock(m_stateMutex);
    m_closed = true;
    m_input.Close();
    m_answered.notify_all();
}

int RemoteConnection::Read(std::uint8_t* buffer, std::size_t length, int timeoutMs)
{
    return m_input.Pop(buffer, length, timeoutMs);
}

int RemoteConnection::Write(const std::uint8_t* buffer, std::size_t length, int timeoutMs)
{
    std::lock_guard writing(m_writeMutex);
    {
        std::lock_guard lock(m_stateMutex);
        if (m_closed)
            return -1;
        m_written.reset();
    }
    if (!m_socket->Send(WireKind::Write, QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(length)),
                        timeoutMs < 0 ? -1 : timeoutMs))
        return -1;
    std::unique_lock lock(m_stateMutex);
    const auto done = [&] { return m_closed || m_written.has_value(); };
    if (timeoutMs < 0)
        m_answered.wait(lock, done);
    else
        m_answered.wait_for(lock, std::chrono::milliseconds(timeoutMs), done);
    return m_written.value_or(-1);
}

void RemoteConnection::Abort()
{
    {
        std::lock_guard lock(m_stateMutex);
        m_closed = true;
        m_answered.notify_all();
    }
    m_input.Close();
    m_socket->Shutdown();
}

}  // namespace q31::sim
