#pragma once
// The light effects of one keyboard: the step of every light mode the
// program draws, their start actions, the reactions to reported key presses
// and the audio input. The light thread steps, the notification readers and
// the UI thread feed it, so every entry takes the effects' lock.
#include "devices/effect_steps.h"
#include "devices/keyboard_effect_state.h"
#include "devices/light_records.h"
#include "profiles/profile_records.h"

#include <cstdint>
#include <mutex>

namespace q31::devices {

class CKeyboardEffects {
public:
    explicit CKeyboardEffects(std::uint32_t seed = std::random_device{}());

    // Pins the random numbers, so the frames that follow are always the same.
    void Seed(std::uint32_t seed);
    // Phases, wave counter, colours, fades, intensities, wave planes and the audio input back to the start.
    void ClearPreview();
    // Colour index 33 x (i + 1) modulo 192 for every light i.
    void SpreadStartColours();
    // After a change to mode: ClearPreview, then the mode's start action.
    void StartMode(int mode);
    // One step of the settings' light mode into the records; false for the
    // modes the custom lighting list draws. now: the tick count in milliseconds.
    bool Step(const LightSettings& settings, CLightRecords& records, DWORD now);
    // A press (kind 1) or release (kind 2) of the key at a preview entry.
    void ReactToKey(const LightSettings& settings, int light, int kind);
    // count values of band data (more than 25 are not kept); rippleMode: the
    // keyboard is in the audio mode whose ripples the bands start.
    void OnAudioBands(const int* values, int count, bool rippleMode);
    // The recorder's six level values.
    void OnAudioLevels(const int* values);
    void SetAudioSettings(const AudioLightSettings& audio);
    AudioLightSettings AudioSettings() const;
    // A copy, for tests and tools.
    KeyboardEffectState State() const;

private:
    void ResetAudio();

    mutable std::mutex m_mutex;
    KeyboardEffectState m_state;
    EffectState m_baseEffect;
    CEffectRandom m_random;
};

// Whether a light mode's picture follows the audio settings' ripple mode.
bool IsRippleAudio(int mode, const AudioLightSettings& audio);

}  // namespace q31::devices
