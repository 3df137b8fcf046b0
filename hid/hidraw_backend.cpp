#include "hid/hidraw_backend.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <set>

#include <fcntl.h>
#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include "hid/hid_path.h"
#include "hid/hidraw_connection.h"
#include "hid/hidraw_sysfs.h"
#include "hid/report_descriptor.h"
#include "platform/debug_log.h"
#include "platform/stop_event.h"

namespace q31::hid {

namespace {

int OpenNodeFile(const std::string& node)
{
    return open(node.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
}

// Netlink events of the hidraw subsystem, as udev finishes handling them
// (so a node's access rights are in place when its event arrives).
class UdevMonitor {
public:
    UdevMonitor()
    {
        m_udev = udev_new();
        // Without a running udev daemon no event would ever come.
        if (m_udev && UdevIsRunning())
            m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
        if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(m_monitor) < 0) {
            OutputDebugText("No udev monitor: HID interfaces are polled");
            Release();
        }
    }
    ~UdevMonitor() { Release(); }
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    bool Active() const { return m_monitor != nullptr; }

    // Waits up to timeoutMs for events; returns how many were taken. An event
    // that cannot be received (a lost message, say) still counts as a change.
    int Take(int timeoutMs)
    {
        int events = 0;
        pollfd fd{udev_monitor_get_fd(m_monitor), POLLIN, 0};
        while (poll(&fd, 1, events == 0 ? timeoutMs : 0) > 0) {
            ++events;
            udev_device* device = udev_monitor_receive_device(m_monitor);
            if (!device)
                break;
            udev_device_unref(device);
        }
        return events;
    }

private:
    bool UdevIsRunning() const
    {
        udev_queue* queue = udev_queue_new(m_udev);
        const bool running = queue && udev_queue_get_udev_is_active(queue);
        if (queue)
            udev_queue_unref(queue);
        return running;
    }

    void Release()
    {
        if (m_monitor)
            udev_monitor_unref(m_monitor);
        if (m_udev)
            udev_unref(m_udev);
        m_monitor = nullptr;
        m_udev = nullptr;
    }

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
};

class HidrawBackend : public IHidBackend {
public:
    explicit HidrawBackend(HidrawEnvironment environment) : m_environment(std::move(environment))
    {
        if (!m_environment.openNode)
            m_environment.openNode = OpenNodeFile;
        if (m_environment.watchUdev)
            m_monitor = std::make_unique<UdevMonitor>();
    }

    std::vector<HidInterfaceInfo> Enumerate() override
    {
        std::vector<HidInterfaceInfo> all;
        for (const std::string& name : ListHidrawNodes(m_environment.sysfsRoot)) {
            if (const auto node = ReadHidrawNode(m_environment.sysfsRoot, name)) {
                auto interfaces = InterfacesOf(m_environment.deviceFolder, *node);
                all.insert(all.end(), std::make_move_iterator(interfaces.begin()),
                           std::make_move_iterator(interfaces.end()));
            }
        }
        return all;
    }

    std::unique_ptr<IHidConnection> Open(const std::string& path, OpenError& error) override
    {
        error = OpenError::NotFound;
        const auto node = PresentNode(path);
        if (!node)
            return nullptr;
        for (HidInterfaceInfo& info : InterfacesOf(m_environment.deviceFolder, *node)) {
            if (info.path == path)
                return OpenInterface(node->name, std::move(info), error);
        }
        return nullptr;
    }

    bool Exists(const std::string& path) override { return PresentNode(path).has_value(); }

    std::uint64_t ChangeCounter() override
    {
        std::lock_guard lock(m_monitorMutex);
        if (!m_monitor || !m_monitor->Active())
            return ++m_changes;
        m_changes += m_monitor->Take(0);
        return m_changes;
    }

    void WaitForChange(const CStopEvent& stop, int timeoutMs) override
    {
        if (!m_monitor || !m_monitor->Active()) {
            stop.Wait(timeoutMs);
            return;
        }
        if (stop.IsSet())
            return;
        std::lock_guard lock(m_monitorMutex);
        m_changes += m_monitor->Take(timeoutMs);
    }

private:
    // The node of path, while it still belongs to the same plugged-in device.
    std::optional<HidrawNode> PresentNode(const std::string& path) const
    {
        const auto parts = SplitHidrawPath(m_environment.deviceFolder, path);
        if (!parts)
            return std::nullopt;
        auto node = ReadHidrawNode(m_environment.sysfsRoot, parts->nodeName);
        if (!node || node->hidDevice != parts->hidDevice)
            return std::nullopt;
        return node;
    }

    std::unique_ptr<IHidConnection> OpenInterface(const std::string& name, HidInterfaceInfo info, OpenError& error)
    {
        const std::string file = m_environment.deviceFolder + "/" + name;
        const int fd = m_environment.openNode(file);
        if (fd < 0) {
            error = (errno == EACCES || errno == EPERM) ? OpenError::PermissionDenied
                    : (errno == ENOENT || errno == ENODEV || errno == ENXIO) ? OpenError::NotFound
                                                                            : OpenError::Other;
            if (error == OpenError::PermissionDenied)
                WarnNoPermission(file);
            return nullptr;
        }
        const auto descriptor = ParseReportDescriptor(info.reportDescriptor);
        const int collection = std::max(ParseCollection(info.path), 1) - 1;
        std::vector<std::uint8_t> inputIds = descriptor->collections[collection].inputReportIds;
        error = OpenError::None;
        return std::make_unique<HidrawConnection>(fd, std::move(info), descriptor->usesReportIds, std::move(inputIds));
    }

    // Once per node: the same node fails again on every discovery pass.
    void WarnNoPermission(const std::string& file)
    {
        std::lock_guard lock(m_warnedMutex);
        if (!m_warned.insert(file).second)
            return;
        qCWarning(lcQ31Debug).noquote()
            << QString("No permission to open %1: install the udev rule 70-q31.rules (see README).")
                   .arg(QString::fromStdString(file));
    }

    HidrawEnvironment m_environment;
    std::mutex m_monitorMutex;
    std::unique_ptr<UdevMonitor> m_monitor;
    std::uint64_t m_changes = 0;
    std::mutex m_warnedMutex;
    std::set<std::string> m_warned;
};

}  // namespace

std::shared_ptr<IHidBackend> MakeHidrawBackend(HidrawEnvironment environment)
{
    return std::make_shared<HidrawBackend>(std::move(environment));
}

}  // namespace q31::hid
