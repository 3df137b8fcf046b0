// The built library, loaded as the program loads it, with its simulated chip:
// the binding's calls reach the state file and the file's values and failures
// reach the binding.
#include "audio/chip_audio_binding.h"
#include "sdk/simulated_chip.h"
#include "audio/simulation_variable.h"
#include "tests/common/temp_folder.h"

#include <json/reader.h>
#include <json/writer.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace q31::sdk {
namespace {

using ::testing::Contains;
using ::testing::IsEmpty;

class SimulatedLibrary : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new test::TempFolder;
        // Read once, at the library's first call.
        setenv(kSimulatedChipStateVariable, StatePath().c_str(), 1);
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }
    void SetUp() override { std::remove(StatePath().c_str()); }

    static std::string StatePath() { return s_folder->Path() + "/audio-chip.json"; }
    static Json::Value State()
    {
        std::ifstream file(StatePath());
        Json::Value document;
        Json::CharReaderBuilder builder;
        std::string errors;
        EXPECT_TRUE(Json::parseFromStream(builder, file, &document, &errors)) << errors;
        return document;
    }
    static void SetState(const Json::Value& document)
    {
        std::ofstream(StatePath()) << Json::writeString(Json::StreamWriterBuilder(), document);
    }
    static std::vector<std::string> Calls()
    {
        std::vector<std::string> calls;
        const Json::Value state = State();
        for (const Json::Value& call : state["calls"])
            calls.push_back(call.asString());
        return calls;
    }
    std::vector<std::string> Start() { return m_binding.Start(); }

    audio::ChipAudioBinding m_binding{
        [](QString* error) { return audio::LoadConfLib(QStringLiteral(Q31_CONF_LIB), error); }};

private:
    static test::TempFolder* s_folder;
};

test::TempFolder* SimulatedLibrary::s_folder = nullptr;

TEST_F(SimulatedLibrary, AMissingStateFileBecomesADefaultHeadsetWhoseEveryPropertyReads)
{
    EXPECT_THAT(Start(), IsEmpty());
    EXPECT_TRUE(m_binding.IsLoaded());
    EXPECT_EQ(m_binding.Endpoints().render.device.id, 1);
    EXPECT_EQ(m_binding.Endpoints().capture.device.id, 2);
    EXPECT_EQ(m_binding.Endpoints().render.features, (std::array<std::int32_t, 3>{1, 5, 7}));
    EXPECT_EQ(m_binding.Endpoints().capture.features[0] & 0x20000, 0x20000);
    const auto calls = Calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0], "ConfLibInit");
    EXPECT_EQ(calls[1], "CreateDeviceList");
    EXPECT_EQ(calls[2], "GetDeviceCount 0");
    EXPECT_EQ(calls[3], "GetDeviceById 0 0");
    EXPECT_THAT(calls, Contains("PropertyControl 1 read VirtualSurroundEffectControl param 4,-1,0"));
    for (const std::string& call : calls)
        EXPECT_EQ(call.find(" write "), std::string::npos) << call;

    HeadsetSound sound;
    m_binding.ReadState(sound);
    EXPECT_EQ(sound.values[kMicInValue], 80);
    EXPECT_EQ(sound.values[kMicInSelect], 1);
    EXPECT_EQ(sound.monitorMuted, 1);
    EXPECT_EQ(sound.values[kMicMoniterValue], 50);
    EXPECT_EQ(sound.values[kMagicType], 1);
}

TEST_F(SimulatedLibrary, WritesReachTheStateFileAndReadBackRounded)
{
    Start();
    EXPECT_TRUE(m_binding.SetMicLevel(37));
    EXPECT_EQ(State()["properties"]["2"]["VolumeScalarControl"].asString(), "0.37");
    EXPECT_THAT(Calls(), Contains("PropertyControl 2 write VolumeScalarControl 0.37 param -1"));
    EXPECT_TRUE(m_binding.SetMicLevel(29));
    EXPECT_TRUE(m_binding.SetBandGain(3, -13));
    EXPECT_EQ(State()["properties"]["1"]["EQ_Slider3"].asString(), "-13");
    HeadsetSound sound;
    m_binding.ReadState(sound);
    EXPECT_EQ(sound.values[kMicInValue], 29);
}

TEST_F(SimulatedLibrary, AMissingPropertyGetsItsDefaultAndAFailureIsRefused)
{
    Json::Value state = SimulatedChip::DefaultState();
    state["properties"]["2"].removeMember("MuteControl");
    state["failures"].append("PropertyControl 2 write AAMuteControl");
    state["failures"].append("ConfLibInit");
    SetState(state);
    EXPECT_THAT(Start(), ::testing::ElementsAre("ConfLibInit called failed!"));
    EXPECT_EQ(State()["properties"]["2"]["MuteControl"].asString(), "0");
    EXPECT_FALSE(m_binding.SetMonitorMuted(false));
    EXPECT_TRUE(m_binding.SetMicMuted(true));
    EXPECT_EQ(State()["properties"]["2"]["AAMuteControl"].asString(), "1");
}

TEST_F(SimulatedLibrary, AStateFileThatIsNotJsonIsLeftAloneAndListsNothing)
{
    std::ofstream(StatePath()) << "not json";
    Start();
    EXPECT_FALSE(m_binding.Endpoints().render.chosen);
    std::ifstream file(StatePath());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "not json");
}

TEST(ChipValueText, WrittenValuesReadBackAsTheSameNumber)
{
    EXPECT_EQ(TextOfValue(0.29f), "0.29");
    EXPECT_EQ(TextOfValue(0.0f), "0");
    EXPECT_EQ(TextOfValue(-13), "-13");
    EXPECT_TRUE(IsScalarProperty("AAVolumeScalarControl"));
    EXPECT_FALSE(IsScalarProperty("EQ_Slider1"));
}

}  // namespace
}  // namespace q31::sdk
