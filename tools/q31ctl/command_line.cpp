#include "tools/q31ctl/command_line.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

#include "hid/hid_catalogue.h"
#include "tools/q31ctl/hex_input.h"

namespace q31::ctl {
namespace {

constexpr std::uint32_t kAddressSpace = 0x10000;
constexpr std::size_t kMaxKeyMap = 512;
constexpr std::size_t kMaxReportData = 56;
constexpr std::uint32_t kMostListenCount = 1000000;
constexpr std::uint32_t kMostListenSeconds = 86400;
constexpr std::size_t kSendsColumn = 32;  // where the usage text says what a command sends

struct CommandRule {
    const char* name;
    Command command;
    std::size_t arguments;  // positional arguments after the name
    const char* synopsis;
    const char* options;    // the command's own options, space-separated
    const char* sends;      // what it does on the wire, for the usage text
};

constexpr std::array<CommandRule, 22> kCommands = {{
    {"list", Command::List, 0, "list", "", "list the interfaces and paths (sends nothing)"},
    {"info", Command::Info, 0, "info", "", "read the device information (command 0x03)"},
    {"status", Command::Status, 0, "status", "", "read battery and link state (command 0x1a)"},
    {"begin", Command::Begin, 0, "begin", "", "open a configuration bracket (command 0x01)"},
    {"end", Command::End, 0, "end", "", "close a configuration bracket (command 0x02)"},
    {"read-params", Command::ReadParams, 2, "read-params ADDR LEN", "", "read parameter bytes (command 0x05)"},
    {"write-params", Command::WriteParams, 2, "write-params ADDR HEX", "", "write parameter bytes (command 0x06)"},
    {"read-keymap", Command::ReadKeyMap, 0, "read-keymap", "", "read the key map (commands 0x03, 0x07)"},
    {"write-keymap", Command::WriteKeyMap, 1, "write-keymap HEX [--bank N]", "--bank",
     "write the key map (command 0x09)"},
    {"read-keylights", Command::ReadKeyLights, 0, "read-keylights", "",
     "read the key light map (commands 0x03, 0x1b)"},
    {"write-page", Command::WritePage, 3, "write-page PAGE PAGESIZE HEX", "", "write one page (command 0x0b)"},
    {"stream", Command::Stream, 1, "stream HEX", "", "send a light frame, cable only (command 0x12)"},
    {"write-macros", Command::WriteMacros, 1, "write-macros HEX", "", "write the macro block (command 0x15)"},
    {"write-shoot", Command::WriteShoot, 1, "write-shoot HEX", "", "write the shooting data (command 0x17)"},
    {"take-light", Command::TakeLight, 0, "take-light", "", "take control of the lights (command 0x1c)"},
    {"query-link", Command::QueryLink, 0, "query-link", "", "receiver: is the device there? (command 0xaa)"},
    {"raw", Command::Raw, 1, "raw CODE [--addr A] [--len N] [--data HEX]", "--addr --len --data",
     "send command CODE, print the reply"},
    {"listen", Command::Listen, 0, "listen [--count N] [--timeout S]", "--count --timeout",
     "print notification codes (sends nothing)"},
    {"autostart", Command::Autostart, 1, "autostart on|off", "", "start Q-31 at login, or not (sends nothing)"},
    {"apply-profile", Command::ApplyProfile, 1, "apply-profile PROFILE.Json [--macros FOLDER] [--screen WxH]",
     "--macros --screen", "keyboard, mouse, mousepad: write a profile as a profile switch does"},
    {"layout", Command::Layout, 0, "layout", "", "keyboard, mouse: print where its keys are as JSON"},
    {"power", Command::Power, 0, "power", "", "mouse, mouse pad: print what its power display shows as JSON"},
}};

struct DeviceName {
    const char* name;
    std::uint16_t type;
};

constexpr std::array<DeviceName, 6> kDeviceNames = {{
    {"keyboard", Keyboard},
    {"keyboard-receiver", KeyboardReceiver},
    {"mouse", Mouse},
    {"mouse-receiver", MouseReceiver},
    {"mousepad", MousePad},
    {"headset", Headset},
}};

std::vector<std::uint8_t> Bytes(const std::string& text, std::size_t maximum, const char* what)
{
    std::string error;
    auto bytes = ParseHexBytes(text, &error);
    if (!bytes)
        throw UsageError{std::string(what) + ": " + error};
    if (bytes->size() > maximum)
        throw UsageError{std::string(what) + ": " + std::to_string(bytes->size()) + " bytes, at most " +
                         std::to_string(maximum) + " fit"};
    return std::move(*bytes);
}

void RequireKeyboardOrMouse(const Options& options, const char* command)
{
    if (options.deviceType != Keyboard && options.deviceType != KeyboardReceiver && !IsMouseType(options.deviceType))
        throw UsageError{std::string(command) +
                         ": only with --device keyboard, keyboard-receiver, mouse or mouse-receiver"};
}

// "WxH", each side 1 to 65535 pixels.
void ParseScreen(Options& options, const std::string& text)
{
    const std::size_t by = text.find('x');
    if (by == std::string::npos)
        throw UsageError{"--screen: WIDTHxHEIGHT, as 1920x1080, not \"" + text + "\""};
    options.screenWidth = static_cast<int>(NumberArgument(text.substr(0, by), kAddressSpace - 1, "--screen width"));
    options.screenHeight = static_cast<int>(NumberArgument(text.substr(by + 1), kAddressSpace - 1, "--screen height"));
    if (options.screenWidth == 0 || options.screenHeight == 0)
        throw UsageError{"--screen: at least 1 pixel each way"};
}

void FillCommandArguments(Options& options, const std::vector<std::string>& args,
                          const std::map<std::string, std::string>& extra)
{
    switch (options.command) {
    case Command::ReadParams:
        options.address = static_cast<std::uint16_t>(NumberArgument(args[0], kAddressSpace - 1, "ADDR"));
        options.length = NumberArgument(args[1], kAddressSpace - options.address, "LEN");
        if (options.length == 0)
            throw UsageError{"LEN: at least 1 byte"};
        break;
    case Command::WriteParams:
        options.address = static_cast<std::uint16_t>(NumberArgument(args[0], kAddressSpace - 1, "ADDR"));
        options.data = Bytes(args[1], kAddressSpace - options.address, "HEX");
        break;
    case Command::WriteKeyMap:
        options.data = Bytes(args[0], kMaxKeyMap, "HEX");
        if (extra.count("--bank"))
            options.bank = static_cast<int>(NumberArgument(extra.at("--bank"), 255, "--bank"));
        break;
    case Command::WritePage: {
        options.page = static_cast<int>(NumberArgument(args[0], kAddressSpace - 1, "PAGE"));
        options.pageSize = static_cast<int>(NumberArgument(args[1], kAddressSpace - 1, "PAGESIZE"));
        const auto base = static_cast<std::uint64_t>(options.page) * static_cast<std::uint64_t>(options.pageSize);
        if (base >= kAddressSpace)
            throw UsageError{"PAGE × PAGESIZE lies past the 16-bit address space"};
        options.data = Bytes(args[2], kAddressSpace - base, "HEX");
        break;
    }
    case Command::Stream:
    case Command::WriteMacros:
    case Command::WriteShoot:
        options.data = Bytes(args[0], kAddressSpace, "HEX");
        break;
    case Command::Listen:
        if (extra.count("--count"))
            options.count = static_cast<int>(NumberArgument(extra.at("--count"), kMostListenCount, "--count"));
        if (extra.count("--timeout"))
            options.timeoutSeconds =
                static_cast<int>(NumberArgument(extra.at("--timeout"), kMostListenSeconds, "--timeout"));
        if (extra.count("--count") && options.count == 0)
            throw UsageError{"--count: at least 1 notification"};
        if (extra.count("--timeout") && options.timeoutSeconds == 0)
            throw UsageError{"--timeout: at least 1 second"};
        break;
    case Command::Raw:
        options.code = static_cast<std::uint8_t>(NumberArgument(args[0], 255, "CODE"));
        if (extra.count("--addr"))
            options.address =
                static_cast<std::uint16_t>(NumberArgument(extra.at("--addr"), kAddressSpace - 1, "--addr"));
        if (extra.count("--data"))
            options.data = Bytes(extra.at("--data"), kMaxReportData, "--data");
        options.length = options.data.size();
        if (extra.count("--len")) {
            options.length = NumberArgument(extra.at("--len"), kMaxReportData, "--len");
            if (options.data.size() > options.length)
                throw UsageError{"--data holds more bytes than --len"};
            options.data.resize(options.length, 0);
        }
        break;
    case Command::ApplyProfile:
        options.profilePath = args[0];
        if (options.deviceType == MousePad) {
            if (extra.count("--macros") || extra.count("--screen"))
                throw UsageError{"apply-profile: the mouse pad takes neither --macros nor --screen"};
            break;
        }
        if (extra.count("--macros"))
            options.macroFolder = extra.at("--macros");
        RequireKeyboardOrMouse(options, "apply-profile");
        if (extra.count("--screen")) {
            if (!IsMouseType(options.deviceType))
                throw UsageError{"--screen: only with --device mouse or mouse-receiver"};
            ParseScreen(options, extra.at("--screen"));
        }
        break;
    case Command::Layout:
        RequireKeyboardOrMouse(options, "layout");
        break;
    case Command::Power:
        if (!IsMouseType(options.deviceType) && options.deviceType != MousePad)
            throw UsageError{"power: only with --device mouse, mouse-receiver or mousepad"};
        break;
    case Command::Autostart:
        if (args[0] != "on" && args[0] != "off")
            throw UsageError{"autostart: on or off, not \"" + args[0] + "\""};
        options.autostart = args[0] == "on";
        break;
    default:
        break;
    }
}

Options Parse(const std::vector<std::string>& arguments, bool& helpAsked)
{
    Options options;
    std::vector<std::string> positional;
    std::map<std::string, std::string> extra;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> const std::string& { return TakeOptionValue(arguments, i); };
        if (argument == "--help" || argument == "-h") {
            helpAsked = true;
        } else if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--simulate") {
            options.simulate = true;
        } else if (argument == "--device") {
            const std::string& name = value();
            options.deviceType = DeviceTypeFromName(name);
            if (!options.deviceType)
                throw UsageError{"unknown device \"" + name + "\""};
        } else if (argument == "--path") {
            options.path = value();
            if (options.path.empty())
                throw UsageError{"--path needs a path, as list prints it"};
        } else if (argument == "--bank" || argument == "--addr" || argument == "--len" || argument == "--data" ||
                   argument == "--count" || argument == "--timeout" || argument == "--macros" ||
                   argument == "--screen") {
            extra[argument] = value();
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError{"unknown option " + argument};
        } else {
            positional.push_back(argument);
        }
    }
    if (helpAsked)
        return options;
    if (positional.empty())
        throw UsageError{"no command given"};
    const auto rule = std::find_if(kCommands.begin(), kCommands.end(),
                                   [&](const CommandRule& c) { return positional[0] == c.name; });
    if (rule == kCommands.end())
        throw UsageError{"unknown command \"" + positional[0] + "\""};
    if (positional.size() - 1 != rule->arguments)
        throw UsageError{std::string("usage: q31ctl ") + rule->synopsis};
    const std::string allowed = std::string(" ") + rule->options + " ";
    for (const auto& [option, text] : extra) {
        if (allowed.find(" " + option + " ") == std::string::npos)
            throw UsageError{option + " does not go with " + rule->name};
    }
    options.command = rule->command;
    FillCommandArguments(options, {positional.begin() + 1, positional.end()}, extra);
    return options;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    ParsedCommandLine parsed;
    try {
        Options options = Parse(arguments, parsed.helpAsked);
        if (!parsed.helpAsked)
            parsed.options = std::move(options);
    } catch (const UsageError& error) {
        parsed.error = error.text;
    }
    return parsed;
}

