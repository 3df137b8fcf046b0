// The commands against the simulated devices: which reports they send, how
// blocks are chunked on each kind of link, and what lands in device memory.
#include "tests/protocol/link_test_support.h"

#include "hid/hid_catalogue.h"
#include "protocol/command_codes.h"
#include "protocol/link_attach.h"
#include "protocol/result_codes.h"
#include "tests/protocol/echo_backend.h"

namespace q31::test {
namespace {

using CommandSetTest = SimLinkTest;

std::vector<int> Lengths(const std::vector<Report>& requests)
{
    std::vector<int> lengths;
    for (const Report& request : requests)
        lengths.push_back(request[kLengthByte]);
    return lengths;
}

std::vector<int> Addresses(const std::vector<Report>& requests)
{
    std::vector<int> addresses;
    for (const Report& request : requests)
        addresses.push_back(request[kAddressByte] | request[kAddressByte + 1] << 8);
    return addresses;
}

TEST_F(CommandSetTest, DeviceInformationTakesOneReportOnACableAndTwoWithSmallChunks)
{
    struct Case {
        const char* device;
        std::uint16_t type;
        std::vector<int> lengths;
    };
    const std::vector<Case> cases = {
        {"keyboard", Keyboard, {34}},
        {"mouse", Mouse, {34}},
        {"keyboard", KeyboardReceiver, {24, 10}},
        {"mouse", MouseReceiver, {24, 10}},
        {"mousepad", MousePad, {24, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device + std::to_string(c.type));
        CDeviceLink link;
        Connect(link, c.device, c.type);
        std::array<std::uint8_t, 34> info{};
        ASSERT_EQ(link.ReadDeviceInfo(info), kResultSuccess);
        const auto requests = TakeRequests();
        EXPECT_EQ(Lengths(requests), c.lengths);
        EXPECT_EQ(requests.back()[kCommandByte], kCmdReadDeviceInfo);
        const auto expected = Memory(c.device, sim::Region::DeviceInfo);
        EXPECT_TRUE(std::equal(info.begin(), info.end(), expected.begin()));
        ASSERT_EQ(hub->Unplug(c.device, c.type == KeyboardReceiver || c.type == MouseReceiver
                                            ? sim::Route::Receiver
                                            : sim::Route::Cable),
                  "");
    }
}

TEST_F(CommandSetTest, AFailedDeviceInformationReadLeavesTheRecordAsItWas)
{
    CDeviceLink link;
    Connect(link, "mousepad", MousePad);
    // The first of the two reports is answered, then the device goes away.
    sim::SimFault fault;
    fault.kind = sim::FaultKind::Unplug;
    fault.afterReports = 1;
    fault.command = kCmdReadDeviceInfo;
    ASSERT_EQ(hub->AddFault("mousepad", fault), "");
    std::array<std::uint8_t, 34> info;
    info.fill(0x5A);
    EXPECT_EQ(link.ReadDeviceInfo(info), kResultNoReply);
    EXPECT_EQ(TakeRequests().size(), 2u);
    EXPECT_TRUE(std::all_of(info.begin(), info.end(), [](auto b) { return b == 0x5A; }));
}

TEST_F(CommandSetTest, KeyMapRoundTripsAtThreeBytesPerKeyAndOnlyBankZeroIsWritten)
{
    CDeviceLink link;
    Connect(link, "keyboard", Keyboard);
    std::array<std::uint8_t, 34> info{};
    ASSERT_EQ(link.ReadDeviceInfo(info), kResultSuccess);
    ASSERT_EQ(link.SetBlockLength(static_cast<std::uint16_t>(3 * info[5])), 1);
    std::vector<std::uint8_t> keys(link.BlockLength());
    ASSERT_EQ(link.ReadKeyMap(keys.data()), kResultSuccess);
    EXPECT_EQ(keys, Memory("keyboard", sim::Region::KeyMap));
    TakeRequests();

    EXPECT_EQ(link.WriteKeyMap(keys.data(), 1), kResultBadBank);
    EXPECT_EQ(link.WriteKeyMap(keys.data(), -1), kResultBadBank);
    EXPECT_TRUE(TakeRequests().empty());

    keys[0] = 0xA0;
    keys.back() = 0x3C;
    ASSERT_EQ(link.WriteKeyMap(keys.data(), 0), kResultSuccess);
    EXPECT_EQ(keys, Memory("keyboard", sim::Region::KeyMap));
    const auto requests = TakeRequests();
    EXPECT_EQ(requests.size(), (keys.size() + 55) / 56);
    EXPECT_EQ(Addresses(requests).back(), 56 * static_cast<int>(requests.size() - 1));
}

TEST_F(CommandSetTest, KeyLightMapReadsOneByteForEachThreeOfTheBlockLength)
{
    CDeviceLink link;
    Connect(link, "keyboard", KeyboardReceiver);
    ASSERT_EQ(link.SetBlockLength(3 * 122), 1);
    std::vector<std::uint8_t> lights(123, 0xEE);
    ASSERT_EQ(link.ReadKeyLightMap(lights.data()), kResultSuccess);
    EXPECT_EQ(Lengths(TakeRequests()), (std::vector<int>{24, 24, 24, 24, 24, 2}));
    const auto expected = Memory("keyboard", sim::Region::KeyLightMap);
    EXPECT_TRUE(std::equal(lights.begin(), lights.begin() + 122, expected.begin()));
    EXPECT_EQ(lights[122], 0xEE);
}

TEST(KeyLightMapLengthTest, BlockLengthsFiveTenAndFiveTwelveBothRead170Bytes)
{
    // The simulated keyboard has fewer keys, so a device that takes any length answers here.
    auto backend = std::make_shared<EchoBackend>();
    hid::SetHidBackend(backend);
    CDeviceLink link;
    ASSERT_TRUE(AttachCommandInterface(link, EchoBackend::kPath, Keyboard));
    std::size_t seen = 0;
    for (std::uint16_t blockLength : {510, 512}) {
        ASSERT_EQ(link.SetBlockLength(blockLength), 1);
        std::vector<std::uint8_t> lights(171, 0xEE);
        EXPECT_EQ(link.ReadKeyLightMap(lights.data()), kResultSuccess);
        const auto all = backend->Requests();
        const std::vector<Report> requests(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
        seen = all.size();
        EXPECT_EQ(Lengths(requests), (std::vector<int>{56, 56, 56, 2}));
        EXPECT_EQ(Addresses(requests).back(), 168);
        EXPECT_EQ(lights[170], 0xEE);
    }
    hid::SetHidBackend(nullptr);
}

TEST_F(CommandSetTest, ParametersAreWrittenAtTheBaseAndTheShortLastChunkKeepsTheOldTail)
{
    CDeviceLink link;
    Connect(link, "mousepad", MousePad);
    const auto data = Pattern(30, 0x21);
    ASSERT_EQ(link.WriteParams(data.data(), data.size(), 64), kResultSuccess);
    const auto requests = TakeRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(Lengths(requests), (std::vector<int>{24, 6}));
    EXPECT_EQ(Addresses(requests), (std::vector<int>{64, 88}));
    EXPECT_TRUE(std::equal(requests[0].begin() + kDataByte + 6, requests[0].begin() + kDataByte + 24,
                           requests[1].begin() + kDataByte + 6));
    const auto memory = Memory("mousepad", sim::Region::Parameters);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), memory.begin() + 64));
    EXPECT_EQ(memory[94], 0);  // the stale tail was not written

