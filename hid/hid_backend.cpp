#include "hid/hid_backend.h"

#include <algorithm>
#include <mutex>

#include "hid/hidraw_backend.h"
#include "platform/stop_event.h"

namespace q31::hid {

bool IHidBackend::Exists(const std::string& path) {
    const auto present = Enumerate();
    return std::any_of(present.begin(), present.end(),
                       [&](const HidInterfaceInfo& info) { return info.path == path; });
}

void IHidBackend::WaitForChange(const CStopEvent& stop, int timeoutMs) { stop.Wait(timeoutMs); }

namespace {

std::mutex g_backendMutex;
std::shared_ptr<IHidBackend> g_backend;

}  // namespace

IHidBackend& CurrentHidBackend() {
    std::lock_guard lock(g_backendMutex);
    if (!g_backend)
        g_backend = MakeHidrawBackend();
    return *g_backend;
}

void SetHidBackend(std::shared_ptr<IHidBackend> backend) {
    std::lock_guard lock(g_backendMutex);
    g_backend = std::move(backend);
}

}  // namespace q31::hid
