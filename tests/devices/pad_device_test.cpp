// The mouse pad page the program ships, over the simulated pad: what it asks
// at activation, the record a lighting change leaves in the pad, what a read
// takes in and what a failed one leaves alone, and the live preview.
#include "devices/halvorin_mouse_pad_device.h"

#include "platform/folders.h"
#include "protocol/command_codes.h"
#include "tests/devices/device_test_support.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace q31::test {
namespace {

constexpr int kPadLights = 15;
// The simulated pad's own record bytes 9-20, and its direction byte.
const std::vector<std::uint8_t> kPadsOwnBytes = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60,
                                                 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0};
constexpr std::uint8_t kPadsDirection = 1;

class PadDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(UserDataFolder(QStringLiteral("MousePad"))).removeRecursively();
        page = qobject_cast<CHalvorinMousePadDevice*>(builder.BuildShipped("mousepaddevice.xml"));
        ASSERT_NE(page, nullptr);
        page->SetKindName(QStringLiteral("MousePad"));
        page->SetLightCount(kPadLights);
        page->CreatePage();
        builder.ShowAtWindowSize(*page);
        ASSERT_TRUE(bus.Connect(page->CommandLink(), "mousepad", MousePad));
        page->OnActivated();
        ASSERT_TRUE(WaitForResults());
    }

    bool WaitForResults() { return WaitForDeviceWork(*page) && (QTest::qWait(20), true); }

    std::vector<std::uint8_t> Record() const
    {
        const auto memory = *bus.hub->Dump("mousepad", sim::Region::Parameters);
        return {memory.begin(), memory.begin() + devices::kPadRecordSize};
    }

    std::vector<std::uint8_t> OwnBytes() const
    {
        const auto record = Record();
        return {record.begin() + devices::kPadOwnBytes, record.end()};
    }

    // The lighting editor's way to a change: settings, profile, record.
    void ChangeLight(int mode, int speed, devices::Rgb colour)
    {
        LightSettings light = page->GetLightSettingsBytes();
        light[devices::kSettingEffect] = std::uint8_t(mode);
        light[devices::kSettingSpeed] = std::uint8_t(speed);
        light[devices::kSettingMultiColour] = 0;
        light[devices::kSettingRed] = colour.r;
        light[devices::kSettingGreen] = colour.g;
        light[devices::kSettingBlue] = colour.b;
        const LightWords words = PackLightWords(light);
        page->SetLightSettings(words[0], words[1], words[2], words[3]);
        page->SaveProfile();
        page->ApplyProfile();
        page->WriteSettings(0, 0, 1, 1920, 1080);
        ASSERT_TRUE(WaitForResults());
    }

    void FailReads()
    {
        sim::SimFault fault;
        fault.kind = sim::FaultKind::StatusFE;
        fault.times = sim::SimFault::kAlways;
        fault.command = std::uint8_t(kCmdReadParams);
        ASSERT_EQ(bus.hub->AddFault("mousepad", fault), "");
    }

    SimBus bus;
    PageBuilder builder;
    CHalvorinMousePadDevice* page = nullptr;
};

TEST_F(PadDeviceTest, ActivationAsksForTheInformationInABracketAndTakesTheProfile)
{
    // The record comes in as many reports as it takes.
    std::vector<int> commands = bus.TakeCommands();
    commands.erase(std::unique(commands.begin(), commands.end()), commands.end());
    EXPECT_EQ(commands, (std::vector<int>{kCmdBeginConfig, kCmdReadDeviceInfo, kCmdEndConfig}));
    EXPECT_TRUE(QFile::exists(UserDataFolder(QStringLiteral("MousePad")) + QStringLiteral("/ProfileList.ini")));
    // The shipped profile: flow, brightness 4, speed 2, multi-colour.
    const LightSettings light = page->GetLightSettingsBytes();
    EXPECT_EQ(light[devices::kSettingBrightness], 4);
    EXPECT_EQ(page->DeviceState()[devices::kPadBrightnessByte], 4);
    ASSERT_NE(page->LightEditor(), nullptr);
    EXPECT_EQ(page->LightEditor()->GetDeviceKind(), CHalvorinMousePadDevice::kKindNumber);
    EXPECT_EQ(page->LightEditor()->GetBrightness(), 4);
}

