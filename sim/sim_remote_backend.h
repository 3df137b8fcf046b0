#pragma once
// The HID back end over the devices of a running q31-devsim.
#include "hid/hid_backend.h"
#include "sim/sim_control.h"
#include "sim/sim_wire.h"

#include <QString>

#include <memory>
#include <mutex>

namespace q31::sim {

class RemoteSimBackend : public hid::IHidBackend {
public:
    // Nullptr when no q31-devsim answers at the socket path.
    static std::shared_ptr<RemoteSimBackend> Connect(const QString& socketPath);

    std::vector<hid::HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<hid::IHidConnection> Open(const std::string& path, hid::OpenError& error) override;
    // Changes on every plug and unplug in q31-devsim, and whenever it cannot be reached.
    std::uint64_t ChangeCounter() override;
    void WaitForChange(const CStopEvent& stop, int timeoutMs) override;

    // Runs a q31-devsim command ("plug keyboard", "dump mouse params", ...).
    ControlResult RunCommand(const std::vector<std::string>& words);

private:
    explicit RemoteSimBackend(QString socketPath) : m_socketPath(std::move(socketPath)) {}
    // Asks on the shared request socket, reconnecting when it broke.
    std::optional<QByteArray> Ask(WireKind kind, const QByteArray& payload, WireKind answer, int timeoutMs = 5000);

    QString m_socketPath;
    std::mutex m_mutex;
    std::unique_ptr<WireSocket> m_requests;
    // Its own socket, so a wait never holds up the requests of other threads.
    std::mutex m_changesMutex;
    std::unique_ptr<WireSocket> m_changes;
    std::uint64_t m_unreachableCount = 0;
};

}  // namespace q31::sim
