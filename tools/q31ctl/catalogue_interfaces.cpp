#include "tools/q31ctl/catalogue_interfaces.h"

#include <algorithm>

#include "hid/device_slots.h"
#include "hid/hid_device.h"
#include "hid/hid_path.h"
#include "protocol/device_link.h"
#include "protocol/link_attach.h"

namespace q31::ctl {
namespace {

HidInterfaceEntry ProbeOf(const std::string& path)
{
    HidInterfaceEntry probe{};
    probe.vendorId = static_cast<std::uint16_t>(ParseVid(path));
    probe.productId = static_cast<std::uint16_t>(ParsePid(path));
    probe.interfaceNumber = static_cast<std::uint16_t>(ParseInterface(path));
    probe.collection = static_cast<std::uint16_t>(ParseCollection(path));
    probe.devicePath = path;
    return probe;
}

// The catalogue row of an interface whose usages could not be read.
int RowOf(const HidInterfaceEntry& probe)
{
    const auto row = std::find_if(kHidInterfaceTable.begin(), kHidInterfaceTable.end(), [&](const auto& entry) {
        return entry.vendorId == probe.vendorId && entry.productId == probe.productId &&
               entry.interfaceNumber == probe.interfaceNumber && entry.collection == probe.collection;
    });
    return static_cast<int>(row - kHidInterfaceTable.begin());
}

// Why the interface did not open: CHidDevice only says that it did not.
OpenOutcome FailureOf(const std::string& path)
{
    hid::OpenError error = hid::OpenError::None;
    const auto connection = hid::CurrentHidBackend().Open(path, error);
    return error == hid::OpenError::PermissionDenied ? OpenOutcome::PermissionDenied : OpenOutcome::Failed;
}

}  // namespace

std::vector<CatalogueInterface> FindCatalogueInterfaces()
{
    std::vector<CatalogueInterface> found;
    CHidDevice probeDevice;
    if (!probeDevice.EnumeratePaths())
        return found;
    while (const std::string* path = probeDevice.NextPath()) {
        HidInterfaceEntry probe = ProbeOf(*path);
        // Fresh slots for every interface: a second device of the same kind is listed too.
        std::vector<HidInterfaceEntry> slots = MakeSlots();
        if (!IsCandidate(probe, slots))
            continue;
        CHidDevice reader;
        if (!reader.Open(*path, true, false, true, false)) {
            // Kept, so that using it names the reason instead of finding no device.
            found.push_back({RowOf(probe), *path, 0, 0, false});
            continue;
        }
        probe.vendorId = reader.Attributes().vendorId;
        probe.productId = reader.Attributes().productId;
        probe.usagePage = reader.Caps().usagePage;
        probe.usage = reader.Caps().usage;
        int row = -1;
        if (ClaimSlot(probe, slots, row))
            found.push_back({row, *path, probe.usagePage, probe.usage, true});
    }
    return found;
}

std::optional<CatalogueInterface> ChooseInterface(const std::vector<CatalogueInterface>& found,
                                                  std::optional<std::uint16_t> deviceType, const std::string& path,
                                                  std::uint16_t channel)
{
    std::optional<CatalogueInterface> chosen;
    for (const CatalogueInterface& candidate : found) {
        const HidInterfaceEntry& entry = candidate.Entry();
        if (entry.channel != channel || (deviceType && entry.type != *deviceType) ||
            (!path.empty() && candidate.path != path))
            continue;
        if (!chosen || candidate.row < chosen->row)
            chosen = candidate;
    }
    return chosen;
}

OpenOutcome OpenCommandLink(CDeviceLink& link, const CatalogueInterface& chosen)
{
    if (AttachCommandInterface(link, chosen.path, chosen.Entry().type))
        return OpenOutcome::Opened;
    return FailureOf(chosen.path);
}

OpenOutcome OpenNotificationInterface(CHidDevice& device, const CatalogueInterface& chosen)
{
    if (device.Open(chosen.path, true, true, true, false))
        return OpenOutcome::Opened;
    return FailureOf(chosen.path);
}

}  // namespace q31::ctl
