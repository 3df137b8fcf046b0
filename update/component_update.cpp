#include "update/component_update.h"

#include "platform/debug_log.h"
#include "platform/folders.h"
#include "profiles/json_file.h"
#include "update/http_client.h"
#include "update/update_component.h"

#include <QDir>

#include <cstring>
#include <string>
#include <vector>

namespace q31::update {
namespace {

constexpr long kFirstSuccessStatus = 200;
constexpr long kLastSuccessStatus = 299;
constexpr int kMostFileNameBytes = 255;

// The answer's field as text (numbers as their decimal text); anything else empty.
QString TextOf(const Json::Value& answer, const char* key)
{
    const Json::Value& value = answer[key];
    if (value.isString() || value.isIntegral())
        return QString::fromStdString(value.asString());
    return {};
}

int IntegerOf(const Json::Value& answer, const char* key)
{
    const Json::Value& value = answer[key];
    return value.isInt() ? value.asInt() : 0;
}

// What a request that stored no body left in the buffer ("NO_LINK_SERVER"), up to its first zero.
QString TextInBuffer(const std::vector<std::uint8_t>& buffer)
{
    const auto end = std::find(buffer.begin(), buffer.end(), std::uint8_t{0});
    return QString::fromUtf8(reinterpret_cast<const char*>(buffer.data()), end - buffer.begin());
}

void ReadAnswer(const Json::Value& answer, bool hexVersions, std::uint32_t installedVersion, UpdateInfo& info)
{
    info.downloadPath = TextOf(answer, "path");
    info.name = TextOf(answer, "name");
    info.versionName = TextOf(answer, "version_name");
    info.deviceId = IntegerOf(answer, "device_id");
    const QString version = TextOf(answer, "version");
    info.availableVersionText = hexVersions ? QStringLiteral("V") + version : info.versionName;
    const std::uint32_t available = LeadingVersionNumber(version, hexVersions ? 16 : 10);
    info.state = installedVersion < available ? kStateNeedUpdate : kStateUpToDate;
}

}  // namespace

UpdateInfo CheckComponentUpdate(const QString& appKey, std::uint32_t installedVersion, bool hexVersions,
                                const UpdateService& service, const CStopEvent* stop)
{
    UpdateInfo info;
    info.installedVersionText = VersionText(hexVersions, installedVersion);
    const QByteArray body =
        QStringLiteral("app_key=%1&version=%2").arg(appKey).arg(installedVersion, 0, hexVersions ? 16 : 10).toUtf8();

    ResetHttpClientSettings();
    SetHttpTimeouts(service.timeouts);
    SetHttpExtraCaFile(service.extraCaFile);
    std::vector<std::uint8_t> response(kUpdateResponseCapacity, 0);
    const int stored = HttpRequest(QStringLiteral("POST"), UpdatesUrl(service),
                                   reinterpret_cast<const std::uint8_t*>(body.constData()),
                                   static_cast<std::size_t>(body.size()), response.data(), response.size(), stop);
    const long status = GetHttpLastStatus();
    if (stored <= 0)
        info.name = TextInBuffer(response);
    if (status < kFirstSuccessStatus || status > kLastSuccessStatus) {
        info.failed = true;
        info.error = status != 0 ? QStringLiteral("HTTP status %1").arg(status) : GetHttpLastErrorText();
        OutputDebugText(QStringLiteral("update check of %1 failed: %2").arg(appKey, info.error));
        return info;
    }
    // Read by the stored count: the body may hold zero bytes, and a full buffer has no end mark.
    const Json::Value answer = ParseJsonText(std::string(reinterpret_cast<const char*>(response.data()),
                                                         static_cast<std::size_t>(std::max(stored, 0))));
    if (answer.isObject())
        ReadAnswer(answer, hexVersions, installedVersion, info);
    return info;
}

QString LocalUpdateFile(const QString& name)
{
    const bool unsafe = name.isEmpty() || name.contains(QLatin1String("..")) || name.contains(QLatin1Char('/')) ||
                        name.contains(QLatin1Char('\\')) ||
                        std::any_of(name.begin(), name.end(), [](QChar c) {
                            return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
                        });
    const QString fileName = name + QStringLiteral(".exe");
    if (unsafe || fileName.toUtf8().size() > kMostFileNameBytes)
        return {};
    const QString folder = QDir::tempPath() + QStringLiteral("/UpdateData");
    EnsureFolder(folder);
    return folder + QLatin1Char('/') + fileName;
}

}  // namespace q31::update
