#pragma once
// A back end whose interfaces and reports the test sets.
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "hid/hid_backend.h"

namespace q31::test {

class FakeBackend : public hid::IHidBackend {
public:
    // With a monitor the change counter moves only on Add and Remove;
    // without one it moves on every call.
    explicit FakeBackend(bool monitor = false) : m_monitor(monitor) {}

    void Add(hid::HidInterfaceInfo info);
    void Remove(const std::string& path);
    void SetPermissionDenied(const std::string& path, bool denied);
    // Hands the report to every open connection of path.
    void Deliver(const std::string& path, std::vector<std::uint8_t> report);
    // Written reports, oldest first.
    std::vector<std::vector<std::uint8_t>> Written() const;
    int Enumerations() const;
    int Opens() const;

    std::vector<hid::HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<hid::IHidConnection> Open(const std::string& path, hid::OpenError& error) override;
    std::uint64_t ChangeCounter() override;
    bool Exists(const std::string& path) override;
    void WaitForChange(const CStopEvent& stop, int timeoutMs) override;

private:
    friend class FakeConnection;
    struct Shared {
        std::mutex mutex;
        std::condition_variable arrived;
        std::map<std::string, std::deque<std::vector<std::uint8_t>>> queues;
        std::vector<std::vector<std::uint8_t>> written;
    };

    bool m_monitor;
    mutable std::mutex m_mutex;
    std::map<std::string, hid::HidInterfaceInfo> m_interfaces;
    std::vector<std::string> m_order;
    std::set<std::string> m_denied;
    std::uint64_t m_changes = 0;
    int m_enumerations = 0;
    int m_opens = 0;
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
};

// An interface of the given identity whose path has the Windows form.
hid::HidInterfaceInfo MakeInterface(std::uint16_t vendorId, std::uint16_t productId, int interfaceNumber,
                                    int collection, std::uint16_t usagePage, std::uint16_t usage,
                                    const std::vector<std::uint8_t>& descriptor, const std::string& instance = "1");

// The four collections of a keyboard-family interface 1 (col01 to col04).
std::vector<hid::HidInterfaceInfo> MakeMakerInterfaces(std::uint16_t productId, const std::string& instance = "1");
hid::HidInterfaceInfo MakeHeadsetInterface(const std::string& instance = "1");

}  // namespace q31::test
