#include "sim/sim_connection.h"

namespace q31::sim {

SimConnection::SimConnection(std::shared_ptr<SimHub> hub, std::shared_ptr<SimHub::OpenCollection> state)
    : m_hub(std::move(hub)), m_state(std::move(state))
{
}

SimConnection::~SimConnection()
{
    Abort();
}

int SimConnection::Read(std::uint8_t* buffer, std::size_t length, int timeoutMs)
{
    return m_state->queue.Pop(buffer, length, timeoutMs);
}

int SimConnection::Write(const std::uint8_t* buffer, std::size_t length, int)
{
    return m_hub->Write(*m_state, buffer, length);
}

void SimConnection::Abort()
{
    m_state->queue.Close();
}

}  // namespace q31::sim