    std::vector<std::uint8_t> back(30);
    ASSERT_EQ(link.ReadParams(back.data(), back.size(), 64), kResultSuccess);
    EXPECT_EQ(back, data);
}

TEST_F(CommandSetTest, PagesAreAddressedByPageIndexTimesPageSize)
{
    CDeviceLink link;
    Connect(link, "keyboard", Keyboard);
    const auto page = Pattern(512, 3);
    ASSERT_EQ(link.WritePage(page.data(), page.size(), 1, 512), kResultSuccess);
    const auto requests = TakeRequests();
    EXPECT_EQ(requests.size(), 10u);
    EXPECT_EQ(Addresses(requests).front(), 512);
    const auto memory = Memory("keyboard", sim::Region::ColourPages);
    ASSERT_GE(memory.size(), 1024u);
    EXPECT_TRUE(std::equal(page.begin(), page.end(), memory.begin() + 512));
    // A page beyond the 16-bit address space would wrap onto page 0.
    EXPECT_EQ(link.WritePage(page.data(), page.size(), 128, 512), kResultWriteFailed);
    EXPECT_EQ(link.WritePage(page.data(), page.size(), -1, 512), kResultWriteFailed);
    EXPECT_TRUE(TakeRequests().empty());
}

TEST_F(CommandSetTest, ShootingDataUsesFullChunksEvenThroughTheReceiver)
{
    CDeviceLink link;
    Connect(link, "mouse", MouseReceiver);
    const auto data = Pattern(100, 9);
    ASSERT_EQ(link.WriteShootData(data.data(), data.size()), kResultSuccess);
    const auto requests = TakeRequests();
    EXPECT_EQ(Lengths(requests), (std::vector<int>{56, 44}));
    EXPECT_EQ(Addresses(requests), (std::vector<int>{0, 56}));
    const auto memory = Memory("mouse", sim::Region::ShootData);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), memory.begin()));
}

