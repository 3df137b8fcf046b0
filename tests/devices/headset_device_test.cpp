// The headset page the program ships, over the simulated headset: what a
// lighting change leaves on the headset, what a read of its settings takes,
// and the sound panel without a working audio library.
#include "devices/halvorin_hs6533_device.h"

#include "controls/device_key_button_ui.h"

#include "devices/pad_settings_record.h"
#include "platform/folders.h"
#include "protocol/command_codes.h"
#include "tests/devices/device_test_support.h"

#include <QDir>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

using devices::PadRecord;

constexpr int kHeadsetLeds = 13;
constexpr int kStaticMode = 3;
constexpr int kRingWaveMode = 6;

class FakeAudio : public IHeadsetAudio {
public:
    std::vector<std::string> Start() override
    {
        ++starts;
        return {};
    }
    bool IsLoaded() const override { return loaded; }
    void ReadState(HeadsetSound& sound) override { sound.values[kMicInValue] = 37; }
    bool SetMicLevel(int) override { return loaded; }
    bool SetMonitorLevel(int) override { return loaded; }
    bool SetMicMuted(bool) override { return loaded; }
    bool SetMonitorMuted(bool) override { return loaded; }
    bool EnableEqualiser() override { return loaded; }
    bool SetBandGain(int, int) override { return loaded; }
    bool SetVoiceChanger(bool) override { return loaded; }
    bool SetVoiceType(int) override { return loaded; }

    bool loaded = true;
    int starts = 0;
};

class HeadsetDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(UserDataFolder(QStringLiteral("HD"))).removeRecursively();
        page = qobject_cast<CHalvorinHS6533Device*>(builder.BuildShipped("hs6533device.xml"));
        ASSERT_NE(page, nullptr);
        page->SetKindName(QStringLiteral("HD"));
        page->SetLightCount(kHeadsetLeds);
        page->SetAudio(&audio);
        page->CreatePage();
        builder.ShowAtWindowSize(*page);
        ASSERT_TRUE(bus.Connect(page->CommandLink(), "headset", Headset));
        page->OnActivated();
        ASSERT_TRUE(WaitForResults());
        bus.TakeCommands();
    }

    bool WaitForResults() { return WaitForDeviceWork(*page) && (QTest::qWait(20), true); }
    std::vector<std::uint8_t> Dump(sim::Region region) const { return *bus.hub->Dump("headset", region); }

    // A change in the lighting editor, as the main window's lighting handler makes it.
    void ChangeLighting(int mode, int brightness, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        page->SetLightSettings(DWORD(mode | brightness << 8 | 2 << 16 | 1 << 24),
                               DWORD(red) << 8 | DWORD(green) << 16 | DWORD(blue) << 24, 0, 0);
        page->SaveProfile();
        page->ApplyProfile();
        page->WriteSettings(0, 0, 1, 1920, 1080);
        ASSERT_TRUE(WaitForResults());
    }

    PageBuilder builder;
    SimBus bus;
    FakeAudio audio;
    CHalvorinHS6533Device* page = nullptr;
};

TEST_F(HeadsetDeviceTest, ALightingChangeReachesTheHeadsetAsSettingsRecordAndLedReports)
{
    ChangeLighting(kStaticMode, 4, 255, 0, 0);
    const std::vector<std::uint8_t> parameters = Dump(sim::Region::Parameters);
    // Mode code of index 3, brightness 4, speed 2 turned, multi-colour off, red.
    EXPECT_EQ(std::vector<std::uint8_t>(parameters.begin() + 1, parameters.begin() + 9),
              (std::vector<std::uint8_t>{3, 4, 2, 0, 0, 255, 0, 0}));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        page->PaintLedPreview();
        WaitForDeviceWork(*page);
        return Dump(sim::Region::HeadsetLeds)[12 * 3] == 247;
    }, 5000));
    const std::vector<std::uint8_t> leds = Dump(sim::Region::HeadsetLeds);
    for (int led = 0; led < kHeadsetLeds; ++led) {
        EXPECT_EQ(leds[led * 3], 247) << "LED " << led;
        EXPECT_EQ(leds[led * 3 + 1], 0);
        EXPECT_EQ(leds[led * 3 + 2], 0);
    }
    // The profile keeps the change.
    EXPECT_EQ(page->Profile().ReadLightInfo()[0], kStaticMode);
}

