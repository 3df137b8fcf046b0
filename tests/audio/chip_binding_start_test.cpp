// The binding's start: loading, the endpoints, the feature words and the
// start-up defaults, against a fake library.
#include "audio/chip_audio_binding.h"
#include "tests/audio/fake_conf_lib.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace q31::audio {
namespace {

using test::FakeConfLib;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr OsConfDevice kSpeakers = {10, 1, 77, 1};
constexpr OsConfDevice kMicrophone = {20, 2, 0, 0};

class ChipBindingStart : public ::testing::Test {
protected:
    void SetUp() override { FakeConfLib::Reset(); }
    FakeConfLib& Fake() { return FakeConfLib::Instance(); }

    std::vector<std::string> Start()
    {
        return m_binding.Start();
    }

    // Every property the defaults read, answered, so that only what a test takes away is written.
    void MakeEverythingReadable()
    {
        for (const char* name : {"VirtualSurroundEffectControl", "Enable_EQ_GFX", "Enable_RFX_GFX", "RFX_ENVIRONMENT",
                                 "RFX_ROOMSIZE", "EQ_Slider1", "EQ_Slider2", "EQ_Slider3", "EQ_Slider4", "EQ_Slider5",
                                 "EQ_Slider6", "EQ_Slider7", "EQ_Slider8", "EQ_Slider9", "EQ_Slider10"})
            Fake().readable[kSpeakers.id][name] = u"0";
        for (const char* name : {"Enable_ENC_LFX", "VolumeControl", "MuteControl", "VolumeScalarControl",
                                 "AAVolumeControl", "AAMuteControl", "AAVolumeScalarControl", "Enable_MAGICVOICE",
                                 "MagicVoice_Selection"})
            Fake().readable[kMicrophone.id][name] = u"0";
    }

    std::vector<test::FakePropertyCall> Writes() const
    {
        std::vector<test::FakePropertyCall> writes;
        for (const auto& call : FakeConfLib::Instance().calls)
            if (call.direction == kOsConfWrite)
                writes.push_back(call);
        return writes;
    }

