// The q31-devsim command words, run on an in-process hub.
#include "sim/sim_control.h"
#include "sim/sim_hid_backend.h"
#include "tests/sim/sim_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>

namespace q31::sim::test {
namespace {

ControlResult Command(SimHub& hub, const std::string& line)
{
    std::istringstream words(line);
    std::vector<std::string> list{std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
    return RunControlCommand(hub, list);
}

TEST(SimControl, PlugsUnplugsAndScriptsTheDevices)
{
    auto hub = MakeHub();
    EXPECT_TRUE(Command(*hub, "plug keyboard --receiver").ok);
    EXPECT_TRUE(hub->IsPlugged("keyboard", Route::Receiver));
    EXPECT_FALSE(hub->IsPlugged("keyboard", Route::Cable));
    EXPECT_TRUE(Command(*hub, "reachable keyboard off").ok);
    EXPECT_FALSE(Command(*hub, "press keyboard 4").ok);  // nothing reaches the host
    EXPECT_TRUE(Command(*hub, "reachable keyboard on").ok);
    EXPECT_TRUE(Command(*hub, "press keyboard 4").ok);
    EXPECT_TRUE(Command(*hub, "battery keyboard 30 --charging 2").ok);
    EXPECT_EQ(hub->Dump("keyboard", Region::Status)->at(1), 2);
    EXPECT_TRUE(Command(*hub, "unplug keyboard --receiver").ok);
    EXPECT_FALSE(hub->IsPlugged("keyboard", Route::Receiver));
}

TEST(SimControl, PutsAPhoneOnThePadsChargerOnly)
{
    auto hub = MakeHub();
    EXPECT_TRUE(Command(*hub, "phone mousepad 2").ok);
    EXPECT_EQ(hub->Dump("mousepad", Region::Status)->at(5), 2);
    EXPECT_TRUE(Command(*hub, "phone mousepad 0").ok);
    EXPECT_EQ(hub->Dump("mousepad", Region::Status)->at(5), 0);
    EXPECT_EQ(Command(*hub, "phone mouse 1").text, "the mouse has no phone charger");
    EXPECT_EQ(hub->Dump("mouse", Region::Status)->at(5), 0);
    EXPECT_FALSE(Command(*hub, "phone mousepad 256").ok);
    EXPECT_FALSE(Command(*hub, "phone mousepad").ok);
}

TEST(SimControl, ExplainsWhatItCannotDo)
{
    auto hub = MakeHub();
    EXPECT_NE(Command(*hub, "").text.find("commands:"), std::string::npos);
    EXPECT_NE(Command(*hub, "explode keyboard").text.find("unknown command"), std::string::npos);
    EXPECT_EQ(Command(*hub, "plug").text, "plug: missing device");
    EXPECT_EQ(Command(*hub, "plug keyboard now").text, "plug: unexpected \"now\"");
    EXPECT_EQ(Command(*hub, "reachable mouse maybe").text, "reachable: reachable takes on or off");
    EXPECT_EQ(Command(*hub, "profile mouse 16").text, "profile: the profile must be a number from 0 to 15");
    EXPECT_EQ(Command(*hub, "battery mouse 50 --charging").text, "battery: --charging needs a value");
    EXPECT_EQ(Command(*hub, "dump toaster info").text, "no simulated device \"toaster\"");
    // A fault that would hit no request is a slip, not a fault.
    EXPECT_EQ(Command(*hub, "fault mouse noreply times 0").text, "fault: times needs a number from 1 to 1048576");
    EXPECT_EQ(hub->Describe().find("fault"), std::string::npos);
}

TEST(SimControl, DumpsRegionsInHexAndShowsTheRecentTraffic)
{
    auto hub = MakeHub();
    EXPECT_EQ(Command(*hub, "dump mouse status").text, "0000: 55 00 00 00 00 00\n");
    const std::string info = Command(*hub, "dump keyboard info").text;
    EXPECT_EQ(info.substr(0, 54), "0000: 00 00 00 00 00 7a 40 00 00 00 00 00 00 00 00 00\n");

    ASSERT_TRUE(Command(*hub, "plug mouse").ok);
    SimHidBackend backend(hub);
    RawLink mouse(backend, CommandPath(*hub, 0x6C01));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(mouse.Exchange(Request(0x01)));
    const std::string two = Command(*hub, "log 2").text;
    EXPECT_EQ(std::count(two.begin(), two.end(), '\n'), 2);
    EXPECT_NE(two.find("mouse mi01 col04  in   04 02 00 01"), std::string::npos) << two;
    EXPECT_TRUE(Command(*hub, "log clear").ok);
    EXPECT_EQ(Command(*hub, "log").text, "");
    EXPECT_FALSE(Command(*hub, "log 5000").ok);
}

}  // namespace
}  // namespace q31::sim::test
