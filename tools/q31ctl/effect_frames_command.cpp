#include "tools/q31ctl/effect_frames_command.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <sstream>
#include <string_view>

#include "devices/custom_effect_files.h"
#include "devices/custom_effect_modes.h"
#include "devices/keyboard_effects.h"
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

// A key press or release the keyboard reports before a pass.
struct KeyEvent {
    int light = 0;
    int kind = 0;
    int pass = 0;
};

// A light mode of the keyboard's own, with what its effects take in.
struct ModeArguments {
    int mode = 0;
    int secondary = 0;
    int audioMode = 0;
    std::uint32_t seed = 1;
    std::vector<KeyEvent> keys;
    std::vector<std::vector<int>> bands;  // one band frame per pass, from the first; empty: none
    std::array<int, devices::kLevelValueCount> levels{};
};

struct FramesArguments {
    int kindIndex = -1;
    std::string customPath;
    std::string profilePath;
    std::optional<ModeArguments> mode;
    int passes = 0;
    int msPerPass = int(devices::CLightTicker::kTick.count());
};

constexpr std::array<std::string_view, 12> kOptions = {"--device", "--custom", "--profile", "--passes", "--ms-per-pass",
                                                  "--mode", "--secondary", "--seed", "--keys", "--bands",
                                                  "--levels", "--audio-mode"};
constexpr std::uint32_t kMostModes = 255;
constexpr std::uint32_t kMostBandValue = 0x7FFFFFFF;

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// "p:POS@PASS" or "r:POS@PASS": a press or release of the key at preview entry POS before pass PASS.
std::vector<KeyEvent> ParseKeys(const std::string& text)
{
    std::vector<KeyEvent> keys;
    for (const std::string& item : Split(text, ',')) {
        const std::size_t colon = item.find(':');
        const std::size_t at = item.find('@');
        if (colon != 1 || at == std::string::npos || at < colon || (item[0] != 'p' && item[0] != 'r'))
            throw UsageError{"--keys: p:POS@PASS or r:POS@PASS, not \"" + item + "\""};
        keys.push_back({int(NumberArgument(item.substr(2, at - 2), devices::kEffectLights - 1, "--keys position")),
                        item[0] == 'p' ? 1 : 2, int(NumberArgument(item.substr(at + 1), kMostPasses, "--keys pass"))});
    }
    return keys;
}

// One line per pass: up to 25 band values separated by spaces or commas; an empty line delivers none.
std::vector<std::vector<int>> ReadBands(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw UsageError{"--bands: cannot read " + path};
    std::vector<std::vector<int>> frames;
    for (const QByteArray& line : file.readAll().split('\n')) {
        std::string text = line.toStdString();
        std::replace(text.begin(), text.end(), ',', ' ');
        std::vector<int> frame;
        std::istringstream in(text);
        for (std::string value; in >> value && frame.size() < std::size_t(devices::kBandCount);)
            frame.push_back(int(NumberArgument(value, kMostBandValue, "--bands value")));
        frames.push_back(std::move(frame));
    }
    return frames;
}

std::array<int, devices::kLevelValueCount> ParseLevels(const std::string& text)
{
    const std::vector<std::string> parts = Split(text, ',');
    if (parts.size() != 3)
        throw UsageError{"--levels: three values A,B,C"};
    std::array<int, devices::kLevelValueCount> levels{};
    for (std::size_t i = 0; i < parts.size(); ++i)
        levels[i] = int(NumberArgument(parts[i], kMostBandValue, "--levels"));
    return levels;
}

ModeArguments ParseMode(std::map<std::string, std::string>& given)
{
    ModeArguments mode;
    mode.mode = int(NumberArgument(given["--mode"], kMostModes, "--mode"));
    if (given.count("--secondary"))
        mode.secondary = int(NumberArgument(given["--secondary"], kMostModes, "--secondary"));
    if (given.count("--audio-mode"))
        mode.audioMode = int(NumberArgument(given["--audio-mode"], kMostModes, "--audio-mode"));
    if (given.count("--seed"))
        mode.seed = NumberArgument(given["--seed"], 0xFFFFFFFF, "--seed");
    if (given.count("--keys"))
        mode.keys = ParseKeys(given["--keys"]);
    if (given.count("--bands"))
        mode.bands = ReadBands(given["--bands"]);
    if (given.count("--levels"))
        mode.levels = ParseLevels(given["--levels"]);
    return mode;
}

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
        if (std::find(kOptions.begin(), kOptions.end(), argument) == kOptions.end())
            throw UsageError{"\"" + argument + "\" does not go with effect-frames"};
        if (given.count(argument))
            throw UsageError{argument + " given twice"};
        given[argument] = TakeOptionValue(arguments, i);
    }
    if (!given.count("--device"))
        throw UsageError{"effect-frames: --device is missing"};
    if (given.count("--custom") + given.count("--profile") + given.count("--mode") != 1)
        throw UsageError{"effect-frames: give one of --custom FILE.light, --profile PROFILE.Json or --mode M"};
    if (!given.count("--passes"))
        throw UsageError{"effect-frames: --passes is missing"};
    parsed.kindIndex = KindOf(given["--device"]);
    const bool modeOptions = given.count("--secondary") || given.count("--seed") || given.count("--keys") ||
                             given.count("--bands") || given.count("--levels") || given.count("--audio-mode");
    if (given.count("--mode")) {
        if (parsed.kindIndex != kKindKeyboard)
            throw UsageError{"effect-frames: --mode plays the keyboard's light modes only"};
        parsed.mode = ParseMode(given);
    } else if (modeOptions) {
        throw UsageError{"effect-frames: --secondary, --seed, --keys, --bands, --levels and --audio-mode go with --mode"};
    }
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