TEST_F(HeadsetDeviceTest, AModeIndexPastTheCodeListIsWrittenAsTheFirstCode)
{
    ChangeLighting(12, 4, 0, 0, 255);
    EXPECT_EQ(Dump(sim::Region::Parameters)[1], 0);
}

TEST_F(HeadsetDeviceTest, ASettingsReadTakesTheDeviceStateOnlyWhenBothReadsSucceeded)
{
    ChangeLighting(kRingWaveMode, 3, 1, 2, 3);
    page->SyncFromDevice();
    ASSERT_TRUE(WaitForResults());
    const PadRecord read = page->DeviceState();
    EXPECT_EQ(read[1], kRingWaveMode);
    EXPECT_EQ(read[3], 2);

    // Profile 15's record lies past the headset's memory: it cannot be read.
    ASSERT_EQ(bus.hub->SwitchProfile("headset", 15), "");
    page->SyncFromDevice();
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(page->DeviceState(), read);
}

TEST_F(HeadsetDeviceTest, PageOneWritesAtSixtyFourAndReadsAtTwentyFive)
{
    const PadRecord record = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    int written = 0;
    devices::PadRecordFetch fetch;
    page->RunOnDevice([&](const CStopEvent&) {
        written = devices::WritePadRecord(page->CommandLink(), record, 1);
        page->CommandLink().WriteParams(record.data(), 1, 0);  // the headset now reports profile 1
        fetch = devices::ReadPadRecord(page->CommandLink());
    });
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(written, kResultSuccess);
    const std::vector<std::uint8_t> parameters = Dump(sim::Region::Parameters);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), parameters.begin() + 64));
    EXPECT_EQ(fetch.result, kResultSuccess);
    EXPECT_EQ(fetch.currentProfile, 1);
    EXPECT_TRUE(std::equal(fetch.record.begin(), fetch.record.end(), parameters.begin() + 25));
}

TEST_F(HeadsetDeviceTest, AnUnknownNotificationChangesNothing)
{
    const PadRecord before = page->DeviceState();
    page->AttachNotification(bus.NotificationPath(Headset), Headset);
    ASSERT_EQ(bus.hub->Notify("headset", 0x0404), "");
    QTest::qWait(700);
    ASSERT_TRUE(WaitForResults());
    EXPECT_TRUE(bus.TakeCommands().empty());
    EXPECT_EQ(page->DeviceState(), before);
    page->DetachNotification(Headset);
}

TEST_F(HeadsetDeviceTest, TheAudioStartsOnceAndItsStateJoinsTheProfiles)
{
    EXPECT_EQ(audio.starts, 1);
    page->InitAudio();
    EXPECT_EQ(audio.starts, 1);
    EXPECT_EQ(page->Sound().values[kMicInValue], 37);
    EXPECT_TRUE(page->findChild<QLabel*>(QStringLiteral("sound_missing_label"))->isHidden());
}

TEST_F(HeadsetDeviceTest, WithoutTheAudioLibraryTheSoundPanelSaysSoAndLightingStillWorks)
{
    audio.loaded = false;
    page->SetAudio(&audio);
    EXPECT_FALSE(page->findChild<QLabel*>(QStringLiteral("sound_missing_label"))->isHidden());
    page->SetAudio(nullptr);
    EXPECT_FALSE(page->findChild<QLabel*>(QStringLiteral("sound_missing_label"))->isHidden());
    ChangeLighting(kStaticMode, 4, 0, 255, 0);
    EXPECT_EQ(Dump(sim::Region::Parameters)[7], 255);
}

TEST_F(HeadsetDeviceTest, TheLedButtonsAreBoundByName)
{
    for (int led = 0; led < kHeadsetLeds; ++led)
        EXPECT_EQ(static_cast<QWidget*>(page->GetLightButton(led)), page->findChild<QWidget*>(QStringLiteral("light_%1").arg(led)));
}

}  // namespace
}  // namespace q31::test
