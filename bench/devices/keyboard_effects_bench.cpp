// One step of each of the keyboard's light modes over its 170 lights, each
// audio picture with loud bands, and the frame the keyboard page streams.
#include "devices/keyboard_effects.h"
#include "devices/keyboard_layout.h"
#include "devices/keyboard_light_modes.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

using namespace q31::devices;

constexpr int kCustomMode = 20;

LightSettings Settings(int mode)
{
    LightSettings settings{};
    settings[kSettingEffect] = std::uint8_t(mode);
    settings[kSettingBrightness] = 4;
    settings[kSettingDirection] = 1;
    settings[kSettingMultiColour] = 1;
    return settings;
}

void BM_KeyboardModeStep(benchmark::State& state)
{
    const int mode = int(state.range(0));
    CKeyboardEffects effects(1);
    CLightRecords records;
    records.Resize(kEffectLights);
    const LightSettings settings = Settings(mode);
    effects.StartMode(mode);
    int n = 0;
    for (auto _ : state) {
        // The key modes get a press now and then, so that they have lights to fade.
        if (++n % 16 == 0)
            effects.ReactToKey(settings, n / 16 % kKeyboardKeys, 1);
        effects.Step(settings, records, DWORD(n));
    }
    benchmark::DoNotOptimize(records.Load(0));
}
BENCHMARK(BM_KeyboardModeStep)->DenseRange(1, kCustomMode - 1)->DenseRange(kCustomMode + 1, 30);

void BM_KeyboardAudioStep(benchmark::State& state)
{
    CKeyboardEffects effects(1);
    AudioLightSettings audio{};
    audio[kAudioMode] = std::uint8_t(state.range(0));
    audio[kAudioSevenColour] = 1;
    effects.SetAudioSettings(audio);
    CLightRecords records;
    records.Resize(kEffectLights);
    const LightSettings settings = Settings(kKeyboardModeAudio);
    effects.StartMode(kKeyboardModeAudio);
    std::array<int, kBandCount> bands{};
    int n = 0;
    for (auto _ : state) {
        ++n;
        bands[std::size_t(n % kBandCount)] = 1500 + n % 700;
        effects.OnAudioBands(bands.data(), kBandCount, IsRippleAudio(kKeyboardModeAudio, audio));
        effects.Step(settings, records, DWORD(n));
    }
    benchmark::DoNotOptimize(records.Load(0));
}
BENCHMARK(BM_KeyboardAudioStep)->DenseRange(0, 6);

// The UI thread's share of a paint beyond the key overlays: the frame for the keyboard.
void BM_KeyboardStreamFrame(benchmark::State& state)
{
    KeyboardLayout layout;
    for (int key = 0; key < kKeyboardKeys; ++key)
        layout.lightOfKey[std::size_t(key)] = std::uint8_t(key);
    CLightRecords records;
    records.Resize(kEffectLights);
    for (int i = 0; i < kEffectLights; ++i)
        records.Store(std::size_t(i), PackLightRecord({std::uint8_t(i), 100, 200, 180}));
    for (auto _ : state)
        benchmark::DoNotOptimize(KeyboardLiveFrame(layout, records));
}
BENCHMARK(BM_KeyboardStreamFrame);

}  // namespace

BENCHMARK_MAIN();
