// The mouse pad's settings record without a device: what is written from the
// profile's lighting, what is taken from a read, and the bytes that stay the pad's.
#include "devices/effect_steps.h"
#include "devices/pad_settings_record.h"

#include <gtest/gtest.h>

#include <numeric>

namespace q31::devices {
namespace {

// The pad's own effect list: the code of each mode index.
const std::vector<std::uint8_t> kCodes = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18};

LightSettings Light(int mode, int brightness, int speed, int multiColour, Rgb colour)
{
    LightSettings light{};
    light[kSettingEffect] = std::uint8_t(mode);
    light[kSettingBrightness] = std::uint8_t(brightness);
    light[kSettingSpeed] = std::uint8_t(speed);
    light[kSettingDirection] = 1;
    light[kSettingMultiColour] = std::uint8_t(multiColour);
    light[kSettingRed] = colour.r;
    light[kSettingGreen] = colour.g;
    light[kSettingBlue] = colour.b;
    return light;
}

// A record as the pad holds it: every byte its own number plus 0x40.
PadRecord PadsOwn()
{
    PadRecord record{};
    std::iota(record.begin(), record.end(), std::uint8_t(0x40));
    return record;
}

TEST(PadRecordTest, TheProfilesLightingFillsItsBytesAndTheRestStaysAsHeld)
{
    PadRecord state = PadsOwn();
    PutPadLight(state, Light(6, 3, 2, 1, {10, 20, 30}));
    const PadRecord wire = PadWireRecord(state, kCodes);
    EXPECT_EQ(wire[kPadModeByte], 0x16);
    EXPECT_EQ(wire[kPadBrightnessByte], 3);
    EXPECT_EQ(wire[kPadSpeedByte], 2);
    EXPECT_EQ(wire[kPadMultiColourByte], 1);
    EXPECT_EQ((std::array{wire[6], wire[7], wire[8]}), (std::array<std::uint8_t, 3>{10, 20, 30}));
    // The profile's direction is not the record's: byte 4 stays as the pad had it.
    EXPECT_EQ(wire[kPadDirectionByte], 0x44);
    EXPECT_EQ(wire[kPadProfileByte], 0x40);
    for (std::size_t i = kPadOwnBytes; i < kPadRecordSize; ++i)
        EXPECT_EQ(wire[i], 0x40 + i) << "byte " << i;
}

TEST(PadRecordTest, SpeedFourIsWrittenAsZeroAndReadBackAsFour)
{
    PadRecord state{};
    PutPadLight(state, Light(0, 4, 4, 0, {}));
    EXPECT_EQ(PadWireRecord(state, kCodes)[kPadSpeedByte], 0);

    PadReadRecord read{};
    read[kPadSpeedByte] = 0;
    EXPECT_EQ(PadStateOfRead(read, 0, kCodes)[kPadSpeedByte], 4);
    read[kPadSpeedByte] = 3;
    EXPECT_EQ(PadStateOfRead(read, 0, kCodes)[kPadSpeedByte], 1);
}

TEST(PadRecordTest, ASpeedPastTheTopIsHeldNotWrappedRound)
{
    PadRecord state{};
    state[kPadSpeedByte] = 7;
    EXPECT_EQ(PadWireRecord(state, kCodes)[kPadSpeedByte], 0);
    PadReadRecord read{};
    read[kPadSpeedByte] = 9;
    EXPECT_EQ(PadStateOfRead(read, 0, kCodes)[kPadSpeedByte], 0);
    read[kPadSpeedByte] = 0xFF;
    EXPECT_EQ(PadStateOfRead(read, 0, kCodes)[kPadSpeedByte], 0);
}

TEST(PadRecordTest, AModeIndexAtOrPastTheEndOfTheCodesSendsTheFirstCode)
{
    PadRecord state{};
    for (const int mode : {9, 10, 200, 255}) {
        state[kPadModeByte] = std::uint8_t(mode);
        EXPECT_EQ(PadWireRecord(state, kCodes)[kPadModeByte], 0x10) << "mode " << mode;
    }
    state[kPadModeByte] = 8;
    EXPECT_EQ(PadWireRecord(state, kCodes)[kPadModeByte], 0x18);
    // A shorter list than the editor's modes: its end is the limit.
    EXPECT_EQ(PadWireRecord(state, {0x21, 0x22})[kPadModeByte], 0x21);
    EXPECT_EQ(PadWireRecord(state, {})[kPadModeByte], 0);
}

TEST(PadRecordTest, AReadTakesTheCurrentProfileAndTheIndexOfItsCode)
{
    PadReadRecord read{};
    std::iota(read.begin(), read.end(), std::uint8_t(0x60));
    read[kPadModeByte] = 0x17;
    read[kPadSpeedByte] = 1;
    const PadRecord state = PadStateOfRead(read, 2, kCodes);
    EXPECT_EQ(state[kPadProfileByte], 2);
    EXPECT_EQ(state[kPadModeByte], 7);
    EXPECT_EQ(state[kPadSpeedByte], 3);
    // Bytes 21-27 of the read are not the record's.
    EXPECT_TRUE(std::equal(state.begin() + kPadOwnBytes, state.end(), read.begin() + kPadOwnBytes));

    // A code the list does not have stays as the pad sent it, and is sent back so.
    read[kPadModeByte] = 0x99;
    EXPECT_EQ(PadStateOfRead(read, 0, kCodes)[kPadModeByte], 0x99);
    // The first of two equal codes.
    EXPECT_EQ(PadStateOfRead(read, 0, {0x99, 0x99})[kPadModeByte], 0);
}

TEST(PadRecordTest, ThePadsOwnBytesComeFromTheReadAndTheLightingFromTheProfile)
{
    PadRecord state{};
    PutPadLight(state, Light(3, 2, 1, 0, {1, 2, 3}));
    const PadRecord merged = WithPadOwnBytes(state, PadsOwn());
    EXPECT_EQ(merged[kPadProfileByte], 0x40);
    EXPECT_EQ(merged[kPadModeByte], 3);
    EXPECT_EQ(merged[kPadSpeedByte], 1);
    EXPECT_EQ(merged[kPadDirectionByte], 0x44);
    EXPECT_EQ(merged[8], 3);
    EXPECT_EQ(merged[kPadRecordSize - 1], 0x40 + kPadRecordSize - 1);
}

}  // namespace
}  // namespace q31::devices
