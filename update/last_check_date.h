#pragma once
// The date of the last update check, in "updatetime.config" of the user's
// Q-31 folder: {"updatelasttime": {"value": "2026-3-9"}}.
#include <QString>

namespace q31::update {

QString LastCheckDateFile();
// The stored date; when none is stored, today's, which is then written.
QString ReadOrCreateLastCheckDate();
// Stores today's date ("%d-%d-%d": year, month, day) and returns it.
QString RecordLastCheckDate();

}  // namespace q31::update
