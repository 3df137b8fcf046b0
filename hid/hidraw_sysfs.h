#pragma once
// What sysfs tells about a hidraw node: the HID device behind it, its USB
// interface and its report descriptor.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hid/hid_backend.h"

namespace q31::hid {

struct HidrawNode {
    std::string name;       // "hidraw3"
    std::string hidDevice;  // "0003:3A9D:6B01.0007": new on every plug-in
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
    std::optional<int> interfaceNumber;  // absent when not on USB
    std::vector<std::uint8_t> reportDescriptor;
};

// Names of the hidraw nodes under <sysfsRoot>/class/hidraw, in number order.
std::vector<std::string> ListHidrawNodes(const std::string& sysfsRoot);
std::optional<HidrawNode> ReadHidrawNode(const std::string& sysfsRoot, const std::string& name);

// A hidraw path: <node>#vid_..&pid_..&mi_..&col..#<hid device>.
std::string MakeHidrawPath(const std::string& deviceFolder, const HidrawNode& node, int collection);
struct HidrawPathParts {
    std::string nodeName;
    std::string hidDevice;
};
std::optional<HidrawPathParts> SplitHidrawPath(const std::string& deviceFolder, const std::string& path);

// One entry per top-level collection of the node; none when its descriptor cannot be read.
std::vector<HidInterfaceInfo> InterfacesOf(const std::string& deviceFolder, const HidrawNode& node);

}  // namespace q31::hid
