// The headset's LED output reports, its settings record and its preview effects.
#include "devices/headset_effect_steps.h"
#include "devices/headset_led_reports.h"
#include "devices/pad_settings_record.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q31::devices {
namespace {

CLightRecords RecordsOf(int count, LightColour colour)
{
    CLightRecords records;
    records.Resize(std::size_t(count));
    records.Fill(PackLightRecord(colour));
    return records;
}

HeadsetLedReports ReportsOf(const CLightRecords& records)
{
    const LiveFrame frame = HeadsetLedFrame(records);
    return BuildHeadsetLedReports(frame.data(), FrameLength(int(records.Size())));
}

TEST(HeadsetLedReportsTest, ChannelsAreScaledByBrightnessAndHeldAt247)
{
    EXPECT_EQ(ReportsOf(RecordsOf(13, {255, 0, 0, 255}))[0][4], 247);
    EXPECT_EQ(ReportsOf(RecordsOf(13, {200, 0, 0, 128}))[0][4], 100);
}

TEST(HeadsetLedReportsTest, AllRedFillsTheRedReportsInTheirOrder)
{
    const HeadsetLedReports reports = ReportsOf(RecordsOf(13, {255, 0, 0, 255}));
    const std::uint8_t heads[12][3] = {{0xFF, 0x22, 0xAA}, {0xFF, 0x22, 0xAD}, {0xFF, 0x44, 0xAA}, {0xFF, 0x44, 0xAD},
                                       {0xFF, 0x22, 0xAB}, {0xFF, 0x22, 0xAE}, {0xFF, 0x44, 0xAB}, {0xFF, 0x44, 0xAE},
                                       {0xFF, 0x22, 0xAC}, {0xFF, 0x22, 0xAF}, {0xFF, 0x44, 0xAC}, {0xFF, 0x44, 0xAF}};
    for (int i = 0; i < kHeadsetLedReportCount; ++i) {
        const HeadsetLedReport& report = reports[i];
        ASSERT_TRUE(std::equal(report.begin(), report.begin() + 3, heads[i])) << "report " << i;
        EXPECT_EQ(report[3], 0);
        const bool red = i < 4;
        // Both halves carry 247 in bytes 4-10: the second's byte 10 is LED 6 left from the first.
        for (int byte = 4; byte <= 10; ++byte)
            EXPECT_EQ(report[byte], red ? 247 : 0) << "report " << i << " byte " << byte;
        EXPECT_TRUE(std::all_of(report.begin() + 11, report.end(), [](std::uint8_t b) { return b == 0; }));
    }
}

TEST(HeadsetLedReportsTest, SecondHalfCarriesLedsSevenToTwelve)
{
    CLightRecords records = RecordsOf(13, {});
    records.Store(6, PackLightRecord({0, 0, 90, 255}));
    records.Store(12, PackLightRecord({0, 0, 100, 255}));
    const HeadsetLedReports reports = ReportsOf(records);
    const HeadsetLedReport& secondBlue = reports[9];
    EXPECT_EQ(secondBlue[2], 0xAF);
    EXPECT_EQ(secondBlue[4 + 5], 99);  // LED 12
    EXPECT_EQ(secondBlue[10], 89);     // LED 6, from the first half
}

TEST(HeadsetSettingsRecordTest, WrittenAndTakenBackAsTheDeviceState)
{
    const std::vector<std::uint8_t> codes = {5, 6, 7, 8};
    PadRecord state{};
    state[4] = 1;   // direction as read
    state[15] = 9;  // the firmware's own
    PutPadLight(state, {3, 4, 1, 0, 1, 10, 20, 30});
    const PadRecord record = PadWireRecord(state, codes);
    const PadRecord expected = {0, 8, 4, 3, 1, 1, 10, 20, 30, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 0, 0};
    EXPECT_EQ(record, expected);

    PadReadRecord block{};
    std::copy(record.begin(), record.end(), block.begin());
    block[27] = 0xEE;
    EXPECT_EQ(PadStateOfRead(block, 2, codes)[0], 2);
    PadRecord taken = PadStateOfRead(block, 0, codes);
    EXPECT_EQ(taken, state);
    block[1] = 0x77;  // a code the list lacks stays as read
    EXPECT_EQ(PadStateOfRead(block, 0, codes)[1], 0x77);
}

LightSettings WaveSettings(int mode, int direction, bool multiColour)
{
    return {std::uint8_t(mode), 4, 2, std::uint8_t(direction), std::uint8_t(multiColour), 0, 0, 255};
}

TEST(HeadsetEffectsTest, TheRingWaveLightsItsEntryEveryThirdStepAndMovesTheRing)
{
    EffectState effect;
    PadWaveState wave;
    CKeyLights keys;
    RestartWaves(keys);
    CLightRecords records = RecordsOf(13, {});
    const LightSettings settings = WaveSettings(kHeadsetModeRingWave, 1, false);
    for (int step = 0; step < 2; ++step)
        StepRingWave(effect, wave, keys, settings, records);
    EXPECT_EQ(UnpackLightRecord(records.Load(0)).a, 0);
    StepRingWave(effect, wave, keys, settings, records);
    // Lit at 255, then one decay step of 40.
    EXPECT_EQ(UnpackLightRecord(records.Load(0)), (LightColour{0, 0, 255, 255 * 215 / 256}));
    EXPECT_EQ(keys.RingByte(1), 1);
    EXPECT_EQ(keys.RingByte(0), 0);
}

TEST(HeadsetEffectsTest, TheColumnWaveLightsPairsAndSkipsLedsTheHeadsetLacks)
{
    EffectState effect;
    PadWaveState wave;
    CKeyLights keys;
    RestartWaves(keys);
    CLightRecords records = RecordsOf(13, {1, 1, 1, 1});
    const LightSettings settings = WaveSettings(kHeadsetModeColumnWave, 0, false);
    for (int step = 0; step < 3; ++step)
        StepColumnWave(effect, wave, keys, settings, records);
    // Column 0 is LEDs 1 and 14; the headset has no LED 14 and LED 0 is in no column.
    EXPECT_EQ(UnpackLightRecord(records.Load(1)).a, 255 * 215 / 256);
    EXPECT_EQ(records.Load(0), PackLightRecord({1, 1, 1, 1}));
    // Direction 0 moves the ring's first eight bytes towards the end.
    EXPECT_EQ(keys.RingByte(1), 1);
    EXPECT_EQ(records.Load(12), records.Load(3));
}

TEST(HeadsetEffectsTest, TheFlowSpreadsTheSpectrumOverTheLeds)
{
    EffectState effect;
    PadWaveState wave;
    CKeyLights keys;
    CLightRecords records = RecordsOf(13, {});
    EXPECT_TRUE(StepHeadsetPreview(kHeadsetModeFlow, effect, wave, keys, WaveSettings(0, 1, true), records, 0));
    EXPECT_EQ(effect.phase, 1);
    const Rgb second = kSpectrum[(1 + 1 + 16) % kSpectrumLength];
    EXPECT_EQ(UnpackLightRecord(records.Load(1)), (LightColour{second.r, second.g, second.b, 255}));
    // Without the multi-colour flag the wave moves three entries at a time.
    StepHeadsetPreview(kHeadsetModeFlow, effect, wave, keys, WaveSettings(0, 0, false), records, 0);
    EXPECT_EQ(effect.phase, 96 - 3);
    EXPECT_FALSE(StepHeadsetPreview(9, effect, wave, keys, WaveSettings(9, 0, false), records, 0));
}

}  // namespace
}  // namespace q31::devices
