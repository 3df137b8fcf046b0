#pragma once
// One open simulated interface, as CHidDevice sees it.
#include "hid/hid_backend.h"
#include "sim/sim_hub.h"

#include <memory>

namespace q31::sim {

class SimConnection : public hid::IHidConnection {
public:
    SimConnection(std::shared_ptr<SimHub> hub, std::shared_ptr<SimHub::OpenCollection> state);
    ~SimConnection() override;

    int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override;
    int Write(const std::uint8_t* buffer, std::size_t length, int timeoutMs) override;
    void Abort() override;
    const hid::HidInterfaceInfo& Info() const override { return m_state->info; }

private:
    std::shared_ptr<SimHub> m_hub;
    std::shared_ptr<SimHub::OpenCollection> m_state;
};

}  // namespace q31::sim
