// q31ctl effect-frames: the preview a device page would show, the same on every run.
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <sstream>

#include "tests/common/temp_folder.h"
#include "tools/q31ctl/effect_frames_command.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

struct FramesRun {
    int status = -1;
    std::string out;
    std::string err;
    std::string usageError;
};

FramesRun Frames(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const auto result = RunEffectFramesCommand(arguments, {out, err});
    if (!result)
        return {};
    return {result->exitStatus, out.str(), err.str(), result->usageError};
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Records(const std::string& line)
{
    std::vector<std::string> records;
    std::istringstream in(line);
    for (std::string record; in >> record;)
        records.push_back(record);
    return records;
}

class Q31ctlEffectFramesTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = folder.Sub("profiles") + "/" + name;
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.c_str());
        return path;
    }

    // A profile whose light mode is mode, with the per-light list given.
    std::string Profile(int mode, const std::string& lightList = "[]")
    {
        return Write("profile.Json", R"({"profilename": "p", "Device": [{"LightInfo": {"SelectItem": )" +
                                         std::to_string(mode) + R"(, "Light": 4, "Speed": 4}, "LightList": )" +
                                         lightList + "}]}");
    }

    q31::test::TempFolder folder;
};

constexpr const char* kSpectrumThenBlink =
    R"({"LEDEffectList": [{"LEDREGMode": 5, "LEDBrightness": 4, "LEDSpeed": 4, "Time": 100},
                          {"LEDREGMode": 2, "LEDBrightness": 2, "LEDSpeed": 4, "red": 255, "Time": 100}]})";

TEST_F(Q31ctlEffectFramesTest, PrintsOneLineOfEveryLightsRecordPerPass)
{
    const std::string custom = Write("fx.light", kSpectrumThenBlink);
    const FramesRun mouse = Frames({"effect-frames", "--device", "mouse", "--custom", custom, "--passes", "10"});
    ASSERT_EQ(mouse.status, kExitSuccess) << mouse.usageError << mouse.err;
    const std::vector<std::string> lines = Lines(mouse.out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], [] {
        std::string line = "FF0300FF";
        for (int i = 1; i < 15; ++i)
            line += " FF0300FF";
        return line;
    }()) << "the second spectrum colour at full level on the mouse's 15 LEDs";
    EXPECT_EQ(Records(lines[1])[14], "FF0500FF");
    EXPECT_EQ(Records(lines[9])[0], "FF000087") << "after 100 ms the blink step, on, at level 2";

    for (const auto& [device, lights] : {std::pair{"keyboard", 126u}, {"mousepad", 15u}, {"headset", 13u}}) {
        const FramesRun run = Frames({"--device", device, "effect-frames", "--custom", custom, "--passes", "2"});
        ASSERT_EQ(run.status, kExitSuccess) << device;
        EXPECT_EQ(Records(Lines(run.out)[1]).size(), lights) << device;
    }
}

