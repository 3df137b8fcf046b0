#include "update/update_check_run.h"

#include "platform/stop_event.h"
#include "update/component_update.h"
#include "update/last_check_date.h"

#include <algorithm>

namespace q31::update {
namespace {

UpdateListLine FirstLine(const UpdateComponent& component)
{
    UpdateListLine line;
    line.name = component.displayName;
    line.installedVersionText = component.fixedVersionText.isEmpty()
                                    ? VersionText(component.HexVersions(), component.version)
                                    : component.fixedVersionText;
    line.state = kStateUpToDate;
    return line;
}

bool OffersUpdate(const UpdateListLine& line)
{
    return line.state != kStateUpToDate && line.state != kStateNoUpdate;
}

}  // namespace

std::optional<UpdateCheckResult> RunUpdateCheck(const std::vector<UpdateComponent>& components,
                                                const UpdateService& service, const CStopEvent& stop,
                                                const UpdateCheckObserver& observer)
{
    std::vector<UpdateListLine> lines;
    for (const UpdateComponent& component : components)
        lines.push_back(FirstLine(component));
    if (observer.linesAdded)
        observer.linesAdded(lines);

    std::size_t failures = 0;
    for (std::size_t index = 0; index < components.size(); ++index) {
        const UpdateComponent& component = components[index];
        UpdateInfo info =
            CheckComponentUpdate(BuildAppKey(component), component.version, component.HexVersions(), service, &stop);
        if (stop.IsSet())
            return std::nullopt;
        if (info.failed) {
            ++failures;
            info.name.clear();
        }
        if (info.name.isEmpty())
            continue;  // the line keeps its first texts and state
        UpdateListLine& line = lines[index];
        // The installed version keeps its first text: the same digits as the
        // answer's for firmware, and people's form for the application.
        line.name = component.displayName;
        line.availableVersionText = info.state == kStateUpToDate ? QString() : info.availableVersionText;
        line.state = info.state;
        line.downloadPath = info.downloadPath;
        line.localFile = LocalUpdateFile(info.name);
        line.selected = OffersUpdate(line);
        RecordLastCheckDate();
        if (observer.lineUpdated)
            observer.lineUpdated(index, line);
    }

    UpdateCheckResult result;
    result.lastCheckDate = ReadOrCreateLastCheckDate();
    if (std::any_of(lines.begin(), lines.end(), OffersUpdate))
        result.status = kStatusHaveUpdate;
    else if (!components.empty() && failures == components.size())
        result.status = kStatusNoUpdateInfo;
    else
        result.status = kStatusLatest;
    if (observer.finished)
        observer.finished(result);
    return result;
}

}  // namespace q31::update
