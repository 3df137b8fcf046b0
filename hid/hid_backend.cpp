#include "hid/hid_backend.h"

#include <algorithm>
#include <mutex>

#include "platform/stop_event.h"

namespace q31::hid {

bool IHidBackend::Exists(const std::string& path) {
    const auto present = Enumerate();
    return std::any_of(present.begin(), present.end(),
                       [&](const HidInterfaceInfo& info) { return info.path == path; });
}

void IHidBackend::WaitForChange(const CStopEvent& stop, int timeoutMs) { stop.Wait(timeoutMs); }

namespace {

// Until the hidraw back end lands: no interfaces at all.
class EmptyBackend : public IHidBackend {
public:
    std::vector<HidInterfaceInfo> Enumerate() override { return {}; }
    std::unique_ptr<IHidConnection> Open(const std::string&, OpenError& error) override {
        error = OpenError::NotFound;
        return nullptr;
    }
    std::uint64_t ChangeCounter() override { return ++m_counter; }

private:
    std::uint64_t m_counter = 0;
};

std::mutex g_backendMutex;
std::shared_ptr<IHidBackend> g_backend;

}  // namespace

IHidBackend& CurrentHidBackend() {
    std::lock_guard lock(g_backendMutex);
    if (!g_backend)
        g_backend = std::make_shared<EmptyBackend>();
    return *g_backend;
}

void SetHidBackend(std::shared_ptr<IHidBackend> backend) {
    std::lock_guard lock(g_backendMutex);
    g_backend = std::move(backend);
}

}  // namespace q31::hid
