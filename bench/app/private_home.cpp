#include "bench/app/private_home.h"

#include <QDir>
#include <QFile>

namespace q31::bench {

CPrivateHome::CPrivateHome()
{
    for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = m_folder.path() + QLatin1Char('/') + QLatin1String(variable);
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv(variable, folder.toUtf8());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace q31::bench
