#pragma once
// What q31ctl was asked to do, read from its arguments. Everything is checked
// here, so a bad argument sends nothing to any device.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q31::ctl {

enum class Command {
    List,
    Info,
    Status,
    Begin,
    End,
    ReadParams,
    WriteParams,
    ReadKeyMap,
    WriteKeyMap,
    ReadKeyLights,
    WritePage,
    Stream,
    WriteMacros,
    WriteShoot,
    TakeLight,
    QueryLink,
    Raw,
    Listen,
    Autostart,
    ApplyProfile,
    Layout,
    Power,
};

struct Options {
    Command command = Command::List;
    std::optional<std::uint16_t> deviceType;  // none: the first supported device found
    std::string path;             // empty: any; else the one interface at this path
    bool trace = false;
    bool simulate = false;
    std::uint16_t address = 0;    // read-params, write-params, raw
    std::size_t length = 0;       // read-params, raw
    std::vector<std::uint8_t> data;
    int bank = 0;
    int page = 0;
    int pageSize = 0;
    std::uint8_t code = 0;        // raw
    int count = 0;                // listen: notifications to wait for; 0 without limit
    int timeoutSeconds = 0;       // listen: 0 without limit
    bool autostart = false;       // autostart: on
    std::string profilePath;      // apply-profile
    std::string macroFolder;      // apply-profile; empty: no macros
    int screenWidth = 1920;       // mouse apply-profile: the screen size the mouse is told
    int screenHeight = 1080;
};

struct ParsedCommandLine {
    std::optional<Options> options;  // none: show the usage (with the error, when there is one)
    std::string error;
    bool helpAsked = false;
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);
std::string UsageText();

// Thrown by the command parsers, to end at the first bad argument.
struct UsageError {
    std::string text;
};
// The value of the option at position i, which then moves on to it; a
// UsageError when the arguments end first.
const std::string& TakeOptionValue(const std::vector<std::string>& arguments, std::size_t& i);
// A number typed for `what`, as ParseNumber reads it; a UsageError naming `what` otherwise.
std::uint32_t NumberArgument(const std::string& text, std::uint32_t maximum, const std::string& what);

// "--device" names and their catalogue device types.
std::optional<std::uint16_t> DeviceTypeFromName(const std::string& name);
std::string DeviceTypeName(std::uint16_t deviceType);
// The mouse on its cable or through its receiver.
bool IsMouseType(std::optional<std::uint16_t> deviceType);

}  // namespace q31::ctl
