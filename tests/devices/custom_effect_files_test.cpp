#include "devices/custom_effect_files.h"
#include "devices/custom_effect_modes.h"

#include "tests/common/temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>

namespace q31::devices {
namespace {

void WriteText(const QString& path, const char* text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// One step whose red is the given value, to tell files apart.
std::string StepFile(int red)
{
    return R"({"LEDEffectList": [{"LEDREGMode": 1, "LEDBrightness": 4, "LEDSpeed": 2, "red": )" +
           std::to_string(red) + R"(, "Time": 1500, "Cyle": 3}]})";
}

class CustomEffectFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = QString::fromStdString(home.Sub("device")) + QLatin1Char('/');
        WriteText(folder + "quorl_light.config", R"({"LightInfo": [
            [{"LightName": "Keys", "Guid": "kb-1"}],
            [{"LightName": "Glow", "Guid": "mouse-1"}, {"LightName": "Up", "Guid": "../outside"},
             {"LightName": "Deep", "Guid": "sub/inner"}, {"LightName": "None", "Guid": ""},
             {"LightName": "Dots", "Guid": ".."}]]})");
    }

    q31::test::TempFolder home;
    QString folder;
};

TEST_F(CustomEffectFilesTest, ListByKindAndStepsFromTheGuidsFile)
{
    EXPECT_EQ(ReadCustomEffectList(folder, kKindKeyboard), (std::vector<CustomEffectEntry>{{"Keys", "kb-1"}}));
    EXPECT_EQ(ReadCustomEffectList(folder, kKindMouse).size(), 5u);
    EXPECT_TRUE(ReadCustomEffectList(folder, kKindHeadset).empty());
    EXPECT_TRUE(ReadCustomEffectList(folder + "missing/", kKindMouse).empty());

    WriteText(folder + "mouse-1.light", StepFile(77).c_str());
    const std::vector<CustomEffectStep> steps = LoadCustomEffect(folder, kKindMouse, 0);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0][kStepMode], 1);
    EXPECT_EQ(steps[0][kStepSpeed], 2);
    EXPECT_EQ(steps[0][kStepRed], 77);
    EXPECT_EQ(StepDuration(steps[0]), 1500u);
    EXPECT_TRUE(LoadCustomEffect(folder, kKindMouse, 7).empty());
    EXPECT_TRUE(LoadCustomEffect(folder, kKindMouse, -1).empty());
}

// The step file is the device folder's, whatever the working directory holds.
TEST_F(CustomEffectFilesTest, StepFileIsFoundInTheDeviceFolderNotTheWorkingDirectory)
{
    const QString elsewhere = QString::fromStdString(home.Sub("cwd"));
    WriteText(elsewhere + "/mouse-1.light", StepFile(11).c_str());
    WriteText(folder + "mouse-1.light", StepFile(22).c_str());
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.toStdString());
    const std::vector<CustomEffectStep> steps = LoadCustomEffect(folder, kKindMouse, 0);
    std::filesystem::current_path(before);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0][kStepRed], 22);
}

TEST_F(CustomEffectFilesTest, GuidThatIsNoPlainFileNameOpensNothing)
{
    WriteText(QString::fromStdString(home.Path()) + "/outside.light", StepFile(1).c_str());
    QDir(folder).mkpath("sub");
    WriteText(folder + "sub/inner.light", StepFile(2).c_str());
    WriteText(folder + ".light", StepFile(3).c_str());
    WriteText(folder + "...light", StepFile(4).c_str());
    for (int entry = 1; entry <= 4; ++entry)
        EXPECT_TRUE(LoadCustomEffect(folder, kKindMouse, entry).empty()) << entry;
    EXPECT_FALSE(CustomEffectPath(folder, "a\\b"));
    EXPECT_EQ(CustomEffectPath(folder, "2024_03_05"), folder + "2024_03_05.light");
}

TEST_F(CustomEffectFilesTest, ValuesBeyondAByteAreHeldAtItsEnds)
{
    WriteText(folder + "kb-1.light", R"({"LEDEffectList": [
        {"LEDREGMode": 5, "LEDBrightness": 300, "LEDSpeed": -4, "red": 999, "green": "x", "Time": -10},
        null]})");
    const std::vector<CustomEffectStep> steps = LoadCustomEffect(folder, kKindKeyboard, 0);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0][kStepBrightness], 255);
    EXPECT_EQ(steps[0][kStepSpeed], 0);
    EXPECT_EQ(steps[0][kStepRed], 255);
    EXPECT_EQ(steps[0][kStepGreen], 0);
    EXPECT_EQ(StepDuration(steps[0]), 0u);
    EXPECT_EQ(steps[1], CustomEffectStep{});
}

TEST(CustomEffectModesTest, UserEffectsFollowEachKindsBuiltInModes)
{
    EXPECT_FALSE(CustomEntryOfMode(kKindMouse, 9));
    EXPECT_EQ(CustomEntryOfMode(kKindMouse, 10), 0);
    EXPECT_EQ(CustomEntryOfMode(kKindMouse, 12), 2);
    EXPECT_EQ(CustomEntryOfMode(kKindKeyboard, 0), 0);
    EXPECT_EQ(CustomEntryOfMode(kKindKeyboard, 20), 0);
    EXPECT_FALSE(CustomEntryOfMode(kKindKeyboard, 19));
    EXPECT_FALSE(CustomEntryOfMode(kKindKeyboard, 30));
    EXPECT_EQ(CustomEntryOfMode(kKindKeyboard, 33), 2);
    EXPECT_EQ(CustomEntryOfMode(kKindMousePad, 5), 0);
    EXPECT_FALSE(CustomEntryOfMode(kKindHeadset, 8));
    EXPECT_EQ(CustomEntryOfMode(kKindHeadset, 9), 0);
    EXPECT_FALSE(PlaysPerLightEffects(kKindMouse));
    EXPECT_TRUE(PlaysPerLightEffects(kKindKeyboard));
}

}  // namespace
}  // namespace q31::devices
