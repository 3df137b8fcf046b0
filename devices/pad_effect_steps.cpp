#include "devices/pad_effect_steps.h"

#include <algorithm>
#include <array>
#include <utility>

namespace q31::devices {
namespace {

constexpr int kFlowLightOffset = 7;  // curve entries between neighbouring LEDs
constexpr int kWaveColourSkip = 12;  // spectrum entries between neighbouring LEDs of a wave
constexpr int kRingMoveSteps = 2;    // steps counted before the ring moves
constexpr std::uint8_t kFullLevel = 255;
constexpr int kColumnRingBytes = 8;
constexpr std::array<std::pair<int, int>, 7> kColumnPairs = {{{1, 14}, {2, 13}, {3, 12}, {4, 11}, {5, 10}, {6, 9}, {7, 8}}};

std::uint8_t Scaled(std::uint8_t level, int factor)
{
    return std::uint8_t(level * factor / 256);
}

int LightCount(const CLightRecords& records)
{
    return int(records.Size());
}

void Put(CLightRecords& records, int led, Rgb colour, std::uint8_t a)
{
    if (led >= 0 && led < LightCount(records))
        records.Store(std::size_t(led), PackLightRecord({colour.r, colour.g, colour.b, a}));
}

Rgb CurrentColour(const CLightRecords& records, int led)
{
    if (led < 0 || led >= LightCount(records))
        return {};
    const LightColour colour = UnpackLightRecord(records.Load(std::size_t(led)));
    return {colour.r, colour.g, colour.b};
}

// Moves the first count ring bytes one place, the one pushed out coming in at the other end.
void RotateRingStart(CKeyLights& lights, int count, bool towardsEnd)
{
    std::array<std::uint8_t, CKeyLights::kRingSize> ring{};
    for (int i = 0; i < count; ++i)
        ring[std::size_t(i)] = lights.RingByte(i);
    if (towardsEnd)
        std::rotate(ring.begin(), ring.begin() + count - 1, ring.begin() + count);
    else
        std::rotate(ring.begin(), ring.begin() + 1, ring.begin() + count);
    for (int i = 0; i < count; ++i)
        lights.SetRingByte(i, ring[std::size_t(i)]);
}

// Once the count is up the lights under a set ring byte flare up and the ring moves on.
template <class MoveRing>
void CountWaveStep(PadWaveState& wave, CKeyLights& lights, int lightCount, MoveRing moveRing)
{
    if (wave.counter >= kRingMoveSteps) {
        wave.counter = 0;
        for (int k = 0; k < lightCount; ++k) {
            if (lights.RingByte(k) != 0)
                lights.SetIntensity(k, kFullLevel);
        }
        moveRing();
    }
    ++wave.counter;
}

// The colour of the wave at one light: with the multi-colour flag the phase
// moves twelve spectrum entries on, and a lit entry light keeps the colour the
// light shows; without it the set colour.
Rgb WaveColour(EffectState& effect, const CKeyLights& lights, const LightSettings& settings, int lightCount,
               Rgb current)
{
    if (!MultiColour(settings))
        return SetColour(settings);
    effect.phase = std::uint8_t(effect.phase + kWaveColourSkip);
    const int entryLight = settings[kSettingDirection] != 0 ? 0 : lightCount - 1;
    if (lights.Intensity(entryLight) != 0)
        return current;
    return kSpectrum[effect.phase >= kSpectrumLength ? effect.phase - kSpectrumLength : effect.phase];
}

}  // namespace

void RestartWaves(CKeyLights& lights)
{
    lights.Clear();
    lights.SetRingByte(0, 1);
}

int StepPadFlow(EffectState& effect, const LightSettings& settings, CLightRecords& records)
{
    const std::uint8_t level = BrightnessLevel(settings[kSettingBrightness]);
    const int direction = settings[kSettingDirection];
    const int count = LightCount(records);
    if (MultiColour(settings)) {
        effect.phase = PhaseStep(direction, kSpectrumLength, effect.phase);
        for (int k = 0; k < count; ++k)
            Put(records, k, kSpectrum[(effect.phase + 1 + kFlowLightOffset * k) % kSpectrumLength], level);
        return count;
    }
    effect.phase = PhaseStep(direction, kWaveLength, effect.phase);
    for (int k = 0; k < count; ++k)
        Put(records, k, SetColour(settings), Scaled(level, kWave[(effect.phase + 1 + kFlowLightOffset * k) % kWaveLength]));
    return count;
}

int StepRingWave(EffectState& effect, PadWaveState& wave, CKeyLights& lights, const LightSettings& settings,
                 CLightRecords& records)
{
    const int direction = settings[kSettingDirection];
    const int mode = settings[kSettingEffect];
    const int count = LightCount(records);
    effect.phase = PhaseStep(direction, kSpectrumLength, effect.phase);
    CountWaveStep(wave, lights, count, [&] { lights.RotateRing(direction); });
    const std::uint8_t level = BrightnessLevel(settings[kSettingBrightness]);
    for (int k = 0; k < count; ++k) {
        lights.Decay(k, mode);
        const Rgb colour = WaveColour(effect, lights, settings, count, CurrentColour(records, k));
        Put(records, k, colour, Scaled(level, lights.Intensity(k)));
    }
    return count;
}

int StepColumnWave(EffectState& effect, PadWaveState& wave, CKeyLights& lights, const LightSettings& settings,
                   CLightRecords& records)
{
    const int direction = settings[kSettingDirection];
    const int mode = settings[kSettingEffect];
    const int count = LightCount(records);
    effect.phase = PhaseStep(direction, kSpectrumLength, effect.phase);
    // The columns run the other way round the pad than the ring does.
    CountWaveStep(wave, lights, count, [&] { RotateRingStart(lights, kColumnRingBytes, direction == 0); });
    const std::uint8_t level = BrightnessLevel(settings[kSettingBrightness]);
    for (int column = 0; column < int(kColumnPairs.size()); ++column) {
        const auto [first, second] = kColumnPairs[std::size_t(column)];
        lights.Decay(column, mode);
        const Rgb colour = WaveColour(effect, lights, settings, count, CurrentColour(records, first));
        const std::uint8_t a = Scaled(level, lights.Intensity(column));
        Put(records, first, colour, a);
        Put(records, second, colour, a);
    }
    return count;
}

bool StepPadPreview(int mode, EffectState& effect, PadWaveState& wave, CKeyLights& lights,
                    const LightSettings& settings, CLightRecords& records, DWORD now)
{
    switch (mode) {
    case kPadModeFlow: StepPadFlow(effect, settings, records); return true;
    case kPadModeSpectrum: StepSpectrum(effect, settings, records); return true;
    case kPadModeBreathingSpectrum: StepBreathingSpectrum(effect, settings, records); return true;
    case kPadModeStatic: StepStatic(settings, records); return true;
    case kPadModeBlinkSpectrum: StepBlinkSpectrum(effect, settings, records, now); return true;
    case kPadModeRingWave: StepRingWave(effect, wave, lights, settings, records); return true;
    case kPadModeColumnWave: StepColumnWave(effect, wave, lights, settings, records); return true;
    case kPadModeOff: StepOff(records); return true;
    default: return false;
    }
}

}  // namespace q31::devices
