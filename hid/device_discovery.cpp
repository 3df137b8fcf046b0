#include "hid/device_discovery.h"

#include "hid/hid_path.h"
#include "platform/debug_log.h"
#include "platform/stop_event.h"

namespace q31::hid {

namespace {

constexpr int kPassIntervalMs = 100;

}  // namespace

CDeviceDiscovery::CDeviceDiscovery(DeviceSlots& slotTable, IMessageReceiver& window, UINT firstPassMessage)
    : m_slots(slotTable), m_window(window), m_firstPassMessage(firstPassMessage)
{
}

void CDeviceDiscovery::Run(const CStopEvent& stop)
{
    for (;;) {
        if (stop.Wait(1)) {
            OutputDebugText(QStringLiteral("抓取设备线程设定退出"));
            return;
        }
        if (!RunPass())
            return;
        CurrentHidBackend().WaitForChange(stop, kPassIntervalMs);
    }
}

bool CDeviceDiscovery::RunPass()
{
    const std::uint64_t changes = CurrentHidBackend().ChangeCounter();
    const bool look = m_lookAgain || changes != m_seenChanges;
    m_seenChanges = changes;
    m_lookAgain = false;
    if (!look)
        return true;
    if (!AllSlotsConnected(m_slots.entries)) {
        if (!ProbeInterfaces())
            return false;
        if (!m_firstPassDone) {
            m_firstPassDone = true;
            PostMessageTo(m_window, m_firstPassMessage, 0, 0);
        }
    }
    TestPresence();
    return true;
}

bool CDeviceDiscovery::ProbeInterfaces()
{
    if (!m_probe.EnumeratePaths())
        return false;
    while (const std::string* path = m_probe.NextPath()) {
        HidInterfaceEntry probe{};
        probe.vendorId = static_cast<std::uint16_t>(ParseVid(*path));
        probe.productId = static_cast<std::uint16_t>(ParsePid(*path));
        probe.collection = static_cast<std::uint16_t>(ParseCollection(*path));
        probe.interfaceNumber = static_cast<std::uint16_t>(ParseInterface(*path));
        probe.devicePath = *path;
        if (!IsCandidate(probe, m_slots.entries))
            continue;
        if (!m_probe.Open(*path, true, false, true, false)) {
            m_lookAgain = true;
            continue;
        }
        probe.vendorId = m_probe.Attributes().vendorId;
        probe.productId = m_probe.Attributes().productId;
        probe.usagePage = m_probe.Caps().usagePage;
        probe.usage = m_probe.Caps().usage;
        int slot = -1;
        bool claimed = false;
        {
            std::lock_guard lock(m_slots.mutex);
            claimed = ClaimSlot(probe, m_slots.entries, slot);
        }
        if (claimed)
            SendMessageTo(m_window, UM_DEVICE_ARRIVAL, static_cast<WPARAM>(slot), 0);
        m_probe.Close();
    }
    m_probe.FreePaths();
    return true;
}

void CDeviceDiscovery::TestPresence()
{
    IHidBackend& backend = CurrentHidBackend();
    for (std::size_t i = 0; i < m_slots.entries.size(); ++i) {
        const HidInterfaceEntry& slot = m_slots.entries[i];
        if (!slot.connected || backend.Exists(slot.devicePath))
            continue;
        {
            std::lock_guard lock(m_slots.mutex);
            m_slots.entries[i].connected = 0;
            m_slots.entries[i].devicePath.clear();
        }
        m_lookAgain = true;
        SendMessageTo(m_window, UM_DEVICE_REMOVAL, static_cast<WPARAM>(i), 0);
    }
}

}  // namespace q31::hid
