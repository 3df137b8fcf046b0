#include "tools/q31ctl/dpi_commands.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

#include "devices/mouse_dpi.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

constexpr const char* kSynopsis = "dpi value INDEX|index TEXT --step S --lowest L --highest H --sensor ID";

// Each limit as wide as the mouse's device information holds it.
struct LimitOption {
    const char* name;
    std::uint32_t maximum;
    int devices::DpiLimits::*field;
};

constexpr std::array<LimitOption, 4> kLimitOptions = {{
    {"--step", 0xFF, &devices::DpiLimits::step},
    {"--lowest", 0xFFFF, &devices::DpiLimits::lowestDpi},
    {"--highest", 0xFFFF, &devices::DpiLimits::highestIndex},
    {"--sensor", 0xFFFF, &devices::DpiLimits::sensorId},
}};

// A typed value may be negative ("-400"): that is text to convert, not an option.
bool IsOption(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-' && !std::isdigit(static_cast<unsigned char>(argument[1]));
}

struct DpiArguments {
    std::string form;  // "value" or "index"
    std::string operand;
    devices::DpiLimits limits;
};

DpiArguments Parse(const std::vector<std::string>& arguments)
{
    std::vector<std::string> words;
    std::map<std::string, std::string> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!IsOption(argument)) {
            words.push_back(argument);
            continue;
        }
        const bool known = std::any_of(kLimitOptions.begin(), kLimitOptions.end(),
                                       [&](const LimitOption& option) { return argument == option.name; });
        if (!known)
            throw UsageError{argument + " does not go with dpi"};
        given[argument] = TakeOptionValue(arguments, i);
    }
    if (words.size() != 3 || (words[1] != "value" && words[1] != "index"))
        throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
    DpiArguments parsed{words[1], words[2], {}};
    for (const LimitOption& option : kLimitOptions) {
        const auto value = given.find(option.name);
        if (value == given.end())
            throw UsageError{std::string("dpi: ") + option.name + " is missing"};
        parsed.limits.*option.field = static_cast<int>(NumberArgument(value->second, option.maximum, option.name));
    }
    return parsed;
}

int Convert(const DpiArguments& args, Console console)
{
    if (args.form == "value") {
        const auto index = static_cast<int>(
            NumberArgument(args.operand, static_cast<std::uint32_t>(args.limits.highestIndex), "INDEX"));
        console.out << devices::DpiOfIndex(args.limits, index) << '\n';
    } else {
        console.out << devices::IndexOfText(args.limits, QString::fromStdString(args.operand)) << '\n';
    }
    return kExitSuccess;
}

}  // namespace

std::optional<OfflineCommandResult> RunDpiCommand(const std::vector<std::string>& arguments, Console console)
{
    const auto word = std::find_if_not(arguments.begin(), arguments.end(), IsOption);
    if (word == arguments.end() || *word != "dpi")
        return std::nullopt;
    try {
        return OfflineCommandResult{Convert(Parse(arguments), console), {}};
    } catch (const UsageError& error) {
        return OfflineCommandResult{kExitUsage, error.text};
    }
}

std::string DpiUsageText()
{
    return "Mouse DPI, as the mouse page converts it (sends nothing to any device):\n"
           "  dpi value INDEX --step S --lowest L --highest H --sensor ID\n"
           "                                  the DPI an index shows (INDEX at most H)\n"
           "  dpi index TEXT --step S --lowest L --highest H --sensor ID\n"
           "                                  the index a typed DPI value gives, within 0 .. H;\n"
           "                                  text that is not a number counts as 0\n";
}

}  // namespace q31::ctl
