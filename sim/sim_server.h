#pragma once
// The serving side of q31-devsim: holds a simulated bus and offers it on a
// Unix socket of the per-user runtime folder to any process of this user.
#include "sim/sim_hub.h"

#include <QString>

#include <atomic>
#include <list>
#include <memory>
#include <mutex>

class CStopEvent;

namespace q31::sim {

class DevsimServer {
public:
    explicit DevsimServer(std::shared_ptr<SimHub> hub);
    ~DevsimServer();
    DevsimServer(const DevsimServer&) = delete;
    DevsimServer& operator=(const DevsimServer&) = delete;

    // False (with the reason) when another q31-devsim already answers at the
    // path or the socket cannot be made. A stale socket file is replaced.
    bool Listen(const QString& path, QString* error);
    // Serves clients until stop is set or a client asks the server to stop;
    // then ends every client and removes the socket.
    void Serve(const CStopEvent& stop);

private:
    struct Client;
    void ServeClient(Client& client);
    void ReapFinishedClients();
    void StopListening();

    std::shared_ptr<SimHub> m_hub;
    QString m_path;
    int m_listenFd = -1;
    std::atomic<bool> m_stopRequested{false};
    std::mutex m_clientsMutex;
    std::list<std::unique_ptr<Client>> m_clients;
};

}  // namespace q31::sim
