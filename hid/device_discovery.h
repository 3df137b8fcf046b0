#pragma once
// The discovery thread: finds the catalogue's interfaces as they come and go,
// claims their slots and tells the main window, which handles each message
// while the thread waits.
#include <cstdint>
#include <mutex>
#include <vector>

#include "hid/device_slots.h"
#include "hid/hid_device.h"
#include "platform/ui_message.h"

class CStopEvent;

// wParam: the slot index; lParam: 0.
inline constexpr UINT UM_DEVICE_ARRIVAL = 0x0C12;
inline constexpr UINT UM_DEVICE_REMOVAL = 0x0C13;

namespace q31::hid {

// The slots, shared by the discovery thread (which changes them under the
// mutex) and the UI thread (which reads them under the mutex, or freely while
// it handles a discovery message).
struct DeviceSlots {
    mutable std::mutex mutex;
    std::vector<HidInterfaceEntry> entries = MakeSlots();
};

class CDeviceDiscovery {
public:
    // firstPassMessage: the application's registered "Q-31" message, posted
    // once the first enumeration pass is done.
    CDeviceDiscovery(DeviceSlots& slotTable, IMessageReceiver& window, UINT firstPassMessage);

    // The thread body: passes until stop is set or an enumeration fails.
    void Run(const CStopEvent& stop);
    // One pass: probe while slots are free, then test the connected ones.
    // Skipped while the back end reports no change. False when the enumeration failed.
    bool RunPass();

private:
    bool ProbeInterfaces();
    void TestPresence();

    DeviceSlots& m_slots;
    IMessageReceiver& m_window;
    UINT m_firstPassMessage;
    CHidDevice m_probe;
    bool m_firstPassDone = false;
    std::uint64_t m_seenChanges = 0;
    // Set when a pass left something to look at again even without a change:
    // an interface that did not open yet (its access rights may follow a moment
    // after it appears), or a slot freed while its interface came back.
    bool m_lookAgain = true;
};

}  // namespace q31::hid
