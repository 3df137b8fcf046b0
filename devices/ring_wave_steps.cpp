#include "devices/ring_wave_steps.h"

#include <algorithm>
#include <array>

namespace q31::devices {
namespace {

constexpr int kColumnCount = 7;
// The column wave moves only the ring's first bytes.
constexpr int kColumnRingBytes = 8;
constexpr int kWaveColourSkip = 12;
constexpr std::uint8_t kLit = 255;
// The two LEDs of each column; the last LED numbers exist only on devices with 15.
constexpr std::array<std::array<int, 2>, kColumnCount> kColumnLeds = {
    {{1, 14}, {2, 13}, {3, 12}, {4, 11}, {5, 10}, {6, 9}, {7, 8}}};

// The ring moves every third step; lights whose ring byte is set light up fully.
template <class Rotate>
void MoveRing(RingWaveState& wave, CKeyLights& keys, int lights, Rotate rotate)
{
    if (wave.counter > 1) {
        wave.counter = 0;
        for (int k = 0; k < std::min(lights, CKeyLights::kRingSize); ++k) {
            if (keys.RingByte(k) != 0)
                keys.SetIntensity(k, kLit);
        }
        rotate();
    }
    ++wave.counter;
}

// The first count ring bytes move one place: towards the end when
// towardsEnd, else towards the front, the byte pushed out coming in at the other side.
void RotateRingStart(CKeyLights& keys, int count, bool towardsEnd)
{
    std::array<std::uint8_t, CKeyLights::kRingSize> ring{};
    for (int i = 0; i < count; ++i)
        ring[i] = keys.RingByte(i);
    if (towardsEnd)
        std::rotate(ring.begin(), ring.begin() + count - 1, ring.begin() + count);
    else
        std::rotate(ring.begin(), ring.begin() + 1, ring.begin() + count);
    for (int i = 0; i < count; ++i)
        keys.SetRingByte(i, ring[i]);
}

// The colour of one light (or column) of a wave: the next spectrum entry with
// the multi-colour flag, kept as it is while the entry light is lit.
Rgb WaveColour(EffectState& effect, const LightSettings& settings, bool entryLit, std::uint32_t current)
{
    if (!MultiColour(settings))
        return SetColour(settings);
    effect.phase = std::uint8_t(effect.phase + kWaveColourSkip);
    if (entryLit) {
        const LightColour kept = UnpackLightRecord(current);
        return {kept.r, kept.g, kept.b};
    }
    return kSpectrum[effect.phase >= kSpectrumLength ? effect.phase - kSpectrumLength : effect.phase];
}

std::uint32_t WaveRecord(Rgb colour, std::uint8_t level, std::uint8_t intensity)
{
    return PackLightRecord({colour.r, colour.g, colour.b, std::uint8_t(level * intensity / 256)});
}

}  // namespace

void StartRingWaves(CKeyLights& keys)
{
    keys.Clear();
    keys.SetRingByte(0, 1);
}

int StepRingWave(EffectState& effect, RingWaveState& wave, CKeyLights& keys, const LightSettings& settings,
                 CLightRecords& records)
{
    const int lights = int(records.Size());
    const int direction = settings[kSettingDirection];
    effect.phase = SizedPhaseStep(direction, kSpectrumLength, effect.phase, 1);
    MoveRing(wave, keys, lights, [&] { keys.RotateRing(direction); });
    const std::uint8_t level = BrightnessLevel(settings[kSettingBrightness]);
    const int entry = direction != 0 ? 0 : lights - 1;
    for (int k = 0; k < lights; ++k) {
        keys.Decay(k, settings[kSettingEffect]);
        const Rgb colour = WaveColour(effect, settings, keys.Intensity(entry) != 0, records.Load(k));
        records.Store(k, WaveRecord(colour, level, keys.Intensity(k)));
    }
    return lights;
}

int StepColumnWave(EffectState& effect, RingWaveState& wave, CKeyLights& keys, const LightSettings& settings,
                   CLightRecords& records)
{
    const int lights = int(records.Size());
    const int direction = settings[kSettingDirection];
    effect.phase = SizedPhaseStep(direction, kSpectrumLength, effect.phase, 1);
    MoveRing(wave, keys, lights, [&] { RotateRingStart(keys, kColumnRingBytes, direction == 0); });
    const std::uint8_t level = BrightnessLevel(settings[kSettingBrightness]);
    // The columns stand for the lights: the entry is the first or the last column.
    const int entry = direction != 0 ? 0 : kColumnCount - 1;
    for (int column = 0; column < kColumnCount; ++column) {
        keys.Decay(column, settings[kSettingEffect]);
        const int first = kColumnLeds[column][0];
        const std::uint32_t current = first < lights ? records.Load(first) : 0;
        const Rgb colour = WaveColour(effect, settings, keys.Intensity(entry) != 0, current);
        for (int led : kColumnLeds[column]) {
            if (led < lights)
                records.Store(led, WaveRecord(colour, level, keys.Intensity(column)));
        }
    }
    return lights;
}

}  // namespace q31::devices