TEST_F(PadDeviceTest, ALightingChangeReachesTheRecordAndKeepsThePadsOwnBytes)
{
    bus.TakeCommands();
    ChangeLight(6, 4, {1, 2, 3});
    // The pad's own bytes were not known yet: read first, then written back unchanged.
    std::vector<int> commands = bus.TakeCommands();
    commands.erase(std::unique(commands.begin(), commands.end()), commands.end());
    EXPECT_EQ(commands, (std::vector<int>{kCmdReadParams, kCmdBeginConfig, kCmdWriteParams, kCmdEndConfig}));
    const auto record = Record();
    EXPECT_EQ(record[devices::kPadModeByte], 6);
    EXPECT_EQ(record[devices::kPadSpeedByte], 0);
    EXPECT_EQ(record[devices::kPadMultiColourByte], 0);
    EXPECT_EQ((std::vector<std::uint8_t>{record[6], record[7], record[8]}), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(record[devices::kPadDirectionByte], kPadsDirection);
    EXPECT_EQ(OwnBytes(), kPadsOwnBytes);
    EXPECT_EQ(page->Profile().ReadLightInfo()[devices::kSettingEffect], 6);

    // Once known, a change is written without a read.
    ChangeLight(3, 1, {9, 9, 9});
    const std::vector<int> again = bus.TakeCommands();
    EXPECT_EQ(again, (std::vector<int>{kCmdBeginConfig, kCmdWriteParams, kCmdEndConfig}));
    EXPECT_EQ(Record()[devices::kPadSpeedByte], 3);
    EXPECT_EQ(OwnBytes(), kPadsOwnBytes);
}

TEST_F(PadDeviceTest, AReadTakesTheCurrentProfileAndTheRecordAsThePadHoldsIt)
{
    page->SyncFromDevice();
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(page->DeviceProfile(), 0);
    const devices::PadRecord& state = page->DeviceState();
    EXPECT_EQ(state[devices::kPadModeByte], 1);
    EXPECT_EQ(state[devices::kPadSpeedByte], 2);
    EXPECT_EQ(state[devices::kPadDirectionByte], kPadsDirection);
    EXPECT_TRUE(std::equal(kPadsOwnBytes.begin(), kPadsOwnBytes.end(), state.begin() + devices::kPadOwnBytes));
}

TEST_F(PadDeviceTest, AFailedReadKeepsTheStateSoTheNextWriteKeepsThePadsOwnBytes)
{
    page->SyncFromDevice();
    ASSERT_TRUE(WaitForResults());
    FailReads();
    page->SyncFromDevice();
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(page->DeviceState()[devices::kPadDirectionByte], kPadsDirection);
    ASSERT_EQ(bus.hub->ClearFaults("mousepad"), "");

    ChangeLight(2, 2, {4, 5, 6});
    EXPECT_EQ(Record()[devices::kPadDirectionByte], kPadsDirection);
    EXPECT_EQ(OwnBytes(), kPadsOwnBytes);
}

TEST_F(PadDeviceTest, AWriteWhoseReadFailsSendsNothingAndSaysSoUnderTheProfileBar)
{
    FailReads();
    bus.TakeCommands();
    ChangeLight(4, 1, {7, 7, 7});
    const std::vector<int> commands = bus.TakeCommands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), int(kCmdWriteParams)), 0);
    EXPECT_EQ(OwnBytes(), kPadsOwnBytes);
    auto* line = page->findChild<QLabel*>(QStringLiteral("device_status_line"));
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(line->isHidden());
    // The profile keeps the change for the next write.
    EXPECT_EQ(page->Profile().ReadLightInfo()[devices::kSettingEffect], 4);
}

TEST(PadRecordLinkTest, AWriteReturnsTheLinksResult)
{
    SimBus bus;
    CDeviceLink link;
    ASSERT_TRUE(bus.Connect(link, "mousepad", MousePad));
    const devices::PadRecord record{};
    EXPECT_EQ(devices::WritePadRecord(link, record, 0), kResultSuccess);
    sim::SimFault fault;
    fault.kind = sim::FaultKind::StatusFF;
    fault.command = std::uint8_t(kCmdWriteParams);
    ASSERT_EQ(bus.hub->AddFault("mousepad", fault), "");
    EXPECT_EQ(devices::WritePadRecord(link, record, 0), kResultStatusFF);
    // The bracket was closed all the same.
    EXPECT_FALSE(bus.hub->Brackets("mousepad")->open);
    EXPECT_EQ(devices::WritePadRecord(link, record, -1), kResultWriteFailed);
}

TEST_F(PadDeviceTest, ThePreviewPlaysTheModeAndStreamsItsLedsOnTheCable)
{
    ChangeLight(3, 4, {0, 255, 0});
    bool lit = false;
    for (int i = 0; i < 100 && !lit; ++i) {
        QTest::qWait(10);
        lit = page->GetDevedOzirav(7) == devices::PackLightRecord({0, 255, 0, 255});
    }
    ASSERT_TRUE(lit);
    bus.TakeCommands();
    page->PaintLedPreview();
    ASSERT_TRUE(WaitForResults());
    const std::vector<int> streamed = bus.TakeCommands();
    ASSERT_FALSE(streamed.empty());
    EXPECT_TRUE(std::ranges::all_of(streamed, [](int command) { return command == kCmdStreamLights; }));
    const auto frame = *bus.hub->Dump("mousepad", sim::Region::LightFrame);
    EXPECT_EQ((std::vector<std::uint8_t>{frame[3 * 7], frame[3 * 7 + 1], frame[3 * 7 + 2]}),
              (std::vector<std::uint8_t>{0, 255 * 255 >> 8, 0}));
}

}  // namespace
}  // namespace q31::test
