// One request and its reply through CDeviceLink, the simulator behind the real
// CHidDevice: echo matching, late and stale replies, the receiver's unreachable
// answer, status codes, failures, modes and the debug lines.
#include "tests/protocol/link_test_support.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "hid/hid_catalogue.h"
#include "protocol/command_codes.h"
#include "protocol/result_codes.h"
#include "sim/sim_hid_backend.h"

namespace q31::test {
namespace {

Report Sealed(std::uint8_t command, std::uint8_t length = 0, std::uint16_t address = 0)
{
    Report request = StartRequest(command);
    SetRequestHeader(request, length, address);
    SealRequest(request);
    return request;
}

class LinkExchangeTest : public SimLinkTest {
protected:
    // Another handle on the command interface of this type; the device's
    // replies reach every open handle, as with hidraw.
    std::unique_ptr<hid::IHidConnection> SecondHandle(std::uint16_t deviceType)
    {
        sim::SimHidBackend backend(hub);
        hid::OpenError error = hid::OpenError::None;
        return backend.Open(InterfacePath(*hub, deviceType, kChannelCommand), error);
    }

    // Writes request through other as soon as the link's request for command
    // has reached the device, so that its reply queues up behind the link's.
    std::thread SendAfterRequest(hid::IHidConnection& other, std::uint8_t command, Report request)
    {
        return std::thread([this, &other, command, request] {
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!RequestSeen(command) && std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            other.Write(request.data(), request.size(), 1000);
        });
    }

private:
    bool RequestSeen(std::uint8_t command) const
    {
        const auto entries = hub->Log().Entries();
        return std::any_of(entries.begin(), entries.end(), [&](const sim::TrafficEntry& entry) {
            return entry.direction == sim::Direction::ToDevice && entry.bytes.size() == kReportLength &&
                   entry.bytes[kCommandByte] == command;
        });
    }
};

TEST_F(LinkExchangeTest, AClosedLinkAnswersZeroToEveryCommandAndWritesNothing)
{
    CDeviceLink link;
    ASSERT_EQ(hub->Plug("keyboard", sim::Route::Cable), "");
    hub->Log().Clear();
    std::array<std::uint8_t, 34> info{};
    std::vector<std::uint8_t> buffer(512);
    EXPECT_EQ(link.BeginConfig(), kResultNoReply);
    EXPECT_EQ(link.ReadDeviceInfo(info), kResultNoReply);
    EXPECT_EQ(link.WriteParams(buffer.data(), 28, 0), kResultNoReply);
    EXPECT_EQ(link.ReadKeyMap(buffer.data()), kResultNoReply);
    EXPECT_EQ(link.StreamLights(buffer.data(), 45), kResultNoReply);
    EXPECT_EQ(link.WriteShootData(buffer.data(), 100), kResultNoReply);
    EXPECT_EQ(link.EndConfig(), kResultNoReply);
    Report reply{};
    const Report request = Sealed(kCmdBeginConfig);
    EXPECT_EQ(link.TransceiveQuick(request.data(), request.size(), reply.data(), reply.size(), nullptr),
              kResultNoReply);
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_FALSE(link.IsBusy());
}

TEST_F(LinkExchangeTest, TwoWrongEchoesEndTheExchangeWithTheSecondReply)
{
    CDeviceLink link;
    Connect(link, "keyboard", Keyboard);
    auto other = SecondHandle(Keyboard);
    ASSERT_TRUE(other);
    sim::SimFault wrongEcho;
    wrongEcho.kind = sim::FaultKind::WrongEcho;
    for (std::uint8_t command : {kCmdBeginConfig, kCmdTakeLightControl}) {
        wrongEcho.command = command;
        ASSERT_EQ(hub->AddFault("keyboard", wrongEcho), "");
    }

    // The BeginConfig reply comes back for another command, and behind it the
    // reply to a request of another handle: a good one for 0x05.
    std::thread sender = SendAfterRequest(*other, kCmdBeginConfig, Sealed(kCmdReadParams, 1, 0));
    Report reply{};
    const Report begin = Sealed(kCmdBeginConfig);
    DWORD bytesRead = 0;
    EXPECT_EQ(link.Transceive(begin.data(), begin.size(), reply.data(), reply.size(), &bytesRead), kResultSuccess);
    sender.join();
    EXPECT_EQ(reply[kCommandByte], kCmdReadParams);
    EXPECT_EQ(bytesRead, 64u);

    // A command looks at the status of the reply it was left with: here one
    // with status 0xFF for a 0x06 whose checksum was wrong.
    Report badChecksum = Sealed(kCmdWriteParams, 1, 0);
    badChecksum[1] ^= 1;
    sender = SendAfterRequest(*other, kCmdTakeLightControl, badChecksum);
    EXPECT_EQ(link.TakeLightControl(), kResultStatusFF);
    sender.join();
}

TEST_F(LinkExchangeTest, AReplyThatComesAfterTheFirstReadTimedOutIsTakenByTheSecond)
{
    CDeviceLink link;
    Connect(link, "keyboard", Keyboard);
    sim::SimFault slow;
    slow.kind = sim::FaultKind::DelayedReply;
    slow.delayMs = 1500;
    slow.command = kCmdReadDeviceInfo;
    ASSERT_EQ(hub->AddFault("keyboard", slow), "");
    std::array<std::uint8_t, 34> info{};
    EXPECT_EQ(link.ReadDeviceInfo(info), kResultSuccess);
    const auto expected = Memory("keyboard", sim::Region::DeviceInfo);
    EXPECT_TRUE(std::equal(info.begin(), info.end(), expected.begin()));
    EXPECT_EQ(TakeRequests().size(), 1u);
}

TEST_F(LinkExchangeTest, ReportsWaitingBeforeARequestAreNeverTakenForItsReply)
{
    CDeviceLink link;
    Connect(link, "keyboard", Keyboard);
    const auto params = Pattern(16, 0x31);
    ASSERT_EQ(link.WriteParams(params.data(), params.size(), 0), kResultSuccess);

    // A reply for the same command, but other data, already waits.
    auto other = SecondHandle(Keyboard);
    ASSERT_TRUE(other);
    const Report stale = Sealed(kCmdReadParams, 8, 0);
    ASSERT_EQ(other->Write(stale.data(), stale.size(), 1000), 64);
    std::vector<std::uint8_t> back(8);
    EXPECT_EQ(link.ReadParams(back.data(), back.size(), 8), kResultSuccess);
    EXPECT_TRUE(std::equal(back.begin(), back.end(), params.begin() + 8));

    // A reply later than both reads of its own request waits for the next one.
    sim::SimFault late;
    late.kind = sim::FaultKind::DelayedReply;
    late.delayMs = 2500;
    late.command = kCmdReadParams;
    ASSERT_EQ(hub->AddFault("keyboard", late), "");
    EXPECT_EQ(link.ReadParams(back.data(), back.size(), 0), kResultNoReply);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(link.ReadParams(back.data(), back.size(), 8), kResultSuccess);
    EXPECT_TRUE(std::equal(back.begin(), back.end(), params.begin() + 8));
}

TEST_F(LinkExchangeTest, AJunkReportBeforeTheReplyIsSkipped)
{
    CDeviceLink link;
    Connect(link, "mouse", Mouse);
    sim::SimFault garbage;
    garbage.kind = sim::FaultKind::Garbage;
    ASSERT_EQ(hub->AddFault("mouse", garbage), "");
    std::array<std::uint8_t, 34> info{};
    EXPECT_EQ(link.ReadDeviceInfo(info), kResultSuccess);
    const auto expected = Memory("mouse", sim::Region::DeviceInfo);
    EXPECT_TRUE(std::equal(info.begin(), info.end(), expected.begin()));
}

TEST_F(LinkExchangeTest, AnUnreachableDeviceBehindTheReceiverFailsAtTheFirstRead)
{
    CDeviceLink link;
    Connect(link, "keyboard", KeyboardReceiver);
    ASSERT_EQ(hub->SetReachable("keyboard", false), "");
    EXPECT_EQ(link.BeginConfig(), kResultUnreachable);
    EXPECT_FALSE(link.QueryReceiverLink());
    ASSERT_EQ(hub->SetReachable("keyboard", true), "");
    EXPECT_EQ(link.BeginConfig(), kResultSuccess);
    EXPECT_TRUE(link.QueryReceiverLink());
    // Each of those exchanges took one report: nothing was left unread.
    EXPECT_EQ(TakeRequests().size(), 4u);
}

TEST_F(LinkExchangeTest, ReplyStatusFFAndFEBecomeTheirResultCodes)
{
    CDeviceLink link;
    Connect(link, "mousepad", MousePad);
    sim::SimFault fault;
    fault.kind = sim::FaultKind::StatusFF;
    ASSERT_EQ(hub->AddFault("mousepad", fault), "");
    EXPECT_EQ(link.BeginConfig(), kResultStatusFF);
    fault.kind = sim::FaultKind::StatusFE;
    ASSERT_EQ(hub->AddFault("mousepad", fault), "");
    std::vector<std::uint8_t> params(28);
    EXPECT_EQ(link.ReadParams(params.data(), params.size(), 25), kResultStatusFE);
    EXPECT_EQ(TakeRequests().size(), 2u);  // the read stopped at its first report
}

TEST_F(LinkExchangeTest, AFailedWriteIsMinusOneAndAMissingReplyIsZero)
{
    CDeviceLink link;
    Connect(link, "keyboard", Keyboard);
    sim::SimFault lost;
    lost.kind = sim::FaultKind::NoReply;
    ASSERT_EQ(hub->AddFault("keyboard", lost), "");
    EXPECT_EQ(link.BeginConfig(), kResultNoReply);
    EXPECT_EQ(link.BeginConfig(), kResultSuccess);

    ASSERT_EQ(hub->Unplug("keyboard", sim::Route::Cable), "");
    EXPECT_EQ(link.BeginConfig(), kResultWriteFailed);
    EXPECT_FALSE(link.IsBusy());
}

TEST_F(LinkExchangeTest, RequestsAreCutOrPaddedToSixtyFourBytes)
{
    CDeviceLink link;
    Connect(link, "keyboard", Keyboard);
    Report reply{};
    const std::uint8_t shortRequest[] = {0x04, 0x01, 0x00, 0x01};
    EXPECT_EQ(link.Transceive(shortRequest, sizeof shortRequest, reply.data(), reply.size(), nullptr),
              kResultSuccess);
    std::vector<std::uint8_t> longRequest(80, 0);
    std::copy(std::begin(shortRequest), std::end(shortRequest), longRequest.begin());
    longRequest[70] = 0x99;
    std::vector<std::uint8_t> smallReply(10, 0xEE);
    EXPECT_EQ(link.Transceive(longRequest.data(), longRequest.size(), smallReply.data(), smallReply.size(), nullptr),
              kResultSuccess);
    EXPECT_EQ(smallReply[3], kCmdBeginConfig);
    const auto requests = TakeRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], Sealed(kCmdBeginConfig));
    EXPECT_EQ(requests[1], Sealed(kCmdBeginConfig));
}

