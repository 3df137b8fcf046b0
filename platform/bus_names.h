#pragma once
// File names of the message bus: one socket and one lock file per named
// window ("<class>@<title>.sock", ".lock"), and one lock file per named mutex.
#include <QString>

#include <vector>

namespace q31::bus {

struct EndpointFile {
    QString className;
    QString title;
    QString socketPath;
    QString lockPath;
};

// Empty paths when the runtime folder cannot be used.
EndpointFile EndpointFileFor(const QString& className, const QString& title);
QString MutexPath(const QString& name);
// Every endpoint that has a socket in the runtime folder, live or stale.
std::vector<EndpointFile> ListEndpoints();

inline constexpr int kLockHeldElsewhere = -2;
// Opens (creating) and locks the file without waiting: a descriptor that holds
// the lock, kLockHeldElsewhere, or -1 on error.
int TryLockFile(const QString& path);
void UnlockFile(int fd);

}  // namespace q31::bus
