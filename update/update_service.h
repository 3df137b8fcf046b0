#pragma once
// Where the update check asks, and how: the service address and an extra
// certificate authority from Q-31's settings file, and the time limits.
#include <QString>

#include "update/http_client.h"

namespace q31::update {

// The maker's service address is not published: until a package or the user
// names it, the default is a reserved name that resolves nowhere, so nothing
// about the user's devices goes to a guessed host.
inline constexpr char kDefaultUpdateService[] = "https://updates.q31.invalid";

struct UpdateService {
    QString address = QString::fromLatin1(kDefaultUpdateService);  // scheme, host and port
    QString extraCaFile;
    HttpTimeouts timeouts;
};

// "UpdateServiceUrl" and "UpdateCaFile" of ~/.config/Q-31/Q-31.conf; the
// HTTPS default when no address is set there. Plain HTTP only when named there.
UpdateService ReadUpdateService();

// The address followed by "/api/updates".
QString UpdatesUrl(const UpdateService& service);

}  // namespace q31::update
