#include "profiles/profile_id.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <mutex>

QString MakeTimestampId()
{
    static std::mutex mutex;
    static QDateTime last;
    const std::lock_guard lock(mutex);

    QDateTime now = QDateTime::currentDateTime();
    if (last.isValid() && now <= last)
        now = last.addMSecs(1);
    last = now;

    const QDate date = now.date();
    const QTime time = now.time();
    return QString::asprintf("%d_%02d_%02d_%02d_%02d_%02d_%03d", date.year(), date.month(), date.day(),
                             time.hour(), time.minute(), time.second(), time.msec());
}

namespace q31 {

QString MakeFreeProfileId(const QString& folder, const QSet<QString>& taken)
{
    QString id = MakeTimestampId();
    while (taken.contains(id) || QFileInfo::exists(QDir(folder).filePath(id + QStringLiteral(".Json"))))
        id = MakeTimestampId();
    return id;
}

}  // namespace q31
