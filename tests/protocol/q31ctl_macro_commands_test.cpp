// q31ctl's key-code and macro-folder commands, as scripts call them.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <sstream>

#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/macro_commands.h"

namespace q31::ctl {
namespace {

struct MacroRun {
    int status = -1;
    std::string out;
    std::string err;
    std::string usageError;
};

MacroRun RunMacro(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const auto result = RunMacroCommand(arguments, {out, err});
    if (!result)
        return {};
    return {result->exitStatus, out.str(), err.str(), result->usageError};
}

std::string Out(const std::vector<std::string>& arguments)
{
    const MacroRun run = RunMacro(arguments);
    EXPECT_EQ(run.status, kExitSuccess) << run.usageError << run.err;
    return run.out;
}

TEST(Q31ctlMacroCommandsTest, NamesCodes)
{
    EXPECT_EQ(Out({"name", "0x20", "0x03", "0x04"}), "keyboard_key_LCtrl+keyboard_key_LShift+keyboard_key_A\n");
    EXPECT_EQ(Out({"name", "0x20", "0x05", "0"}), "keyboard_key_LCtrl+keyboard_key_LAlt\n");
    EXPECT_EQ(Out({"name", "0x20", "0x01", "0x04"}), "keyboard_key_LCtrl+keyboard_key_A\n");
    EXPECT_EQ(Out({"name", "0x20", "0", "0"}), "close_text\n");
    EXPECT_EQ(Out({"name", "0x70", "1", "0", "--macros", "2"}), "macro:1\n");
    EXPECT_EQ(Out({"name", "0x70", "2", "0", "--macros", "2"}), "unchanged\n");
    EXPECT_EQ(Out({"name", "0x72", "5", "0", "--page", "mouse"}), "unchanged\n");
    EXPECT_EQ(Out({"name", "0x72", "1", "0", "--page", "mouse", "--guns", "2"}), "gun_2_txt\n");
    EXPECT_EQ(Out({"name", "0x72", "1", "0"}), "关闭\n");
    EXPECT_EQ(Out({"name", "0x99", "0", "0"}), "关闭\n");
}

TEST(Q31ctlMacroCommandsTest, PacksUnpacksAndFindsScanCodes)
{
    EXPECT_EQ(Out({"pack", "0x30", "0xcd", "0"}), "3198208\n");
    EXPECT_EQ(Out({"pack", "0xd0", "0xa2", "5"}), "13672965\n");
    EXPECT_EQ(Out({"unpack", "13672965"}), "d0 a2 05\n");
    EXPECT_EQ(Out({"unpack", "0xff30cd00"}), "30 cd 00\n");
    EXPECT_EQ(Out({"scankey", "0x36", "1"}), "keyboard_key_RShift\t20 20 00\n");
    EXPECT_EQ(Out({"scankey", "0x1c", "1"}), "keyboard_key_Num Enter\t20 00 58\n");
    EXPECT_EQ(Out({"scankey", "0x36", "0"}), "none\n");
}

TEST(Q31ctlMacroCommandsTest, RefusesBadArguments)
{
    EXPECT_FALSE(RunMacroCommand({"info"}, {std::cout, std::cerr}));
    EXPECT_FALSE(RunMacroCommand({"--help"}, {std::cout, std::cerr}));
    const std::vector<std::vector<std::string>> bad = {
        {"name", "0x20", "1"},          {"name", "0x100", "0", "0"},     {"name", "1", "2", "3", "--page", "pad"},
        {"pack", "1", "2", "3", "--page", "mouse"}, {"unpack"},          {"scankey", "0x36", "2"},
        {"macro-block", "--keys", "x"}, {"macro", "add"},               {"macro", "frobnicate", "/tmp"},
        {"name", "1", "2", "3", "--trace"},
    };
    for (const auto& arguments : bad) {
        const MacroRun run = RunMacro(arguments);
        EXPECT_EQ(run.status, kExitUsage) << arguments[0];
        EXPECT_FALSE(run.usageError.empty()) << arguments[0];
        EXPECT_TRUE(run.out.empty()) << arguments[0];
    }
}

class Q31ctlMacroFolderTest : public ::testing::Test {
protected:
    std::string Folder() const { return temp.Path(); }
    std::string PathOf(const char* name) const { return QDir(QString::fromStdString(temp.Path())).filePath(name).toStdString(); }

    void WriteMacro(int position, int events) const
    {
        const Json::Value config = ParseJsonFile(QString::fromStdString(PathOf("macro.config")));
        const std::string guid = config["MacroInfo"][position]["Guid"].asString();
        Json::Value document(Json::objectValue);
        for (int i = 0; i < events; ++i) {
            Json::Value event(Json::objectValue);
            event["Action"] = "down";
            event["Type"] = 10;
            event["Button"] = 4;
            event["Delay"] = "300";
            document["Events"].append(event);
        }
        ASSERT_TRUE(WriteJsonFile(QString::fromStdString(PathOf((guid + ".mac").c_str())), document));
    }

