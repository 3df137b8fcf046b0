#include "devices/effect_steps.h"

#include "devices/light_tables.h"

#include <chrono>

namespace q31::devices {
namespace {

constexpr DWORD kBlinkUnitMs = 200;
constexpr int kSpectrumSkip = 16;

std::uint8_t Level(const LightSettings& settings)
{
    return BrightnessLevel(settings[kSettingBrightness]);
}

int FillAll(CLightRecords& records, Rgb colour, std::uint8_t a)
{
    records.Fill(PackLightRecord({colour.r, colour.g, colour.b, a}));
    return int(records.Size());
}

std::uint8_t BreathingLevel(std::uint8_t phase, const LightSettings& settings)
{
    return std::uint8_t(kBreathingCurve[phase] * Level(settings) / 256);
}

// Advances an index by step around a list of count entries.
std::uint8_t Advance(std::uint8_t index, int step, int count)
{
    return index + step >= count ? 0 : std::uint8_t(index + step);
}

// Toggles the blink state once its period has run out; true when it toggled.
bool BlinkDue(EffectState& state, const LightSettings& settings, DWORD now)
{
    if (now - state.lastBlinkTime < SpeedLevel(settings[kSettingSpeed]) * kBlinkUnitMs)
        return false;
    state.blinkOn = !state.blinkOn;
    state.lastBlinkTime = now;
    return true;
}

}  // namespace

int StepBreathingSpectrum(EffectState& state, const LightSettings& settings, CLightRecords& records)
{
    state.phase = PhaseStep(settings[kSettingDirection], kBreathingCurveLength, state.phase);
    if (state.phase == 0)
        state.colourIndex = Advance(state.colourIndex, kSpectrumSkip, kSpectrumLength);
    const Rgb colour = MultiColour(settings) ? kSpectrum[state.colourIndex % kSpectrumLength] : SetColour(settings);
    return FillAll(records, colour, BreathingLevel(state.phase, settings));
}

int StepBreathingColours(EffectState& state, const LightSettings& settings, CLightRecords& records)
{
    state.phase = PhaseStep(settings[kSettingDirection], kBreathingCurveLength, state.phase);
    if (state.phase == 0)
        state.colourIndex = Advance(state.colourIndex, 1, kFixedColourCount);
    return FillAll(records, kFixedColours[state.colourIndex % kFixedColourCount],
                   BreathingLevel(state.phase, settings));
}

int StepStatic(const LightSettings& settings, CLightRecords& records)
{
    return FillAll(records, SetColour(settings), Level(settings));
}

int StepSpectrum(EffectState& state, const LightSettings& settings, CLightRecords& records)
{
    state.phase = PhaseStep(settings[kSettingDirection], kSpectrumLength, state.phase);
    return FillAll(records, kSpectrum[state.phase], Level(settings));
}

int StepBlinkSpectrum(EffectState& state, const LightSettings& settings, CLightRecords& records, DWORD now)
{
    if (BlinkDue(state, settings, now))
        state.phase = Advance(state.phase, kSpectrumSkip, kSpectrumLength);
    if (!state.blinkOn)
        return StepOff(records);
    const Rgb colour = MultiColour(settings) ? kSpectrum[state.phase % kSpectrumLength] : SetColour(settings);
    return FillAll(records, colour, Level(settings));
}

int StepBlinkColours(EffectState& state, const LightSettings& settings, CLightRecords& records, DWORD now)
{
    if (BlinkDue(state, settings, now))
        state.phase = Advance(state.phase, 1, kFixedColourCount);
    if (!state.blinkOn)
        return StepOff(records);
    return FillAll(records, kFixedColours[state.phase % kFixedColourCount], Level(settings));
}

int StepOff(CLightRecords& records)
{
    records.Fill(0);
    return int(records.Size());
}

DWORD TickCountMs()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return DWORD(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace q31::devices
