#include "devices/custom_effect_player.h"

#include "devices/light_tables.h"

#include <algorithm>

namespace q31::devices {
namespace {

constexpr DWORD kBlinkUnitMs = 200;
constexpr std::uint32_t kStaticPhases = 9;
constexpr std::uint32_t kBlinkColourOffset = 14;
constexpr std::uint32_t kFlowLightSpacing = 12;
constexpr std::uint32_t kTickWrap = 255;

std::uint8_t Level(const CustomEffectStep& step)
{
    return BrightnessLevel(step[kStepBrightness]);
}

Rgb StepColour(const CustomEffectStep& step)
{
    return {step[kStepRed], step[kStepGreen], step[kStepBlue]};
}

void FillAll(CLightRecords& records, Rgb colour, std::uint8_t a)
{
    records.Fill(PackLightRecord({colour.r, colour.g, colour.b, a}));
}

void Put(CLightRecords& records, std::size_t light, Rgb colour, std::uint8_t a)
{
    records.Store(light, PackLightRecord({colour.r, colour.g, colour.b, a}));
}

// True once the tick count has reached the threshold; the count then restarts.
bool ThresholdReached(CustomEffectPlayer& player, std::uint32_t threshold)
{
    if (player.ticks < threshold)
        return false;
    player.ticks = 0;
    return true;
}

void StepBreathing(CustomEffectPlayer& player, CLightRecords& records)
{
    const CustomEffectStep& step = player.step;
    if (!ThresholdReached(player, SpeedLevel(step[kStepSpeed])))
        return;
    player.phase = (player.phase + 1) % kBreathingCurveLength;
    const Rgb colour = step[kStepMultiColour] ? kSpectrum[0] : StepColour(step);
    FillAll(records, colour, std::uint8_t(Level(step) * kBreathingCurve[player.phase] / 256));
}

void StepStaticColour(CustomEffectPlayer& player, CLightRecords& records)
{
    if (!ThresholdReached(player, SpeedLevel(player.step[kStepSpeed])))
        return;
    player.phase = (player.phase + 1) % kStaticPhases;
    FillAll(records, StepColour(player.step), Level(player.step));
}

void StepBlink(CustomEffectPlayer& player, CLightRecords& records, DWORD now)
{
    const CustomEffectStep& step = player.step;
    const std::uint8_t threshold = SpeedLevel(step[kStepSpeed]);
    player.phase = (player.phase + 1) % kBreathingCurveLength;
    ThresholdReached(player, threshold);
    if (now - player.lastBlinkToggle >= DWORD(threshold) * kBlinkUnitMs) {
        player.blinkOn = !player.blinkOn;
        player.lastBlinkToggle = now;
        player.blinkColourIndex = player.phase + kBlinkColourOffset;
    }
    if (!player.blinkOn) {
        records.Fill(0);
        return;
    }
    const Rgb colour = step[kStepMultiColour] ? kSpectrum[player.blinkColourIndex % kSpectrumLength] : StepColour(step);
    FillAll(records, colour, Level(step));
}

void StepFlow(CustomEffectPlayer& player, CLightRecords& records)
{
    const CustomEffectStep& step = player.step;
    if (ThresholdReached(player, SpeedLevel(step[kStepSpeed])))
        player.phase = (player.phase + 1) % kSpectrumLength;
    std::uint32_t index = 0;
    if (step[kStepDirection] == 0)
        index = (player.phase + 1) % kSpectrumLength;
    else
        index = std::min<std::uint32_t>((256 - player.phase - 64) % 256, kSpectrumLength - 1);
    for (std::size_t light = 0; light < records.Size(); ++light) {
        if (step[kStepMultiColour]) {
            Put(records, light, kSpectrum[index], Level(step));
            index = (index + kFlowLightSpacing) % kSpectrumLength;
        } else {
            index = (index + kFlowLightSpacing) % kWaveLength;
            Put(records, light, StepColour(step), std::uint8_t(Level(step) * kWave[index] / 256));
        }
    }
}

void StepSpectrumColours(CustomEffectPlayer& player, CLightRecords& records)
{
    if (!ThresholdReached(player, SpectrumSpeedLevel(player.step[kStepSpeed])))
        return;
    player.phase = (player.phase + 1) % kSpectrumLength;
    FillAll(records, kSpectrum[player.phase], Level(player.step));
}

// The step at the position, or none for an empty list. A position left past
// the end by a shorter list starts again at the first step.
bool TakeCurrentStep(CustomEffectPlayer& player, CustomLightingList list)
{
    std::lock_guard lock(list.lock);
    const int length = std::min(list.length, int(list.steps.size()));
    if (list.position >= length || list.position < 0)
        list.position = 0;
    if (length <= 0)
        return false;
    player.step = list.steps[list.position];
    return true;
}

void AdvanceWhenDue(CustomEffectPlayer& player, CustomLightingList list, DWORD now)
{
    if (now - player.lastStepChange <= StepDuration(player.step))
        return;
    std::lock_guard lock(list.lock);
    const int length = std::min(list.length, int(list.steps.size()));
    list.position = list.position + 1 >= length ? 0 : list.position + 1;
    player.lastStepChange = now;
}

}  // namespace

std::uint32_t StepDuration(const CustomEffectStep& step)
{
    return std::uint32_t(step[kStepDuration]) | std::uint32_t(step[kStepDuration + 1]) << 8 |
           std::uint32_t(step[kStepDuration + 2]) << 16 | std::uint32_t(step[kStepDuration + 3]) << 24;
}

void SetStepDuration(CustomEffectStep& step, std::uint32_t milliseconds)
{
    for (int i = 0; i < 4; ++i)
        step[kStepDuration + i] = std::uint8_t(milliseconds >> (8 * i));
}

void StepCustomLighting(CustomEffectPlayer& player, CustomLightingList list, CLightRecords& records, DWORD now)
{
    if (!player.started) {
        player.started = true;
        player.lastStepChange = now;
    }
    if (!TakeCurrentStep(player, list)) {
        records.Fill(0);
        return;
    }
    ++player.ticks;
    switch (player.step[kStepMode]) {
    case kCustomStepBreathing:
        StepBreathing(player, records);
        break;
    case kCustomStepStatic:
        StepStaticColour(player, records);
        break;
    case kCustomStepBlink:
        StepBlink(player, records, now);
        break;
    case kCustomStepFlow:
        StepFlow(player, records);
        break;
    case kCustomStepSpectrum:
        StepSpectrumColours(player, records);
        break;
    default:
        // A mode this player does not know leaves the lights as they are.
        break;
    }
    if (player.ticks >= kTickWrap)
        player.ticks = 0;
    AdvanceWhenDue(player, list, now);
}

}  // namespace q31::devices
