#include "tools/q31ctl/audio_commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>

#include "audio/chip_audio_binding.h"
#include "devices/eq_presets.h"
#include "audio/simulated_chip.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

constexpr const char* kSynopsis = "audio status|set NAME VALUE";
constexpr int kLowestGain = -100;
constexpr int kHighestGain = 100;

using Setting = std::function<bool(IHeadsetAudio&)>;

bool OnOff(const std::string& text, const std::string& name)
{
    if (text != "on" && text != "off")
        throw UsageError{name + ": on or off, not \"" + text + "\""};
    return text == "on";
}

int Level(const std::string& text, const std::string& name, std::uint32_t highest)
{
    return static_cast<int>(NumberArgument(text, highest, name));
}

int SignedNumber(const std::string& text, const std::string& what)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < kLowestGain || value > kHighestGain)
        throw UsageError{what + ": a whole number from " + std::to_string(kLowestGain) + " to " +
                         std::to_string(kHighestGain) + ", not \"" + text + "\""};
    return value;
}

Setting EqPreset(int preset)
{
    return [preset](IHeadsetAudio& audio) {
        bool written = audio.EnableEqualiser();
        const devices::EqBandGains gains = *devices::EqPresetGains(preset);
        for (std::size_t band = 0; band < gains.size(); ++band)
            written = audio.SetBandGain(static_cast<int>(band) + 1, gains[band]) && written;
        return written;
    };
}

Setting EqBand(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        throw UsageError{"eq-band: BAND:GAIN, as 3:-5, not \"" + text + "\""};
    const int band = static_cast<int>(NumberArgument(text.substr(0, colon), audio::kBandCount, "eq-band BAND"));
    if (band == 0)
        throw UsageError{"eq-band BAND: 1 to 10"};
    const int gain = SignedNumber(text.substr(colon + 1), "eq-band GAIN");
    return [band, gain](IHeadsetAudio& audio) { return audio.SetBandGain(band, gain); };
}

Setting ParseSetting(const std::string& name, const std::string& value)
{
    if (name == "mic-level")
        return [level = Level(value, name, 100)](IHeadsetAudio& audio) { return audio.SetMicLevel(level); };
    if (name == "monitor-level")
        return [level = Level(value, name, 100)](IHeadsetAudio& audio) { return audio.SetMonitorLevel(level); };
    if (name == "mic-mute")
        return [muted = OnOff(value, name)](IHeadsetAudio& audio) { return audio.SetMicMuted(muted); };
    if (name == "monitor-mute")
        return [muted = OnOff(value, name)](IHeadsetAudio& audio) { return audio.SetMonitorMuted(muted); };
    if (name == "magic")
        return [on = OnOff(value, name)](IHeadsetAudio& audio) { return audio.SetVoiceChanger(on); };
    if (name == "magic-type") {
        const int type = Level(value, name, 4);
        if (type == 0)
            throw UsageError{"magic-type: 1 to 4"};
        return [type](IHeadsetAudio& audio) { return audio.SetVoiceType(type); };
    }
    if (name == "eq-preset") {
        const int preset = Level(value, name, devices::kEqPresetCount);
        if (preset == 0)
            throw UsageError{"eq-preset: 1 to 12"};
        return EqPreset(preset);
    }
    if (name == "eq-band")
        return EqBand(value);
    throw UsageError{"audio set: unknown setting \"" + name + "\""};
}

QJsonValue EndpointJson(const audio::ChipEndpoint& endpoint)
{
    if (!endpoint.chosen)
        return QJsonValue::Null;
    QJsonArray features;
    for (const std::int32_t word : endpoint.features)
        features.append(static_cast<qint64>(static_cast<std::uint32_t>(word)));
    return QJsonObject{{"id", endpoint.device.id},
                       {"kind", endpoint.device.kind},
                       {"reserved", endpoint.device.reserved},
                       {"state", endpoint.device.state},
                       {"features", features}};
}

