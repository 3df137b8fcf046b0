#include "sdk/headset_chip.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace q31::sdk {
namespace {

constexpr OsConfDevice kRender = {1, 1, 0, 1};
constexpr OsConfDevice kCapture = {2, 2, 0, 1};
// No feature bit is set: the sound system has no voice changer to report.
constexpr const char* kFeatures = "0,0,0,0,0,0,0";

enum class Quantity { Level, Muted, Decibels, HighestDecibels, LowestDecibels, DecibelStep };

struct MixerProperty {
    const char* name;
    MixerPath path;
    Quantity quantity;
};

constexpr std::array<MixerProperty, 12> kMixerProperties = {{
    {"VolumeScalarControl", MixerPath::Microphone, Quantity::Level},
    {"MuteControl", MixerPath::Microphone, Quantity::Muted},
    {"VolumeControl", MixerPath::Microphone, Quantity::Decibels},
    {"GetMaxVol", MixerPath::Microphone, Quantity::HighestDecibels},
    {"GetMinVol", MixerPath::Microphone, Quantity::LowestDecibels},
    {"GetVolStep", MixerPath::Microphone, Quantity::DecibelStep},
    {"AAVolumeScalarControl", MixerPath::SideTone, Quantity::Level},
    {"AAMuteControl", MixerPath::SideTone, Quantity::Muted},
    {"AAVolumeControl", MixerPath::SideTone, Quantity::Decibels},
    {"GetAAMaxVol", MixerPath::SideTone, Quantity::HighestDecibels},
    {"GetAAMinVol", MixerPath::SideTone, Quantity::LowestDecibels},
    {"GetAAVolStep", MixerPath::SideTone, Quantity::DecibelStep},
}};

const MixerProperty* MixerPropertyOf(const PropertyCall& call)
{
    if (call.device.id != kCapture.id)
        return nullptr;
    const auto found = std::find_if(kMixerProperties.begin(), kMixerProperties.end(),
                                    [&](const MixerProperty& property) { return call.name == property.name; });
    return found == kMixerProperties.end() ? nullptr : &*found;
}

std::optional<std::string> TextOf(const std::optional<double>& number)
{
    if (!number)
        return std::nullopt;
    return TextOfValue(static_cast<float>(*number));
}

std::optional<std::string> ReadMixer(const SoundMixer& mixer, const MixerProperty& property)
{
    const auto range = [&](double DecibelRange::*field) -> std::optional<double> {
        const auto decibels = mixer.Range(property.path);
        return decibels ? std::optional<double>((*decibels).*field) : std::nullopt;
    };
    switch (property.quantity) {
    case Quantity::Level:
        return TextOf(mixer.Level(property.path));
    case Quantity::Muted: {
        const auto on = mixer.IsOn(property.path);
        return on ? std::optional<std::string>(*on ? "0" : "1") : std::nullopt;
    }
    case Quantity::Decibels:
        return TextOf(mixer.Decibels(property.path));
    case Quantity::HighestDecibels:
        return TextOf(range(&DecibelRange::highest));
    case Quantity::LowestDecibels:
        return TextOf(range(&DecibelRange::lowest));
    case Quantity::DecibelStep:
        return TextOf(range(&DecibelRange::step));
    }
    return std::nullopt;
}

bool WriteMixer(SoundMixer& mixer, const MixerProperty& property, const std::variant<std::int32_t, float>& value)
{
    switch (property.quantity) {
    case Quantity::Level:
        return std::holds_alternative<float>(value) && mixer.SetLevel(property.path, std::get<float>(value));
    case Quantity::Muted:
        return std::holds_alternative<std::int32_t>(value) &&
               mixer.SetOn(property.path, std::get<std::int32_t>(value) == 0);
    default:
        // Decibels follow from the level; they are not set on their own.
        return false;
    }
}

}  // namespace

HeadsetChip::HeadsetChip(MixerOpener openMixer, std::string statePath)
    : m_openMixer(std::move(openMixer)), m_file(std::move(statePath))
{
}

void HeadsetChip::CreateDeviceList()
{
    m_mixer = m_openMixer();
}

std::optional<std::int32_t> HeadsetChip::DeviceCount(std::int32_t)
{
    return m_mixer ? 1 : 0;
}

std::optional<OsConfDevice> HeadsetChip::DeviceAt(std::int32_t flow, std::int32_t index)
{
    if (!m_mixer || index != 0)
        return std::nullopt;
    return flow == kOsConfCapture ? kCapture : kRender;
}

bool HeadsetChip::IsOwnDevice(const OsConfDevice& device) const
{
    return m_mixer && (device.id == kRender.id || device.id == kCapture.id);
}

std::optional<std::string> HeadsetChip::Read(const PropertyCall& call)
{
    if (!IsOwnDevice(call.device))
        return std::nullopt;
    if (call.name == "GetSupportFeature")
        return kFeatures;
    if (const MixerProperty* property = MixerPropertyOf(call))
        return ReadMixer(*m_mixer, *property);
    const auto document = m_file.Load();
    return document ? StoredProperty(*document, call.device, call.name) : std::nullopt;
}

bool HeadsetChip::Write(const PropertyCall& call)
{
    if (!IsOwnDevice(call.device))
        return false;
    if (const MixerProperty* property = MixerPropertyOf(call))
        return WriteMixer(*m_mixer, *property, call.value);
    // A missing file starts empty; one that cannot be read is left alone.
    auto document = m_file.Exists() ? m_file.Load() : Json::Value(Json::objectValue);
    if (!document)
        return false;
    StoreProperty(*document, call.device, call.name, TextOfValue(call.value));
    return m_file.Save(*document);
}

std::string HeadsetChipStatePath()
{
    const char* stateHome = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    if (stateHome && *stateHome == '/')
        return std::string(stateHome) + "/Q-31/audio-chip.json";
    if (home && *home == '/')
        return std::string(home) + "/.local/state/Q-31/audio-chip.json";
    return {};  // nowhere to keep it: what the mixer has no control for is not kept

}

}  // namespace q31::sdk
