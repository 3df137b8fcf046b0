// The preview thread's work for one tick of the keyboard with a custom effect
// playing on its 126 keys and a per-light effect on every key, and the frame
// the page's paint then builds from the records. Both must stay well under
// the 5 ms preview tick.
#include "devices/custom_effect_modes.h"
#include "devices/keyboard_light_modes.h"
#include "devices/preview_passes.h"

#include <benchmark/benchmark.h>

namespace {

using namespace q31::devices;

constexpr int kSteps = 5;
constexpr DWORD kTickMs = 16;

// A step of each mode, multi-colour, at the fastest speed.
std::vector<CustomEffectStep> EveryStepMode()
{
    const std::uint8_t modes[kSteps] = {kCustomStepBreathing, kCustomStepStatic, kCustomStepBlink, kCustomStepFlow,
                                        kCustomStepSpectrum};
    std::vector<CustomEffectStep> steps;
    for (std::uint8_t mode : modes) {
        CustomEffectStep step{};
        step[kStepMode] = mode;
        step[kStepBrightness] = 4;
        step[kStepSpeed] = 4;
        step[kStepMultiColour] = 1;
        SetStepDuration(step, 200);
        steps.push_back(step);
    }
    return steps;
}

// Every key in use, the five per-light modes in turn.
std::vector<LightSettings> EveryKeyInUse()
{
    std::vector<LightSettings> list(kKeyboardKeys);
    for (std::size_t key = 0; key < list.size(); ++key) {
        list[key][kSettingEffect] = std::uint8_t(key % 5);
        list[key][kSettingBrightness] = 3;
        list[key][kSettingSpeed] = std::uint8_t(key % 5);
        list[key][kSettingMultiColour] = std::uint8_t(key % 2);
        list[key][kEntryInUse] = 1;
    }
    return list;
}

LightSettings CustomMode()
{
    LightSettings settings{};
    settings[kSettingEffect] = std::uint8_t(CustomModeOfEntry(kKindKeyboard, 0));
    settings[kSettingSpeed] = 4;  // a custom pass on every tick
    return settings;
}

void BM_KeyboardCustomEffectTick(benchmark::State& state)
{
    CPreviewPasses preview(kKindKeyboard, CustomMode(), EveryStepMode(), EveryKeyInUse());
    DWORD now = 0;
    for (auto _ : state) {
        preview.Pass(now += kTickMs);
        benchmark::DoNotOptimize(preview.Records().Load(0));
    }
}
BENCHMARK(BM_KeyboardCustomEffectTick)->Unit(benchmark::kMicrosecond);

void BM_KeyboardCustomEffectTickAndFrame(benchmark::State& state)
{
    CPreviewPasses preview(kKindKeyboard, CustomMode(), EveryStepMode(), EveryKeyInUse());
    KeyboardLayout layout;
    for (int key = 0; key < kKeyboardKeys; ++key)
        layout.lightOfKey[key] = std::uint8_t(key);
    DWORD now = 0;
    for (auto _ : state) {
        preview.Pass(now += kTickMs);
        benchmark::DoNotOptimize(KeyboardLiveFrame(layout, preview.Records()));
    }
}
BENCHMARK(BM_KeyboardCustomEffectTickAndFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