    ChipAudioBinding m_binding{[](QString*) { return FakeConfLib::EntryPoints(); }};
};

TEST_F(ChipBindingStart, ChoosesTheFirstActiveRenderDeviceByKindAndTheFirstCaptureDeviceOfKindTwo)
{
    Fake().render = {{1, 4, 0, 1}, {2, 1, 0, 0}, {3, 7, 0, 1}, {4, 12, 0, 0}};
    Fake().capture = {{5, 3, 0, 1}, {6, 2, 0, 0}, {7, 2, 0, 1}};
    Start();
    EXPECT_TRUE(m_binding.Endpoints().render.chosen);
    EXPECT_EQ(m_binding.Endpoints().render.device.id, 3);  // kind 7 before 4; kind 1 and 12 are not active
    EXPECT_EQ(m_binding.Endpoints().capture.device.id, 6);  // state does not matter
    EXPECT_THAT(std::vector(Fake().entries.begin(), Fake().entries.begin() + 9),
                ElementsAre("ConfLibInit", "CreateDeviceList", "GetDeviceCount 0", "GetDeviceById 0 0",
                            "GetDeviceById 0 1", "GetDeviceById 0 2", "GetDeviceById 0 3", "GetDeviceCount 1",
                            "GetDeviceById 1 0"));
}

TEST_F(ChipBindingStart, AnOnlyActiveDeviceOfKindFourIsTheRenderDevice)
{
    Fake().render = {{1, 1, 0, 0}, {2, 4, 0, 1}};
    Start();
    EXPECT_EQ(m_binding.Endpoints().render.device.id, 2);
    EXPECT_FALSE(m_binding.Endpoints().capture.chosen);
}

TEST_F(ChipBindingStart, NoPropertyCallIsMadeOnAnEndpointThatMatchedNothing)
{
    Fake().render = {{1, 1, 0, 0}};  // inactive: nothing matches
    Fake().capture = {kMicrophone};
    Start();
    EXPECT_FALSE(m_binding.Endpoints().render.chosen);
    for (const auto& call : Fake().calls)
        EXPECT_EQ(call.deviceId, kMicrophone.id) << call.name;
    EXPECT_THAT(Fake().calls, ::testing::Not(IsEmpty()));

    HeadsetSound sound;
    m_binding.ReadState(sound);
    const std::size_t before = Fake().calls.size();
    EXPECT_FALSE(m_binding.EnableEqualiser());
    EXPECT_FALSE(m_binding.SetBandGain(1, 5));
    EXPECT_EQ(Fake().calls.size(), before);
    for (const auto& call : Fake().calls)
        EXPECT_EQ(call.deviceId, kMicrophone.id) << call.name;
}

TEST_F(ChipBindingStart, WithoutRenderDevicesNothingIsChosenAndNoPropertyIsCalled)
{
    Fake().capture = {kMicrophone};
    EXPECT_THAT(Start(), IsEmpty());
    EXPECT_FALSE(m_binding.Endpoints().capture.chosen);
    EXPECT_THAT(Fake().calls, IsEmpty());
    EXPECT_FALSE(m_binding.SetMicLevel(50));
    EXPECT_FALSE(m_binding.SetMicMuted(true));
    EXPECT_THAT(Fake().calls, IsEmpty());
}

TEST_F(ChipBindingStart, StartUpDefaultsAreWrittenInTheirOrderWhereTheReadFails)
{
    Fake().render = {kSpeakers};
    Fake().capture = {kMicrophone};
    Start();
    std::vector<std::string> expected = {"read GetSupportFeature", "read GetSupportFeature",
                                         "read VirtualSurroundEffectControl", "write VirtualSurroundEffectControl",
                                         "read Enable_ENC_LFX", "write Enable_ENC_LFX",
                                         "read VolumeControl", "write VolumeControl",
                                         "read Enable_EQ_GFX", "write Enable_EQ_GFX"};
    for (int band = 1; band <= 10; ++band) {
        expected.push_back("read EQ_Slider" + std::to_string(band));
        expected.push_back("write EQ_Slider" + std::to_string(band));
    }
    for (const char* name : {"Enable_RFX_GFX", "RFX_ENVIRONMENT", "RFX_ROOMSIZE", "MuteControl", "VolumeScalarControl",
                             "AAVolumeControl", "AAMuteControl", "AAVolumeScalarControl", "Enable_MAGICVOICE",
                             "MagicVoice_Selection"}) {
        expected.push_back(std::string("read ") + name);
        expected.push_back(std::string("write ") + name);
    }
    EXPECT_EQ(Fake().PropertyNames(), expected);
    // The capture device's features are read first.
    EXPECT_EQ(Fake().calls[0].deviceId, kMicrophone.id);
    EXPECT_EQ(Fake().calls[1].deviceId, kSpeakers.id);
    // The descriptor goes to the library as it came from it.
    EXPECT_EQ(Fake().calls[2].deviceId, kSpeakers.id);

    const auto call = [&](const std::string& name, std::int32_t direction) {
        const auto found = std::find_if(Fake().calls.begin(), Fake().calls.end(), [&](const auto& c) {
            return c.name == name && c.direction == direction;
        });
        return *found;
    };
    EXPECT_THAT(call("VirtualSurroundEffectControl", kOsConfRead).parameter, ElementsAre(4, -1, 0));
    EXPECT_THAT(call("VirtualSurroundEffectControl", kOsConfWrite).parameter, ElementsAre(4, -1, 0));
    EXPECT_TRUE(call("Enable_ENC_LFX", kOsConfRead).hasParameter);
    EXPECT_FALSE(call("Enable_ENC_LFX", kOsConfWrite).hasParameter);
    EXPECT_EQ(call("VolumeControl", kOsConfWrite).scalar, 0.0f);
    EXPECT_EQ(call("VolumeControl", kOsConfWrite).parameter[0], -1);
    EXPECT_EQ(call("VolumeScalarControl", kOsConfRead).parameter[0], -1);
    EXPECT_EQ(call("AAVolumeControl", kOsConfWrite).parameter[0], 0);
    EXPECT_EQ(call("AAVolumeScalarControl", kOsConfWrite).parameter[0], 0);
    EXPECT_FALSE(call("MuteControl", kOsConfWrite).hasParameter);
    for (const auto& write : Writes())
        EXPECT_EQ(write.integer, 0) << write.name;
}

TEST_F(ChipBindingStart, AReadablePropertyIsNotWritten)
{
    Fake().render = {kSpeakers};
    Fake().capture = {kMicrophone};
    MakeEverythingReadable();
    Fake().readable[kMicrophone.id].erase("MuteControl");
    Start();
    ASSERT_EQ(Writes().size(), 1u);
    EXPECT_EQ(Writes()[0].name, "MuteControl");
}

TEST_F(ChipBindingStart, FeatureWordsComeFromAZeroedBufferOfTwiceTheUsualSize)
{
    Fake().render = {kSpeakers};
    Fake().capture = {kMicrophone};
    Fake().readable[kMicrophone.id]["GetSupportFeature"] = u"131073,0,0,0,5,0,7";
    // Filled to its very end with no terminator: the text ends with the buffer.
    Fake().readable[kSpeakers.id]["GetSupportFeature"] = u"1,0,0,0,5,0,7";
    Fake().fillsBuffer = "GetSupportFeature";
    EXPECT_THAT(Start(), IsEmpty());
    EXPECT_EQ(Fake().zeroedBytes["GetSupportFeature"], 2048u);
    EXPECT_EQ(m_binding.Endpoints().capture.features, (std::array<std::int32_t, 3>{0x20001, 5, 7}));
    EXPECT_EQ(m_binding.Endpoints().render.features, (std::array<std::int32_t, 3>{1, 5, 7}));
    EXPECT_FALSE(Fake().calls[0].hasParameter);
}

TEST_F(ChipBindingStart, FewerThanSevenFeatureFieldsGiveTheMessageAndZeroWords)
{
    Fake().render = {kSpeakers};
    Fake().capture = {kMicrophone};
    Fake().readable[kMicrophone.id]["GetSupportFeature"] = u"1,2,3";
    EXPECT_THAT(Start(), ElementsAre("UpdateAPOAvailable failed!"));
    EXPECT_EQ(m_binding.Endpoints().capture.features, (std::array<std::int32_t, 3>{}));
}

TEST_F(ChipBindingStart, AFailedInitialisationIsToldAndTheStartGoesOn)
{
    Fake().initResult = 5;
    Fake().render = {kSpeakers};
    EXPECT_THAT(Start(), ElementsAre("ConfLibInit called failed!"));
    EXPECT_TRUE(m_binding.Endpoints().render.chosen);
    EXPECT_TRUE(m_binding.IsLoaded());
}

TEST(ChipBindingLoad, ALibraryThatCannotBeLoadedIsOneLineAndEveryCallFails)
{
    ChipAudioBinding binding([](QString* error) -> std::optional<ConfLibEntryPoints> {
        *error = QStringLiteral("no such file");
        return std::nullopt;
    });
    const auto messages = binding.Start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_THAT(messages[0], ::testing::HasSubstr("no such file"));
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_FALSE(binding.SetMicLevel(10));
    EXPECT_FALSE(binding.SetVoiceChanger(true));
    HeadsetSound sound;
    sound.values[kMicInValue] = 42;
    binding.ReadState(sound);
    EXPECT_EQ(sound.values[kMicInValue], 42);
}

TEST(ChipBindingLoad, AMissingFileOrEntryPointIsNotLoaded)
{
    QString error;
    EXPECT_EQ(LoadConfLib(QStringLiteral("/nonexistent/libosConfLib.so"), &error), std::nullopt);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(ConfLibPath().endsWith(QStringLiteral("/SDK/x64/vista/libosConfLib.so")));
}

}  // namespace
}  // namespace q31::audio
