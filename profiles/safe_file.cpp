#include "profiles/safe_file.h"

#include "platform/debug_log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace q31 {
namespace {

// Makes the rename itself durable, so a power cut right after a save does not
// bring the old document back.
void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString FreeBadName(const QString& path)
{
    QString candidate = path + QStringLiteral(".bad");
    for (int n = 1; QFileInfo::exists(candidate); ++n)
        candidate = path + QStringLiteral(".bad.%1").arg(n);
    return candidate;
}

}  // namespace

bool WriteFileSafely(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered: a short write (full disk, size limit) shows in write()'s count;
    // a buffered flush would lose it and the commit would rename a cut file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        OutputDebugText(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        OutputDebugText(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        file.cancelWriting();
        return false;
    }
    // commit() flushes the temporary file to disk before it renames it over the old one.
    if (!file.commit()) {
        OutputDebugText(QStringLiteral("cannot save %1: %2").arg(path, file.errorString()));
        return false;
    }
    SyncFolder(QFileInfo(path).absolutePath());
    return true;
}

bool KeepUnreadableFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString keptAs = FreeBadName(path);
    if (!QFile::rename(path, keptAs)) {
        OutputDebugText(QStringLiteral("cannot keep unreadable %1 as %2").arg(path, keptAs));
        return false;
    }
    OutputDebugText(QStringLiteral("unreadable %1 kept as %2").arg(path, keptAs));
    return true;
}

bool KeepCopyOfFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString keptAs = FreeBadName(path);
    if (!QFile::copy(path, keptAs)) {
        OutputDebugText(QStringLiteral("cannot keep a copy of %1 as %2").arg(path, keptAs));
        return false;
    }
    OutputDebugText(QStringLiteral("%1 kept as %2 before its repair").arg(path, keptAs));
    return true;
}

}  // namespace q31
