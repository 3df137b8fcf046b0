// The cost of computing one frame of each software effect, and of turning the
// light records into the live frame's bytes, for the keyboard's 170 lights.
#include "devices/effect_steps.h"
#include "devices/light_records.h"
#include "devices/live_frame.h"

#include <benchmark/benchmark.h>

namespace {

using namespace q31::devices;

constexpr int kKeyboardLights = 170;

LightSettings MultiColourSettings()
{
    LightSettings settings{};
    settings[kSettingBrightness] = 3;
    settings[kSettingSpeed] = 4;
    settings[kSettingDirection] = 1;
    settings[kSettingMultiColour] = 1;
    return settings;
}

void BM_StepBreathingSpectrum(benchmark::State& state)
{
    CLightRecords records;
    records.Resize(kKeyboardLights);
    EffectState effect;
    const LightSettings settings = MultiColourSettings();
    for (auto _ : state)
        benchmark::DoNotOptimize(StepBreathingSpectrum(effect, settings, records));
}
BENCHMARK(BM_StepBreathingSpectrum);

void BM_StepBlinkSpectrum(benchmark::State& state)
{
    CLightRecords records;
    records.Resize(kKeyboardLights);
    EffectState effect;
    const LightSettings settings = MultiColourSettings();
    DWORD now = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(StepBlinkSpectrum(effect, settings, records, now += 700));
}
BENCHMARK(BM_StepBlinkSpectrum);

void BM_BuildLiveFrame(benchmark::State& state)
{
    CLightRecords records;
    records.Resize(kKeyboardLights);
    for (int i = 0; i < kKeyboardLights; ++i)
        records.Store(i, PackLightRecord({std::uint8_t(i), 128, 255, 200}));
    for (auto _ : state) {
        LiveFrame frame{};
        for (int i = 0; i < kKeyboardLights; ++i)
            PutFrameLight(frame, i, records.Load(i));
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_BuildLiveFrame);

}  // namespace

BENCHMARK_MAIN();
