#include "devices/mouse_effect_steps.h"

#include <algorithm>

namespace q31::devices {
namespace {

constexpr int kFlowColumnOffset = 7;  // curve entries between neighbouring columns
constexpr int kColumnWaveSkip = 12;
constexpr int kRippleStep = 15;
constexpr int kFullLevel = 255;

std::uint8_t Scaled(std::uint8_t level, int factor)
{
    return std::uint8_t(level * factor / 256);
}

// The curve entry a column shows in the flow.
int FlowEntry(std::uint8_t phase, int column, int curveLength)
{
    return (phase + 1 + kFlowColumnOffset * column) % curveLength;
}

// Writes each of the mouse's LEDs the records hold with colourOf(led, column).
template <typename ColourOf>
int PaintLeds(CLightRecords& records, ColourOf colourOf)
{
    const int count = int(std::min<std::size_t>(records.Size(), kMouseLedCount));
    for (int led = 0; led < count; ++led)
        records.Store(std::size_t(led), PackLightRecord(colourOf(led, kMouseLedColumns[led])));
    return count;
}

LightColour WithLevel(Rgb colour, std::uint8_t a)
{
    return {colour.r, colour.g, colour.b, a};
}

void AdvanceRipple(MouseRipple& ripple)
{
    if (ripple.rising) {
        ripple.level = std::uint8_t(std::min(ripple.level + kRippleStep, kFullLevel));
        ripple.rising = ripple.level < kFullLevel;
    } else {
        ripple.level = std::uint8_t(std::max(ripple.level - kRippleStep, 0));
    }
}

}  // namespace

int StepMouseFlow(MouseEffectState& state, const LightSettings& settings, CLightRecords& records)
{
    const std::uint8_t level = BrightnessLevel(settings[kSettingBrightness]);
    const int direction = settings[kSettingDirection];
    if (MultiColour(settings)) {
        state.phase = PhaseStep(direction, kSpectrumLength, state.phase);
        return PaintLeds(records, [&](int, int column) {
            return WithLevel(kSpectrum[FlowEntry(state.phase, column, kSpectrumLength)], level);
        });
    }
    state.phase = PhaseStep(direction, kWaveLength, state.phase);
    const Rgb colour = SetColour(settings);
    return PaintLeds(records, [&](int, int column) {
        return WithLevel(colour, Scaled(level, kWave[FlowEntry(state.phase, column, kWaveLength)]));
    });
}

int StepMouseColumnWave(MouseEffectState& state, const LightSettings& settings, CLightRecords& records)
{
    state.phase = PhaseStep(settings[kSettingDirection], kSpectrumLength, state.phase);
    std::array<std::uint8_t, kMouseColumnCount> columnEntries{};
    for (std::uint8_t& entry : columnEntries) {
        state.phase = std::uint8_t((state.phase + kColumnWaveSkip) % kSpectrumLength);
        entry = state.phase;
    }
    const std::uint8_t level = BrightnessLevel(settings[kSettingBrightness]);
    const bool multiColour = MultiColour(settings);
    const Rgb colour = SetColour(settings);
    return PaintLeds(records, [&](int, int column) {
        return WithLevel(multiColour ? kSpectrum[columnEntries[column]] : colour,
                         Scaled(level, state.columnLevels[column]));
    });
}

int StepMouseRipple(MouseEffectState& state, const LightSettings& settings, CLightRecords& records)
{
    for (MouseRipple& ripple : state.ripples)
        AdvanceRipple(ripple);
    const std::uint8_t level = BrightnessLevel(settings[kSettingBrightness]);
    const bool multiColour = MultiColour(settings);
    const Rgb colour = SetColour(settings);
    return PaintLeds(records, [&](int led, int) {
        const MouseRipple& ripple = state.ripples[led];
        return WithLevel(multiColour ? kSpectrum[ripple.wheelEntry % kSpectrumLength] : colour,
                         Scaled(level, ripple.level));
    });
}

void StartMouseRipple(MouseEffectState& state, const std::function<std::uint32_t()>& random)
{
    for (MouseRipple& ripple : state.ripples)
        ripple = {kFullLevel, true, std::uint8_t(random() % kSpectrumLength)};
}

bool StepMousePreview(int mode, EffectState& common, MouseEffectState& mouse, const LightSettings& settings,
                      CLightRecords& records, DWORD now)
{
    switch (mode) {
    case kMouseModeFlow: StepMouseFlow(mouse, settings, records); return true;
    case kMouseModeSpectrum: StepSpectrum(common, settings, records); return true;
    case kMouseModeBreathingSpectrum: StepBreathingSpectrum(common, settings, records); return true;
    case kMouseModeStatic: StepStatic(settings, records); return true;
    case kMouseModeBlinkSpectrum: StepBlinkSpectrum(common, settings, records, now); return true;
    case kMouseModeColumnWave: StepMouseColumnWave(mouse, settings, records); return true;
    case kMouseModeRipple: StepMouseRipple(mouse, settings, records); return true;
    case kMouseModeBreathingColours: StepBreathingColours(common, settings, records); return true;
    case kMouseModeBlinkColours: StepBlinkColours(common, settings, records, now); return true;
    case kMouseModeOff: StepOff(records); return true;
    default: return false;
    }
}

}  // namespace q31::devices