// Full brightness and speed, forwards, through the spectrum: the mode as the keyboard page shows it by default.
LightSettings ModeSettings(const ModeArguments& mode)
{
    LightSettings settings{};
    settings[devices::kSettingEffect] = std::uint8_t(mode.mode);
    settings[devices::kSettingBrightness] = devices::kLevelCount - 1;
    settings[devices::kSettingSpeed] = devices::kLevelCount - 1;
    settings[devices::kSettingDirection] = 1;
    settings[devices::kSettingMultiColour] = 1;
    settings[devices::kSettingSecondary] = std::uint8_t(mode.secondary);
    return settings;
}

void Feed(devices::CKeyboardEffects& effects, const LightSettings& settings, const ModeArguments& mode, int pass)
{
    for (const KeyEvent& key : mode.keys) {
        if (key.pass == pass)
            effects.ReactToKey(settings, key.light, key.kind);
    }
    // An empty line delivers nothing: the bands of the last line wait for the next audio step.
    if (std::size_t(pass) <= mode.bands.size() && !mode.bands[std::size_t(pass) - 1].empty()) {
        const std::vector<int>& bands = mode.bands[std::size_t(pass) - 1];
        effects.OnAudioBands(bands.data(), int(bands.size()),
                             devices::IsRippleAudio(settings[devices::kSettingEffect], effects.AudioSettings()));
    }
}

int Play(const FramesArguments& args, Console console)
{
    LightSettings settings{};
    std::vector<devices::CustomEffectStep> custom;
    std::vector<LightSettings> perLight;
    if (args.mode) {
        settings = ModeSettings(*args.mode);
    } else if (!args.customPath.empty()) {
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
    devices::CKeyboardEffects* effects = preview.KeyboardEffects();
    if (args.mode && effects) {
        effects->Seed(args.mode->seed);
        devices::AudioLightSettings audio{};
        audio[devices::kAudioMode] = std::uint8_t(args.mode->audioMode);
        audio[devices::kAudioSevenColour] = 1;
        effects->SetAudioSettings(audio);
        effects->OnAudioLevels(args.mode->levels.data());
    }
    DWORD now = kClockStart;
    for (int pass = 0; pass < args.passes; ++pass) {
        if (args.mode && effects)
            Feed(*effects, settings, *args.mode, pass + 1);
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
           "                                  spaces; the keyboard's 170 lights, the mouse's and the\n"
           "                                  mouse pad's 15 LEDs, the headset's 13. --custom plays the\n"
           "                                  file as the kind's first custom effect; --profile plays\n"
           "                                  its light mode, a custom one from the .light files of\n"
           "                                  the profile's folder, and its per-light list (LightList)\n"
           "  effect-frames --device keyboard --mode M [--secondary S] [--audio-mode A] [--seed N]\n"
           "                [--keys p:POS@PASS,r:POS@PASS...] [--bands FILE] [--levels A,B,C] --passes N\n"
           "                                  the keyboard's light mode M (full brightness and speed,\n"
           "                                  forwards, multi-colour) on its 170 lights: S the\n"
           "                                  secondary mode, A the audio mode of mode 29 (the\n"
           "                                  foreground runs through the spectrum on a black\n"
           "                                  background), N the seed of the random colours (1 by\n"
           "                                  default); --keys presses (p) or releases (r) the key at\n"
           "                                  preview entry POS before pass PASS (from 1); --bands\n"
           "                                  gives a line of up to 25 band values per pass, from the\n"
           "                                  first (an empty line: none that pass); --levels the\n"
           "                                  level colour of mode 30\n";
}

}  // namespace q31::ctl
