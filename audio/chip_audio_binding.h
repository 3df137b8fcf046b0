#pragma once
// The headset's sound through the audio chip's configuration library.
#include "audio/endpoint_choice.h"
#include "devices/headset_audio.h"

#include <functional>
#include <memory>
#include <optional>

namespace q31::audio {

class ChipAudioBinding final : public IHeadsetAudio {
public:
    // Gives the entry points, or nullopt and the reason the library cannot be loaded.
    using Loader = std::function<std::optional<ConfLibEntryPoints>(QString* error)>;

    explicit ChipAudioBinding(Loader loader);

    std::vector<std::string> Start() override;
    bool IsLoaded() const override { return m_entryPoints.has_value(); }
    void ReadState(HeadsetSound& sound) override;

    bool SetMicLevel(int level) override;
    bool SetMonitorLevel(int level) override;
    bool SetMicMuted(bool muted) override;
    bool SetMonitorMuted(bool muted) override;
    bool EnableEqualiser() override;
    bool SetBandGain(int band, int gain) override;
    bool SetVoiceChanger(bool on) override;
    bool SetVoiceType(int type) override;

    // The endpoints chosen at start-up with their feature words.
    const ChipEndpoints& Endpoints() const { return m_endpoints; }

private:
    void ReadFeatureWords(ChipEndpoint& endpoint, std::vector<std::string>& messages) const;
    void ReadMonitorState(HeadsetSound& sound) const;
    bool Write(const ChipEndpoint& endpoint, std::u16string_view name, PropertyValue value,
               const PropertyParameter& parameter = std::nullopt) const;
    std::optional<std::u16string> Read(const ChipEndpoint& endpoint, std::u16string_view name,
                                       const PropertyParameter& parameter = std::nullopt) const;

    Loader m_loader;
    std::optional<ConfLibEntryPoints> m_entryPoints;
    ChipEndpoints m_endpoints;
};

// The binding to the library in the program's data folder.
std::unique_ptr<ChipAudioBinding> MakeChipAudioBinding();
std::unique_ptr<IHeadsetAudio> MakeHeadsetAudio();

}  // namespace q31::audio
