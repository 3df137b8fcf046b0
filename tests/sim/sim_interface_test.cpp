// What the simulated devices look like to enumeration, the report descriptor
// parser, CHidDevice and discovery.
#include "hid/device_discovery.h"
#include "hid/hid_path.h"
#include "hid/report_descriptor.h"
#include "sim/sim_hid_backend.h"
#include "tests/sim/sim_test_support.h"

#include <QObject>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace q31::sim::test {
namespace {

void PlugEverything(SimHub& hub)
{
    for (const std::string& device : hub.DeviceNames()) {
        EXPECT_EQ(hub.Plug(device, Route::Cable), "");
        if (hub.HasReceiver(device)) {
            EXPECT_EQ(hub.Plug(device, Route::Receiver), "");
        }
    }
}

TEST(SimInterfaces, EveryCatalogueRowIsPresentWithAParsableDescriptor)
{
    auto hub = MakeHub();
    PlugEverything(*hub);
    EXPECT_EQ(hub->DeviceNames(), (std::vector<std::string>{"headset", "keyboard", "mouse", "mousepad"}));
    const auto present = hub->Enumerate();
    for (const HidInterfaceEntry& row : kHidInterfaceTable) {
        SCOPED_TRACE(testing::Message() << std::hex << row.productId << " col " << row.collection);
        const auto match = std::find_if(present.begin(), present.end(), [&](const hid::HidInterfaceInfo& info) {
            return ParseVid(info.path) == row.vendorId && ParsePid(info.path) == row.productId &&
                   ParseInterface(info.path) == row.interfaceNumber && ParseCollection(info.path) == row.collection;
        });
        ASSERT_NE(match, present.end());
        EXPECT_EQ(match->vendorId, row.vendorId);
        EXPECT_EQ(match->productId, row.productId);
        EXPECT_EQ(match->usagePage, row.usagePage);
        EXPECT_EQ(match->usage, row.usage);

        const auto descriptor = hid::ParseReportDescriptor(match->reportDescriptor);
        ASSERT_TRUE(descriptor);
        const auto collection = std::find_if(descriptor->collections.begin(), descriptor->collections.end(),
                                             [&](const hid::TopLevelCollection& c) {
                                                 return c.usagePage == row.usagePage && c.usage == row.usage;
                                             });
        ASSERT_NE(collection, descriptor->collections.end());
        if (row.channel == kChannelCommand) {
            EXPECT_EQ(collection->input.byteLength, 64);
            EXPECT_EQ(collection->output.byteLength, 64);
            EXPECT_NE(std::find(collection->inputReportIds.begin(), collection->inputReportIds.end(), 4),
                      collection->inputReportIds.end());
        }
        if (row.usagePage == 0x000C) {
            ASSERT_FALSE(collection->input.buttons.empty());
            const hid::FieldCaps& code = collection->input.buttons.front();
            EXPECT_EQ(code.reportId, 3);
            EXPECT_TRUE(code.isArray);
            EXPECT_EQ(code.bitSize, 16);
        }
    }
    // Interface 1 numbers its collections from 1, as a real device does; the
    // headset has one collection and so no "&col".
    const auto keyboardCollections = std::count_if(present.begin(), present.end(), [](const hid::HidInterfaceInfo& i) {
        return i.productId == 0x6B01 && ParseInterface(i.path) == 1;
    });
    EXPECT_EQ(keyboardCollections, 4);
    EXPECT_EQ(std::count_if(present.begin(), present.end(),
                            [](const hid::HidInterfaceInfo& i) { return i.path.find("&col") == std::string::npos; }),
              5);  // the headset and the boot interfaces of the keyboard, the mouse and their receivers
}

TEST(SimInterfaces, CHidDeviceReadsAttributesAndCapsOfASimulatedCollection)
{
    auto hub = MakeHub();
    ASSERT_EQ(hub->Plug("mouse", Route::Cable), "");
    hid::SetHidBackend(std::make_shared<SimHidBackend>(hub));
    CHidDevice probe;
    ASSERT_TRUE(probe.Open(CommandPath(*hub, 0x6C01), true, false, true, false));
    EXPECT_EQ(probe.Attributes().vendorId, 0x3A9D);
    EXPECT_EQ(probe.Attributes().productId, 0x6C01);
    EXPECT_EQ(probe.Attributes().versionNumber, 0x0110);
    EXPECT_EQ(probe.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(probe.Caps().usage, 0x92);
    EXPECT_EQ(probe.Caps().inputReportByteLength, 64);
    EXPECT_EQ(probe.Caps().outputReportByteLength, 64);
    EXPECT_EQ(probe.InterfaceNumber(), 1);
    EXPECT_EQ(probe.CollectionNumber(), 4);
    probe.Close();
    hid::SetHidBackend(nullptr);
}

class Window : public QObject, public IMessageReceiver {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM) override
    {
        (message == UM_DEVICE_ARRIVAL ? arrivals : removals).push_back(static_cast<int>(wParam));
        return 0;
    }
    QObject* MessageContext() override { return this; }
    std::vector<int> arrivals;
    std::vector<int> removals;
};

TEST(SimInterfaces, DiscoveryClaimsEverySlotAndSeesAnUnplug)
{
    auto hub = MakeHub();
    PlugEverything(*hub);
    hid::SetHidBackend(std::make_shared<SimHidBackend>(hub));
    hid::DeviceSlots slotTable;
    Window window;
    hid::CDeviceDiscovery discovery(slotTable, window, 0xC000);
    ASSERT_TRUE(discovery.RunPass());
    std::sort(window.arrivals.begin(), window.arrivals.end());
    EXPECT_EQ(window.arrivals, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

    ASSERT_EQ(hub->Unplug("keyboard", Route::Cable), "");
    ASSERT_TRUE(discovery.RunPass());
    std::sort(window.removals.begin(), window.removals.end());
    EXPECT_EQ(window.removals, (std::vector<int>{0, 1}));
    hid::SetHidBackend(nullptr);
}

// Discovery polls every 100 ms; a replug between two passes must still look
// like a device that went away and came back, not like one that stayed.
TEST(SimInterfaces, DiscoverySeesAQuickReplugAsARemovalAndAnArrival)
{
    auto hub = MakeHub();
    ASSERT_EQ(hub->Plug("keyboard", Route::Cable), "");
    hid::SetHidBackend(std::make_shared<SimHidBackend>(hub));
    hid::DeviceSlots slotTable;
    Window window;
    hid::CDeviceDiscovery discovery(slotTable, window, 0xC000);
    ASSERT_TRUE(discovery.RunPass());
    ASSERT_EQ(window.arrivals.size(), 2u);
    const std::string before = slotTable.entries[0].devicePath;

    ASSERT_EQ(hub->Unplug("keyboard", Route::Cable), "");
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(hub->Plug("keyboard", Route::Cable), "");
    window.arrivals.clear();
    ASSERT_TRUE(discovery.RunPass());
    std::sort(window.removals.begin(), window.removals.end());
    EXPECT_EQ(window.removals, (std::vector<int>{0, 1}));
    ASSERT_TRUE(discovery.RunPass());
    std::sort(window.arrivals.begin(), window.arrivals.end());
    EXPECT_EQ(window.arrivals, (std::vector<int>{0, 1}));

    const std::string& after = slotTable.entries[0].devicePath;
    EXPECT_NE(after, before);
    EXPECT_EQ(ParseVid(after), 0x3A9D);
    EXPECT_EQ(ParsePid(after), 0x6B01);
    EXPECT_EQ(ParseInterface(after), 1);
    EXPECT_EQ(ParseCollection(after), 4);
    hid::SetHidBackend(nullptr);
}

TEST(SimInterfaces, PlugAndUnplugMoveTheChangeCounterAndEndOpenConnections)
{
    auto hub = MakeHub();
    SimHidBackend backend(hub);
    const auto start = backend.ChangeCounter();
    ASSERT_EQ(hub->Plug("mousepad", Route::Cable), "");
    EXPECT_NE(backend.ChangeCounter(), start);
    const std::string path = CommandPath(*hub, 0x6D01);
    EXPECT_TRUE(backend.Exists(path));
    RawLink pad(backend, path);
    ASSERT_TRUE(pad.IsOpen());
    EXPECT_EQ(pad.Exchange(Request(0x01)).value()[3], 0x01);
    ASSERT_EQ(hub->Unplug("mousepad", Route::Cable), "");
    EXPECT_FALSE(backend.Exists(path));
    EXPECT_FALSE(pad.Exchange(Request(0x01)));
    EXPECT_NE(hub->Plug("mousepad", Route::Receiver), "");
    EXPECT_NE(hub->Plug("toaster", Route::Cable), "");
}

TEST(SimInterfaces, EveryReportCrossingIsLogged)
{
    auto hub = MakeHub();
    SimHidBackend backend(hub);
    ASSERT_EQ(hub->Plug("keyboard", Route::Cable), "");
    RawLink keyboard(backend, CommandPath(*hub, 0x6B01));
    ASSERT_TRUE(keyboard.Exchange(Request(0x01)));
    const auto entries = hub->Log().Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].direction, Direction::ToDevice);
    EXPECT_EQ(entries[1].direction, Direction::ToHost);
    EXPECT_EQ(entries[0].source, "keyboard mi01 col04");
    EXPECT_LE(entries[0].time, entries[1].time);
    const std::string line = FormatTrafficEntry(entries[0]);
    EXPECT_NE(line.find("keyboard mi01 col04  out  04 01 00 01 00"), std::string::npos) << line;
}

}  // namespace
}  // namespace q31::sim::test
