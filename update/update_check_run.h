#pragma once
// One update check: a list line per listed component, every component asked
// in turn, the lines updated with the answers, and the overall status.
#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "update/component_update.h"
#include "update/update_component.h"
#include "update/update_service.h"

class CStopEvent;

namespace q31::update {

// Overall status of the update list.
enum OverallStatus {
    kStatusChecking = 0,
    kStatusHaveUpdate = 1,
    kStatusNoUpdateInfo = 2,  // every component failed
    kStatusUpdating = 3,
    kStatusLatest = 4,        // shown with the last check date
};

struct UpdateListLine {
    QString name;
    QString installedVersionText;
    QString availableVersionText;  // empty while the line is up to date
    int state = kStateUpToDate;
    QString downloadPath;
    QString localFile;             // empty when the answer's name gives no safe file name
    bool selected = false;         // offered for update, checked
};

struct UpdateCheckResult {
    int status = kStatusChecking;
    QString lastCheckDate;
};

// Called on the thread that runs the check.
struct UpdateCheckObserver {
    std::function<void(const std::vector<UpdateListLine>&)> linesAdded;
    std::function<void(std::size_t index, const UpdateListLine&)> lineUpdated;
    std::function<void(const UpdateCheckResult&)> finished;
};

// Asks about every component in order; nullopt (and no finished call) when
// stop was set before the last answer.
std::optional<UpdateCheckResult> RunUpdateCheck(const std::vector<UpdateComponent>& components,
                                                const UpdateService& service, const CStopEvent& stop,
                                                const UpdateCheckObserver& observer);

}  // namespace q31::update
