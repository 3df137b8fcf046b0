// q31ctl effect-frames: the preview a device page would show, the same on every run.
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "devices/light_tables.h"
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

    for (const auto& [device, lights] : {std::pair{"keyboard", 170u}, {"mousepad", 15u}, {"headset", 13u}}) {
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

TEST_F(Q31ctlEffectFramesTest, TheKeyboardsOwnModesPrintAllItsLights)
{
    const FramesRun one = Frames({"effect-frames", "--device", "keyboard", "--mode", "17", "--secondary", "2",
                                  "--passes", "1"});
    ASSERT_EQ(one.status, kExitSuccess) << one.err << one.usageError;
    const std::vector<std::string> records = Records(Lines(one.out)[0]);
    ASSERT_EQ(records.size(), 170u);
    // Spectrum colour 70 at full brightness on every light.
    const devices::Rgb colour = devices::kSpectrum[70];
    char expected[9];
    std::snprintf(expected, sizeof expected, "%02X%02X%02XFF", colour.r, colour.g, colour.b);
    EXPECT_EQ(std::count(records.begin(), records.end(), std::string(expected)), 170);

    const FramesRun levels = Frames({"effect-frames", "--device", "keyboard", "--mode", "30", "--levels",
                                     "100,50,200", "--passes", "1"});
    EXPECT_EQ(Records(Lines(levels.out)[0])[43], "6432C8FF");
}

TEST_F(Q31ctlEffectFramesTest, KeysAndBandsReachTheKeyboardsModesBetweenPasses)
{
    const FramesRun fade = Frames({"effect-frames", "--device", "keyboard", "--mode", "7", "--keys", "p:43@2,r:43@3",
                                   "--passes", "60"});
    ASSERT_EQ(fade.status, kExitSuccess) << fade.usageError;
    const std::vector<std::string> lines = Lines(fade.out);
    EXPECT_EQ(Records(lines[0])[43].substr(6), "00");
    EXPECT_EQ(Records(lines[1])[43].substr(6), "FE");
    EXPECT_EQ(Records(lines[2])[43].substr(6), "F9");  // 250 x 255 / 256 after the release
    EXPECT_EQ(Records(lines[52])[43].substr(6), "00");
    EXPECT_NE(Records(lines[51])[43].substr(6), "00");

    // Column 1 (grid entries 21, 42, 63, 84, 105) at height 0: rows 1 to 5 lit.
    const std::string bands = Write("bands.txt", "0, 2000\n");
    const FramesRun audio = Frames({"effect-frames", "--device", "keyboard", "--mode", "29", "--audio-mode", "0",
                                    "--bands", bands, "--passes", "2"});
    ASSERT_EQ(audio.status, kExitSuccess) << audio.usageError;
    const std::vector<std::string> frame = Records(Lines(audio.out)[1]);
    EXPECT_EQ(frame[105].substr(6), "FE");
    EXPECT_EQ(frame[21].substr(6), "FE");
    EXPECT_EQ(frame[120], "000000FF") << "silent column 0 shows the black background";
}

TEST_F(Q31ctlEffectFramesTest, TheSeedPinsTheRandomModes)
{
    const auto twinkle = [&](const std::string& seed) {
        return Frames({"effect-frames", "--device", "keyboard", "--mode", "10", "--seed", seed, "--passes", "20"}).out;
    };
    EXPECT_EQ(twinkle("3"), twinkle("3"));
    EXPECT_NE(twinkle("3"), twinkle("4"));
}

TEST_F(Q31ctlEffectFramesTest, ModeOptionsAreCheckedWhereTheyEnter)
{
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"effect-frames", "--device", "mouse", "--mode", "3", "--passes", "1"},
             {"effect-frames", "--device", "keyboard", "--mode", "3", "--profile", "p.Json", "--passes", "1"},
             {"effect-frames", "--device", "keyboard", "--custom", "x.light", "--seed", "2", "--passes", "1"},
             {"effect-frames", "--device", "keyboard", "--mode", "7", "--keys", "x:1@1", "--passes", "1"},
             {"effect-frames", "--device", "keyboard", "--mode", "7", "--keys", "p:170@1", "--passes", "1"},
             {"effect-frames", "--device", "keyboard", "--mode", "30", "--levels", "1,2", "--passes", "1"},
             {"effect-frames", "--device", "keyboard", "--mode", "29", "--bands", "/none/such", "--passes", "1"},
         }) {
        const FramesRun run = Frames(arguments);
        EXPECT_EQ(run.status, kExitUsage) << arguments[3] << " " << arguments[4];
        EXPECT_FALSE(run.usageError.empty());
    }
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
