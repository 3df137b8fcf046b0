#include "audio/chip_audio_binding.h"

#include "audio/property_text.h"
#include "audio/start_up_defaults.h"

#include <algorithm>

namespace q31::audio {
namespace {

// Twice the usual value buffer: the feature list can be long.
constexpr std::size_t kFeatureBufferBytes = 2048;
constexpr std::int32_t kVoiceChangerFeature = 0x20000;
constexpr int kVoiceTypes = 4;

std::optional<std::int32_t> SwitchOf(const std::optional<std::u16string>& text)
{
    if (!text)
        return std::nullopt;
    const auto value = IntegerOf(*text);
    if (!value)
        return std::nullopt;
    return *value != 0 ? 1 : 0;
}

std::optional<int> LevelOf(const std::optional<std::u16string>& text)
{
    if (!text)
        return std::nullopt;
    const auto value = NumberOf(*text);
    if (!value)
        return std::nullopt;
    return LevelOfScalar(*value);
}

float ScalarOfLevel(int level)
{
    return static_cast<float>(std::clamp(level, 0, 100)) / 100.0f;
}

}  // namespace

ChipAudioBinding::ChipAudioBinding(Loader loader) : m_loader(std::move(loader)) {}

std::vector<std::string> ChipAudioBinding::Start()
{
    QString error;
    if (!m_entryPoints)
        m_entryPoints = m_loader(&error);
    if (!m_entryPoints)
        return {"The audio chip's library cannot be loaded: " + error.toStdString()};
    std::vector<std::string> messages;
    if (m_entryPoints->confLibInit() != 0)
        messages.push_back("ConfLibInit called failed!");
    m_entryPoints->createDeviceList();
    m_endpoints = ChooseEndpoints(*m_entryPoints);
    ReadFeatureWords(m_endpoints.capture, messages);
    ReadFeatureWords(m_endpoints.render, messages);
    WriteStartUpDefaults(ChipProperties(*m_entryPoints), m_endpoints);
    return messages;
}

void ChipAudioBinding::ReadFeatureWords(ChipEndpoint& endpoint, std::vector<std::string>& messages) const
{
    if (!endpoint.chosen)
        return;
    const auto text = ChipProperties(*m_entryPoints).Read(endpoint, u"GetSupportFeature", std::nullopt,
                                                          kFeatureBufferBytes);
    if (!text)
        return;
    if (const auto words = FeatureWordsOf(*text))
        endpoint.features = *words;
    else
        messages.push_back("UpdateAPOAvailable failed!");
}

void ChipAudioBinding::ReadState(HeadsetSound& sound)
{
    auto& values = sound.values;
    const ChipEndpoint& capture = m_endpoints.capture;
    // The microphone's decibel range and level are asked for as the library expects, not kept.
    for (const std::u16string_view unused : {u"GetMaxVol", u"GetMinVol", u"GetVolStep"})
        Read(capture, unused);
    Read(capture, u"VolumeControl", Channel(-1));
    if (const auto muted = SwitchOf(Read(capture, u"MuteControl"))) {
        sound.micMuted = *muted;
        values[kMicInSelect] = !*muted;
    }
    if (const auto level = LevelOf(Read(capture, u"VolumeScalarControl", Channel(-1))))
        values[kMicInValue] = *level;
    ReadMonitorState(sound);
    if (capture.features[0] & kVoiceChangerFeature) {
        if (const auto on = SwitchOf(Read(capture, u"Enable_MAGICVOICE")))
            values[kMagicEnable] = *on;
    }
    if (const auto text = Read(capture, u"MagicVoice_Selection")) {
        const auto selection = IntegerOf(*text);
        if (selection && *selection >= 0 && *selection < kVoiceTypes)
            values[kMagicType] = static_cast<std::int32_t>(*selection) + 1;
    }
}

void ChipAudioBinding::ReadMonitorState(HeadsetSound& sound) const
{
    const ChipEndpoint& capture = m_endpoints.capture;
    // A headset without a monitor has no monitor range.
    if (!Read(capture, u"GetAAMaxVol"))
        return;
    Read(capture, u"GetAAMinVol");
    Read(capture, u"GetAAVolStep");
    if (const auto muted = SwitchOf(Read(capture, u"AAMuteControl"))) {
        sound.monitorMuted = *muted;
        sound.values[kMicMoniterSelect] = !*muted;
    }
    if (const auto level = LevelOf(Read(capture, u"AAVolumeScalarControl", Channel(0))))
        sound.values[kMicMoniterValue] = *level;
    for (int band = 1; band <= kBandCount; ++band)
        Read(m_endpoints.render, BandGainProperty(band));
}

bool ChipAudioBinding::SetMicLevel(int level)
{
    if (!Write(m_endpoints.capture, u"VolumeScalarControl", ScalarOfLevel(level), Channel(-1)))
        return false;
    Read(m_endpoints.capture, u"VolumeControl", Channel(-1));
    return true;
}

bool ChipAudioBinding::SetMonitorLevel(int level)
{
    if (!Write(m_endpoints.capture, u"AAVolumeScalarControl", ScalarOfLevel(level), Channel(0)))
        return false;
    Read(m_endpoints.capture, u"AAVolumeControl", Channel(1));
    return true;
}

bool ChipAudioBinding::SetMicMuted(bool muted)
{
    return Write(m_endpoints.capture, u"MuteControl", muted ? 1 : 0);
}

bool ChipAudioBinding::SetMonitorMuted(bool muted)
{
    return Write(m_endpoints.capture, u"AAMuteControl", muted ? 1 : 0);
}

bool ChipAudioBinding::EnableEqualiser()
{
    return Write(m_endpoints.render, u"Enable_EQ_GFX", 1);
}

bool ChipAudioBinding::SetBandGain(int band, int gain)
{
    if (band < 1 || band > kBandCount)
        return false;
    return Write(m_endpoints.render, BandGainProperty(band), gain);
}

bool ChipAudioBinding::SetVoiceChanger(bool on)
{
    const bool written = Write(m_endpoints.capture, u"Enable_MAGICVOICE", on ? 1 : 0);
    // The echo effect and the voice changer do not play together.
    if (on)
        Write(m_endpoints.capture, u"Enable_MICECHO", 0);
    return written;
}

bool ChipAudioBinding::SetVoiceType(int type)
{
    if (type < 1 || type > kVoiceTypes)
        return false;
    return Write(m_endpoints.capture, u"MagicVoice_Selection", type - 1);
}

bool ChipAudioBinding::Write(const ChipEndpoint& endpoint, std::u16string_view name, PropertyValue value,
                             const PropertyParameter& parameter) const
{
    return m_entryPoints && ChipProperties(*m_entryPoints).Write(endpoint, name, value, parameter);
}

std::optional<std::u16string> ChipAudioBinding::Read(const ChipEndpoint& endpoint, std::u16string_view name,
                                                     const PropertyParameter& parameter) const
{
    if (!m_entryPoints)
        return std::nullopt;
    return ChipProperties(*m_entryPoints).Read(endpoint, name, parameter);
}

std::unique_ptr<ChipAudioBinding> MakeChipAudioBinding()
{
    return std::make_unique<ChipAudioBinding>(
        [](QString* error) { return LoadConfLib(ConfLibPath(), error); });
}

std::unique_ptr<IHeadsetAudio> MakeHeadsetAudio()
{
    return MakeChipAudioBinding();
}

}  // namespace q31::audio
