#include "sim/sim_remote_backend.h"

#include "sim/sim_hid_backend.h"
#include "sim/sim_remote_connection.h"
#include "platform/stop_event.h"

#include <QDataStream>
#include <QIODevice>
#include <QStringList>

namespace q31::sim {
namespace {

constexpr int kOpenTimeoutMs = 5000;
constexpr int kProbeTimeoutMs = 1000;
constexpr int kChangeWaitSliceMs = 250;
constexpr std::uint64_t kUnreachableMark = 1ull << 63;

}  // namespace

std::shared_ptr<RemoteSimBackend> RemoteSimBackend::Connect(const QString& socketPath)
{
    std::shared_ptr<RemoteSimBackend> backend(new RemoteSimBackend(socketPath));
    backend->m_requests = WireSocket::Connect(socketPath);
    if (!backend->m_requests || !backend->Ask(WireKind::Counter, {}, WireKind::CounterValue, kProbeTimeoutMs))
        return nullptr;
    return backend;
}

std::optional<QByteArray> RemoteSimBackend::Ask(WireKind kind, const QByteArray& payload, WireKind answer,
                                                int timeoutMs)
{
    std::lock_guard lock(m_mutex);
    // A request is sent again on a new socket only when it could not be sent
    // at all, so no command runs twice.
    if (!m_requests || !m_requests->Send(kind, payload, timeoutMs)) {
        m_requests = WireSocket::Connect(m_socketPath);
        if (!m_requests || !m_requests->Send(kind, payload, timeoutMs)) {
            m_requests.reset();
            return std::nullopt;
        }
    }
    const auto frame = m_requests->Receive(timeoutMs);
    if (!frame || frame->kind != answer) {
        m_requests.reset();
        return std::nullopt;
    }
    return frame->payload;
}

std::vector<hid::HidInterfaceInfo> RemoteSimBackend::Enumerate()
{
    const auto reply = Ask(WireKind::Enumerate, {}, WireKind::Interfaces);
    if (!reply)
        return {};
    return DecodeInterfaces(*reply).value_or(std::vector<hid::HidInterfaceInfo>{});
}

std::unique_ptr<hid::IHidConnection> RemoteSimBackend::Open(const std::string& path, hid::OpenError& error)
{
    error = hid::OpenError::NotFound;
    auto socket = WireSocket::Connect(m_socketPath);
    if (!socket)
        return nullptr;
    const auto reply = socket->Ask(WireKind::Open, QByteArray::fromStdString(path), WireKind::Opened, kOpenTimeoutMs);
    if (!reply) {
        error = hid::OpenError::Other;
        return nullptr;
    }
    QDataStream in(*reply);
    qint64 code = static_cast<qint64>(hid::OpenError::Other);
    in >> code;
    error = static_cast<hid::OpenError>(code);
    const auto info = DecodeInterface(reply->mid(static_cast<qsizetype>(sizeof(qint64))));
    if (error != hid::OpenError::None || !info) {
        if (error == hid::OpenError::None)
            error = hid::OpenError::Other;
        return nullptr;
    }
    return std::make_unique<RemoteConnection>(std::move(socket), *info);
}

std::uint64_t RemoteSimBackend::ChangeCounter()
{
    const auto reply = Ask(WireKind::Counter, {}, WireKind::CounterValue);
    const auto counter = reply ? DecodeNumber(*reply) : std::nullopt;
    if (!counter) {
        std::lock_guard lock(m_mutex);
        return kUnreachableMark | ++m_unreachableCount;
    }
    return static_cast<std::uint64_t>(*counter);
}

void RemoteSimBackend::WaitForChange(const CStopEvent& stop, int timeoutMs)
{
    // q31-devsim answers when the counter moves, so waiting costs no polling;
    // the slices only bound how late a stop is seen.
    const std::uint64_t seen = ChangeCounter();
    WaitInSlices(stop, timeoutMs, kChangeWaitSliceMs, [&](int sliceMs) {
        QByteArray request;
        QDataStream out(&request, QIODevice::WriteOnly);
        out << static_cast<qint64>(seen) << static_cast<qint64>(sliceMs);
        std::lock_guard lock(m_changesMutex);
        if (!m_changes)
            m_changes = WireSocket::Connect(m_socketPath);
        const auto reply =
            m_changes ? m_changes->Ask(WireKind::WaitChange, request, WireKind::CounterValue, sliceMs + kProbeTimeoutMs)
                      : std::nullopt;
        const auto counter = reply ? DecodeNumber(*reply) : std::nullopt;
        if (!counter) {
            // Unreachable: the counter has changed; waiting out the slice keeps a rescan from spinning.
            m_changes.reset();
            stop.Wait(sliceMs);
            return true;
        }
        return static_cast<std::uint64_t>(*counter) != seen;
    });
}

ControlResult RemoteSimBackend::RunCommand(const std::vector<std::string>& words)
{
    QStringList list;
    for (const std::string& word : words)
        list << QString::fromStdString(word);
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out << list;
    const auto reply = Ask(WireKind::Control, payload, WireKind::ControlReply);
    if (!reply)
        return {false, "q31-devsim did not answer"};
    QDataStream in(*reply);
    bool ok = false;
    QString text;
    in >> ok >> text;
    return {ok, text.toStdString()};
}

}  // namespace q31::sim
