// The device side of the command link, driven with raw 64-byte reports.
#include "sim/sim_hid_backend.h"
#include "tests/sim/sim_test_support.h"

#include <gtest/gtest.h>

namespace q31::sim::test {
namespace {

constexpr std::uint16_t kKeyboard = 0x6B01;
constexpr std::uint16_t kKeyboardReceiver = 0x6B02;
constexpr std::uint16_t kMouse = 0x6C01;
constexpr std::uint16_t kMousePad = 0x6D01;
constexpr std::uint16_t kHeadset = 0x1630;

class SimCommandTest : public ::testing::Test {
protected:
    SimCommandTest() : hub(MakeHub()), backend(hub) {}

    RawLink Plugged(const std::string& device, std::uint16_t productId, Route route = Route::Cable)
    {
        EXPECT_EQ(hub->Plug(device, route), "");
        return RawLink(backend, CommandPath(*hub, productId));
    }

    std::shared_ptr<SimHub> hub;
    SimHidBackend backend;
};

TEST_F(SimCommandTest, AnswersTheWorkedChecksumExamplesByteForByte)
{
    RawLink keyboard = Plugged("keyboard", kKeyboard);
    ASSERT_TRUE(keyboard.IsOpen());
    const Report begin = Bytes("04 01 00 01");
    EXPECT_EQ(Request(0x01), begin);
    const auto reply = keyboard.Exchange(begin);
    ASSERT_TRUE(reply);
    // Echo 01, no length or address, status 01 (success), checksum over bytes 3-63.
    EXPECT_EQ(*reply, Bytes("04 02 00 01 00 00 00 01"));

    const Report macros = Request(0x15, 24, 0, std::vector<std::uint8_t>(24, 0xFF));
    EXPECT_EQ(macros[1], 0x15);
    EXPECT_EQ(macros[2], 0x18);
    const auto written = keyboard.Exchange(macros);
    ASSERT_TRUE(written);
    EXPECT_EQ((*written)[3], 0x15);
    EXPECT_EQ((*written)[7], 0x01);
    EXPECT_EQ(hub->Dump("keyboard", Region::Macros)->at(23), 0xFF);
    EXPECT_EQ(hub->Dump("keyboard", Region::Macros)->at(24), 0x00);
}

TEST_F(SimCommandTest, ABadChecksumIsAnsweredWithStatusFFAndChangesNothing)
{
    RawLink keyboard = Plugged("keyboard", kKeyboard);
    Report request = Request(0x06, 1, 0, {7});
    request[1] ^= 0x01;
    const auto reply = keyboard.Exchange(request);
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], 0x06);
    EXPECT_EQ((*reply)[7], 0xFF);
    EXPECT_EQ(hub->Dump("keyboard", Region::Parameters)->at(0), 0);
}

TEST_F(SimCommandTest, AReportOtherThanTheCommandReportIsRefusedByTheInterface)
{
    RawLink keyboard = Plugged("keyboard", kKeyboard);
    Report wrongId = Request(0x01);
    wrongId[0] = 0x05;
    EXPECT_EQ(keyboard.Write(wrongId), -1);
    EXPECT_EQ(keyboard.Connection().Write(wrongId.data(), 32, 1000), -1);
    // The notification collection takes no command reports.
    RawLink notifications(backend, NotificationPath(*hub, kKeyboard));
    EXPECT_EQ(notifications.Write(Request(0x01)), -1);
}

TEST_F(SimCommandTest, ReadsTheDeviceInformationInChunksOfEitherSize)
{
    RawLink mouse = Plugged("mouse", kMouse);
    const auto cable = mouse.ReadBlock(0x03, 34, 56);
    const auto receiver = mouse.ReadBlock(0x03, 34, 24);
    ASSERT_TRUE(cable && receiver);
    EXPECT_EQ(*cable, *receiver);
    EXPECT_EQ(*cable, *hub->Dump("mouse", Region::DeviceInfo));
    // Key count, macro memory in 128-byte units, sensor 0x3325, step 100,
    // highest index 153, lowest DPI 200.
    EXPECT_EQ((*cable)[5], 11);
    EXPECT_EQ((*cable)[6], 32);
    const std::vector<std::uint8_t> dpi(cable->begin() + 9, cable->begin() + 16);
    EXPECT_EQ(dpi, (std::vector<std::uint8_t>{0x25, 0x33, 100, 153, 0, 200, 0}));
}