QJsonObject SoundJson(const HeadsetSound& sound)
{
    const auto& values = sound.values;
    return QJsonObject{{"MagicEnable", values[kMagicEnable]},           {"MagicType", values[kMagicType]},
                       {"MicInSelect", values[kMicInSelect]},           {"MicInValue", values[kMicInValue]},
                       {"MicMoniterSelect", values[kMicMoniterSelect]}, {"MicMoniterValue", values[kMicMoniterValue]},
                       {"micMuted", sound.micMuted},                    {"monitorMuted", sound.monitorMuted}};
}

int PrintStatus(audio::ChipAudioBinding& binding, const std::vector<std::string>& messages, Console console)
{
    HeadsetSound sound;
    binding.ReadState(sound);
    QJsonArray notes;
    for (const std::string& message : messages)
        notes.append(QString::fromStdString(message));
    const QJsonObject status{{"render", EndpointJson(binding.Endpoints().render)},
                             {"capture", EndpointJson(binding.Endpoints().capture)},
                             {"messages", notes},
                             {"sound", SoundJson(sound)}};
    console.out << QJsonDocument(status).toJson(QJsonDocument::Indented).toStdString();
    return kExitSuccess;
}

int Run(const std::vector<std::string>& words, bool simulate, Console console)
{
    const bool status = words.size() == 2 && words[1] == "status";
    if (!status && (words.size() != 4 || words[1] != "set"))
        throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
    // Checked before the library starts, so that a bad setting sends nothing.
    const Setting setting = status ? Setting() : ParseSetting(words[2], words[3]);
    if (simulate)
        audio::SelectSimulatedChip();
    const auto binding = audio::MakeChipAudioBinding();
    const std::vector<std::string> messages = binding->Start();
    if (!binding->IsLoaded())
        return Fail(console, kExitFailure, messages.empty() ? "the audio chip's library cannot be loaded" : messages[0]);
    if (!setting)
        return PrintStatus(*binding, messages, console);
    if (!binding->Endpoints().render.chosen && !binding->Endpoints().capture.chosen)
        return Fail(console, kExitNoDevice, "audio set " + words[2] + ": no headset sound device");
    if (!setting(*binding))
        return Fail(console, kExitWriteFailed, "audio set " + words[2] + ": the audio chip's library refused it");
    return kExitSuccess;
}

}  // namespace

std::optional<OfflineCommandResult> RunAudioCommand(const std::vector<std::string>& arguments, Console console)
{
    std::vector<std::string> words;
    bool simulate = false;
    std::vector<std::string> options;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h")
            return std::nullopt;
        if (argument == "--simulate")
            simulate = true;
        else if (argument.size() > 1 && argument.compare(0, 2, "--") == 0)
            options.push_back(argument);
        else
            words.push_back(argument);
    }
    if (words.empty() || words[0] != "audio")
        return std::nullopt;
    try {
        if (!options.empty())
            throw UsageError{options[0] + " does not go with audio"};
        return OfflineCommandResult{Run(words, simulate, console), {}};
    } catch (const UsageError& error) {
        return OfflineCommandResult{kExitUsage, error.text};
    }
}

std::string AudioUsageText()
{
    return "Headset sound, through the audio chip's library (--simulate: the simulated chip of q31 --simulate):\n"
           "  audio status                    print the sound devices, their feature words and the sound as JSON\n"
           "  audio set NAME VALUE            write one setting; NAME and VALUE:\n"
           "    mic-level 0..100, monitor-level 0..100, mic-mute on|off, monitor-mute on|off,\n"
           "    eq-preset 1..12 (switches the equaliser on and writes the preset's ten gains),\n"
           "    eq-band BAND:GAIN (band 1..10, gain -100..100, as 3:-5), magic on|off, magic-type 1..4\n"
           "Q31_AUDIO_SIM_STATE names the simulated chip's state file; set, the simulated chip is used.\n";
}

}  // namespace q31::ctl
