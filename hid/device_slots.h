#pragma once
// The main window's slots: its copy of the interface catalogue, in which
// discovery marks each interface it finds as connected.
#include <vector>

#include "hid/hid_catalogue.h"

// The catalogue, copied in order.
std::vector<HidInterfaceEntry> MakeSlots();

// The probe (vendor, product, collection, interface) is a catalogue interface
// with a free slot.
bool IsCandidate(const HidInterfaceEntry& probe, const std::vector<HidInterfaceEntry>& slotList);
// Claims the first free slot matching the probe, usage page and usage included;
// the probe takes the row's type and channel.
bool ClaimSlot(HidInterfaceEntry& probe, std::vector<HidInterfaceEntry>& slotList, int& slotIndex);
bool AllSlotsConnected(const std::vector<HidInterfaceEntry>& slotList);

// Index in kDeviceOptionTable, or -1.
int FindOptionRow(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t type, int variant);
// Index in kHidInterfaceTable, or -1.
int FindCommandEntry(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t type, std::uint16_t channel);
