// What Q-31 costs while nobody uses it: with all four simulated devices
// plugged in, the process's CPU time over 30 s of its event loop, with the
// main window hidden and with it shown. Reported as "cpu_percent" of one core.
#include "app/main_wnd.h"
#include "app/registered_messages.h"
#include "app/start_up.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_hub.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>

namespace {

constexpr int kMeasureMs = 30000;
constexpr int kSettleMs = 3000;

// The program's own kind of waiting: an event loop that sleeps until
// something is due. (QTest::qWait polls every 10 ms and would be measured.)
void RunEventLoopFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& time) { return double(time.tv_sec) + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void MeasureIdle(benchmark::State& state, bool shown)
{
    QString error;
    auto hub = q31::sim::SimHub::FromDataFolder(&error);
    if (!hub) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    for (const std::string& device : hub->DeviceNames())
        hub->Plug(device, q31::sim::Route::Cable);
    q31::hid::SetHidBackend(std::make_shared<q31::sim::SimHidBackend>(hub));
    {
        CMainWnd window;
        window.CreateMainWindow();
        RunEventLoopFor(kSettleMs);
        window.ShowWindow(shown, false);
        for (auto _ : state) {
            const double before = CpuSeconds();
            const auto start = std::chrono::steady_clock::now();
            RunEventLoopFor(kMeasureMs);
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            state.counters["cpu_percent"] = 100.0 * (CpuSeconds() - before) / wall;
        }
    }
    q31::hid::SetHidBackend(nullptr);
}

void BM_IdleHidden(benchmark::State& state)
{
    MeasureIdle(state, false);
}

void BM_IdleShown(benchmark::State& state)
{
    MeasureIdle(state, true);
}

BENCHMARK(BM_IdleHidden)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_IdleShown)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    // A home of its own, so a running Q-31 and the user's files are left alone.
    QTemporaryDir home;
    for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = home.path() + QLatin1Char('/') + QLatin1String(variable);
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv(variable, folder.toUtf8());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SetupResources();
    RegisterInstanceMessage();
    RegisterGuidMessages();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
