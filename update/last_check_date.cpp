#include "update/last_check_date.h"

#include "platform/folders.h"
#include "profiles/json_file.h"

#include <QDate>

namespace q31::update {
namespace {

QString Today()
{
    const QDate today = QDate::currentDate();
    return QStringLiteral("%1-%2-%3").arg(today.year()).arg(today.month()).arg(today.day());
}

}  // namespace

QString LastCheckDateFile()
{
    EnsureFolder(UserDataRoot());
    return UserDataRoot() + QStringLiteral("/updatetime.config");
}

QString ReadOrCreateLastCheckDate()
{
    const Json::Value document = ParseJsonFile(LastCheckDateFile());
    if (document.isObject() && document["updatelasttime"].isObject() &&
        document["updatelasttime"]["value"].isString())
        return QString::fromStdString(document["updatelasttime"]["value"].asString());
    return RecordLastCheckDate();
}

QString RecordLastCheckDate()
{
    const QString path = LastCheckDateFile();
    Json::Value document = ParseJsonFile(path);
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    const QString today = Today();
    if (!document["updatelasttime"].isObject())
        document["updatelasttime"] = Json::Value(Json::objectValue);
    document["updatelasttime"]["value"] = today.toStdString();
    WriteJsonFile(path, document);
    return today;
}

}  // namespace q31::update
