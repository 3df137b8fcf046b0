#include "tools/q31ctl/effect_frames_command.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

#include "devices/custom_effect_files.h"
#include "devices/custom_effect_modes.h"
#include "devices/light_ticker.h"
#include "devices/preview_passes.h"
#include "hid/hid_catalogue.h"
#include "profiles/basic_profile_data.h"
#include "profiles/json_file.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

constexpr const char* kCommand = "effect-frames";
constexpr std::uint32_t kMostPasses = 1000000;
constexpr std::uint32_t kMostMsPerPass = 60000;
// The simulated tick count at the start: as if the program had run a minute,
// so that blink clocks standing at 0 are due on the first pass, as they are
// on a running machine.
constexpr DWORD kClockStart = 60000;

struct KindName {
    const char* name;
    int kindIndex;
};

constexpr std::array<KindName, 4> kKinds = {{
    {"keyboard", kKindKeyboard},
    {"mouse", kKindMouse},
    {"mousepad", kKindMousePad},
    {"headset", kKindHeadset},
}};

struct FramesArguments {
    int kindIndex = -1;
    std::string customPath;
    std::string profilePath;
    int passes = 0;
    int msPerPass = int(devices::CLightTicker::kTick.count());
};

int KindOf(const std::string& name)
{
    const auto kind =
        std::find_if(kKinds.begin(), kKinds.end(), [&](const KindName& entry) { return name == entry.name; });
    if (kind == kKinds.end())
        throw UsageError{"--device: keyboard, mouse, mousepad or headset, not \"" + name + "\""};
    return kind->kindIndex;
}

FramesArguments Parse(const std::vector<std::string>& arguments)
{
    FramesArguments parsed;
    std::map<std::string, std::string> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == kCommand)
            continue;
        if (argument != "--device" && argument != "--custom" && argument != "--profile" && argument != "--passes" &&
            argument != "--ms-per-pass")
            throw UsageError{"\"" + argument + "\" does not go with effect-frames"};
        if (given.count(argument))
            throw UsageError{argument + " given twice"};
        given[argument] = TakeOptionValue(arguments, i);
    }
    if (!given.count("--device"))
        throw UsageError{"effect-frames: --device is missing"};
    if (given.count("--custom") == given.count("--profile"))
        throw UsageError{"effect-frames: give either --custom FILE.light or --profile PROFILE.Json"};
    if (!given.count("--passes"))
        throw UsageError{"effect-frames: --passes is missing"};
    parsed.kindIndex = KindOf(given["--device"]);
    parsed.customPath = given["--custom"];
    parsed.profilePath = given["--profile"];
    parsed.passes = int(NumberArgument(given["--passes"], kMostPasses, "--passes"));
    if (given.count("--ms-per-pass"))
        parsed.msPerPass = int(NumberArgument(given["--ms-per-pass"], kMostMsPerPass, "--ms-per-pass"));
    if (parsed.passes == 0 || parsed.msPerPass == 0)
        throw UsageError{"effect-frames: --passes and --ms-per-pass are at least 1"};
    return parsed;
}

// "RRGGBBAA" per record, separated by single spaces.
std::string FrameLine(const devices::CLightRecords& records)
{
    std::string line;
    line.reserve(records.Size() * 9);
    for (std::size_t i = 0; i < records.Size(); ++i) {
        const devices::LightColour c = devices::UnpackLightRecord(records.Load(i));
        char text[10];
        std::snprintf(text, sizeof text, "%s%02X%02X%02X%02X", i == 0 ? "" : " ", c.r, c.g, c.b, c.a);
        line += text;
    }
    return line;
}

bool IsReadableDocument(const std::string& path)
{
    return ParseJsonFile(QString::fromStdString(path)).isObject();
}

int Play(const FramesArguments& args, Console console)
{
    LightSettings settings{};
    std::vector<devices::CustomEffectStep> custom;
    std::vector<LightSettings> perLight;
    if (!args.customPath.empty()) {
        if (!IsReadableDocument(args.customPath))
            return Fail(console, kExitFailure, "cannot read the custom effect " + args.customPath);
        settings[devices::kSettingEffect] = std::uint8_t(devices::CustomModeOfEntry(args.kindIndex, 0));
        custom = devices::ReadCustomEffectSteps(QString::fromStdString(args.customPath));
    } else {
        if (!IsReadableDocument(args.profilePath))
            return Fail(console, kExitFailure, "cannot read the profile " + args.profilePath);
        const QString path = QString::fromStdString(args.profilePath);
        CBasicProfiledata profile;
        profile.LoadDeviceSection(path);
        settings = profile.ReadLightInfo();
        perLight = profile.ReadLightList();
        // The profile's custom effects are those of its own folder.
        if (const auto entry = devices::CustomEntryOfMode(args.kindIndex, settings[devices::kSettingEffect]))
            custom = devices::LoadCustomEffect(QFileInfo(path).absolutePath(), args.kindIndex, *entry);
    }
    devices::CPreviewPasses preview(args.kindIndex, settings, std::move(custom), std::move(perLight));
    DWORD now = kClockStart;
    for (int pass = 0; pass < args.passes; ++pass) {
        now += DWORD(args.msPerPass);
        preview.Pass(now);
        console.out << FrameLine(preview.Records()) << '\n';
    }
    return kExitSuccess;
}

}  // namespace

std::optional<OfflineCommandResult> RunEffectFramesCommand(const std::vector<std::string>& arguments,
                                                           Console console)
{
    if (std::find(arguments.begin(), arguments.end(), kCommand) == arguments.end())
        return std::nullopt;
    try {
        return OfflineCommandResult{Play(Parse(arguments), console), {}};
    } catch (const UsageError& error) {
        return OfflineCommandResult{kExitUsage, error.text};
    }
}

std::string EffectFramesUsageText()
{
    return "A device's light preview on a simulated clock (sends nothing to any device):\n"
           "  effect-frames --device keyboard|mouse|mousepad|headset\n"
           "                (--custom FILE.light | --profile PROFILE.Json) --passes N [--ms-per-pass M]\n"
           "                                  one line per light thread pass (M ms apart, 16 by\n"
           "                                  default): every light's record as 8 upper-case hex\n"
           "                                  digits RRGGBBAA (A the brightness), separated by single\n"
           "                                  spaces; the keyboard's 126 keys, the mouse's and the\n"
           "                                  mouse pad's 15 LEDs, the headset's 13. --custom plays the\n"
           "                                  file as the kind's first custom effect; --profile plays\n"
           "                                  its light mode, a custom one from the .light files of\n"
           "                                  the profile's folder, and its per-light list (LightList)\n";
}

}  // namespace q31::ctl
