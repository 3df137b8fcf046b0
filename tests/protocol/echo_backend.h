#pragma once
// A bare command interface that answers every request at once with its echo
// and status 1, whatever the length or address, and keeps the requests.
#include <array>
#include <memory>
#include <mutex>
#include <vector>

#include "hid/hid_backend.h"

namespace q31::test {

class EchoBackend : public hid::IHidBackend {
public:
    static constexpr const char* kPath = "echo#vid_3a9d&pid_6b01&mi_01&col01#0";

    std::vector<hid::HidInterfaceInfo> Enumerate() override { return {Info()}; }
    std::unique_ptr<hid::IHidConnection> Open(const std::string& path, hid::OpenError& error) override;
    std::uint64_t ChangeCounter() override { return 1; }

    std::vector<std::array<std::uint8_t, 64>> Requests() const;

private:
    class Connection;
    static hid::HidInterfaceInfo Info();

    mutable std::mutex m_mutex;
    std::vector<std::array<std::uint8_t, 64>> m_requests;
};

}  // namespace q31::test
