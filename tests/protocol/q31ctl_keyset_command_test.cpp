// q31ctl's key editor conversions, as a script checks the key tab's codes with them.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/keyset_command.h"

namespace q31::ctl {
namespace {

struct KeySetRun {
    int status = -1;
    std::string out;
    std::string err;
    std::string usageError;
};

KeySetRun RunKeySet(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "keyset");
    std::ostringstream out;
    std::ostringstream err;
    const auto result = RunKeySetCommand(arguments, {out, err});
    if (!result)
        return {};
    return {result->exitStatus, out.str(), err.str(), result->usageError};
}

std::string Out(const std::vector<std::string>& arguments)
{
    const KeySetRun run = RunKeySet(arguments);
    EXPECT_EQ(run.status, kExitSuccess) << run.usageError << run.err;
    return run.out;
}

TEST(Q31ctlKeySet, EncodePrintsTheCode)
{
    EXPECT_EQ(Out({"encode", "2", "--scroll-delay", "3", "--scroll-speed", "9", "--scroll-count", "5",
                   "--scroll-direction", "1"}),
              "11 39 85\n");
    EXPECT_EQ(Out({"encode", "3", "--wheel-count", "0", "--wheel-direction", "1"}), "12 00 00\n");
    EXPECT_EQ(Out({"encode", "7", "--media", "1"}), "30 CD 00\n");
    EXPECT_EQ(Out({"encode", "6", "--modifier", "3", "--key", "keyboard_key_A", "--current", "0x20", "0", "4"}),
              "20 04 04\n");
    EXPECT_EQ(Out({"encode", "9", "--macro", "2", "--mode", "1", "--macros", "2", "--current", "0x10", "1", "0"}),
              "10 01 00\n");
    EXPECT_EQ(Out({"encode", "0", "--default", "0x20", "0", "0x29"}), "20 00 29\n");
}

TEST(Q31ctlKeySet, DecodePrintsTheEditorState)
{
    const std::string json =
        Out({"decode", "0x12", "0x85", "0xFD", "--default", "0x10", "1", "0", "--page", "mouse"});
    EXPECT_NE(json.find("\"category\":3"), std::string::npos) << json;
    EXPECT_NE(json.find("\"wheel-count\":3"), std::string::npos) << json;
    EXPECT_NE(json.find("\"wheel-direction\":1"), std::string::npos) << json;

    const std::string macro = Out({"decode", "0x70", "2", "1", "--default", "0", "0", "0", "--macros", "2"});
    EXPECT_NE(macro.find("\"macro\":-1"), std::string::npos) << macro;

    const std::string hidden = Out({"decode", "0x13", "1", "0", "--default", "0", "0", "0", "--page", "keyboard"});
    EXPECT_NE(hidden.find("\"category\":null"), std::string::npos) << hidden;
    EXPECT_NE(hidden.find("\"panelShown\":false"), std::string::npos) << hidden;
}

TEST(Q31ctlKeySet, CapturePrintsTheCodeOfTheKey)
{
    EXPECT_EQ(Out({"capture", "0x36", "1"}), "20 02 00\n");
    EXPECT_EQ(Out({"capture", "0x1E", "0", "--option", "3"}), "20 04 04\n");
    const KeySetRun unknown = RunKeySet({"capture", "0x6F", "0"});
    EXPECT_EQ(unknown.status, kExitFailure);
    EXPECT_FALSE(unknown.err.empty());
}

TEST(Q31ctlKeySet, BadArgumentsAreRefused)
{
    EXPECT_EQ(RunKeySet({"encode"}).status, kExitUsage);
    EXPECT_EQ(RunKeySet({"decode", "0x20", "0", "4"}).status, kExitUsage);  // no --default
    EXPECT_EQ(RunKeySet({"decode", "0x20", "0", "4", "--default", "0", "0", "0", "--page", "pad"}).status, kExitUsage);
    EXPECT_EQ(RunKeySet({"capture", "0x1E", "0", "--option", "5"}).status, kExitUsage);
    EXPECT_EQ(RunKeySet({"encode", "1", "--colour", "3"}).status, kExitUsage);
    EXPECT_EQ(RunKeySet({"rename"}).status, kExitUsage);
    std::ostringstream out, err;
    EXPECT_FALSE(RunKeySetCommand({"dpi", "value"}, {out, err}));
}

}  // namespace
}  // namespace q31::ctl