TEST_F(LinkExchangeTest, ModesChooseTheChunkSizeAndBlockLengthStaysWithinOneBank)
{
    CDeviceLink link;
    EXPECT_EQ(link.ChunkSize(), 24);
    EXPECT_FALSE(link.IsReceiverMode());
    EXPECT_EQ(link.BlockLength(), 512);
    link.SetMode(CDeviceLink::kModeCable);
    EXPECT_EQ(link.ChunkSize(), 56);
    link.SetMode(CDeviceLink::kModeReceiver);
    EXPECT_EQ(link.ChunkSize(), 24);
    EXPECT_TRUE(link.IsReceiverMode());
    link.SetMode(7);
    EXPECT_EQ(link.ChunkSize(), 56);
    EXPECT_FALSE(link.IsReceiverMode());

    EXPECT_EQ(link.SetBlockLength(513), 0);
    EXPECT_EQ(link.BlockLength(), 512);
    EXPECT_EQ(link.SetBlockLength(510), 1);
    EXPECT_EQ(link.BlockLength(), 510);
}

TEST_F(LinkExchangeTest, EveryExchangeIsDumpedAsCommandAndReplyHexLines)
{
    CDeviceLink link;
    Connect(link, "keyboard", Keyboard);
    DebugCapture capture;
    EXPECT_EQ(link.BeginConfig(), kResultSuccess);
    const QStringList lines = capture.Lines();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("命令"));
    EXPECT_EQ(lines[1], QStringLiteral("04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  "
                                       "00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00"));
    EXPECT_EQ(lines[3], QStringLiteral("返回"));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("04 02 00 01   00 00 00 01   00")));
    // The light stream writes none.
    std::vector<std::uint8_t> frame(45, 0x10);
    EXPECT_EQ(link.StreamLights(frame.data(), frame.size()), kResultSuccess);
    EXPECT_EQ(capture.Lines().size(), 6);
}

}  // namespace
}  // namespace q31::test
