#include "devices/headset_effect_steps.h"

#include "devices/custom_effect_modes.h"

namespace q31::devices {
namespace {

// Neighbouring LEDs are this far apart in the spectrum and the wave.
constexpr int kFlowSpectrumSpread = 16;
constexpr int kFlowWaveSpread = 10;
constexpr int kFlowWaveSize = 3;

// The phase step moving by size, in 8-bit arithmetic: forwards back to 0 once
// the limit is reached, backwards to limit - size once it would leave the range.
constexpr std::uint8_t SizedPhaseStep(int direction, int limit, std::uint8_t phase, int size)
{
    if (direction != 0) {
        const auto next = std::uint8_t(phase + size);
        return next < limit ? next : 0;
    }
    const auto next = std::uint8_t(phase - size);
    return next < limit ? next : std::uint8_t(limit - size);
}

}  // namespace

int StepHeadsetFlow(EffectState& effect, const LightSettings& settings, CLightRecords& records)
{
    const int lights = int(records.Size());
    const int direction = settings[kSettingDirection];
    const std::uint8_t level = BrightnessLevel(settings[kSettingBrightness]);
    if (MultiColour(settings)) {
        effect.phase = SizedPhaseStep(direction, kSpectrumLength, effect.phase, 1);
        for (int k = 0; k < lights; ++k) {
            const Rgb colour = kSpectrum[(effect.phase + 1 + kFlowSpectrumSpread * k) % kSpectrumLength];
            records.Store(k, PackLightRecord({colour.r, colour.g, colour.b, level}));
        }
        return lights;
    }
    effect.phase = SizedPhaseStep(direction, kWaveLength, effect.phase, kFlowWaveSize);
    const Rgb colour = SetColour(settings);
    for (int k = 0; k < lights; ++k) {
        const auto a = std::uint8_t(level * kWave[(effect.phase + kFlowWaveSpread * k) % kWaveLength] / 256);
        records.Store(k, PackLightRecord({colour.r, colour.g, colour.b, a}));
    }
    return lights;
}

bool StepHeadsetPreview(int mode, EffectState& effect, PadWaveState& wave, CKeyLights& lights,
                        const LightSettings& settings, CLightRecords& records, DWORD now)
{
    if (IsCustomMode(kKindHeadset, mode))
        return false;
    if (mode == kHeadsetModeFlow) {
        StepHeadsetFlow(effect, settings, records);
        return true;
    }
    return StepPadPreview(mode, effect, wave, lights, settings, records, now);
}

}  // namespace q31::devices
