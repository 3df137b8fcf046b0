// The longest the UI thread keeps a posted call waiting while the window is
// used with a silent keyboard and a mouse its receiver cannot reach (the
// scenario of the stall test, run shorter). Reported as "longest_stall_ms".
#include "tests/app/silent_devices_scenario.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

constexpr auto kRunTime = 10s;

void BM_LongestStallWithSilentDevices(benchmark::State& state)
{
    q31::test::CSilentDevicesScenario scenario;
    if (const QString error = scenario.Open(); !error.isEmpty()) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    for (auto _ : state)
        state.counters["longest_stall_ms"] = double(scenario.Run(kRunTime).count());
}

BENCHMARK(BM_LongestStallWithSilentDevices)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
