#include "hid/hidraw_sysfs.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "hid/report_descriptor.h"
#include "platform/debug_log.h"

namespace q31::hid {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHidrawPrefix = "hidraw";

std::optional<std::string> ReadText(const fs::path& file)
{
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::optional<unsigned> ReadHexFile(const fs::path& file)
{
    const auto text = ReadText(file);
    unsigned value = 0;
    if (!text || std::sscanf(text->c_str(), "%x", &value) != 1)
        return std::nullopt;
    return value;
}

// HID_ID=0003:00003A9D:00006B01 in the HID device's uevent.
bool ReadHidId(const fs::path& hidDir, HidrawNode& node)
{
    const auto uevent = ReadText(hidDir / "uevent");
    if (!uevent)
        return false;
    std::istringstream lines(*uevent);
    for (std::string line; std::getline(lines, line);) {
        unsigned bus = 0, vendor = 0, product = 0;
        if (std::sscanf(line.c_str(), "HID_ID=%x:%x:%x", &bus, &vendor, &product) == 3) {
            node.vendorId = static_cast<std::uint16_t>(vendor);
            node.productId = static_cast<std::uint16_t>(product);
            return true;
        }
    }
    return false;
}

int NodeNumber(const std::string& name)
{
    return std::atoi(name.c_str() + kHidrawPrefix.size());
}

}  // namespace

std::vector<std::string> ListHidrawNodes(const std::string& sysfsRoot)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(sysfsRoot) / "class" / "hidraw", error)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with(kHidrawPrefix))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NodeNumber(a) < NodeNumber(b); });
    return names;
}

std::optional<HidrawNode> ReadHidrawNode(const std::string& sysfsRoot, const std::string& name)
{
    if (!name.starts_with(kHidrawPrefix) || name.find('/') != std::string::npos)
        return std::nullopt;
    std::error_code error;
    const fs::path hidDir = fs::canonical(fs::path(sysfsRoot) / "class" / "hidraw" / name / "device", error);
    if (error)
        return std::nullopt;
    HidrawNode node;
    node.name = name;
    node.hidDevice = hidDir.filename().string();
    if (!ReadHidId(hidDir, node))
        return std::nullopt;
    const auto descriptor = ReadText(hidDir / "report_descriptor");
    if (!descriptor)
        return std::nullopt;
    node.reportDescriptor.assign(descriptor->begin(), descriptor->end());
    // On USB the HID device sits under its interface, which sits under the USB device.
    const fs::path usbInterface = hidDir.parent_path();
    if (const auto number = ReadHexFile(usbInterface / "bInterfaceNumber")) {
        node.interfaceNumber = static_cast<int>(*number);
        node.versionNumber = static_cast<std::uint16_t>(ReadHexFile(usbInterface.parent_path() / "bcdDevice").value_or(0));
    }
    return node;
}

std::string MakeHidrawPath(const std::string& deviceFolder, const HidrawNode& node, int collection)
{
    char ids[64];
    std::snprintf(ids, sizeof ids, "vid_%04x&pid_%04x", node.vendorId, node.productId);
    std::string path = deviceFolder + "/" + node.name + "#" + ids;
    if (node.interfaceNumber) {
        std::snprintf(ids, sizeof ids, "&mi_%02x", *node.interfaceNumber & 0xFF);
        path += ids;
    }
    if (collection > 0) {
        std::snprintf(ids, sizeof ids, "&col%02x", collection & 0xFF);
        path += ids;
    }
    return path + "#" + node.hidDevice;
}

std::optional<HidrawPathParts> SplitHidrawPath(const std::string& deviceFolder, const std::string& path)
{
    const std::string prefix = deviceFolder + "/";
    const auto first = path.find('#');
    const auto last = path.rfind('#');
    if (!path.starts_with(prefix) || first == std::string::npos || first == last)
        return std::nullopt;
    return HidrawPathParts{path.substr(prefix.size(), first - prefix.size()), path.substr(last + 1)};
}

std::vector<HidInterfaceInfo> InterfacesOf(const std::string& deviceFolder, const HidrawNode& node)
{
    const auto descriptor = ParseReportDescriptor(node.reportDescriptor);
    if (!descriptor) {
        OutputDebugText(QString("Unreadable report descriptor on %1").arg(QString::fromStdString(node.name)));
        return {};
    }
    std::vector<HidInterfaceInfo> interfaces;
    const std::size_t count = descriptor->collections.size();
    for (std::size_t i = 0; i < count; ++i) {
        HidInterfaceInfo info;
        // As on Windows: collections are numbered only when there is more than one.
        info.path = MakeHidrawPath(deviceFolder, node, count > 1 ? static_cast<int>(i + 1) : 0);
        info.vendorId = node.vendorId;
        info.productId = node.productId;
        info.versionNumber = node.versionNumber;
        info.usagePage = descriptor->collections[i].usagePage;
        info.usage = descriptor->collections[i].usage;
        info.reportDescriptor = node.reportDescriptor;
        interfaces.push_back(std::move(info));
    }
    return interfaces;
}

}  // namespace q31::hid
