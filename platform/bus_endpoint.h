#pragma once
// A named window on the message bus: other processes (and other threads of
// this one) find it by class and title, and send, post or copy data to it.
// Everything it receives is handled on the thread that owns it.
#include "platform/bus_names.h"
#include "platform/win_types.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace q31::bus {

struct BusDelivery {
    bool isCopyData = false;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::uint64_t dwData = 0;  // COPYDATA only
    QByteArray data;           // COPYDATA only
};

class CBusEndpoint : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<LRESULT(const BusDelivery&)>;

    explicit CBusEndpoint(Handler handler, QObject* parent = nullptr);
    ~CBusEndpoint() override;

    // False (with a log line) when the name is owned by a live process or the
    // socket cannot be made. A socket left by a crashed owner is replaced.
    bool Open(const QString& className, const QString& title);
    void Close();
    bool IsOpen() const { return m_listenFd >= 0; }
    const EndpointFile& File() const { return m_file; }

    // Hands a delivery to the handler; only on the owning thread.
    LRESULT Deliver(const BusDelivery& delivery);

private:
    struct Connection;
    void AcceptPending();
    void ReadFrom(Connection* connection);
    void Drop(Connection* connection);
    bool Owns(const Connection* connection) const;

    Handler m_handler;
    EndpointFile m_file;
    int m_listenFd = -1;
    int m_lockFd = -1;
    std::unique_ptr<QSocketNotifier> m_acceptNotifier;
    std::vector<std::unique_ptr<Connection>> m_connections;
};

// The endpoint of this process that owns the socket, when it lives on the
// calling thread; a synchronous send to it must not go through the socket.
CBusEndpoint* EndpointOnThisThread(const QString& socketPath);

}  // namespace q31::bus
