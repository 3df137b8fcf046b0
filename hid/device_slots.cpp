#include "hid/device_slots.h"

#include <algorithm>

namespace {

bool SameInterface(const HidInterfaceEntry& a, const HidInterfaceEntry& b)
{
    return a.vendorId == b.vendorId && a.productId == b.productId && a.collection == b.collection &&
           a.interfaceNumber == b.interfaceNumber;
}

bool SameCollection(const HidInterfaceEntry& a, const HidInterfaceEntry& b)
{
    return SameInterface(a, b) && a.usagePage == b.usagePage && a.usage == b.usage;
}

bool IsFree(const HidInterfaceEntry& slot)
{
    return !slot.connected && slot.devicePath.empty();
}

}  // namespace

std::vector<HidInterfaceEntry> MakeSlots()
{
    return {kHidInterfaceTable.begin(), kHidInterfaceTable.end()};
}

bool IsCandidate(const HidInterfaceEntry& probe, const std::vector<HidInterfaceEntry>& slotList)
{
    const auto inCatalogue = std::any_of(kHidInterfaceTable.begin(), kHidInterfaceTable.end(),
                                         [&](const HidInterfaceEntry& row) { return SameInterface(row, probe); });
    return inCatalogue && std::any_of(slotList.begin(), slotList.end(), [&](const HidInterfaceEntry& slot) {
               return SameInterface(slot, probe) && IsFree(slot);
           });
}

bool ClaimSlot(HidInterfaceEntry& probe, std::vector<HidInterfaceEntry>& slotList, int& slotIndex)
{
    const auto row = std::find_if(kHidInterfaceTable.begin(), kHidInterfaceTable.end(),
                                  [&](const HidInterfaceEntry& entry) { return SameCollection(entry, probe); });
    if (row == kHidInterfaceTable.end())
        return false;
    probe.type = row->type;
    probe.channel = row->channel;
    const auto slot = std::find_if(slotList.begin(), slotList.end(), [&](const HidInterfaceEntry& entry) {
        return SameCollection(entry, probe) && IsFree(entry);
    });
    if (slot == slotList.end())
        return false;
    slot->connected = 1;
    slot->devicePath = probe.devicePath;
    slotIndex = static_cast<int>(slot - slotList.begin());
    return true;
}

bool AllSlotsConnected(const std::vector<HidInterfaceEntry>& slotList)
{
    return std::all_of(slotList.begin(), slotList.end(), [](const HidInterfaceEntry& slot) { return !IsFree(slot); });
}

int FindOptionRow(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t type, int variant)
{
    const auto row = std::find_if(kDeviceOptionTable.begin(), kDeviceOptionTable.end(), [&](const DeviceOptionRow& r) {
        return r.vendorId == vendorId && r.productId == productId && r.type == type && r.variant == variant;
    });
    return row == kDeviceOptionTable.end() ? -1 : static_cast<int>(row - kDeviceOptionTable.begin());
}

int FindCommandEntry(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t type, std::uint16_t channel)
{
    const auto row = std::find_if(kHidInterfaceTable.begin(), kHidInterfaceTable.end(), [&](const HidInterfaceEntry& r) {
        return r.vendorId == vendorId && r.productId == productId && r.type == type && r.channel == channel;
    });
    return row == kHidInterfaceTable.end() ? -1 : static_cast<int>(row - kHidInterfaceTable.begin());
}
