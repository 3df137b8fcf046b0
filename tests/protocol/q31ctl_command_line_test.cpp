// q31ctl's arguments: what is accepted, and every kind of bad input refused
// before anything is opened.
#include <gtest/gtest.h>

#include "hid/hid_catalogue.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/hex_input.h"

namespace q31::ctl {
namespace {

ParsedCommandLine Parse(std::vector<std::string> arguments)
{
    return ParseCommandLine(arguments);
}

TEST(Q31ctlCommandLineTest, ReadsCommandsWithTheirArgumentsAndGlobalOptionsAnywhere)
{
    auto parsed = Parse({"--device", "mouse-receiver", "read-params", "0x80", "71", "--trace"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->command, Command::ReadParams);
    EXPECT_EQ(parsed.options->deviceType, MouseReceiver);
    EXPECT_EQ(parsed.options->address, 0x80);
    EXPECT_EQ(parsed.options->length, 71u);
    EXPECT_TRUE(parsed.options->trace);
    EXPECT_FALSE(parsed.options->simulate);

    parsed = Parse({"write-keymap", "0a:ff 10", "--bank", "1", "--simulate"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->data, (std::vector<std::uint8_t>{0x0A, 0xFF, 0x10}));
    EXPECT_EQ(parsed.options->bank, 1);
    EXPECT_FALSE(parsed.options->deviceType);

    parsed = Parse({"raw", "0x1a", "--len", "6", "--data", "01"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->code, 0x1A);
    EXPECT_EQ(parsed.options->length, 6u);
    EXPECT_EQ(parsed.options->data, (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0}));

    parsed = Parse({"write-page", "1", "512", "00ff"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->page, 1);
    EXPECT_EQ(parsed.options->pageSize, 512);

    parsed = Parse({"listen", "--path", "/dev/hidraw3#vid_3a9d&pid_6c01&mi_01&col03", "--count", "2", "--timeout",
                    "10"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->path, "/dev/hidraw3#vid_3a9d&pid_6c01&mi_01&col03");
    EXPECT_EQ(parsed.options->count, 2);
    EXPECT_EQ(parsed.options->timeoutSeconds, 10);

    parsed = Parse({"--help"});
    EXPECT_FALSE(parsed.options);
    EXPECT_TRUE(parsed.helpAsked);
    EXPECT_TRUE(parsed.error.empty());
}

TEST(Q31ctlCommandLineTest, RefusesBadInputWithAReason)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"info", "extra"},
        {"read-params", "0"},
        {"--device", "toaster", "info"},
        {"--device"},
        {"--colour", "info"},
        {"write-params", "0", "abc"},             // odd hex digits
        {"write-params", "0", "0g"},              // not hex
        {"write-params", "0", ""},                // no bytes
        {"write-params", "0xFFFF", "0102"},       // runs past the address space
        {"read-params", "0xFFFF", "2"},
        {"read-params", "0", "0"},
        {"read-params", "65536", "1"},
        {"write-keymap", "00", "--bank", "256"},  // over 255
        {"write-keymap", std::string(1026, '0')}, // 513 bytes
        {"raw", "256"},
        {"raw", "1", "--len", "57"},
        {"raw", "1", "--data", std::string(114, 'a')},
        {"raw", "1", "--len", "1", "--data", "0102"},
        {"raw", "-1"},
        {"info", "--bank", "0"},                  // an option of another command
        {"write-page", "128", "512", "00"},       // page address past 16 bits
        {"--path"},
        {"--path", "", "info"},
        {"listen", "--count", "0"},
        {"listen", "--timeout", "0"},
        {"listen", "--timeout", "soon"},
        {"info", "--count", "1"},                 // listen's option
    };
    for (const auto& arguments : bad) {
        const ParsedCommandLine parsed = Parse(arguments);
        std::string joined;
        for (const auto& argument : arguments)
            joined += argument.substr(0, 20) + " ";
        EXPECT_FALSE(parsed.options) << joined;
        EXPECT_FALSE(parsed.error.empty()) << joined;
    }
}

TEST(Q31ctlCommandLineTest, ProfileCommandsGoOnlyToAKeyboardOrMouse)
{
    auto parsed = Parse({"--device", "keyboard", "apply-profile", "p.Json", "--macros", "/tmp/m"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->command, Command::ApplyProfile);
    EXPECT_EQ(parsed.options->profilePath, "p.Json");
    EXPECT_EQ(parsed.options->macroFolder, "/tmp/m");
    parsed = Parse({"--device", "keyboard-receiver", "layout"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->command, Command::Layout);

    EXPECT_FALSE(Parse({"apply-profile", "p.Json"}).options);
    EXPECT_EQ(parsed.options->screenWidth, 1920);
    EXPECT_EQ(parsed.options->screenHeight, 1080);
    parsed = Parse({"--device", "mouse-receiver", "apply-profile", "p.Json", "--screen", "2560x1440"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->screenWidth, 2560);
    EXPECT_EQ(parsed.options->screenHeight, 1440);
    EXPECT_TRUE(Parse({"--device", "mouse", "layout"}).options);

    EXPECT_FALSE(Parse({"apply-profile", "p.Json"}).options);
    EXPECT_FALSE(Parse({"--device", "mousepad", "layout"}).options);
    EXPECT_FALSE(Parse({"--device", "keyboard", "layout", "--macros", "/tmp/m"}).options);
    EXPECT_FALSE(Parse({"--device", "keyboard", "apply-profile"}).options);
    // The screen size goes to the mouse only, and has two sides of at least a pixel.
    EXPECT_FALSE(Parse({"--device", "keyboard", "apply-profile", "p.Json", "--screen", "1920x1080"}).options);
    for (const char* screen : {"1920", "0x1080", "1920x", "70000x1080", "axb"})
        EXPECT_FALSE(Parse({"--device", "mouse", "apply-profile", "p.Json", "--screen", screen}).options) << screen;
}

TEST(Q31ctlCommandLineTest, ThePadTakesAProfileWithoutMacrosOrScreen)
{
    const auto parsed = Parse({"--device", "mousepad", "apply-profile", "p.Json"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->command, Command::ApplyProfile);
    EXPECT_EQ(parsed.options->profilePath, "p.Json");
    EXPECT_FALSE(Parse({"--device", "mousepad", "apply-profile", "p.Json", "--macros", "/tmp/m"}).options);
    EXPECT_FALSE(Parse({"--device", "mousepad", "apply-profile", "p.Json", "--screen", "1920x1080"}).options);
    EXPECT_FALSE(Parse({"--device", "headset", "apply-profile", "p.Json"}).options);
}

TEST(Q31ctlCommandLineTest, PowerGoesOnlyToAMouseOrAMousePad)
{
    for (const char* device : {"mouse", "mouse-receiver", "mousepad"}) {
        const auto parsed = Parse({"--device", device, "power"});
        ASSERT_TRUE(parsed.options) << device << ": " << parsed.error;
        EXPECT_EQ(parsed.options->command, Command::Power);
    }
    for (const char* device : {"keyboard", "keyboard-receiver", "headset"})
        EXPECT_FALSE(Parse({"--device", device, "power"}).options) << device;
    EXPECT_FALSE(Parse({"power"}).options);
    EXPECT_FALSE(Parse({"--device", "mouse", "power", "--screen", "1x1"}).options);
}

TEST(Q31ctlCommandLineTest, UsageSaysWhatEachCommandSendsAndWhatEachExitStatusMeans)
{
    const std::string usage = UsageText();
    EXPECT_NE(usage.find("\n  info                            read the device information (command 0x03)\n"),
              std::string::npos) << usage;
    for (const char* name : {"list", "info", "status", "begin", "end", "read-params", "write-params", "read-keymap",
                             "write-keymap", "read-keylights", "write-page", "stream", "write-macros", "write-shoot",
                             "take-light", "query-link", "raw", "listen", "autostart"}) {
        const std::size_t start = usage.find(std::string("\n  ") + name + " ");
        ASSERT_NE(start, std::string::npos) << name;
        const std::string line = usage.substr(start + 1, usage.find('\n', start + 1) - start - 1);
        EXPECT_TRUE(line.find("command") != std::string::npos || line.find("sends nothing") != std::string::npos)
            << line;
        EXPECT_LE(line.size(), 80u) << line;
    }
    EXPECT_NE(usage.find("--path PATH"), std::string::npos);
    EXPECT_NE(usage.find("listen [--count N] [--timeout S]"), std::string::npos);
    EXPECT_NE(usage.find("5 no reply in time (listen: fewer than --count before --timeout)"), std::string::npos);
    EXPECT_NE(usage.find("3 no device (list: none found)"), std::string::npos);
}

TEST(Q31ctlCommandLineTest, NumbersAndHexBytes)
{
    std::string error;
    EXPECT_EQ(ParseNumber("0x10", 255, &error), 16u);
    EXPECT_EQ(ParseNumber("010", 255, &error), 10u);  // decimal, never octal
    EXPECT_FALSE(ParseNumber("0x", 255, &error));
    EXPECT_FALSE(ParseNumber("99999999999999999999", 0xFFFFFFFF, &error));
    EXPECT_EQ(ParseHexBytes("AbCd ef", &error), (std::vector<std::uint8_t>{0xAB, 0xCD, 0xEF}));
    EXPECT_FALSE(ParseHexBytes("ab c", &error));
    EXPECT_NE(error.find("odd"), std::string::npos);
}

TEST(Q31ctlCommandLineTest, DeviceNamesMatchTheCatalogueTypes)
{
    for (const char* name : {"keyboard", "keyboard-receiver", "mouse", "mouse-receiver", "mousepad", "headset"}) {
        const auto type = DeviceTypeFromName(name);
        ASSERT_TRUE(type) << name;
        EXPECT_EQ(DeviceTypeName(*type), name);
    }
}

}  // namespace
}  // namespace q31::ctl