    void WriteProfile(const char* name, const std::vector<int>& assignments) const
    {
        Json::Value document(Json::objectValue);
        for (const int assignment : assignments) {
            Json::Value entry(Json::objectValue);
            entry["Assignment"] = assignment;
            entry["DefaultAssignment"] = 0x200004;
            document["Device"][0]["KeyList"].append(entry);
        }
        ASSERT_TRUE(WriteJsonFile(QString::fromStdString(PathOf(name)), document));
    }

    int Assignment(const char* profile, Json::ArrayIndex key) const
    {
        return ParseJsonFile(QString::fromStdString(PathOf(profile)))["Device"][0]["KeyList"][key]["Assignment"].asInt();
    }

    test::TempFolder temp;
};

TEST_F(Q31ctlMacroFolderTest, PrintsTheUsedListAndTheBlock)
{
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Out({"macro", "add", Folder()}), "macro_" + std::to_string(i + 1) + "\n");
    WriteMacro(4, 3);
    WriteMacro(1, 5);
    std::vector<int> keys(10, 0x200004);
    keys[3] = 0x700400;
    keys[9] = 0x700401;
    keys[5] = 0x710103;
    keys[7] = 0x700200;
    WriteProfile("profile.Json", keys);

    const std::string out =
        Out({"macro-block", "--macros", Folder(), "--keys", PathOf("profile.Json"), "--absent", "7"});
    const std::string hex = "aa 55 3c 00 02 00 00 00 00 00 00 00 00 00 00 00 14 00 24 00 03 00 00 00";
    EXPECT_EQ(out.substr(0, out.find('\n')), "used: 4,1");
    EXPECT_EQ(out.substr(out.find('\n') + 1, hex.size()), hex);
    EXPECT_EQ(out.size(), std::string("used: 4,1\n").size() + 60 * 3);

    // Key 7 counts now: (16 + 18 + 32 - 0) / 4 + 1 with no macro memory.
    EXPECT_EQ(Out({"macro-block", "--macros", Folder(), "--keys", PathOf("profile.Json"), "--blocks", "0"}),
              "used: 4,1,2\ntoo-large 17\n");
    EXPECT_EQ(RunMacro({"macro-block", "--macros", Folder(), "--keys", PathOf("missing.Json")}).status, kExitFailure);
}

TEST_F(Q31ctlMacroFolderTest, EditsTheListAndRebindsEveryNamedProfile)
{
    for (int i = 0; i < 3; ++i)
        Out({"macro", "add", Folder()});
    EXPECT_EQ(Out({"macro", "rename", Folder(), "0", "Jump"}), "Jump\n");
    const MacroRun taken = RunMacro({"macro", "rename", Folder(), "1", "JUMP"});
    EXPECT_EQ(taken.status, kExitFailure);
    EXPECT_NE(taken.err.find("taken"), std::string::npos);

    WriteMacro(2, 1);
    ASSERT_EQ(RunMacro({"macro", "export", Folder(), "2", PathOf("out.mac")}).status, kExitSuccess);
    EXPECT_EQ(Out({"macro", "import", Folder(), PathOf("out.mac")}), "macro_1\n");

    WriteProfile("a.Json", {0x700100, 0x700200});
    WriteProfile("b.Json", {0x710303});
    EXPECT_EQ(Out({"macro", "delete", Folder(), "1", "--profiles", PathOf("a.Json") + "," + PathOf("b.Json")}),
              "rebound " + PathOf("a.Json") + "\nrebound " + PathOf("b.Json") + "\n");
    EXPECT_EQ(Assignment("a.Json", 0), 0x200004);
    EXPECT_EQ(Assignment("a.Json", 1), 0x700100);
    EXPECT_EQ(Assignment("b.Json", 0), 0x710203);
    const Json::Value config = ParseJsonFile(QString::fromStdString(PathOf("macro.config")));
    ASSERT_EQ(config["MacroInfo"].size(), 3u);
    EXPECT_EQ(config["MacroInfo"][0]["MacroName"].asString(), "Jump");
    EXPECT_EQ(config["MacroInfo"][1]["MacroName"].asString(), "macro_3");
}

TEST(Q31ctlMacroBinaryTest, RunsWithoutADisplay)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(Q31CTL_BINARY), {"name", "0x20", "0x05", "0"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "keyboard_key_LCtrl+keyboard_key_LAlt\n");
}

}  // namespace
}  // namespace q31::ctl
