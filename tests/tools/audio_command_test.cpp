// q31ctl's audio commands against the simulated chip, as a script runs them.
#include "tests/common/temp_folder.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

struct CtlRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class AudioCommand : public ::testing::Test {
protected:
    CtlRun Ctl(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("Q31_AUDIO_SIM_STATE"), QString::fromStdString(StatePath()));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(Q31CTL_PROGRAM), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }
    std::string StatePath() const { return m_folder.Path() + "/audio-chip.json"; }
    std::string State() const
    {
        std::ifstream file(StatePath());
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    q31::test::TempFolder m_folder;
};

TEST_F(AudioCommand, SettingsReachTheChipAndStatusReadsThemBack)
{
    EXPECT_EQ(Ctl({"audio", "set", "mic-level", "37"}).exitCode, 0);
    EXPECT_NE(State().find("\"VolumeScalarControl\" : \"0.37\""), std::string::npos) << State();
    EXPECT_EQ(Ctl({"audio", "set", "eq-preset", "6"}).exitCode, 0);
    EXPECT_NE(State().find("PropertyControl 1 write EQ_Slider3 -13"), std::string::npos);
    EXPECT_EQ(Ctl({"audio", "set", "eq-band", "10:-7"}).exitCode, 0);
    EXPECT_NE(State().find("PropertyControl 1 write EQ_Slider10 -7"), std::string::npos);
    const CtlRun status = Ctl({"audio", "status"});
    EXPECT_EQ(status.exitCode, 0) << status.err;
    EXPECT_NE(status.out.find("\"MicInValue\": 37"), std::string::npos) << status.out;
    EXPECT_NE(status.out.find("131073"), std::string::npos) << status.out;
}

TEST_F(AudioCommand, ABadSettingOrARefusedWriteIsOneLineAndANonZeroExit)
{
    for (const QStringList& arguments : {QStringList{"audio", "set", "volume", "3"},
                                         QStringList{"audio", "set", "mic-level", "101"},
                                         QStringList{"audio", "set", "eq-band", "3"}, QStringList{"audio", "get"}}) {
        const CtlRun run = Ctl(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    // Nothing reached the chip: its state file was never made.
    EXPECT_TRUE(State().empty());
    Ctl({"audio", "status"});
    std::string state = State();
    state.replace(state.find("\"failures\" : []"), 15, "\"failures\" : [\"PropertyControl 2 write MuteControl\"]");
    std::ofstream(StatePath()) << state;
    const CtlRun refused = Ctl({"audio", "set", "mic-mute", "on"});
    EXPECT_EQ(refused.exitCode, 6);
    EXPECT_NE(refused.err.find("refused"), std::string::npos) << refused.err;
}

}  // namespace
