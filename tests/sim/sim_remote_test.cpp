// The simulated devices served over the q31-devsim socket, with the server
// on a thread of this process.
#include "platform/stop_event.h"
#include "sim/sim_backend_factory.h"
#include "sim/sim_remote_backend.h"
#include "sim/sim_server.h"
#include "tests/sim/sim_test_support.h"

#include <gtest/gtest.h>

#include <thread>

namespace q31::sim::test {
namespace {

class SimRemoteTest : public ::testing::Test {
protected:
    SimRemoteTest() : hub(MakeHub()), server(hub)
    {
        EXPECT_EQ(hub->Plug("keyboard", Route::Cable), "");
        EXPECT_EQ(hub->Plug("mouse", Route::Receiver), "");
        QString error;
        EXPECT_TRUE(server.Listen(DevsimSocketPath(), &error)) << error.toStdString();
        serving = std::thread([this] { server.Serve(stop); });
        remote = RemoteSimBackend::Connect(DevsimSocketPath());
    }
    ~SimRemoteTest() override
    {
        remote.reset();
        stop.Set();
        serving.join();
    }

    std::shared_ptr<SimHub> hub;
    DevsimServer server;
    CStopEvent stop;
    std::thread serving;
    std::shared_ptr<RemoteSimBackend> remote;
};

TEST_F(SimRemoteTest, ListsTheSameInterfacesAsTheHub)
{
    ASSERT_TRUE(remote);
    const auto local = hub->Enumerate();
    const auto served = remote->Enumerate();
    ASSERT_EQ(served.size(), local.size());
    for (std::size_t i = 0; i < local.size(); ++i) {
        EXPECT_EQ(served[i].path, local[i].path);
        EXPECT_EQ(served[i].productId, local[i].productId);
        EXPECT_EQ(served[i].usagePage, local[i].usagePage);
        EXPECT_EQ(served[i].reportDescriptor, local[i].reportDescriptor);
    }
    EXPECT_EQ(remote->ChangeCounter(), hub->ChangeCounter());
}

TEST_F(SimRemoteTest, CarriesCommandsAndNotificationsBothWays)
{
    RawLink mouse(*remote, CommandPath(*hub, 0x6C02));
    ASSERT_TRUE(mouse.IsOpen());
    EXPECT_EQ(mouse.Connection().Info().productId, 0x6C02);
    const auto query = mouse.Exchange(Request(0xAA));
    ASSERT_TRUE(query);
    EXPECT_EQ((*query)[8], 0xFF);
    ASSERT_TRUE(mouse.WriteBlock(0x06, std::vector<std::uint8_t>(30, 0x5A), 24, 128));
    EXPECT_EQ(hub->Dump("mouse", Region::Parameters)->at(128 + 29), 0x5A);
    EXPECT_EQ(mouse.Write(Request(0x01)) , 64);
    EXPECT_TRUE(mouse.Read());

    RawLink notifications(*remote, NotificationPath(*hub, 0x6C02));
    ASSERT_TRUE(notifications.IsOpen());
    EXPECT_FALSE(notifications.Read(0));
    ASSERT_EQ(remote->RunCommand({"profile", "mouse", "2"}).text, "ok");
    const auto code = notifications.Read();
    ASSERT_TRUE(code);
    EXPECT_EQ((*code)[0], 0x03);
    EXPECT_EQ((*code)[1], 0x02);
    EXPECT_EQ((*code)[2], 0x10);
}

TEST_F(SimRemoteTest, AnUnplugEndsTheRemoteConnectionAndMovesTheCounter)
{
    RawLink keyboard(*remote, CommandPath(*hub, 0x6B01));
    ASSERT_TRUE(keyboard.IsOpen());
    const auto before = remote->ChangeCounter();
    const ControlResult unplugged = remote->RunCommand({"unplug", "keyboard"});
    EXPECT_TRUE(unplugged.ok) << unplugged.text;
    std::array<std::uint8_t, 64> buffer{};
    EXPECT_EQ(keyboard.Connection().Read(buffer.data(), buffer.size(), 5000), -1);
    EXPECT_EQ(keyboard.Write(Request(0x01)), -1);
    EXPECT_NE(remote->ChangeCounter(), before);
    hid::OpenError error = hid::OpenError::None;
    EXPECT_FALSE(remote->Open(CommandPath(*hub, 0x6B02), error));
    EXPECT_EQ(error, hid::OpenError::NotFound);
}

TEST_F(SimRemoteTest, AbortEndsAWaitingReadAtOnce)
{
    RawLink keyboard(*remote, NotificationPath(*hub, 0x6B01));
    ASSERT_TRUE(keyboard.IsOpen());
    std::thread aborter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        keyboard.Connection().Abort();
    });
    std::array<std::uint8_t, 3> buffer{};
    EXPECT_EQ(keyboard.Connection().Read(buffer.data(), buffer.size(), -1), -1);
    aborter.join();
    EXPECT_EQ(keyboard.Write(Request(0x01)), -1);
}

TEST_F(SimRemoteTest, CommandsReportTheirFaults)
{
    EXPECT_FALSE(remote->RunCommand({"plug", "mousepad", "--receiver"}).ok);
    EXPECT_FALSE(remote->RunCommand({"fault", "mouse", "melt"}).ok);
    EXPECT_FALSE(remote->RunCommand({"battery", "mouse", "150"}).ok);
    EXPECT_TRUE(remote->RunCommand({"fault", "mouse", "status-fe", "always"}).ok);
    const ControlResult listed = remote->RunCommand({"list"});
    EXPECT_NE(listed.text.find("fault status-fe always"), std::string::npos) << listed.text;
    const ControlResult dump = remote->RunCommand({"dump", "keyboard", "info"});
    EXPECT_EQ(dump.text.substr(0, 24), "0000: 00 00 00 00 00 7a ");
}

TEST_F(SimRemoteTest, TheSimulatorBackEndPrefersTheRunningServer)
{
    const auto backend = MakeSimulatorBackend();
    ASSERT_TRUE(std::dynamic_pointer_cast<RemoteSimBackend>(backend));
    remote.reset();
    stop.Set();
    serving.join();
    serving = std::thread([] {});
    const auto alone = MakeSimulatorBackend();
    ASSERT_TRUE(alone);
    EXPECT_FALSE(std::dynamic_pointer_cast<RemoteSimBackend>(alone));
    // All four devices on their cables, no receivers.
    const auto present = alone->Enumerate();
    for (std::uint16_t product : {0x6B01, 0x6C01, 0x6D01, 0x1630})
        EXPECT_TRUE(std::any_of(present.begin(), present.end(), [&](const auto& i) { return i.productId == product; }));
    EXPECT_FALSE(std::any_of(present.begin(), present.end(), [](const auto& i) { return i.productId == 0x6B02; }));
}

}  // namespace
}  // namespace q31::sim::test
