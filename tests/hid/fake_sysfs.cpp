#include "tests/hid/fake_sysfs.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace q31::test {

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

}  // namespace

FakeSysfs::FakeSysfs() = default;

FakeSysfs::~FakeSysfs()
{
    for (auto& [name, fds] : m_peers) {
        for (int fd : fds)
            close(fd);
    }
}

void FakeSysfs::AddNode(const std::string& name, const std::string& hidDevice, int interfaceNumber,
                        const std::vector<std::uint8_t>& descriptor)
{
    const fs::path root(m_folder.Path());
    char interfaceName[32];
    std::snprintf(interfaceName, sizeof interfaceName, "1-2:1.%d", interfaceNumber);
    const fs::path usbDevice = root / "devices" / "usb1" / ("1-2-" + name);
    const fs::path hidDir = usbDevice / interfaceName / hidDevice;
    WriteFile(usbDevice / "bcdDevice", "0102\n");
    char number[8];
    std::snprintf(number, sizeof number, "%02x\n", interfaceNumber);
    WriteFile(usbDevice / interfaceName / "bInterfaceNumber", number);
    const std::string vendor = hidDevice.substr(5, 4), product = hidDevice.substr(10, 4);
    WriteFile(hidDir / "uevent", "DRIVER=hid-generic\nHID_ID=0003:0000" + vendor + ":0000" + product +
                                     "\nHID_NAME=Test device\n");
    WriteFile(hidDir / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
    const fs::path classDir = root / "class" / "hidraw" / name;
    fs::remove_all(classDir);
    fs::create_directories(classDir);
    fs::create_directory_symlink(hidDir, classDir / "device");
}

void FakeSysfs::RemoveNode(const std::string& name)
{
    fs::remove_all(fs::path(m_folder.Path()) / "class" / "hidraw" / name);
}

void FakeSysfs::SetOpenError(const std::string& name, int error)
{
    std::lock_guard lock(m_mutex);
    m_openErrors[name] = error;
}

void FakeSysfs::SendReport(const std::string& name, const std::vector<std::uint8_t>& report)
{
    std::lock_guard lock(m_mutex);
    for (int fd : m_peers[name])
        send(fd, report.data(), report.size(), MSG_NOSIGNAL);
}

std::vector<std::vector<std::uint8_t>> FakeSysfs::Received(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    std::vector<std::vector<std::uint8_t>> reports;
    for (int fd : m_peers[name]) {
        std::vector<std::uint8_t> buffer(4096);
        pollfd ready{fd, POLLIN, 0};
        while (poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN)) {
            const ssize_t count = recv(fd, buffer.data(), buffer.size(), 0);
            if (count <= 0)
                break;
            reports.emplace_back(buffer.begin(), buffer.begin() + count);
        }
    }
    return reports;
}

hid::HidrawEnvironment FakeSysfs::Environment()
{
    hid::HidrawEnvironment environment;
    environment.sysfsRoot = m_folder.Path();
    environment.deviceFolder = kDeviceFolder;
    environment.openNode = [this](const std::string& node) { return Open(node); };
    environment.watchUdev = false;
    return environment;
}

int FakeSysfs::Open(const std::string& node)
{
    const std::string name = fs::path(node).filename().string();
    std::lock_guard lock(m_mutex);
    if (const int error = m_openErrors[name]) {
        errno = error;
        return -1;
    }
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair) != 0)
        return -1;
    m_peers[name].push_back(pair[0]);
    return pair[1];
}

}  // namespace q31::test
