#include "tools/q31ctl/headset_leds_command.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "devices/headset_led_reports.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

constexpr const char* kCommand = "leds";

// "R,G,B,A", each 0 to 255.
devices::LightColour ParseRecord(const std::string& text, int led)
{
    std::array<std::uint8_t, 4> values{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t comma = text.find(',', start);
        const bool last = i + 1 == values.size();
        if (last != (comma == std::string::npos))
            throw UsageError{"leds: LED " + std::to_string(led) + " is R,G,B,A, not \"" + text + "\""};
        const std::string part = text.substr(start, last ? std::string::npos : comma - start);
        values[i] = static_cast<std::uint8_t>(NumberArgument(part, 0xFF, "LED " + std::to_string(led)));
        start = comma + 1;
    }
    return {values[0], values[1], values[2], values[3]};
}

devices::CLightRecords Parse(const std::vector<std::string>& records)
{
    if (records.size() != std::size_t(devices::kHeadsetLedCount))
        throw UsageError{"leds: " + std::to_string(devices::kHeadsetLedCount) + " records R,G,B,A are needed, " +
                         std::to_string(records.size()) + " were given"};
    devices::CLightRecords lights;
    lights.Resize(records.size());
    for (std::size_t led = 0; led < records.size(); ++led)
        lights.Store(led, devices::PackLightRecord(ParseRecord(records[led], int(led))));
    return lights;
}

void Print(const devices::CLightRecords& lights, Console console)
{
    const devices::LiveFrame frame = devices::HeadsetLedFrame(lights);
    for (const devices::HeadsetLedReport& report :
         devices::BuildHeadsetLedReports(frame.data(), devices::FrameLength(int(lights.Size())))) {
        std::string line;
        for (std::uint8_t byte : report) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%s%02x", line.empty() ? "" : " ", byte);
            line += hex;
        }
        console.out << line << '\n';
    }
}

}  // namespace

std::optional<OfflineCommandResult> RunHeadsetLedsCommand(const std::vector<std::string>& arguments, Console console)
{
    // Only "--device headset" names this command; "leds" alone is no command of q31ctl.
    const auto device = std::find(arguments.begin(), arguments.end(), "--device");
    const auto word = std::find(arguments.begin(), arguments.end(), kCommand);
    if (word == arguments.end() || device == arguments.end() || device + 1 == arguments.end() ||
        device[1] != "headset" || word < device)
        return std::nullopt;
    try {
        if (word != device + 2 || device != arguments.begin())
            throw UsageError{"usage: q31ctl --device headset leds R,G,B,A ... (13 records)"};
        Print(Parse({word + 1, arguments.end()}), console);
        return OfflineCommandResult{kExitSuccess, {}};
    } catch (const UsageError& error) {
        return OfflineCommandResult{kExitUsage, error.text};
    }
}

std::string HeadsetLedsUsageText()
{
    return "Headset LED reports, as the headset page sends them (sends nothing to any device):\n"
           "  --device headset leds R,G,B,A ...\n"
           "                                  13 records, LED 0 first, each red, green, blue and\n"
           "                                  brightness 0 .. 255 joined by commas; prints the 12\n"
           "                                  output reports of 17 bytes in hex, one per line\n";
}

}  // namespace q31::ctl