TEST_F(SimCommandTest, KeepsTheKeyboardsFactoryKeyMapAndLightMap)
{
    RawLink keyboard = Plugged("keyboard", kKeyboard);
    const auto info = keyboard.ReadBlock(0x03, 34, 56);
    ASSERT_TRUE(info);
    const std::size_t keys = (*info)[5];
    EXPECT_EQ(keys, 122u);
    const auto keyMap = keyboard.ReadBlock(0x07, 3 * keys, 56);
    ASSERT_TRUE(keyMap);
    // Esc first, then F1; the Fn key somewhere in the block.
    EXPECT_EQ(std::vector<std::uint8_t>(keyMap->begin(), keyMap->begin() + 6),
              (std::vector<std::uint8_t>{0x20, 0x00, 0x29, 0x20, 0x00, 0x3A}));
    bool hasFn = false;
    for (std::size_t k = 0; k < keys; ++k)
        hasFn |= (*keyMap)[3 * k] == 0xA0 && (*keyMap)[3 * k + 1] == 0x01;
    EXPECT_TRUE(hasFn);
    const auto lights = keyboard.ReadBlock(0x1B, keys, 24);
    ASSERT_TRUE(lights);
    EXPECT_EQ(*lights, *hub->Dump("keyboard", Region::KeyLightMap));
}

TEST_F(SimCommandTest, WritesAndReadsBlocksByAddressAndTracksConfigBrackets)
{
    RawLink mouse = Plugged("mouse", kMouse);
    std::vector<std::uint8_t> settings(66);
    for (std::size_t i = 0; i < settings.size(); ++i)
        settings[i] = static_cast<std::uint8_t>(i * 3 + 1);
    ASSERT_TRUE(mouse.Exchange(Request(0x01)));
    ASSERT_TRUE(mouse.WriteBlock(0x06, settings, 24, 128));
    ASSERT_TRUE(mouse.Exchange(Request(0x02)));
    const auto back = mouse.ReadBlock(0x05, 66, 56, 128);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, settings);
    const auto brackets = hub->Brackets("mouse");
    EXPECT_EQ(brackets->begun, 1);
    EXPECT_EQ(brackets->ended, 1);
    EXPECT_FALSE(brackets->open);
    EXPECT_EQ(brackets->writesOutside, 0);

    ASSERT_TRUE(mouse.WriteBlock(0x17, std::vector<std::uint8_t>(100, 0x42), 56));
    EXPECT_EQ(hub->Brackets("mouse")->writesOutside, 2);
    EXPECT_EQ(hub->Dump("mouse", Region::ShootData)->at(99), 0x42);
}

TEST_F(SimCommandTest, TheLastShortChunkWritesOnlyItsOwnLength)
{
    RawLink keyboard = Plugged("keyboard", kKeyboard);
    // A 60-byte key map write: 56 bytes, then 4 with the rest of the previous report left behind.
    Report first = Request(0x09, 56, 0, std::vector<std::uint8_t>(56, 0x11));
    ASSERT_TRUE(keyboard.Exchange(first));
    Report second = first;
    second[4] = 4;
    second[5] = 56;
    std::fill(second.begin() + 8, second.begin() + 12, 0x22);
    unsigned sum = 0;
    for (std::size_t i = 3; i < 64; ++i)
        sum += second[i];
    second[1] = static_cast<std::uint8_t>(sum);
    second[2] = static_cast<std::uint8_t>(sum >> 8);
    ASSERT_TRUE(keyboard.Exchange(second));
    const auto map = *hub->Dump("keyboard", Region::KeyMap);
    EXPECT_EQ(map[55], 0x11);
    EXPECT_EQ(map[59], 0x22);
    EXPECT_NE(map[60], 0x11);
}

TEST_F(SimCommandTest, RejectsUnknownCommandsAndAddressesOutsideARegionWithFE)
{
    RawLink pad = Plugged("mousepad", kMousePad);
    EXPECT_EQ((*pad.Exchange(Request(0x42)))[7], 0xFE);
    EXPECT_EQ((*pad.Exchange(Request(0x07, 24)))[7], 0xFE);           // no key map on a pad
    EXPECT_EQ((*pad.Exchange(Request(0x05, 24, 250)))[7], 0xFE);      // past parameter memory
    EXPECT_EQ((*pad.Exchange(Request(0x05, 57, 0)))[7], 0xFE);        // longer than a report holds
    EXPECT_EQ((*pad.Exchange(Request(0x03, 24, 24)))[7], 0xFE);       // 24 + 24 > 34
    EXPECT_EQ((*pad.Exchange(Request(0x03, 10, 24)))[7], 0x01);
}

