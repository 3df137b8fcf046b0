// What the selector entries' light preview costs the UI thread on each tick,
// with all four simulated devices on their cables and the window on show:
// with lights that stand still, and with lights that change on every tick as
// a running effect makes them. The entries' own preview timers are stopped;
// the benchmark ticks them itself at their 5 ms cadence. Reported as
// "ui_us_per_tick", the four entries' preview work together.
#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "devices/halvorin_usb_device.h"
#include "tests/app/simulated_desktop.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

namespace {

using q31::sim::Route;

constexpr auto kTickInterval = std::chrono::milliseconds(5);

// A colour word that differs from light to light and from tick to tick.
DWORD MovingColour(std::uint32_t tick, int light)
{
    return 0xFF000000u | ((tick * 0x010307u + std::uint32_t(light) * 0x1F2F3Fu) & 0x00FFFFFFu);
}

void MeasurePreviewTicks(benchmark::State& state, bool movingLights)
{
    QString error;
    const auto hub = q31::test::StartSimulatedDesktop(&error);
    std::unique_ptr<CMainWnd> window;
    if (hub)
        window = q31::test::OpenWindowShowing(
            *hub, {{"keyboard", Route::Cable}, {"mouse", Route::Cable}, {"mousepad", Route::Cable}, {"headset", Route::Cable}},
            &error);
    if (!window) {
        state.SkipWithError(error.toStdString().c_str());
        q31::test::EndSimulatedDesktop();
        return;
    }
    const std::vector<CDeviceOptionUI*> entries = window->SelectorEntries();
    for (CDeviceOptionUI* entry : entries)
        entry->StopTimer(CDeviceOptionUI::kTimerPreview);

    std::uint32_t tick = 0;
    std::chrono::steady_clock::duration total{};
    for (auto _ : state) {
        if (movingLights) {
            for (CDeviceOptionUI* entry : entries) {
                CHalvorinUSBDevice* device = entry->GetDevice();
                for (int light = 0; light < device->GetLightCount(); ++light)
                    device->SetDevedOzirav(light, MovingColour(tick, light));
            }
        }
        const auto start = std::chrono::steady_clock::now();
        for (CDeviceOptionUI* entry : entries)
            entry->DoTimer(CDeviceOptionUI::kTimerPreview);
        const auto spent = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(spent).count());
        total += spent;
        ++tick;
        std::this_thread::sleep_for(kTickInterval);
    }
    state.counters["ui_us_per_tick"] =
        std::chrono::duration<double, std::micro>(total).count() / double(std::max<std::uint32_t>(tick, 1));
    window.reset();
    q31::test::EndSimulatedDesktop();
}

void BM_PreviewTickStillLights(benchmark::State& state)
{
    MeasurePreviewTicks(state, false);
}

void BM_PreviewTickMovingLights(benchmark::State& state)
{
    MeasurePreviewTicks(state, true);
}

BENCHMARK(BM_PreviewTickStillLights)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PreviewTickMovingLights)->Iterations(300)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