std::string UsageText()
{
    std::string text =
        "usage: q31ctl [--device DEVICE] [--path PATH] [--simulate] [--trace] COMMAND\n"
        "DEVICE: keyboard, keyboard-receiver, mouse, mouse-receiver, mousepad, headset\n"
        "PATH: one interface as list prints it, to pick one of two devices of a kind\n"
        "        (with neither, the first supported device found)\n"
        "COMMAND:\n";
    for (const CommandRule& rule : kCommands) {
        const std::size_t length = std::strlen(rule.synopsis);
        text += "  " + std::string(rule.synopsis) + std::string(length < kSendsColumn ? kSendsColumn - length : 2, ' ') +
                rule.sends + "\n";
    }
    text +=
        "Numbers are decimal or 0x-prefixed hex; HEX is hex bytes (\"0aff\", \"0a ff\", \"0a:ff\").\n"
        "apply-profile writes the settings record, the macros of FOLDER, the custom colours (keyboard)\n"
        "and the key table; without --macros the keys bound to macros get their default codes. The\n"
        "mouse is told the screen size of --screen, 1920x1080 without it. The mouse pad gets its lighting\n"
        "record, with the bytes of the pad's own read from it first.\n"
        "--trace prints every report sent and received; --simulate uses the simulated devices\n"
        "(those of a running q31-devsim, else a keyboard, mouse, mouse pad and headset on their cables).\n"
        "Exit status: 0 success, 1 other failure, 2 bad usage, 3 no device (list: none found),\n"
        "4 permission denied, 5 no reply in time (listen: fewer than --count before --timeout),\n"
        "6 write failed, 7 device unreachable, 8 status 0xFF, 9 status 0xFE, 10 bad bank.\n";
    return text;
}

std::optional<std::uint16_t> DeviceTypeFromName(const std::string& name)
{
    for (const DeviceName& device : kDeviceNames)
        if (name == device.name)
            return device.type;
    return std::nullopt;
}

bool IsMouseType(std::optional<std::uint16_t> deviceType)
{
    return deviceType == Mouse || deviceType == MouseReceiver;
}

std::string DeviceTypeName(std::uint16_t deviceType)
{
    for (const DeviceName& device : kDeviceNames)
        if (device.type == deviceType)
            return device.name;
    return "device type " + std::to_string(deviceType);
}

const std::string& TakeOptionValue(const std::vector<std::string>& arguments, std::size_t& i)
{
    if (i + 1 >= arguments.size())
        throw UsageError{arguments[i] + " needs a value"};
    return arguments[++i];
}

std::uint32_t NumberArgument(const std::string& text, std::uint32_t maximum, const std::string& what)
{
    std::string error;
    const auto value = ParseNumber(text, maximum, &error);
    if (!value)
        throw UsageError{what + ": " + error};
    return *value;
}

}  // namespace q31::ctl
