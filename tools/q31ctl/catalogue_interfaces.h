#pragma once
// The present HID interfaces that belong to the supported devices, found the
// way discovery finds them, and opening one of them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hid/hid_catalogue.h"

class CDeviceLink;
class CHidDevice;

namespace q31::ctl {

struct CatalogueInterface {
    int row = -1;  // index in kHidInterfaceTable
    std::string path;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    bool readable = true;  // false: it could not be opened, so its usages are unknown
    const HidInterfaceEntry& Entry() const { return kHidInterfaceTable[static_cast<std::size_t>(row)]; }
};

// In enumeration order; each interface is matched against the whole catalogue.
std::vector<CatalogueInterface> FindCatalogueInterfaces();

// The interface to use for this device type (any supported device when none
// is given) on this channel, and at this path unless it is empty: the first
// in catalogue order.
std::optional<CatalogueInterface> ChooseInterface(const std::vector<CatalogueInterface>& found,
                                                  std::optional<std::uint16_t> deviceType, const std::string& path,
                                                  std::uint16_t channel);

enum class OpenOutcome { Opened, PermissionDenied, Failed };
// Opens the command interface into the link as discovery does.
OpenOutcome OpenCommandLink(CDeviceLink& link, const CatalogueInterface& chosen);
// Opens a notification interface for reading.
OpenOutcome OpenNotificationInterface(CHidDevice& device, const CatalogueInterface& chosen);

}  // namespace q31::ctl
