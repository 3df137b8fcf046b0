#include "update/update_service.h"

#include <QSettings>

namespace q31::update {

UpdateService ReadUpdateService()
{
    // The file the language choice lives in.
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Q-31"),
                             QStringLiteral("Q-31"));
    UpdateService service;
    const QString address = settings.value(QStringLiteral("UpdateServiceUrl")).toString().trimmed();
    if (!address.isEmpty())
        service.address = address;
    service.extraCaFile = settings.value(QStringLiteral("UpdateCaFile")).toString().trimmed();
    return service;
}

QString UpdatesUrl(const UpdateService& service)
{
    QString address = service.address;
    while (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    return address + QStringLiteral("/api/updates");
}

}  // namespace q31::update
