#pragma once
// The socket calls of the message bus: Unix-domain stream sockets between
// processes of the same user, with bounded waits.
#include <QByteArray>

#include <cstddef>

namespace q31::bus {

inline constexpr int kReplyWriteTimeoutMs = 1000;

// A non-blocking listening socket bound to the path, or -1 (logged).
int ListenOn(const QByteArray& path);
// A connected socket, or -1 when nothing listens there.
int ConnectTo(const QByteArray& path);
// True when the process at the other end runs as this user.
bool PeerIsThisUser(int fd);

enum class ReadOutcome { Open, Closed, Overflow };
// Appends what can be read now without blocking; Overflow when the buffer
// would grow past the limit.
ReadOutcome ReadAvailable(int fd, QByteArray& buffer, std::size_t limit);
// Reads until decodeComplete(buffer) says a whole frame is there, the peer
// closes, or the timeout passes (-1 waits without limit).
bool ReadUntil(int fd, QByteArray& buffer, std::size_t limit, int timeoutMs,
               bool (*decodeComplete)(const QByteArray&));
bool WriteAll(int fd, const QByteArray& bytes, int timeoutMs);

}  // namespace q31::bus
