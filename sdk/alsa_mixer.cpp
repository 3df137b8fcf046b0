#include "sdk/alsa_mixer.h"

#include "sdk/usb_sound_card.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace q31::sdk {
namespace {

constexpr std::uint16_t kHeadsetVendor = 0x0C76;
constexpr std::uint16_t kHeadsetProduct = 0x1630;
constexpr double kCentibelsPerDecibel = 100.0;

// One direction of the "Mic" element: ALSA names the functions for capture and playback apart.
struct Direction {
    int (*hasVolume)(snd_mixer_elem_t*);
    int (*hasSwitch)(snd_mixer_elem_t*);
    int (*volumeRange)(snd_mixer_elem_t*, long*, long*);
    int (*volume)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, long*);
    int (*setVolume)(snd_mixer_elem_t*, long);
    int (*switchState)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, int*);
    int (*setSwitch)(snd_mixer_elem_t*, int);
    int (*decibels)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, long*);
    int (*decibelRange)(snd_mixer_elem_t*, long*, long*);
};

const Direction kCapture = {snd_mixer_selem_has_capture_volume,      snd_mixer_selem_has_capture_switch,
                            snd_mixer_selem_get_capture_volume_range, snd_mixer_selem_get_capture_volume,
                            snd_mixer_selem_set_capture_volume_all,   snd_mixer_selem_get_capture_switch,
                            snd_mixer_selem_set_capture_switch_all,   snd_mixer_selem_get_capture_dB,
                            snd_mixer_selem_get_capture_dB_range};
const Direction kPlayback = {snd_mixer_selem_has_playback_volume,      snd_mixer_selem_has_playback_switch,
                             snd_mixer_selem_get_playback_volume_range, snd_mixer_selem_get_playback_volume,
                             snd_mixer_selem_set_playback_volume_all,   snd_mixer_selem_get_playback_switch,
                             snd_mixer_selem_set_playback_switch_all,   snd_mixer_selem_get_playback_dB,
                             snd_mixer_selem_get_playback_dB_range};

const Direction& DirectionOf(MixerPath path)
{
    return path == MixerPath::Microphone ? kCapture : kPlayback;
}

constexpr snd_mixer_selem_channel_id_t kFirstChannel = SND_MIXER_SCHN_FRONT_LEFT;

class AlsaMixer final : public SoundMixer {
public:
    AlsaMixer(snd_mixer_t* mixer, snd_mixer_elem_t* mic) : m_mixer(mixer), m_mic(mic) {}
    ~AlsaMixer() override { snd_mixer_close(m_mixer); }
    AlsaMixer(const AlsaMixer&) = delete;
    AlsaMixer& operator=(const AlsaMixer&) = delete;

    std::optional<double> Level(MixerPath path) const override
    {
        const Direction& direction = DirectionOf(path);
        long lowest = 0, highest = 0, volume = 0;
        if (!direction.hasVolume(m_mic) || direction.volumeRange(m_mic, &lowest, &highest) < 0 ||
            highest <= lowest || direction.volume(m_mic, kFirstChannel, &volume) < 0)
            return std::nullopt;
        return static_cast<double>(volume - lowest) / static_cast<double>(highest - lowest);
    }

    bool SetLevel(MixerPath path, double level) override
    {
        const Direction& direction = DirectionOf(path);
        long lowest = 0, highest = 0;
        if (!direction.hasVolume(m_mic) || direction.volumeRange(m_mic, &lowest, &highest) < 0)
            return false;
        const double share = std::clamp(level, 0.0, 1.0);
        return direction.setVolume(m_mic, lowest + std::lround(share * static_cast<double>(highest - lowest))) >= 0;
    }

    std::optional<bool> IsOn(MixerPath path) const override
    {
        const Direction& direction = DirectionOf(path);
        int on = 0;
        if (!direction.hasSwitch(m_mic) || direction.switchState(m_mic, kFirstChannel, &on) < 0)
            return std::nullopt;
        return on != 0;
    }

    bool SetOn(MixerPath path, bool on) override
    {
        const Direction& direction = DirectionOf(path);
        return direction.hasSwitch(m_mic) && direction.setSwitch(m_mic, on ? 1 : 0) >= 0;
    }

    std::optional<double> Decibels(MixerPath path) const override
    {
        const Direction& direction = DirectionOf(path);
        long centibels = 0;
        if (!direction.hasVolume(m_mic) || direction.decibels(m_mic, kFirstChannel, &centibels) < 0)
            return std::nullopt;
        return static_cast<double>(centibels) / kCentibelsPerDecibel;
    }

    std::optional<DecibelRange> Range(MixerPath path) const override
    {
        const Direction& direction = DirectionOf(path);
        long lowest = 0, highest = 0, lowestStep = 0, highestStep = 0;
        if (!direction.hasVolume(m_mic) || direction.decibelRange(m_mic, &lowest, &highest) < 0 ||
            direction.volumeRange(m_mic, &lowestStep, &highestStep) < 0 || highestStep <= lowestStep)
            return std::nullopt;
        const double low = static_cast<double>(lowest) / kCentibelsPerDecibel;
        const double high = static_cast<double>(highest) / kCentibelsPerDecibel;
        return DecibelRange{low, high, (high - low) / static_cast<double>(highestStep - lowestStep)};
    }

private:
    snd_mixer_t* m_mixer;
    snd_mixer_elem_t* m_mic;
};

}  // namespace

std::unique_ptr<SoundMixer> OpenAlsaMixer(int card)
{
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0)
        return nullptr;
    const std::string name = "hw:" + std::to_string(card);
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_name(id, "Mic");
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_elem_t* mic = nullptr;
    if (snd_mixer_attach(mixer, name.c_str()) >= 0 && snd_mixer_selem_register(mixer, nullptr, nullptr) >= 0 &&
        snd_mixer_load(mixer) >= 0)
        mic = snd_mixer_find_selem(mixer, id);
    if (!mic) {
        snd_mixer_close(mixer);
        return nullptr;
    }
    return std::make_unique<AlsaMixer>(mixer, mic);
}

std::unique_ptr<SoundMixer> OpenHeadsetMixer()
{
    const auto card = FindUsbSoundCard("/sys", kHeadsetVendor, kHeadsetProduct);
    return card ? OpenAlsaMixer(*card) : nullptr;
}

}  // namespace q31::sdk
