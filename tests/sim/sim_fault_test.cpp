// Every injected fault, seen from the host's side of the command interface.
#include "sim/sim_hid_backend.h"
#include "tests/sim/sim_test_support.h"

#include <gtest/gtest.h>

namespace q31::sim::test {
namespace {

class SimFaultTest : public ::testing::Test {
protected:
    SimFaultTest() : hub(MakeHub()), backend(hub)
    {
        EXPECT_EQ(hub->Plug("mouse", Route::Cable), "");
        link = std::make_unique<RawLink>(backend, CommandPath(*hub, 0x6C01));
    }

    void Inject(const std::vector<std::string>& words)
    {
        std::string error;
        const auto fault = ParseFault(words, &error);
        ASSERT_TRUE(fault) << error;
        ASSERT_EQ(hub->AddFault("mouse", *fault), "");
    }

    std::shared_ptr<SimHub> hub;
    SimHidBackend backend;
    std::unique_ptr<RawLink> link;
};

TEST_F(SimFaultTest, NoReplyLosesOneRequestThenTheDeviceAnswersAgain)
{
    Inject({"noreply"});
    EXPECT_FALSE(link->Exchange(Request(0x06, 1, 0, {2}), 50));
    EXPECT_EQ(hub->Dump("mouse", Region::Parameters)->at(0), 0);  // not carried out
    EXPECT_TRUE(link->Exchange(Request(0x01), 50));
}

TEST_F(SimFaultTest, AWrongEchoOnceIsFollowedByCorrectReplies)
{
    Inject({"echo", "once"});
    const auto wrong = link->Exchange(Request(0x03, 24));
    ASSERT_TRUE(wrong);
    EXPECT_NE((*wrong)[3], 0x03);
    EXPECT_NE((*wrong)[3], 0xAA);
    EXPECT_EQ((*link->Exchange(Request(0x03, 24)))[3], 0x03);
}

TEST_F(SimFaultTest, AWrongEchoAlwaysStaysUntilCleared)
{
    Inject({"echo", "always"});
    for (int i = 0; i < 3; ++i)
        EXPECT_NE((*link->Exchange(Request(0x01)))[3], 0x01);
    ASSERT_EQ(hub->ClearFaults("mouse"), "");
    EXPECT_EQ((*link->Exchange(Request(0x01)))[3], 0x01);
}

TEST_F(SimFaultTest, ErrorStatusesRefuseTheRequest)
{
    Inject({"status-ff"});
    Inject({"status-fe"});
    const auto first = link->Exchange(Request(0x06, 1, 0, {5}));
    const auto second = link->Exchange(Request(0x06, 1, 0, {5}));
    EXPECT_EQ((*first)[3], 0x06);
    EXPECT_EQ((*first)[7], 0xFF);
    EXPECT_EQ((*second)[7], 0xFE);
    EXPECT_EQ(hub->Dump("mouse", Region::Parameters)->at(0), 0);
    EXPECT_EQ((*link->Exchange(Request(0x06, 1, 0, {5})))[7], 0x01);
}

TEST_F(SimFaultTest, AFaultCanWaitForItsCommand)
{
    Inject({"status-ff", "command", "0x09", "times", "2"});
    EXPECT_EQ((*link->Exchange(Request(0x01)))[7], 0x01);
    EXPECT_EQ((*link->Exchange(Request(0x09, 3, 0, {1, 2, 3})))[7], 0xFF);
    EXPECT_EQ((*link->Exchange(Request(0x09, 3, 0, {1, 2, 3})))[7], 0xFF);
    EXPECT_EQ((*link->Exchange(Request(0x09, 3, 0, {1, 2, 3})))[7], 0x01);
}

TEST_F(SimFaultTest, ADelayedReplyArrivesLate)
{
    Inject({"delay", "300"});
    ASSERT_EQ(link->Write(Request(0x01)), 64);
    EXPECT_FALSE(link->Read(0));
    const auto reply = link->Read(5000);
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], 0x01);
}

TEST_F(SimFaultTest, GarbageComesBeforeTheRealReply)
{
    Inject({"garbage"});
    ASSERT_EQ(link->Write(Request(0x03, 24)), 64);
    const auto junk = link->Read();
    const auto reply = link->Read();
    ASSERT_TRUE(junk && reply);
    EXPECT_NE((*junk)[3], 0x03);
    EXPECT_EQ((*reply)[3], 0x03);
    EXPECT_EQ((*reply)[8 + 5], 11);
}

TEST_F(SimFaultTest, UnplugInTheMiddleOfATransferEndsTheConnection)
{
    Inject({"unplug", "2"});
    const auto counter = backend.ChangeCounter();
    EXPECT_TRUE(link->Exchange(Request(0x01)));
    EXPECT_TRUE(link->Exchange(Request(0x06, 24, 0, std::vector<std::uint8_t>(24, 9))));
    ASSERT_EQ(link->Write(Request(0x06, 24, 24, std::vector<std::uint8_t>(24, 9))), 64);
    std::array<std::uint8_t, 64> buffer{};
    EXPECT_EQ(link->Connection().Read(buffer.data(), buffer.size(), 1000), -1);
    EXPECT_EQ(link->Write(Request(0x02)), -1);
    EXPECT_NE(backend.ChangeCounter(), counter);
    EXPECT_FALSE(hub->IsPlugged("mouse", Route::Cable));
    EXPECT_EQ(hub->Dump("mouse", Region::Parameters)->at(0), 9);   // the first chunk stayed written
    EXPECT_EQ(hub->Dump("mouse", Region::Parameters)->at(24), 0);  // the one it took was lost
    hid::OpenError error = hid::OpenError::None;
    EXPECT_FALSE(backend.Open(CommandPath(*hub, 0x6C01), error));
}

TEST(SimFaultParsing, NamesEachFaultAndRefusesWhatIsNotOne)
{
    std::string error;
    const auto delay = ParseFault({"delay", "250", "always"}, &error);
    ASSERT_TRUE(delay);
    EXPECT_EQ(delay->kind, FaultKind::DelayedReply);
    EXPECT_EQ(delay->delayMs, 250);
    EXPECT_EQ(delay->times, SimFault::kAlways);
    EXPECT_EQ(DescribeFault(*delay), "delay 250 always");
    EXPECT_EQ(ParseFault({"unplug"}, &error)->afterReports, 0);
    EXPECT_FALSE(ParseFault({"delay"}, &error));
    EXPECT_FALSE(ParseFault({"melt"}, &error));
    EXPECT_NE(error.find("melt"), std::string::npos);
    EXPECT_FALSE(ParseFault({"echo", "sometimes"}, &error));
    EXPECT_FALSE(ParseFault({"status-ff", "command", "0x100"}, &error));
    EXPECT_FALSE(ParseFault({"noreply", "times", "0"}, &error));
    EXPECT_EQ(error, "times needs a number from 1 to 1048576");
    EXPECT_EQ(ParseFault({"noreply", "times", "1"}, &error)->times, 1);
}

}  // namespace
}  // namespace q31::sim::test
