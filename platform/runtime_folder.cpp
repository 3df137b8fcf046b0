#include "platform/runtime_folder.h"

#include "platform/debug_log.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace q31 {
namespace {

// Creates the folder (mode 0700) or accepts an existing one only when it is a
// real folder owned by this user and closed to everyone else.
bool MakePrivateFolder(const QByteArray& path)
{
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        OutputDebugText(QStringLiteral("cannot create %1: %2")
                            .arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(strerror(errno))));
        return false;
    }
    struct stat info {};
    if (lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid()) {
        OutputDebugText(QStringLiteral("%1 is not a folder of this user; refusing to use it")
                            .arg(QString::fromLocal8Bit(path)));
        return false;
    }
    if ((info.st_mode & 0077) != 0 && chmod(path.constData(), 0700) != 0)
        return false;
    return true;
}

}  // namespace

QString RuntimeFolder()
{
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString folder;
    if (base.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/q31-%1").arg(getuid());
    else
        folder = base + QStringLiteral("/q31");
    return MakePrivateFolder(QFile::encodeName(folder)) ? folder : QString();
}

}  // namespace q31
