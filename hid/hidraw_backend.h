#pragma once
// The HID back end of Linux: hidraw nodes found through sysfs, opened as
// files, with a udev monitor telling when nodes come and go.
#include <functional>
#include <memory>
#include <string>

#include "hid/hid_backend.h"

namespace q31::hid {

struct HidrawEnvironment {
    std::string sysfsRoot = "/sys";
    std::string deviceFolder = "/dev";
    // Opens a device node for reading and writing: a descriptor, or -1 with errno set.
    std::function<int(const std::string& node)> openNode;
    // Without the monitor every ChangeCounter call reports a change.
    bool watchUdev = true;
};

std::shared_ptr<IHidBackend> MakeHidrawBackend(HidrawEnvironment environment = {});

}  // namespace q31::hid
