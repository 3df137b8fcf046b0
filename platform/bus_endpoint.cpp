#include "platform/bus_endpoint.h"

#include "platform/bus_frame.h"
#include "platform/bus_socket.h"
#include "platform/debug_log.h"

#include <QFile>
#include <QHash>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <mutex>
#include <sys/socket.h>
#include <unistd.h>

namespace q31::bus {
namespace {

struct LocalEndpoints {
    std::mutex mutex;
    QHash<QString, CBusEndpoint*> bySocket;
};

LocalEndpoints& Locals()
{
    static LocalEndpoints locals;
    return locals;
}

}  // namespace

struct CBusEndpoint::Connection {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    QByteArray buffer;

    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection()
    {
        // The notifier may be the one whose signal is running: delete it later.
        notifier->setEnabled(false);
        notifier.release()->deleteLater();
        close(fd);
    }
};

CBusEndpoint::CBusEndpoint(Handler handler, QObject* parent) : QObject(parent), m_handler(std::move(handler)) {}

CBusEndpoint::~CBusEndpoint()
{
    Close();
}

bool CBusEndpoint::Open(const QString& className, const QString& title)
{
    Close();
    m_file = EndpointFileFor(className, title);
    if (m_file.socketPath.isEmpty())
        return false;
    m_lockFd = TryLockFile(m_file.lockPath);
    if (m_lockFd < 0) {
        OutputDebugText(m_lockFd == kLockHeldElsewhere
                            ? QStringLiteral("window \"%1\" \"%2\" is already open in another process").arg(className, title)
                            : QStringLiteral("cannot lock %1").arg(m_file.lockPath));
        m_lockFd = -1;
        return false;
    }
    // Holding the lock proves that a socket still lying here is stale.
    const QByteArray socketPath = QFile::encodeName(m_file.socketPath);
    if (unlink(socketPath.constData()) == 0)
        OutputDebugText(QStringLiteral("replaced the stale socket %1").arg(m_file.socketPath));
    m_listenFd = ListenOn(socketPath);
    if (m_listenFd < 0) {
        UnlockFile(m_lockFd);
        m_lockFd = -1;
        return false;
    }
    m_acceptNotifier = std::make_unique<QSocketNotifier>(m_listenFd, QSocketNotifier::Read);
    connect(m_acceptNotifier.get(), &QSocketNotifier::activated, this, &CBusEndpoint::AcceptPending);
    std::lock_guard lock(Locals().mutex);
    Locals().bySocket.insert(m_file.socketPath, this);
    return true;
}

void CBusEndpoint::Close()
{
    if (m_listenFd < 0)
        return;
    {
        std::lock_guard lock(Locals().mutex);
        Locals().bySocket.remove(m_file.socketPath);
    }
    m_connections.clear();
    m_acceptNotifier.reset();
    close(m_listenFd);
    m_listenFd = -1;
    unlink(QFile::encodeName(m_file.socketPath).constData());
    UnlockFile(m_lockFd);
    m_lockFd = -1;
}

LRESULT CBusEndpoint::Deliver(const BusDelivery& delivery)
{
    return m_handler ? m_handler(delivery) : 0;
}

void CBusEndpoint::AcceptPending()
{
    for (;;) {
        const int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        if (!PeerIsThisUser(fd)) {
            OutputDebugText(QStringLiteral("refused a bus connection from another user"));
            close(fd);
            continue;
        }
        auto connection = std::make_unique<Connection>();
        connection->fd = fd;
        connection->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        Connection* raw = connection.get();
        connect(raw->notifier.get(), &QSocketNotifier::activated, this, [this, raw] { ReadFrom(raw); });
        m_connections.push_back(std::move(connection));
    }
}

void CBusEndpoint::ReadFrom(Connection* connection)
{
    const ReadOutcome outcome = ReadAvailable(connection->fd, connection->buffer,
                                              kFrameHeaderBytes + kMaxNameBytes + kMaxPayload);
    for (;;) {
        const DecodeResult decoded = DecodeFrame(connection->buffer);
        if (decoded.status == DecodeStatus::NeedMore)
            break;
        if (decoded.status == DecodeStatus::Malformed || decoded.frame.kind == FrameKind::Reply) {
            OutputDebugText(QStringLiteral("dropped a malformed bus frame: %1")
                                .arg(decoded.error.isEmpty() ? QStringLiteral("unexpected reply") : decoded.error));
            Drop(connection);
            return;
        }
        connection->buffer.remove(0, static_cast<qsizetype>(decoded.consumed));
        const BusFrame& frame = decoded.frame;
        BusDelivery delivery{frame.kind == FrameKind::CopyData, frame.message, frame.wParam, frame.lParam,
                             frame.dwData, frame.payload};
        // The handler may close or delete this endpoint, or run a nested event loop.
        QPointer<CBusEndpoint> self(this);
        connection->notifier->setEnabled(false);
        const LRESULT result = Deliver(delivery);
        if (!self || !Owns(connection))
            return;
        connection->notifier->setEnabled(true);
        if (frame.kind != FrameKind::Post) {
            BusFrame reply;
            reply.kind = FrameKind::Reply;
            reply.message = frame.message;
            reply.lParam = result;
            WriteAll(connection->fd, EncodeFrame(reply), kReplyWriteTimeoutMs);
        }
    }
    if (outcome == ReadOutcome::Closed || outcome == ReadOutcome::Overflow) {
        if (outcome == ReadOutcome::Overflow || !connection->buffer.isEmpty())
            OutputDebugText(QStringLiteral("dropped a truncated or oversized bus frame"));
        Drop(connection);
    }
}

bool CBusEndpoint::Owns(const Connection* connection) const
{
    return std::any_of(m_connections.begin(), m_connections.end(),
                       [connection](const auto& owned) { return owned.get() == connection; });
}

void CBusEndpoint::Drop(Connection* connection)
{
    std::erase_if(m_connections, [connection](const auto& owned) { return owned.get() == connection; });
}

CBusEndpoint* EndpointOnThisThread(const QString& socketPath)
{
    std::lock_guard lock(Locals().mutex);
    CBusEndpoint* endpoint = Locals().bySocket.value(socketPath);
    return endpoint && endpoint->thread() == QThread::currentThread() ? endpoint : nullptr;
}

}  // namespace q31::bus
