#include "platform/folders.h"

#include "platform/debug_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace q31 {
namespace {

QString& ProgramDataOverride()
{
    static QString folder;
    return folder;
}

QString InstalledDataFolder()
{
    // <prefix>/bin/q31 reads <prefix>/share/q31; the configured prefix is the fallback.
    const QString besideProgram =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/q31"));
    if (QFileInfo(besideProgram + QStringLiteral("/DefaultData")).isDir())
        return QDir::cleanPath(besideProgram);
    return QStringLiteral(Q31_INSTALL_DATA_DIR);
}

}  // namespace

QString UserDataRoot()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/Q-31");
}

QString UserDataFolder(const QString& deviceFolderName)
{
    const QString folder = UserDataRoot() + QLatin1Char('/') + deviceFolderName;
    EnsureFolder(folder);
    return folder;
}

QString ProgramDataFolder()
{
    if (!ProgramDataOverride().isEmpty())
        return ProgramDataOverride();
    // A program built in the build tree (not installed) reads the source tree's data.
    const QString buildDir = QStringLiteral(Q31_BUILD_DIR);
    if (QCoreApplication::instance() &&
        QDir(QCoreApplication::applicationDirPath()).absolutePath().startsWith(buildDir))
        return QStringLiteral(Q31_SOURCE_DATA_DIR);
    return QCoreApplication::instance() ? InstalledDataFolder() : QStringLiteral(Q31_SOURCE_DATA_DIR);
}

QString DefaultDataFolder() { return ProgramDataFolder() + QStringLiteral("/DefaultData"); }
QString SkinFolder() { return ProgramDataFolder() + QStringLiteral("/skin"); }
QString FontFolder() { return ProgramDataFolder() + QStringLiteral("/Font"); }
QString SdkFolder()
{
    // Its libraries are built: a program reading the source tree's data finds them in the build tree.
    if (ProgramDataFolder() == QStringLiteral(Q31_SOURCE_DATA_DIR))
        return QStringLiteral(Q31_BUILD_DIR "/data/SDK");
    return ProgramDataFolder() + QStringLiteral("/SDK");
}

void SetProgramDataFolder(const QString& folder)
{
    ProgramDataOverride() = folder;
}

bool EnsureFolder(const QString& folder)
{
    if (QDir().mkpath(folder))
        return true;
    OutputDebugText(QStringLiteral("cannot create folder %1").arg(folder));
    return false;
}

}  // namespace q31
