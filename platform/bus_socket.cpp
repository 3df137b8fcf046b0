#include "platform/bus_socket.h"

#include "platform/debug_log.h"

#include <QString>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace q31::bus {
namespace {

bool MakeAddress(const QByteArray& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(path.size()) >= sizeof address.sun_path) {
        OutputDebugText(QStringLiteral("socket path too long: %1").arg(QString::fromLocal8Bit(path)));
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

// Milliseconds left of a wait that started at `start`; -1 for no limit.
int Remaining(std::chrono::steady_clock::time_point start, int timeoutMs)
{
    if (timeoutMs < 0)
        return -1;
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return std::max(0, timeoutMs - static_cast<int>(spent.count()));
}

bool WaitFor(int fd, short events, int timeoutMs)
{
    pollfd entry{fd, events, 0};
    int ready;
    do
        ready = poll(&entry, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

}  // namespace

int ListenOn(const QByteArray& path)
{
    sockaddr_un address;
    if (!MakeAddress(path, address))
        return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 32) != 0) {
        OutputDebugText(QStringLiteral("cannot listen on %1: %2")
                            .arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(strerror(errno))));
        close(fd);
        return -1;
    }
    return fd;
}

int ConnectTo(const QByteArray& path)
{
    sockaddr_un address;
    if (!MakeAddress(path, address))
        return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool PeerIsThisUser(int fd)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0 && credentials.uid == getuid();
}

ReadOutcome ReadAvailable(int fd, QByteArray& buffer, std::size_t limit)
{
    char chunk[4096];
    for (;;) {
        const ssize_t got = recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got == 0)
            return ReadOutcome::Closed;
        if (got < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? ReadOutcome::Open : ReadOutcome::Closed;
        if (static_cast<std::size_t>(buffer.size()) + static_cast<std::size_t>(got) > limit)
            return ReadOutcome::Overflow;
        buffer.append(chunk, got);
    }
}

bool ReadUntil(int fd, QByteArray& buffer, std::size_t limit, int timeoutMs,
               bool (*decodeComplete)(const QByteArray&))
{
    const auto start = std::chrono::steady_clock::now();
    while (!decodeComplete(buffer)) {
        if (!WaitFor(fd, POLLIN, Remaining(start, timeoutMs)))
            return false;
        if (ReadAvailable(fd, buffer, limit) != ReadOutcome::Open && !decodeComplete(buffer))
            return false;
    }
    return true;
}

bool WriteAll(int fd, const QByteArray& bytes, int timeoutMs)
{
    const auto start = std::chrono::steady_clock::now();
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t put = send(fd, bytes.constData() + written, static_cast<std::size_t>(bytes.size() - written),
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (put > 0) {
            written += put;
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (!WaitFor(fd, POLLOUT, Remaining(start, timeoutMs)))
            return false;
    }
    return true;
}

}  // namespace q31::bus
