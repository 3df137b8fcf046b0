// Reading the sound state and the writes of the sound settings, against a fake library.
#include "audio/chip_audio_binding.h"
#include "tests/audio/fake_conf_lib.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace q31::audio {
namespace {

using test::FakeConfLib;
using test::FakePropertyCall;
using ::testing::ElementsAre;

constexpr OsConfDevice kSpeakers = {10, 1, 0, 1};
constexpr OsConfDevice kMicrophone = {20, 2, 0, 1};

class ChipBindingSound : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeConfLib::Reset();
        Fake().render = {kSpeakers};
        Fake().capture = {kMicrophone};
    }
    FakeConfLib& Fake() { return FakeConfLib::Instance(); }

    // Starts with the capture device's feature word 0 as given, then forgets the start's calls.
    void Start(const std::u16string& captureFeatures = u"0,0,0,0,0,0,0")
    {
        Fake().readable[kMicrophone.id]["GetSupportFeature"] = captureFeatures;
        m_binding.Start();
        Fake().calls.clear();
    }
    void Answer(const char* name, const std::u16string& text) { Fake().readable[kMicrophone.id][name] = text; }

    ChipAudioBinding m_binding{[](QString*) { return FakeConfLib::EntryPoints(); }};
};

TEST_F(ChipBindingSound, ReadsLevelsRoundedAndSwitchesAsTheirOpposites)
{
    Start();
    Answer("MuteControl", u"1");
    Answer("VolumeScalarControl", u"0.29");
    Answer("GetAAMaxVol", u"0");
    Answer("AAMuteControl", u"0");
    Answer("AAVolumeScalarControl", u"0.566");
    Answer("MagicVoice_Selection", u"2");
    HeadsetSound sound;
    m_binding.ReadState(sound);
    EXPECT_EQ(sound.micMuted, 1);
    EXPECT_EQ(sound.values[kMicInSelect], 0);
    EXPECT_EQ(sound.values[kMicInValue], 29);
    EXPECT_EQ(sound.monitorMuted, 0);
    EXPECT_EQ(sound.values[kMicMoniterSelect], 1);
    EXPECT_EQ(sound.values[kMicMoniterValue], 57);
    EXPECT_EQ(sound.values[kMagicType], 3);
    EXPECT_THAT(Fake().PropertyNames(),
                ElementsAre("read GetMaxVol", "read GetMinVol", "read GetVolStep", "read VolumeControl",
                            "read MuteControl", "read VolumeScalarControl", "read GetAAMaxVol", "read GetAAMinVol",
                            "read GetAAVolStep", "read AAMuteControl", "read AAVolumeScalarControl",
                            "read EQ_Slider1", "read EQ_Slider2", "read EQ_Slider3", "read EQ_Slider4",
                            "read EQ_Slider5", "read EQ_Slider6", "read EQ_Slider7", "read EQ_Slider8",
                            "read EQ_Slider9", "read EQ_Slider10", "read MagicVoice_Selection"));
    EXPECT_EQ(Fake().calls[5].parameter[0], -1);
    EXPECT_EQ(Fake().calls[10].parameter[0], 0);
    EXPECT_EQ(Fake().calls[11].deviceId, kSpeakers.id);
}

TEST_F(ChipBindingSound, FailedOrForeignReadsLeaveTheStateAlone)
{
    Start();
    Answer("VolumeScalarControl", u"loud");
    Answer("MagicVoice_Selection", u"7");
    Answer("AAMuteControl", u"1");  // no monitor range: the monitor is not asked
    HeadsetSound sound;
    sound.values = {1, 2, 3, 4, 1, 55, 1, 66};
    const HeadsetSystemValues before = sound.values;
    m_binding.ReadState(sound);
    EXPECT_EQ(sound.values, before);
    EXPECT_EQ(sound.monitorMuted, 0);
}

TEST_F(ChipBindingSound, TheVoiceChangerStateIsReadOnlyWhenTheCaptureDeviceHasIt)
{
    Start();
    Answer("Enable_MAGICVOICE", u"1");
    HeadsetSound sound;
    m_binding.ReadState(sound);
    EXPECT_EQ(sound.values[kMagicEnable], 0);

    Start(u"131072,0,0,0,0,0,0");
    m_binding.ReadState(sound);
    EXPECT_EQ(sound.values[kMagicEnable], 1);
}

