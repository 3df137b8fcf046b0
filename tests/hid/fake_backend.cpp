#include "tests/hid/fake_backend.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/stop_event.h"
#include "tests/hid/test_descriptors.h"

namespace q31::test {

class FakeConnection : public hid::IHidConnection {
public:
    FakeConnection(std::shared_ptr<FakeBackend::Shared> shared, hid::HidInterfaceInfo info)
        : m_shared(std::move(shared)), m_info(std::move(info))
    {
    }

    int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override
    {
        std::unique_lock lock(m_shared->mutex);
        auto& queue = m_shared->queues[m_info.path];
        const auto ready = [&] { return m_aborted || !queue.empty(); };
        if (timeoutMs < 0)
            m_shared->arrived.wait(lock, ready);
        else if (!m_shared->arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
            return 0;
        if (m_aborted)
            return -1;
        const std::vector<std::uint8_t> report = std::move(queue.front());
        queue.pop_front();
        const std::size_t count = std::min(length, report.size());
        std::memcpy(buffer, report.data(), count);
        return static_cast<int>(count);
    }

    int Write(const std::uint8_t* buffer, std::size_t length, int) override
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_aborted)
            return -1;
        m_shared->written.emplace_back(buffer, buffer + length);
        return static_cast<int>(length);
    }

    void Abort() override
    {
        std::lock_guard lock(m_shared->mutex);
        m_aborted = true;
        m_shared->arrived.notify_all();
    }

    const hid::HidInterfaceInfo& Info() const override { return m_info; }

private:
    std::shared_ptr<FakeBackend::Shared> m_shared;
    hid::HidInterfaceInfo m_info;
    bool m_aborted = false;
};

void FakeBackend::Add(hid::HidInterfaceInfo info)
{
    std::lock_guard lock(m_mutex);
    m_order.push_back(info.path);
    m_interfaces[info.path] = std::move(info);
    ++m_changes;
}

void FakeBackend::Remove(const std::string& path)
{
    std::lock_guard lock(m_mutex);
    m_interfaces.erase(path);
    m_order.erase(std::remove(m_order.begin(), m_order.end(), path), m_order.end());
    ++m_changes;
}

void FakeBackend::SetPermissionDenied(const std::string& path, bool denied)
{
    std::lock_guard lock(m_mutex);
    if (denied)
        m_denied.insert(path);
    else
        m_denied.erase(path);
}

void FakeBackend::Deliver(const std::string& path, std::vector<std::uint8_t> report)
{
    std::lock_guard lock(m_shared->mutex);
    m_shared->queues[path].push_back(std::move(report));
    m_shared->arrived.notify_all();
}

std::vector<std::vector<std::uint8_t>> FakeBackend::Written() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->written;
}

int FakeBackend::Enumerations() const
{
    std::lock_guard lock(m_mutex);
    return m_enumerations;
}

int FakeBackend::Opens() const
{
    std::lock_guard lock(m_mutex);
    return m_opens;
}

std::vector<hid::HidInterfaceInfo> FakeBackend::Enumerate()
{
    std::lock_guard lock(m_mutex);
    ++m_enumerations;
    std::vector<hid::HidInterfaceInfo> all;
    for (const std::string& path : m_order)
        all.push_back(m_interfaces.at(path));
    return all;
}

std::unique_ptr<hid::IHidConnection> FakeBackend::Open(const std::string& path, hid::OpenError& error)
{
    std::lock_guard lock(m_mutex);
    ++m_opens;
    const auto found = m_interfaces.find(path);
    if (found == m_interfaces.end()) {
        error = hid::OpenError::NotFound;
        return nullptr;
    }
    if (m_denied.count(path)) {
        error = hid::OpenError::PermissionDenied;
        return nullptr;
    }
    error = hid::OpenError::None;
    return std::make_unique<FakeConnection>(m_shared, found->second);
}

bool FakeBackend::Exists(const std::string& path)
{
    std::lock_guard lock(m_mutex);
    return m_interfaces.count(path) != 0;
}

std::uint64_t FakeBackend::ChangeCounter()
{
    std::lock_guard lock(m_mutex);
    return m_monitor ? m_changes : ++m_changes;
}

void FakeBackend::WaitForChange(const CStopEvent& stop, int)
{
    stop.Wait(1);  // keeps threaded tests quick
}

hid::HidInterfaceInfo MakeInterface(std::uint16_t vendorId, std::uint16_t productId, int interfaceNumber,
                                    int collection, std::uint16_t usagePage, std::uint16_t usage,
                                    const std::vector<std::uint8_t>& descriptor, const std::string& instance)
{
    char path[160];
    if (collection > 0)
        std::snprintf(path, sizeof path, "\\\\?\\hid#vid_%04x&pid_%04x&mi_%02x&col%02x#%s#{4d1e55b2-f16f-11cf-88cb-001111000030}",
                      vendorId, productId, interfaceNumber, collection, instance.c_str());
    else
        std::snprintf(path, sizeof path, "\\\\?\\hid#vid_%04x&pid_%04x&mi_%02x#%s#{4d1e55b2-f16f-11cf-88cb-001111000030}",
                      vendorId, productId, interfaceNumber, instance.c_str());
    hid::HidInterfaceInfo info;
    info.path = path;
    info.vendorId = vendorId;
    info.productId = productId;
    info.usagePage = usagePage;
    info.usage = usage;
    info.reportDescriptor = descriptor;
    return info;
}

std::vector<hid::HidInterfaceInfo> MakeMakerInterfaces(std::uint16_t productId, const std::string& instance)
{
    const auto& descriptor = kKeyboardInterfaceDescriptor;
    return {
        MakeInterface(0x3A9D, productId, 1, 1, 0x0001, 0x06, descriptor, instance),
        MakeInterface(0x3A9D, productId, 1, 2, 0x0001, 0x80, descriptor, instance),
        MakeInterface(0x3A9D, productId, 1, 3, 0x000C, 0x01, descriptor, instance),
        MakeInterface(0x3A9D, productId, 1, 4, 0xFF1C, 0x92, descriptor, instance),
    };
}

hid::HidInterfaceInfo MakeHeadsetInterface(const std::string& instance)
{
    return MakeInterface(0x0C76, 0x1630, 3, 0, 0x000C, 0x01, kHeadsetDescriptor, instance);
}

}  // namespace q31::test
