#pragma once
// One question to the update service: is there a newer version of this component?
#include <QString>

#include <cstddef>
#include <cstdint>

#include "update/update_service.h"

class CStopEvent;

namespace q31::update {

// List line states (the settings window names them all).
enum UpdateState {
    kStateNoUpdate = 0,
    kStateNeedUpdate = 1,
    kStateNeedUpdateToo = 2,
    kStateDownloadWait = 3,
    kStateDownloading = 4,
    kStateDownloaded = 5,
    kStateUpdating = 6,
    kStateUpToDate = 7,
    kStateUpdateFailed = 8,
};

inline constexpr std::size_t kUpdateResponseCapacity = 102400;

struct UpdateInfo {
    int state = kStateUpToDate;
    int deviceId = 0;
    QString name;                  // the answer's; the error text when nothing could be sent
    QString installedVersionText;
    QString availableVersionText;
    QString versionName;
    QString downloadPath;
    // No usable answer: nothing sent, no response, or an HTTP status outside 2xx.
    bool failed = false;
    QString error;                 // why, when failed
};

// Resets the HTTP client, applies the service's time limits and authority and
// asks. A failed request's body is never read as an answer.
UpdateInfo CheckComponentUpdate(const QString& appKey, std::uint32_t installedVersion, bool hexVersions,
                                const UpdateService& service, const CStopEvent* stop = nullptr);

// The "UpdateData" folder of the temporary folder (created) + name + ".exe";
// empty when the name could leave that folder or is no plain file name
// ("/", "\", "..", control characters, empty, too long).
QString LocalUpdateFile(const QString& name);

}  // namespace q31::update
