#pragma once
// The real headset: its microphone and side-tone levels and switches go to the
// sound card's mixer; what the sound system has no control for (equaliser,
// voice changer, surround) is kept in a state file so that it reads back.
#include "sdk/chip_backend.h"
#include "sdk/chip_state_file.h"
#include "sdk/sound_mixer.h"

#include <functional>

namespace q31::sdk {

class HeadsetChip final : public ChipBackend {
public:
    // openMixer gives the headset card's mixer, or nullptr when it is not plugged in.
    using MixerOpener = std::function<std::unique_ptr<SoundMixer>()>;

    HeadsetChip(MixerOpener openMixer, std::string statePath);

    bool Init() override { return true; }
    void CreateDeviceList() override;
    std::optional<std::int32_t> DeviceCount(std::int32_t flow) override;
    std::optional<OsConfDevice> DeviceAt(std::int32_t flow, std::int32_t index) override;
    std::optional<std::string> Read(const PropertyCall& call) override;
    bool Write(const PropertyCall& call) override;

private:
    bool IsOwnDevice(const OsConfDevice& device) const;

    MixerOpener m_openMixer;
    ChipStateFile m_file;
    std::unique_ptr<SoundMixer> m_mixer;
};

// "$XDG_STATE_HOME/Q-31/audio-chip.json", by default under ~/.local/state;
// empty without a home folder.
std::string HeadsetChipStatePath();

}  // namespace q31::sdk