TEST_F(Q31ctlEffectFramesTest, AProfilesCustomModePlaysTheEffectFromTheProfilesFolder)
{
    Write("quorl_light.config",
          R"({"LightInfo": [[], [{"LightName": "A", "Guid": "green"}, {"LightName": "B", "Guid": "../fx"}]]})");
    Write("green.light", R"({"LEDEffectList": [{"LEDREGMode": 1, "LEDBrightness": 4, "LEDSpeed": 4, "green": 200,
                              "Time": 1000}]})");
    const std::string profile = Profile(10);
    const FramesRun run = Frames({"effect-frames", "--device", "mouse", "--profile", profile, "--passes", "7"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(Records(Lines(run.out)[6])[3], "00C800FF");

    // Entry 1 names a file beside the folder: nothing is read, the lights are off.
    Write("../fx.light", kSpectrumThenBlink);
    const FramesRun outside =
        Frames({"effect-frames", "--device", "mouse", "--profile", Profile(11), "--passes", "3"});
    ASSERT_EQ(outside.status, kExitSuccess);
    EXPECT_EQ(Records(Lines(outside.out)[2])[0], "00000000");
}

TEST_F(Q31ctlEffectFramesTest, PerLightEffectsRunOverTheModeExceptOnTheMouse)
{
    const std::string list = R"([{"LEDREGMode": 1, "LEDBrightness": 9, "red": 1, "green": 2, "blue": 3}, null])";
    const FramesRun keyboard =
        Frames({"effect-frames", "--device", "keyboard", "--profile", Profile(4, list), "--passes", "1"});
    ASSERT_EQ(keyboard.status, kExitSuccess) << keyboard.err;
    const std::vector<std::string> records = Records(Lines(keyboard.out)[0]);
    EXPECT_EQ(records[0], "010203FF");
    EXPECT_EQ(records[1], records[2]) << "the null entry leaves its key to the spectrum";
    EXPECT_NE(records[1], "00000000");

    const FramesRun mouse =
        Frames({"effect-frames", "--device", "mouse", "--profile", Profile(9, list), "--passes", "7"});
    EXPECT_EQ(Records(Lines(mouse.out)[6])[0], "00000000") << "the mouse plays no per-light effects";
}

TEST_F(Q31ctlEffectFramesTest, AProfilesBrightnessAndSpeedPastTheTablesAreTheirLastLevels)
{
    const std::string profile = Write("loud.Json", R"({"Device": [{"LightInfo": {"SelectItem": 3, "Light": 12,
        "Speed": 40, "Red": 9, "Green": 8, "Blue": 7}}]})");
    const FramesRun run = Frames({"effect-frames", "--device", "mouse", "--profile", profile, "--passes", "7"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    EXPECT_EQ(Records(lines[5])[0], "00000000") << "speed 40 steps as speed 4, on the seventh pass";
    EXPECT_EQ(Records(lines[6])[0], "090807FF");
}

TEST_F(Q31ctlEffectFramesTest, BadArgumentsAndUnreadableFilesEndWithOneLine)
{
    const std::string custom = Write("fx.light", kSpectrumThenBlink);
    EXPECT_FALSE(RunEffectFramesCommand({"dpi", "value", "3"}, {std::cout, std::cerr}));
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"effect-frames", "--custom", custom, "--passes", "3"},
             {"effect-frames", "--device", "toaster", "--custom", custom, "--passes", "3"},
             {"effect-frames", "--device", "mouse", "--passes", "3"},
             {"effect-frames", "--device", "mouse", "--custom", custom, "--profile", custom, "--passes", "3"},
             {"effect-frames", "--device", "mouse", "--custom", custom},
             {"effect-frames", "--device", "mouse", "--custom", custom, "--passes", "0"},
             {"effect-frames", "--device", "mouse", "--custom", custom, "--passes", "x"},
             {"effect-frames", "--device", "mouse", "--custom", custom, "--passes", "2", "--ms-per-pass"},
             {"effect-frames", "--device", "mouse", "--custom", custom, "--passes", "2", "--loud"},
         }) {
        const FramesRun run = Frames(arguments);
        EXPECT_EQ(run.status, kExitUsage) << arguments.back();
        EXPECT_FALSE(run.usageError.empty());
        EXPECT_EQ(run.out, "");
    }
    const FramesRun missing =
        Frames({"effect-frames", "--device", "mouse", "--custom", folder.Path() + "/none.light", "--passes", "2"});
    EXPECT_EQ(missing.status, kExitFailure);
    EXPECT_EQ(Lines(missing.err).size(), 1u);
    const FramesRun notJson =
        Frames({"effect-frames", "--device", "keyboard", "--profile", Write("p.Json", "{ nope"), "--passes", "2"});
    EXPECT_EQ(notJson.status, kExitFailure);
    EXPECT_EQ(notJson.out, "");
}

#ifdef Q31CTL_BINARY
TEST_F(Q31ctlEffectFramesTest, TwoRunsFromAShellPrintTheSame)
{
    const QStringList arguments = {"effect-frames", "--device", "keyboard", "--custom",
                                   QString::fromStdString(Write("fx.light", kSpectrumThenBlink)),
                                   "--passes", "40", "--ms-per-pass", "5"};
    QByteArray outputs[2];
    for (QByteArray& output : outputs) {
        QProcess process;
        process.start(QStringLiteral(Q31CTL_BINARY), arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), kExitSuccess) << process.readAllStandardError().toStdString();
        output = process.readAllStandardOutput();
    }
    EXPECT_EQ(outputs[0].count('\n'), 40);
    EXPECT_EQ(outputs[0], outputs[1]);

    QProcess bad;
    bad.start(QStringLiteral(Q31CTL_BINARY), {"effect-frames", "--device", "keyboard", "--passes", "4"});
    ASSERT_TRUE(bad.waitForFinished(30000));
    EXPECT_NE(bad.exitCode(), kExitSuccess);
    EXPECT_EQ(bad.readAllStandardError().count('\n'), 1);
}
#endif

}  // namespace
}  // namespace q31::ctl
