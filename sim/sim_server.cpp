#include "sim/sim_server.h"

#include "platform/bus_socket.h"
#include "platform/debug_log.h"
#include "platform/stop_event.h"
#include "sim/sim_control.h"
#include "sim/sim_wire.h"

#include <QDataStream>
#include <QFile>
#include <QIODevice>
#include <QStringList>

#include <algorithm>

#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace q31::sim {
namespace {

constexpr int kAcceptPollMs = 50;
constexpr std::size_t kLongestInputReport = 256;
constexpr qint64 kLongestChangeWaitMs = 1000;

std::vector<std::string> WordsOf(const QByteArray& payload)
{
    QDataStream in(payload);
    QStringList words;
    in >> words;
    std::vector<std::string> result;
    for (const QString& word : words)
        result.push_back(word.toStdString());
    return result;
}

QByteArray ControlReplyOf(const ControlResult& result)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << result.ok << QString::fromStdString(result.text);
    return bytes;
}

}  // namespace

struct DevsimServer::Client {
    explicit Client(int fd) : socket(fd) {}

    bool Send(WireKind kind, const QByteArray& payload)
    {
        std::lock_guard lock(sendMutex);
        return socket.Send(kind, payload);
    }

    WireSocket socket;
    std::mutex sendMutex;
    std::thread thread;
    std::atomic<bool> finished{false};
};

DevsimServer::DevsimServer(std::shared_ptr<SimHub> hub) : m_hub(std::move(hub))
{
}

DevsimServer::~DevsimServer()
{
    StopListening();
}

void DevsimServer::StopListening()
{
    if (m_listenFd < 0)
        return;
    close(m_listenFd);
    m_listenFd = -1;
    QFile::remove(m_path);
}

bool DevsimServer::Listen(const QString& path, QString* error)
{
    if (path.isEmpty()) {
        *error = QStringLiteral("there is no private runtime folder for the socket");
        return false;
    }
    if (WireSocket::Connect(path)) {
        *error = QStringLiteral("q31-devsim is already running (%1)").arg(path);
        return false;
    }
    QFile::remove(path);
    m_listenFd = bus::ListenOn(QFile::encodeName(path));
    if (m_listenFd < 0) {
        *error = QStringLiteral("cannot listen on %1").arg(path);
        return false;
    }
    m_path = path;
    return true;
}

void DevsimServer::Serve(const CStopEvent& stop)
{
    while (!stop.IsSet() && !m_stopRequested) {
        pollfd entry{m_listenFd, POLLIN, 0};
        if (poll(&entry, 1, kAcceptPollMs) > 0) {
            const int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0 && !bus::PeerIsThisUser(fd)) {
                close(fd);
            } else if (fd >= 0) {
                std::lock_guard lock(m_clientsMutex);
                auto& client = m_clients.emplace_back(std::make_unique<Client>(fd));
                client->thread = std::thread([this, raw = client.get()] { ServeClient(*raw); });
            }
        }
        ReapFinishedClients();
    }
    StopListening();
    std::lock_guard lock(m_clientsMutex);
    for (auto& client : m_clients)
        client->socket.Shutdown();
    for (auto& client : m_clients)
        client->thread.join();
    m_clients.clear();
}

void DevsimServer::ReapFinishedClients()
{
    std::lock_guard lock(m_clientsMutex);
    for (auto client = m_clients.begin(); client != m_clients.end();) {
        if ((*client)->finished) {
            (*client)->thread.join();
            client = m_clients.erase(client);
        } else {
            ++client;
        }
    }
}

void DevsimServer::ServeClient(Client& client)
{
    std::unique_ptr<hid::IHidConnection> connection;
    std::thread pump;
    while (const auto frame = client.socket.Receive(-1)) {
        switch (frame->kind) {
        case WireKind::Enumerate:
            client.Send(WireKind::Interfaces, EncodeInterfaces(m_hub->Enumerate()));
            break;
        case WireKind::Counter:
            client.Send(WireKind::CounterValue, EncodeNumber(static_cast<std::int64_t>(m_hub->ChangeCounter())));
            break;
        case WireKind::WaitChange: {
            QDataStream in(frame->payload);
            qint64 seen = 0;
            qint64 waitMs = 0;
            in >> seen >> waitMs;
            // Bounded, so a stopping server never waits long on this client.
            if (in.status() == QDataStream::Ok) {
                m_hub->WaitForChange(static_cast<std::uint64_t>(seen),
                                     static_cast<int>(std::clamp<qint64>(waitMs, 0, kLongestChangeWaitMs)));
            }
            client.Send(WireKind::CounterValue, EncodeNumber(static_cast<std::int64_t>(m_hub->ChangeCounter())));
            break;
        }
        case WireKind::Control: {
            const std::vector<std::string> words = WordsOf(frame->payload);
            ControlResult result;
            if (words.size() == 1 && words[0] == "stop") {
                result = {true, "stopping"};
                m_stopRequested = true;
            } else {
                result = RunControlCommand(*m_hub, words);
            }
            client.Send(WireKind::ControlReply, ControlReplyOf(result));
            break;
        }
        case WireKind::Open: {
            hid::OpenError error = hid::OpenError::Other;
            if (!connection)
                connection = m_hub->Open(frame->payload.toStdString(), error);
            const bool opened = connection && error == hid::OpenError::None;
            QByteArray reply = EncodeNumber(static_cast<std::int64_t>(error));
            if (opened)
                reply += EncodeInterface(connection->Info());
            client.Send(WireKind::Opened, reply);
            if (opened && !pump.joinable()) {
                // Input reports go out as they arrive; an unplugged device ends the socket.
                pump = std::thread([&client, &connection] {
                    std::uint8_t report[kLongestInputReport];
                    for (;;) {
                        const int length = connection->Read(report, sizeof report, -1);
                        if (length < 0 ||
                            !client.Send(WireKind::Input, QByteArray(reinterpret_cast<const char*>(report), length)))
                            break;
                    }
                    client.socket.Shutdown();
                });
            }
            break;
        }
        case WireKind::Write: {
            const int written = connection ? connection->Write(reinterpret_cast<const std::uint8_t*>(frame->payload.constData()),
                                                               static_cast<std::size_t>(frame->payload.size()), 1000)
                                           : -1;
            client.Send(WireKind::Written, EncodeNumber(written));
            break;
        }
        default:
            OutputDebugText(QStringLiteral("q31-devsim: unexpected frame %1").arg(static_cast<int>(frame->kind)));
            client.socket.Shutdown();
            break;
        }
    }
    if (connection)
        connection->Abort();
    if (pump.joinable())
        pump.join();
    client.finished = true;
}

}  // namespace q31::sim