TEST_F(SimCommandTest, ReadsTheStatusRecordAndFollowsTheBattery)
{
    RawLink mouse = Plugged("mouse", kMouse);
    ASSERT_EQ(hub->SetBattery("mouse", 42, 1), "");
    const auto status = mouse.Exchange(Request(0x1A, 6, 0));
    ASSERT_TRUE(status);
    EXPECT_EQ((*status)[8], 42);
    EXPECT_EQ((*status)[9], 1);
    EXPECT_EQ((*status)[11], 0);  // on the cable
    EXPECT_NE(hub->SetBattery("mouse", 101, std::nullopt), "");
}

TEST_F(SimCommandTest, TakesLightControlAndKeepsTheLiveFrame)
{
    RawLink keyboard = Plugged("keyboard", kKeyboard);
    EXPECT_FALSE(*hub->LightControlTaken("keyboard"));
    ASSERT_TRUE(keyboard.Exchange(Request(0x1C)));
    EXPECT_TRUE(*hub->LightControlTaken("keyboard"));
    ASSERT_TRUE(keyboard.WriteBlock(0x12, std::vector<std::uint8_t>(340, 0x80), 56));
    EXPECT_EQ(hub->Dump("keyboard", Region::LightFrame)->at(339), 0x80);
    ASSERT_TRUE(keyboard.WriteBlock(0x0B, std::vector<std::uint8_t>(366, 0x33), 56, 2 * 512));
    EXPECT_EQ(hub->Dump("keyboard", Region::ColourPages)->at(2 * 512 + 365), 0x33);
}

TEST_F(SimCommandTest, AReceiverRelaysWhileItsDeviceIsReachableAndAnswersAAOtherwise)
{
    RawLink receiver = Plugged("keyboard", kKeyboardReceiver, Route::Receiver);
    ASSERT_TRUE(receiver.IsOpen());
    const auto query = receiver.Exchange(Request(0xAA));
    ASSERT_TRUE(query);
    EXPECT_EQ((*query)[3], 0xAA);
    EXPECT_EQ((*query)[8], 0xFF);
    const auto status = receiver.Exchange(Request(0x1A, 6, 0));
    EXPECT_EQ((*status)[11], 1);  // through the receiver

    ASSERT_EQ(hub->SetReachable("keyboard", false), "");
    for (std::uint8_t command : {0x01, 0x03, 0xAA}) {
        const auto reply = receiver.Exchange(Request(command, command == 0x03 ? 24 : 0));
        ASSERT_TRUE(reply);
        EXPECT_EQ((*reply)[3], 0xAA);
        EXPECT_EQ((*reply)[8], 0x00);
    }
    EXPECT_EQ(hub->Brackets("keyboard")->begun, 0);

    // The cable still reaches the same device and the same memory.
    RawLink cable = Plugged("keyboard", kKeyboard);
    ASSERT_TRUE(cable.WriteBlock(0x06, {3}, 56));
    ASSERT_EQ(hub->SetReachable("keyboard", true), "");
    EXPECT_EQ(*receiver.ReadBlock(0x05, 1, 24), std::vector<std::uint8_t>{3});
    EXPECT_NE(hub->SetReachable("mousepad", false), "");
}

TEST_F(SimCommandTest, TheHeadsetTakesCommandsAndLedReportsOnItsConsumerInterface)
{
    RawLink headset = Plugged("headset", kHeadset);
    ASSERT_TRUE(headset.IsOpen());
    const auto settings = headset.ReadBlock(0x05, 28, 24);
    ASSERT_TRUE(settings);
    EXPECT_EQ((*settings)[2], 4);

    std::array<std::uint8_t, 17> red{0xFF, 0x22, 0xAA, 0};
    std::fill(red.begin() + 4, red.begin() + 11, 247);
    std::array<std::uint8_t, 17> secondBlue{0xFF, 0x22, 0xAF, 0};
    std::fill(secondBlue.begin() + 4, secondBlue.begin() + 10, 100);
    EXPECT_EQ(headset.Connection().SetOutputReport(red.data(), red.size()), 17);
    EXPECT_EQ(headset.Connection().SetOutputReport(secondBlue.data(), secondBlue.size()), 17);
    const auto leds = *hub->Dump("headset", Region::HeadsetLeds);
    ASSERT_EQ(leds.size(), 13u * 3);
    EXPECT_EQ(leds[0], 247);       // LED 0 red
    EXPECT_EQ(leds[6 * 3], 247);   // LED 6 red
    EXPECT_EQ(leds[7 * 3], 0);     // LED 7 red untouched
    EXPECT_EQ(leds[12 * 3 + 2], 100);  // LED 12 blue
}

}  // namespace
}  // namespace q31::sim::test
