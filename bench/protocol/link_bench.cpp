// What the command link itself costs: one exchange against a device that
// answers at once, and block writes against a device that takes 1 ms per
// report, next to the same reports sent bare on a connection.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "hid/hid_catalogue.h"
#include "hid/hid_path.h"
#include "protocol/block_transfer.h"
#include "protocol/command_codes.h"
#include "protocol/device_link.h"
#include "protocol/link_attach.h"
#include "protocol/result_codes.h"
#include "sim/sim_hid_backend.h"

namespace {

using Clock = std::chrono::steady_clock;

struct SimulatedKeyboard {
    explicit SimulatedKeyboard(int latencyMs)
    {
        QString error;
        hub = q31::sim::SimHub::FromDataFolder(&error, latencyMs);
        backend = std::make_shared<q31::sim::SimHidBackend>(hub);
        q31::hid::SetHidBackend(backend);
        hub->Plug("keyboard", q31::sim::Route::Cable);
        for (const auto& info : hub->Enumerate())
            if (info.productId == 0x6B01 && ParseCollection(info.path) == 4)
                path = info.path;
        attached = q31::AttachCommandInterface(link, path, Keyboard);
    }
    ~SimulatedKeyboard() { q31::hid::SetHidBackend(nullptr); }

    std::shared_ptr<q31::sim::SimHub> hub;
    std::shared_ptr<q31::sim::SimHidBackend> backend;
    std::string path;
    CDeviceLink link;
    bool attached = false;
};

void BM_OneExchange(benchmark::State& state)
{
    SimulatedKeyboard keyboard(0);
    if (!keyboard.attached) {
        state.SkipWithError("no simulated keyboard");
        return;
    }
    for (auto _ : state) {
        if (keyboard.link.BeginConfig() != q31::kResultSuccess) {
            state.SkipWithError("exchange failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OneExchange);

// The reports of a block write on a cable link, framed once.
std::vector<q31::Report> BlockReports(std::uint8_t command, const std::vector<std::uint8_t>& block)
{
    std::vector<q31::Report> reports;
    q31::TransferBlock({command, 0, block.size(), 56}, block.data(), nullptr,
                       [&](q31::Report& request, q31::Report&) {
                           q31::SealRequest(request);
                           reports.push_back(request);
                           return q31::kResultSuccess;
                       });
    return reports;
}

// Argument 0: the key map at the simulated keyboard's own size (3 bytes for
// each of its keys); 1: a full 512-byte block, written as a colour page since
// the simulated keyboard keeps fewer than 512 key-map bytes.
void BM_BlockWriteAtOneMsPerReport(benchmark::State& state)
{
    const bool fullBlock = state.range(0) == 1;
    SimulatedKeyboard keyboard(1);
    q31::hid::OpenError error = q31::hid::OpenError::None;
    auto bare = keyboard.backend->Open(keyboard.path, error);
    if (!keyboard.attached || !bare) {
        state.SkipWithError("no simulated keyboard");
        return;
    }
    const auto keyMapBytes = keyboard.hub->Dump("keyboard", q31::sim::Region::KeyMap)->size();
    keyboard.link.SetBlockLength(static_cast<std::uint16_t>(keyMapBytes));
    const std::vector<std::uint8_t> block(fullBlock ? 512 : keyMapBytes, 0x20);
    const std::uint8_t command = fullBlock ? q31::kCmdWritePage : q31::kCmdWriteKeyMap;
    const std::vector<q31::Report> reports = BlockReports(command, block);
    const auto write = [&] {
        return fullBlock ? keyboard.link.WritePage(block.data(), block.size(), 0, 512)
                         : keyboard.link.WriteKeyMap(block.data(), 0);
    };

    Clock::duration linkTime{};
    Clock::duration bareTime{};
    for (auto _ : state) {
        // The same reports straight on a connection: the bare sum of report times.
        state.PauseTiming();
        const auto bareStart = Clock::now();
        for (const q31::Report& report : reports) {
            q31::Report reply{};
            bare->Write(report.data(), report.size(), 1000);
            bare->Read(reply.data(), reply.size(), 1000);
        }
        bareTime += Clock::now() - bareStart;
        // Replies to the bare reports also reached the link's interface; clear them away.
        q31::Report stale{};
        while (keyboard.link.CableInterface().ReadReport(stale.data(), stale.size(), nullptr, 0)) {
        }
        state.ResumeTiming();

        const auto linkStart = Clock::now();
        if (write() != q31::kResultSuccess) {
            state.SkipWithError("block write failed");
            break;
        }
        linkTime += Clock::now() - linkStart;
        state.PauseTiming();
        while (bare->Read(stale.data(), stale.size(), 0) > 0) {
        }
        state.ResumeTiming();
    }
    const double iterations = static_cast<double>(state.iterations());
    const double linkMs = std::chrono::duration<double, std::milli>(linkTime).count() / iterations;
    const double bareMs = std::chrono::duration<double, std::milli>(bareTime).count() / iterations;
    state.counters["reports"] = static_cast<double>(reports.size());
    state.counters["link_ms"] = linkMs;
    state.counters["bare_ms"] = bareMs;
    state.counters["nominal_ms"] = static_cast<double>(reports.size());  // 1 ms a report
    state.counters["stack_share_pct"] = 100.0 * (linkMs - bareMs) / bareMs;
}
BENCHMARK(BM_BlockWriteAtOneMsPerReport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

}  // namespace

BENCHMARK_MAIN();