TEST_F(ChipBindingSound, MicrophoneLevelIsASingleOverAHundredThenTheDecibelsAreRead)
{
    Start();
    EXPECT_TRUE(m_binding.SetMicLevel(37));
    ASSERT_EQ(Fake().calls.size(), 2u);
    const FakePropertyCall& write = Fake().calls[0];
    EXPECT_EQ(write.name, "VolumeScalarControl");
    EXPECT_EQ(write.direction, kOsConfWrite);
    EXPECT_EQ(write.deviceId, kMicrophone.id);
    EXPECT_EQ(write.scalar, 0.37f);
    EXPECT_EQ(write.parameter[0], -1);
    EXPECT_EQ(Fake().calls[1].name, "VolumeControl");
    EXPECT_EQ(Fake().calls[1].direction, kOsConfRead);
    EXPECT_EQ(Fake().calls[1].parameter[0], -1);
}

TEST_F(ChipBindingSound, MonitorLevelUsesChannelZeroAndReadsChannelOne)
{
    Start();
    EXPECT_TRUE(m_binding.SetMonitorLevel(100));
    EXPECT_THAT(Fake().PropertyNames(), ElementsAre("write AAVolumeScalarControl", "read AAVolumeControl"));
    EXPECT_EQ(Fake().calls[0].scalar, 1.0f);
    EXPECT_EQ(Fake().calls[0].parameter[0], 0);
    EXPECT_EQ(Fake().calls[1].parameter[0], 1);
}

TEST_F(ChipBindingSound, ARejectedWriteIsReportedAndNotFollowedUp)
{
    Start();
    Fake().failingWrites = {"VolumeScalarControl", "MuteControl"};
    EXPECT_FALSE(m_binding.SetMicLevel(10));
    EXPECT_FALSE(m_binding.SetMicMuted(true));
    EXPECT_THAT(Fake().PropertyNames(), ElementsAre("write VolumeScalarControl", "write MuteControl"));
}

TEST_F(ChipBindingSound, SwitchesSelectionsAndGainsAreIntegers)
{
    Start();
    EXPECT_TRUE(m_binding.SetMicMuted(true));
    EXPECT_TRUE(m_binding.SetMonitorMuted(false));
    EXPECT_TRUE(m_binding.EnableEqualiser());
    EXPECT_TRUE(m_binding.SetBandGain(3, -13));
    EXPECT_TRUE(m_binding.SetBandGain(10, 18));
    EXPECT_TRUE(m_binding.SetVoiceType(3));
    EXPECT_THAT(Fake().PropertyNames(), ElementsAre("write MuteControl", "write AAMuteControl", "write Enable_EQ_GFX",
                                                    "write EQ_Slider3", "write EQ_Slider10",
                                                    "write MagicVoice_Selection"));
    std::vector<std::int32_t> values;
    for (const auto& call : Fake().calls) {
        values.push_back(call.integer);
        EXPECT_FALSE(call.hasParameter) << call.name;
    }
    EXPECT_THAT(values, ElementsAre(1, 0, 1, -13, 18, 2));
    EXPECT_EQ(Fake().calls[2].deviceId, kSpeakers.id);
    EXPECT_EQ(Fake().calls[3].deviceId, kSpeakers.id);
}

TEST_F(ChipBindingSound, BandsAndVoiceTypesOutsideTheirRangesAreNotSent)
{
    Start();
    EXPECT_FALSE(m_binding.SetBandGain(0, 1));
    EXPECT_FALSE(m_binding.SetBandGain(11, 1));
    EXPECT_FALSE(m_binding.SetVoiceType(0));
    EXPECT_FALSE(m_binding.SetVoiceType(5));
    EXPECT_TRUE(Fake().calls.empty());
}

TEST_F(ChipBindingSound, TheVoiceChangerSwitchedOnAlsoSwitchesTheEchoOff)
{
    Start();
    EXPECT_TRUE(m_binding.SetVoiceChanger(true));
    EXPECT_TRUE(m_binding.SetVoiceChanger(false));
    EXPECT_THAT(Fake().PropertyNames(),
                ElementsAre("write Enable_MAGICVOICE", "write Enable_MICECHO", "write Enable_MAGICVOICE"));
    EXPECT_EQ(Fake().calls[0].integer, 1);
    EXPECT_EQ(Fake().calls[1].integer, 0);
    EXPECT_EQ(Fake().calls[2].integer, 0);
}

}  // namespace
}  // namespace q31::audio
