#include "platform/bus_names.h"

#include "platform/runtime_folder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace q31::bus {
namespace {

const QString kSocketSuffix = QStringLiteral(".sock");
const QByteArray kUnescaped = "-_.";

// Names become file names: everything but letters, digits and "-_." is
// percent-encoded, so "@" always separates class from title.
QString Escape(const QString& name)
{
    return QString::fromLatin1(name.toUtf8().toPercentEncoding(kUnescaped));
}

QString Unescape(const QString& text)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toLatin1()));
}

}  // namespace

EndpointFile EndpointFileFor(const QString& className, const QString& title)
{
    const QString folder = RuntimeFolder();
    if (folder.isEmpty())
        return {className, title, {}, {}};
    const QString base = folder + QLatin1Char('/') + Escape(className) + QLatin1Char('@') + Escape(title);
    return {className, title, base + kSocketSuffix, base + QStringLiteral(".lock")};
}

QString MutexPath(const QString& name)
{
    const QString folder = RuntimeFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + Escape(name) + QStringLiteral(".mutex");
}

std::vector<EndpointFile> ListEndpoints()
{
    std::vector<EndpointFile> endpoints;
    const QString folder = RuntimeFolder();
    if (folder.isEmpty())
        return endpoints;
    const QStringList sockets = QDir(folder).entryList({QLatin1Char('*') + kSocketSuffix}, QDir::System);
    for (const QString& file : sockets) {
        const QString base = file.chopped(kSocketSuffix.size());
        const qsizetype at = base.indexOf(QLatin1Char('@'));
        if (at < 0)
            continue;
        endpoints.push_back(EndpointFileFor(Unescape(base.left(at)), Unescape(base.mid(at + 1))));
    }
    return endpoints;
}

int TryLockFile(const QString& path)
{
    const int fd = open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0)
        return fd;
    const bool held = errno == EWOULDBLOCK;
    close(fd);
    return held ? kLockHeldElsewhere : -1;
}

void UnlockFile(int fd)
{
    if (fd >= 0)
        close(fd);  // closing the descriptor releases the lock
}

}  // namespace q31::bus
