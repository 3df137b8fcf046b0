#pragma once
// The HID back end over an in-process simulated bus.
#include "hid/hid_backend.h"
#include "sim/sim_hub.h"

#include <functional>
#include <memory>

namespace q31::sim {

class SimHidBackend : public hid::IHidBackend {
public:
    explicit SimHidBackend(std::shared_ptr<SimHub> hub) : m_hub(std::move(hub)) {}

    std::vector<hid::HidInterfaceInfo> Enumerate() override { return m_hub->Enumerate(); }
    std::unique_ptr<hid::IHidConnection> Open(const std::string& path, hid::OpenError& error) override
    {
        return m_hub->Open(path, error);
    }
    std::uint64_t ChangeCounter() override { return m_hub->ChangeCounter(); }
    bool Exists(const std::string& path) override { return m_hub->Exists(path); }
    void WaitForChange(const CStopEvent& stop, int timeoutMs) override;

    SimHub& Hub() { return *m_hub; }

private:
    std::shared_ptr<SimHub> m_hub;
};

// Waits until waitSlice(ms) reports a change, stop is set or timeoutMs passes,
// in slices of sliceMs so that the stop event is seen in time.
void WaitInSlices(const CStopEvent& stop, int timeoutMs, int sliceMs, const std::function<bool(int)>& waitSlice);

}  // namespace q31::sim
