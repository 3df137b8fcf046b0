// The headset back end's mapping of properties to the sound card's mixer, against a fake mixer.
#include "sdk/headset_chip.h"
#include "tests/common/temp_folder.h"

#include <gtest/gtest.h>

#include <map>

namespace q31::sdk {
namespace {

class FakeMixer final : public SoundMixer {
public:
    std::map<MixerPath, double> levels{{MixerPath::Microphone, 0.5}, {MixerPath::SideTone, 0.25}};
    std::map<MixerPath, bool> on{{MixerPath::Microphone, true}, {MixerPath::SideTone, false}};

    std::optional<double> Level(MixerPath path) const override { return levels.at(path); }
    bool SetLevel(MixerPath path, double level) override
    {
        levels[path] = level;
        return true;
    }
    std::optional<bool> IsOn(MixerPath path) const override { return on.at(path); }
    bool SetOn(MixerPath path, bool value) override
    {
        on[path] = value;
        return true;
    }
    std::optional<double> Decibels(MixerPath path) const override
    {
        return path == MixerPath::Microphone ? std::optional(-6.5) : std::nullopt;
    }
    std::optional<DecibelRange> Range(MixerPath path) const override
    {
        if (path == MixerPath::SideTone)
            return std::nullopt;
        return DecibelRange{-12, 30, 0.5};
    }
};

constexpr OsConfDevice kRender = {1, 1, 0, 1};
constexpr OsConfDevice kCapture = {2, 2, 0, 1};

class HeadsetChipMapping : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_chip.CreateDeviceList();
    }
    std::optional<std::string> Read(const OsConfDevice& device, const char* name)
    {
        return m_chip.Read({device, name, {}, std::nullopt});
    }
    bool Write(const OsConfDevice& device, const char* name, std::variant<std::int32_t, float> value)
    {
        return m_chip.Write({device, name, value, std::nullopt});
    }

    test::TempFolder m_folder;
    FakeMixer* m_mixer = nullptr;
    HeadsetChip m_chip{[this] {
                           auto mixer = std::make_unique<FakeMixer>();
                           m_mixer = mixer.get();
                           return mixer;
                       },
                       m_folder.Path() + "/state/audio-chip.json"};
};

TEST_F(HeadsetChipMapping, MicrophoneLevelAndMuteAreTheCaptureControls)
{
    EXPECT_TRUE(Write(kCapture, "VolumeScalarControl", 0.37f));
    EXPECT_DOUBLE_EQ(m_mixer->levels[MixerPath::Microphone], static_cast<double>(0.37f));
    EXPECT_EQ(Read(kCapture, "VolumeScalarControl"), "0.37");
    EXPECT_EQ(Read(kCapture, "MuteControl"), "0");
    EXPECT_TRUE(Write(kCapture, "MuteControl", 1));
    EXPECT_FALSE(m_mixer->on[MixerPath::Microphone]);
    EXPECT_EQ(Read(kCapture, "MuteControl"), "1");
    EXPECT_EQ(Read(kCapture, "VolumeControl"), "-6.5");
    EXPECT_EQ(Read(kCapture, "GetMaxVol"), "30");
    EXPECT_EQ(Read(kCapture, "GetMinVol"), "-12");
    EXPECT_EQ(Read(kCapture, "GetVolStep"), "0.5");
}

TEST_F(HeadsetChipMapping, MonitorLevelAndMuteAreTheSideTone)
{
    EXPECT_EQ(Read(kCapture, "AAVolumeScalarControl"), "0.25");
    EXPECT_EQ(Read(kCapture, "AAMuteControl"), "1");
    EXPECT_TRUE(Write(kCapture, "AAVolumeScalarControl", 0.75f));
    EXPECT_TRUE(Write(kCapture, "AAMuteControl", 0));
    EXPECT_DOUBLE_EQ(m_mixer->levels[MixerPath::SideTone], 0.75);
    EXPECT_TRUE(m_mixer->on[MixerPath::SideTone]);
    EXPECT_EQ(m_mixer->levels[MixerPath::Microphone], 0.5);
    // No range: the binding then leaves the monitor alone.
    EXPECT_EQ(Read(kCapture, "GetAAMaxVol"), std::nullopt);
}

TEST_F(HeadsetChipMapping, DecibelsAreNotWrittenAndValuesOfTheWrongKindAreRefused)
{
    EXPECT_FALSE(Write(kCapture, "VolumeControl", 0.0f));
    EXPECT_FALSE(Write(kCapture, "VolumeScalarControl", 1));
    EXPECT_FALSE(Write(kCapture, "MuteControl", 1.0f));
    EXPECT_EQ(m_mixer->levels[MixerPath::Microphone], 0.5);
}

TEST_F(HeadsetChipMapping, WhatTheMixerHasNoControlForIsKeptInTheStateFile)
{
    EXPECT_EQ(Read(kRender, "EQ_Slider3"), std::nullopt);
    EXPECT_TRUE(Write(kRender, "EQ_Slider3", -13));
    EXPECT_TRUE(Write(kCapture, "Enable_MAGICVOICE", 1));
    EXPECT_EQ(Read(kRender, "EQ_Slider3"), "-13");
    EXPECT_EQ(Read(kCapture, "Enable_MAGICVOICE"), "1");
    EXPECT_EQ(Read(kCapture, "EQ_Slider3"), std::nullopt);

    HeadsetChip again([] { return std::make_unique<FakeMixer>(); }, m_folder.Path() + "/state/audio-chip.json");
    again.CreateDeviceList();
    EXPECT_EQ(again.Read({kRender, "EQ_Slider3", {}, std::nullopt}), "-13");
}

TEST_F(HeadsetChipMapping, OneRenderAndOneCaptureDeviceWithSevenFeatureFields)
{
    EXPECT_EQ(m_chip.DeviceCount(kOsConfRender), 1);
    EXPECT_EQ(m_chip.DeviceAt(kOsConfRender, 0)->kind, 1);
    EXPECT_EQ(m_chip.DeviceAt(kOsConfCapture, 0)->kind, 2);
    EXPECT_EQ(m_chip.DeviceAt(kOsConfCapture, 1), std::nullopt);
    EXPECT_EQ(Read(kCapture, "GetSupportFeature"), "0,0,0,0,0,0,0");
    EXPECT_FALSE(Write({9, 2, 0, 1}, "MuteControl", 1));
}

TEST(HeadsetChipUnplugged, WithoutTheCardThereAreNoDevicesAndNothingAnswers)
{
    test::TempFolder folder;
    HeadsetChip chip([] { return nullptr; }, folder.Path() + "/audio-chip.json");
    chip.CreateDeviceList();
    EXPECT_EQ(chip.DeviceCount(kOsConfRender), 0);
    EXPECT_EQ(chip.DeviceAt(kOsConfRender, 0), std::nullopt);
    EXPECT_FALSE(chip.Write({kRender, "EQ_Slider1", 1, std::nullopt}));
}

}  // namespace
}  // namespace q31::sdk
