#pragma once
// The state the keyboard's light effects keep between frames, and the frame
// one step draws: the settings it follows, the state, the keyboard's random
// numbers and the light records it writes.
#include "devices/effect_steps.h"
#include "devices/keyboard_effect_random.h"
#include "devices/keyboard_effect_tables.h"
#include "devices/light_records.h"
#include "profiles/profile_records.h"

#include <array>
#include <cstdint>

namespace q31::devices {

inline constexpr int kBandCount = 25;
inline constexpr int kLevelValueCount = 6;
inline constexpr int kWavePlanes = 4;
inline constexpr int kAudioSettingsSize = 9;

// The audio light settings: audio mode, background and foreground colours,
// whether the foreground runs through the spectrum.
using AudioLightSettings = std::array<std::uint8_t, kAudioSettingsSize>;
enum AudioSettingsByte {
    kAudioMode = 0,
    kAudioBackground = 1,
    kAudioForeground = 4,
    kAudioSevenColour = 7,
};

// The secondary mode byte of the light settings (mode 17's colour).
inline constexpr int kSettingSecondary = 11;

enum FadeState : std::uint8_t { kFadeIdle = 0, kFadeIn = 1, kFadeOut = 2 };

using LightBytes = std::array<std::uint8_t, kEffectLights>;
using WavePlane = std::array<std::uint8_t, kGridColumns>;

struct KeyboardEffectState {
    LightBytes intensity{};
    LightBytes colour{};
    LightBytes fade{};
    LightBytes held{};
    LightBytes startPhase{};
    // Bit r of a column: the wave front is at row r. Planes 0-3 travel
    // up-left, up-right, down-right and down-left.
    std::array<WavePlane, kWavePlanes> waves{};
    std::uint8_t waveCounter = 0;
    std::uint8_t phase = 0;
    std::uint8_t secondPhase = 0;
    std::array<std::int32_t, kBandCount> bands{};
    std::array<std::int32_t, kLevelValueCount> levels{};
    AudioLightSettings audio{};
    std::array<std::uint32_t, kGridColumns> columnFlags{};
};

struct KeyboardEffectFrame {
    const LightSettings& settings;
    KeyboardEffectState& state;
    CEffectRandom& random;
    CLightRecords& records;

    std::uint8_t Level() const { return BrightnessLevel(settings[kSettingBrightness]); }
    bool Multi() const { return MultiColour(settings); }
    // A light outside the records is left alone.
    void Put(int light, Rgb colour, std::uint8_t a);
    void PutFull(int light, Rgb colour) { Put(light, colour, Level()); }
    // A = level x I / 256.
    std::uint8_t Dimmed(std::uint8_t intensity) const { return std::uint8_t(Level() * intensity / 256); }
    // Spectrum colour of a light's colour index, or the set colour.
    Rgb LightColour(int light) const;
    // The render rule: the light's colour at level x I / 256.
    void Render(int light);
    void RenderAll();
    void Decay(int light, int kind);
    int RandomColour() { return random.Below(kSpectrumLength); }
};

// The spectrum at an index; indexes past its 192 colours take the last one.
Rgb SpectrumAt(int index);

// The phase step of the effects with any step size: forwards (direction
// nonzero) to 0 once the limit is reached, backwards to limit - step when
// leaving 0 ... limit - 1.
std::uint8_t PhaseStepBy(int direction, int limit, int step, std::uint8_t phase);

}  // namespace q31::devices
