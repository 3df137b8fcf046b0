#include "devices/keyboard_effects.h"

#include "devices/keyboard_effect_steps.h"
#include "devices/keyboard_light_modes.h"

namespace q31::devices {
namespace {

constexpr int kStartColourStep = 33;
constexpr int kRippleAudioMode = 2;

}  // namespace

CKeyboardEffects::CKeyboardEffects(std::uint32_t seed) : m_random(seed)
{
    ResetAudio();
}

void CKeyboardEffects::Seed(std::uint32_t seed)
{
    m_random.Seed(seed);
}

void CKeyboardEffects::ClearPreview()
{
    std::lock_guard lock(m_mutex);
    m_state.phase = 0;
    m_state.waveCounter = 0;
    m_state.colour.fill(0);
    m_state.fade.fill(0);
    m_state.intensity.fill(0);
    for (WavePlane& plane : m_state.waves)
        plane.fill(0);
    ResetAudio();
}

void CKeyboardEffects::ResetAudio()
{
    m_state.bands.fill(0);
    m_state.columnFlags.fill(1);
}

void CKeyboardEffects::SpreadStartColours()
{
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < kEffectLights; ++i)
        m_state.colour[i] = std::uint8_t(kStartColourStep * (i + 1) % kSpectrumLength);
}

void CKeyboardEffects::StartMode(int mode)
{
    ClearPreview();
    {
        std::lock_guard lock(m_mutex);
        if (StartReactiveMode(mode, m_state))
            return;
    }
    SpreadStartColours();
}

bool CKeyboardEffects::Step(const LightSettings& settings, CLightRecords& records, DWORD now)
{
    std::lock_guard lock(m_mutex);
    const int mode = settings[kSettingEffect];
    const std::array<int, 3> levels = {m_state.levels[0], m_state.levels[1], m_state.levels[2]};
    if (StepKeyboardMode(settings, m_baseEffect, records, now, levels))
        return true;
    KeyboardEffectFrame frame{settings, m_state, m_random, records};
    if (mode == kKeyboardModeAudio) {
        StepAudio(frame);
        return true;
    }
    return StepPatternMode(mode, frame) || StepReactiveMode(mode, frame);
}

void CKeyboardEffects::ReactToKey(const LightSettings& settings, int light, int kind)
{
    std::lock_guard lock(m_mutex);
    CLightRecords none;
    KeyboardEffectFrame frame{settings, m_state, m_random, none};
    q31::devices::ReactToKey(settings[kSettingEffect], frame, light, kind);
}

void CKeyboardEffects::OnAudioBands(const int* values, int count, bool rippleMode)
{
    std::lock_guard lock(m_mutex);
    StoreAudioBands(m_state, values, count, rippleMode);
}

void CKeyboardEffects::OnAudioLevels(const int* values)
{
    if (!values)
        return;
    std::lock_guard lock(m_mutex);
    std::copy_n(values, kLevelValueCount, m_state.levels.begin());
}

void CKeyboardEffects::SetAudioSettings(const AudioLightSettings& audio)
{
    std::lock_guard lock(m_mutex);
    m_state.audio = audio;
}

AudioLightSettings CKeyboardEffects::AudioSettings() const
{
    std::lock_guard lock(m_mutex);
    return m_state.audio;
}

KeyboardEffectState CKeyboardEffects::State() const
{
    std::lock_guard lock(m_mutex);
    return m_state;
}

bool IsRippleAudio(int mode, const AudioLightSettings& audio)
{
    return mode == kKeyboardModeAudio && audio[kAudioMode] == kRippleAudioMode;
}

}  // namespace q31::devices
