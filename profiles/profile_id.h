#pragma once
// Profile ids: the local time, "%d_%02d_%02d_%02d_%02d_%02d_%03d"
// (2024_03_05_14_07_09_042).
#include <QSet>
#include <QString>

// A new id; never the same as an id made earlier by this process, even within
// the same millisecond or when the clock goes back.
QString MakeTimestampId();

namespace q31 {

// A new id whose document (id + ".Json") does not exist yet in the folder and
// which is none of the taken ones.
QString MakeFreeProfileId(const QString& folder, const QSet<QString>& taken = {});

}  // namespace q31
