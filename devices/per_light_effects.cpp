#include "devices/per_light_effects.h"

#include "devices/effect_steps.h"
#include "devices/light_tables.h"

#include <algorithm>

namespace q31::devices {
namespace {

constexpr DWORD kBlinkUnitMs = 200;
constexpr int kBreathingStepBase = 4;
constexpr int kBlinkColourSkip = 14;

bool InUse(const LightSettings& entry)
{
    return entry[kEntryInUse] != 0;
}

Rgb EntryColour(const LightSettings& entry, std::uint8_t spectrumIndex)
{
    return MultiColour(entry) ? kSpectrum[spectrumIndex % kSpectrumLength] : SetColour(entry);
}

void Put(CLightRecords& records, std::size_t light, Rgb colour, std::uint8_t a)
{
    records.Store(light, PackLightRecord({colour.r, colour.g, colour.b, a}));
}

std::uint8_t Level(const LightSettings& entry)
{
    return BrightnessLevel(entry[kSettingBrightness]);
}

std::uint8_t NextSpectrumIndex(std::uint8_t index, int step)
{
    return index + step >= kSpectrumLength ? 0 : std::uint8_t(index + step);
}

void StepBreathing(PerLightState& state, const LightSettings& entry, CLightRecords& records, std::size_t light)
{
    const Rgb colour = EntryColour(entry, state.breathingColourIndex);
    // The step is at least 4, so a phase near the end of the curve steps past
    // it; it starts again rather than read beyond the curve.
    const int phase = state.breathingPhase + std::min<int>(entry[kSettingSpeed], kLevelCount - 1) + kBreathingStepBase;
    if (phase >= kBreathingCurveLength) {
        state.breathingPhase = 0;
        state.breathingColourIndex = NextSpectrumIndex(state.breathingColourIndex, 1);
    } else {
        state.breathingPhase = std::uint8_t(phase);
    }
    Put(records, light, colour, std::uint8_t(kBreathingCurve[state.breathingPhase] * Level(entry) / 256));
}

void StepSpectrum(PerLightState& state, const LightSettings& entry, CLightRecords& records, std::size_t light)
{
    if (++state.spectrumTicks >= state.spectrumThreshold) {
        state.spectrumTicks = 0;
        state.spectrumColourIndex = NextSpectrumIndex(state.spectrumColourIndex, 1);
    }
    Put(records, light, kSpectrum[state.spectrumColourIndex % kSpectrumLength], Level(entry));
}

void StepBlink(PerLightState& state, const LightSettings& entry, CLightRecords& records, std::size_t light, DWORD now)
{
    if (now - state.lastBlinkToggle >= state.blinkPeriodMs) {
        state.blinkOn = !state.blinkOn;
        state.lastBlinkToggle = now;
        state.blinkColourIndex = NextSpectrumIndex(state.blinkColourIndex, kBlinkColourSkip);
    }
    if (entry[kSettingEffect] != kPerLightBlink)
        return;
    if (state.blinkOn)
        Put(records, light, EntryColour(entry, state.blinkColourIndex), Level(entry));
    else
        records.Store(light, 0);
}

}  // namespace

void ResetPerLightEffects(std::vector<PerLightState>& states, const std::vector<LightSettings>& entries)
{
    states.assign(entries.size(), PerLightState{});
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::uint8_t threshold = SpeedLevel(entries[i][kSettingSpeed]);
        states[i].blinkPeriodMs = threshold * kBlinkUnitMs;
        if (InUse(entries[i]))
            states[i].spectrumThreshold = threshold;
    }
}

void StepPerLightEffects(std::vector<PerLightState>& states, const std::vector<LightSettings>& entries,
                         CLightRecords& records, DWORD now)
{
    const std::size_t count = std::min({states.size(), entries.size(), records.Size()});
    for (std::size_t light = 0; light < count; ++light) {
        const LightSettings& entry = entries[light];
        PerLightState& state = states[light];
        const bool inUse = InUse(entry);
        switch (entry[kSettingEffect]) {
        case kPerLightBreathing:
            if (inUse)
                StepBreathing(state, entry, records, light);
            break;
        case kPerLightStatic:
            Put(records, light, SetColour(entry), Level(entry));
            break;
        case kPerLightSpectrum:
            if (inUse)
                StepSpectrum(state, entry, records, light);
            break;
        case kPerLightOff:
            records.Store(light, 0);
            break;
        default:
            break;
        }
        // Every entry's blink clock runs, whatever its mode.
        StepBlink(state, entry, records, light, now);
    }
}

}  // namespace q31::devices
