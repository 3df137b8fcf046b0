#pragma once
// A sysfs tree with hidraw nodes, and socket pairs standing in for the nodes
// themselves (one pair per open, as each open of a hidraw node gets every report).
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "hid/hidraw_backend.h"
#include "tests/common/temp_folder.h"

namespace q31::test {

class FakeSysfs {
public:
    FakeSysfs();
    ~FakeSysfs();
    FakeSysfs(const FakeSysfs&) = delete;
    FakeSysfs& operator=(const FakeSysfs&) = delete;

    // A USB HID interface with its hidraw node; hidDevice like "0003:3A9D:6B01.0007".
    void AddNode(const std::string& name, const std::string& hidDevice, int interfaceNumber,
                 const std::vector<std::uint8_t>& descriptor);
    void RemoveNode(const std::string& name);
    // Opening the node fails with this errno (0: opens).
    void SetOpenError(const std::string& name, int error);

    // Sends a report as the kernel would: to every open descriptor of the node.
    void SendReport(const std::string& name, const std::vector<std::uint8_t>& report);
    // Reports written to the node, oldest first.
    std::vector<std::vector<std::uint8_t>> Received(const std::string& name);

    hid::HidrawEnvironment Environment();
    static constexpr const char* kDeviceFolder = "/dev";

private:
    int Open(const std::string& node);

    TempFolder m_folder;
    std::mutex m_mutex;
    std::map<std::string, int> m_openErrors;
    std::map<std::string, std::vector<int>> m_peers;  // our ends of the open nodes
};

}  // namespace q31::test
