// Round trips of one command report: in-process, and over the q31-devsim socket.
#include "platform/runtime_folder.h"
#include "platform/stop_event.h"
#include "sim/sim_frame.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_remote_backend.h"
#include "sim/sim_server.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <thread>

namespace {

using namespace q31::sim;

std::shared_ptr<SimHub> PluggedHub()
{
    auto hub = SimHub::FromDataFolder(nullptr, 0);
    hub->Plug("keyboard", Route::Cable);
    return hub;
}

std::string KeyboardCommandPath(q31::hid::IHidBackend& backend)
{
    for (const auto& info : backend.Enumerate())
        if (info.productId == 0x6B01 && info.usagePage == 0xFF1C)
            return info.path;
    return {};
}

void RoundTrips(benchmark::State& state, q31::hid::IHidBackend& backend)
{
    q31::hid::OpenError error;
    const auto connection = backend.Open(KeyboardCommandPath(backend), error);
    CommandReport request{};
    request[0] = kCommandReportId;
    request[kCommandOffset] = 0x03;
    request[kLengthOffset] = 34;
    SealFrame(request);
    CommandReport reply{};
    for (auto _ : state) {
        connection->Write(request.data(), request.size(), 1000);
        benchmark::DoNotOptimize(connection->Read(reply.data(), reply.size(), 1000));
    }
}

void InProcess(benchmark::State& state)
{
    SimHidBackend backend(PluggedHub());
    RoundTrips(state, backend);
}
BENCHMARK(InProcess);

void OverTheSocket(benchmark::State& state)
{
    QTemporaryDir runtime;
    const QString path = runtime.path() + QStringLiteral("/devsim.socket");
    DevsimServer server(PluggedHub());
    QString error;
    if (!server.Listen(path, &error)) {
        state.SkipWithError("cannot listen");
        return;
    }
    CStopEvent stop;
    std::thread serving([&] { server.Serve(stop); });
    if (const auto remote = RemoteSimBackend::Connect(path))
        RoundTrips(state, *remote);
    stop.Set();
    serving.join();
}
BENCHMARK(OverTheSocket);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
