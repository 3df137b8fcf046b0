#include "hid/device_slots.h"
#include "hid/hid_path.h"

#include <gtest/gtest.h>

namespace {

TEST(HidPath, ReadsTheNumbersAfterEachToken)
{
    const std::string windows = "\\\\?\\hid#vid_3a9d&pid_6b01&mi_01&col04#7&1a2b3c&0&0003#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    EXPECT_EQ(ParseVid(windows), 0x3A9D);
    EXPECT_EQ(ParsePid(windows), 0x6B01);
    EXPECT_EQ(ParseInterface(windows), 1);
    EXPECT_EQ(ParseCollection(windows), 4);

    const std::string headset = "\\\\?\\HID#VID_0C76&PID_1630&MI_03#8&2f&0&0000#{4d1e55b2}";
    EXPECT_EQ(ParseVid(headset), 0x0C76);
    EXPECT_EQ(ParseInterface(headset), 3);
    EXPECT_EQ(ParseCollection(headset), 0);

    const std::string hidraw = "/dev/hidraw3#vid_3a9d&pid_6c02&mi_01&col03#0003:3A9D:6C02.0011";
    EXPECT_EQ(ParsePid(hidraw), 0x6C02);
    EXPECT_EQ(ParseCollection(hidraw), 3);

    EXPECT_EQ(ParseVid(""), 0);
    EXPECT_EQ(ParseInterface("vid_3a9d&mi_"), 0);
    EXPECT_EQ(ParseCollection("&colzz"), 0);
}

HidInterfaceEntry Probe(std::uint16_t productId, int interfaceNumber, int collection, std::uint16_t usagePage,
                        std::uint16_t usage, const std::string& path)
{
    HidInterfaceEntry probe{};
    probe.vendorId = productId == 0x1630 ? 0x0C76 : 0x3A9D;
    probe.productId = productId;
    probe.interfaceNumber = static_cast<std::uint16_t>(interfaceNumber);
    probe.collection = static_cast<std::uint16_t>(collection);
    probe.usagePage = usagePage;
    probe.usage = usage;
    probe.devicePath = path;
    return probe;
}

TEST(DeviceSlots, ClaimsOnlyFreeSlotsOfTheSameCollection)
{
    auto slotList = MakeSlots();
    ASSERT_EQ(slotList.size(), 11u);
    HidInterfaceEntry command = Probe(0x6B01, 1, 4, 0xFF1C, 0x92, "first");
    EXPECT_TRUE(IsCandidate(command, slotList));
    int slot = -1;
    ASSERT_TRUE(ClaimSlot(command, slotList, slot));
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(command.type, Keyboard);
    EXPECT_EQ(command.channel, kChannelCommand);
    EXPECT_EQ(slotList[0].connected, 1);
    EXPECT_EQ(slotList[0].devicePath, "first");

    // A second keyboard finds its slot taken.
    HidInterfaceEntry second = Probe(0x6B01, 1, 4, 0xFF1C, 0x92, "second");
    EXPECT_FALSE(IsCandidate(second, slotList));
    EXPECT_FALSE(ClaimSlot(second, slotList, slot));
    EXPECT_EQ(slotList[0].devicePath, "first");

    HidInterfaceEntry notification = Probe(0x6B01, 1, 3, 0x000C, 0x01, "notify");
    ASSERT_TRUE(ClaimSlot(notification, slotList, slot));
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(notification.channel, kChannelNotification);
}

TEST(DeviceSlots, WrongUsagePageOrUnknownInterfaceIsNotClaimed)
{
    auto slotList = MakeSlots();
    HidInterfaceEntry wrongPage = Probe(0x6B01, 1, 4, 0xFF00, 0x92, "p");
    EXPECT_TRUE(IsCandidate(wrongPage, slotList));  // only the open probe can tell
    int slot = -1;
    EXPECT_FALSE(ClaimSlot(wrongPage, slotList, slot));
    EXPECT_EQ(slotList[0].connected, 0);

    EXPECT_FALSE(IsCandidate(Probe(0x6B01, 1, 1, 0x0001, 0x06, "p"), slotList));
    EXPECT_FALSE(IsCandidate(Probe(0x6B01, 2, 4, 0xFF1C, 0x92, "p"), slotList));
}

TEST(DeviceSlots, HeadsetMatchesOnInterfaceThreeWithoutCollection)
{
    auto slotList = MakeSlots();
    HidInterfaceEntry headset = Probe(0x1630, 3, 0, 0x000C, 0x01, "hs");
    EXPECT_TRUE(IsCandidate(headset, slotList));
    int slot = -1;
    ASSERT_TRUE(ClaimSlot(headset, slotList, slot));
    EXPECT_EQ(slot, 10);
    EXPECT_EQ(headset.type, Headset);
    EXPECT_FALSE(IsCandidate(Probe(0x1630, 3, 1, 0x000C, 0x01, "hs"), MakeSlots()));
}

TEST(DeviceSlots, AllConnectedWhenEverySlotIsTaken)
{
    auto slotList = MakeSlots();
    EXPECT_FALSE(AllSlotsConnected(slotList));
    for (auto& slot : slotList)
        slot.connected = 1;
    slotList[4].connected = 0;
    EXPECT_FALSE(AllSlotsConnected(slotList));
    slotList[4].devicePath = "still held";
    EXPECT_TRUE(AllSlotsConnected(slotList));
}

TEST(DeviceTables, LookUpsByIdentity)
{
    EXPECT_EQ(FindOptionRow(0x3A9D, 0x6C01, Mouse, 0), 0);
    EXPECT_EQ(FindOptionRow(0x3A9D, 0x6B01, Keyboard, 0), 1);
    EXPECT_EQ(FindOptionRow(0x0C76, 0x1630, Headset, 0), 3);
    EXPECT_EQ(FindOptionRow(0x3A9D, 0x6B02, KeyboardReceiver, 0), -1);
    EXPECT_EQ(FindOptionRow(0x3A9D, 0x6B01, Keyboard, 1), -1);

    EXPECT_EQ(FindCommandEntry(0x3A9D, 0x6C02, MouseReceiver, kChannelCommand), 6);
    EXPECT_EQ(FindCommandEntry(0x3A9D, 0x6D01, MousePad, kChannelNotification), 9);
    EXPECT_EQ(FindCommandEntry(0x0C76, 0x1630, Headset, kChannelNotification), -1);

    // Partners point at each other.
    for (std::size_t i = 0; i < kHidInterfaceTable.size(); ++i) {
        const HidInterfaceEntry& row = kHidInterfaceTable[i];
        if (row.hasPartner) {
            EXPECT_EQ(kHidInterfaceTable[row.partner].partner, i);
        }
    }
    EXPECT_EQ(kDeviceOptionTable.size(), kDevicePageTable.size());
}

}  // namespace