TEST_F(CommandSetTest, MacrosFollowTheLinkChunkSize)
{
    CDeviceLink link;
    Connect(link, "keyboard", KeyboardReceiver);
    std::vector<std::uint8_t> macros(24, 0xFF);
    ASSERT_EQ(link.WriteMacros(macros.data(), macros.size()), kResultSuccess);
    const auto requests = TakeRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0][1], 0x15);
    EXPECT_EQ(requests[0][2], 0x18);
}

TEST_F(CommandSetTest, StatusIsOneReportWithTheLinkByteSetByTheRoute)
{
    CDeviceLink link;
    Connect(link, "mouse", MouseReceiver);
    ASSERT_EQ(hub->SetBattery("mouse", 42, 1), "");
    std::array<std::uint8_t, 6> status{};
    ASSERT_EQ(link.ReadStatus(status.data(), status.size(), 0), kResultSuccess);
    EXPECT_EQ(status[0], 42);
    EXPECT_EQ(status[1], 1);
    EXPECT_EQ(status[3], 1);
    EXPECT_EQ(TakeRequests().size(), 1u);
    std::vector<std::uint8_t> tooLong(57);
    EXPECT_EQ(link.ReadStatus(tooLong.data(), tooLong.size(), 0), kResultWriteFailed);
    EXPECT_TRUE(TakeRequests().empty());
}

TEST_F(CommandSetTest, BracketsAndLightControlReachTheDevice)
{
    CDeviceLink link;
    Connect(link, "keyboard", Keyboard);
    EXPECT_EQ(link.BeginConfig(), kResultSuccess);
    EXPECT_TRUE(hub->Brackets("keyboard")->open);
    EXPECT_EQ(link.EndConfig(), kResultSuccess);
    EXPECT_FALSE(hub->Brackets("keyboard")->open);
    EXPECT_EQ(link.TakeLightControl(), kResultSuccess);
    EXPECT_TRUE(*hub->LightControlTaken("keyboard"));
    const auto requests = TakeRequests();
    ASSERT_EQ(requests.size(), 3u);
    for (const Report& request : requests) {
        EXPECT_EQ(request[kLengthByte], 0);
        EXPECT_EQ(Addresses({request}).front(), 0);
    }
}

TEST_F(CommandSetTest, ReceiverLinkQueryOnACableSendsNothing)
{
    CDeviceLink link;
    Connect(link, "mouse", Mouse);
    EXPECT_TRUE(link.QueryReceiverLink());
    EXPECT_TRUE(TakeRequests().empty());
}

TEST_F(CommandSetTest, LightFramesStreamOnTheCableAndNeverThroughTheReceiver)
{
    CDeviceLink cable;
    Connect(cable, "mouse", Mouse);
    const auto frame = Pattern(45, 1);
    ASSERT_EQ(cable.StreamLights(frame.data(), frame.size()), kResultSuccess);
    EXPECT_EQ(Lengths(TakeRequests()), (std::vector<int>{45}));
    const auto memory = Memory("mouse", sim::Region::LightFrame);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), memory.begin()));

    CDeviceLink receiver;
    Connect(receiver, "keyboard", KeyboardReceiver);
    EXPECT_EQ(receiver.StreamLights(frame.data(), frame.size()), kResultSuccess);
    EXPECT_TRUE(TakeRequests().empty());
}

TEST_F(CommandSetTest, ALightFrameReplyWithAnErrorStatusIsReported)
{
    CDeviceLink link;
    Connect(link, "mousepad", MousePad);
    sim::SimFault fault;
    fault.kind = sim::FaultKind::StatusFE;
    ASSERT_EQ(hub->AddFault("mousepad", fault), "");
    const auto frame = Pattern(45, 1);
    EXPECT_EQ(link.StreamLights(frame.data(), frame.size()), kResultStatusFE);
    EXPECT_EQ(TakeRequests().size(), 1u);
}

TEST_F(CommandSetTest, AnyCommandCanBeSentAsOneRawExchange)
{
    CDeviceLink link;
    Connect(link, "mousepad", MousePad);
    Report reply{};
    const std::uint8_t data[] = {9, 8, 7};
    ASSERT_EQ(link.CommandExchange(kCmdWriteParams, 0x40, data, sizeof data, reply), kResultSuccess);
    EXPECT_EQ(reply[kCommandByte], kCmdWriteParams);
    EXPECT_EQ(Memory("mousepad", sim::Region::Parameters)[0x42], 7);
    std::vector<std::uint8_t> tooMuch(57);
    EXPECT_EQ(link.CommandExchange(kCmdWriteParams, 0, tooMuch.data(), tooMuch.size(), reply), kResultWriteFailed);
    // An unknown command is refused by the device, not by the link.
    EXPECT_EQ(link.CommandExchange(0x7E, 0, nullptr, 0, reply), kResultStatusFE);
}

}  // namespace
}  // namespace q31::test
