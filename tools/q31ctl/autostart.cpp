#include "tools/q31ctl/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

// Exec names the program as the menu entry does: the one on the PATH.
constexpr char kEntry[] =
    "[Desktop Entry]\n"
    "Type=Application\n"
    "Name=Q-31\n"
    "Comment=Starts Q-31 at login; \"q31ctl autostart off\" removes this entry\n"
    "Exec=q31\n"
    "Icon=q31\n"
    "Terminal=false\n";

int Fail(Console console, const QString& message)
{
    console.err << "q31ctl: " << message.toStdString() << '\n';
    return kExitFailure;
}

}  // namespace

QString AutostartEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/q31.desktop");
}

int SetAutostart(bool on, Console console)
{
    const QString path = AutostartEntryPath();
    if (!on) {
        QFile entry(path);
        if (entry.exists() && !entry.remove())
            return Fail(console, QStringLiteral("cannot remove %1: %2").arg(path, entry.errorString()));
        console.out << "Q-31 no longer starts at login\n";
        return kExitSuccess;
    }
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder))
        return Fail(console, QStringLiteral("cannot create the folder %1").arg(folder));
    QSaveFile entry(path);
    const qint64 size = sizeof kEntry - 1;
    if (!entry.open(QIODevice::WriteOnly) || entry.write(kEntry, size) != size || !entry.commit())
        return Fail(console, QStringLiteral("cannot write %1: %2").arg(path, entry.errorString()));
    console.out << "Q-31 starts at login: " << path.toStdString() << '\n';
    return kExitSuccess;
}

}  // namespace q31::ctl
