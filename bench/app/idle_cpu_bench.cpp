// What Q-31 costs while nobody uses it, measured on its process alone: the
// four simulated devices are plugged in on their cables in a q31-devsim
// process of their own, and only the window's process is measured, over 20 s
// of its event loop. Three cases: the q31 program as it starts (its window on
// show after the first scan), and the main window run by this benchmark in a
// child process of its own, on show and hidden, since nothing outside the
// program can hide it. A fourth case shows the keyboard's page in its own
// light preview at full speed in the spectrum mode, which changes every key on
// every step, with the window active as when someone looks at it. Reported as
// "cpu_percent" of one core.
#include "app/main_wnd.h"
#include "app/registered_messages.h"
#include "app/device_option_ui.h"
#include "app/start_up.h"
#include "bench/app/private_home.h"
#include "devices/halvorin_usb_device.h"
#include "devices/keyboard_light_modes.h"
#include "hid/hid_catalogue.h"
#include "hid/hid_backend.h"
#include "sim/sim_backend_factory.h"
#include "sim/sim_remote_backend.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr auto kSettleTime = 5s;
constexpr auto kMeasureTime = 20s;
constexpr auto kDevsimStartTime = 5s;
constexpr auto kStopTime = 5s;
constexpr const char* kWindowProcessOption = "--window-process";
constexpr const char* kShown = "shown";
constexpr const char* kHidden = "hidden";
constexpr const char* kAnimating = "animating";
constexpr std::uint8_t kFastestSpeed = 4;

// User and system CPU time of a process so far; nullopt once it is gone.
std::optional<double> CpuSecondsOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.readAll();
    // Fields after the command name, which may itself hold spaces and parentheses:
    // state first, then user time at index 11 and system time at index 12.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return std::nullopt;
    const double ticksPerSecond = double(sysconf(_SC_CLK_TCK));
    return (fields[11].toDouble() + fields[12].toDouble()) / ticksPerSecond;
}

void StopProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(int(std::chrono::milliseconds(kStopTime).count())))
        process.kill();
    process.waitForFinished();
}

// q31-devsim in a child process, with its default devices plugged in.
class CDevsimProcess {
public:
    ~CDevsimProcess() { StopProcess(m_process); }

    bool Start()
    {
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral(Q31_DEVSIM), {QStringLiteral("start")});
        if (!m_process.waitForStarted())
            return false;
        const QDeadlineTimer deadline(kDevsimStartTime);
        while (!q31::sim::RemoteSimBackend::Connect(q31::sim::DevsimSocketPath())) {
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return false;
            std::this_thread::sleep_for(50ms);
        }
        return true;
    }

private:
    QProcess m_process;
};

void MeasureProcess(benchmark::State& state, const QString& program, const QStringList& arguments)
{
    CDevsimProcess devsim;
    if (!devsim.Start()) {
        state.SkipWithError("q31-devsim did not start");
        return;
    }
    QProcess window;
    window.setStandardOutputFile(QProcess::nullDevice());
    window.setStandardErrorFile(QProcess::nullDevice());
    window.start(program, arguments);
    if (!window.waitForStarted()) {
        state.SkipWithError("the window's process did not start");
        return;
    }
    std::this_thread::sleep_for(kSettleTime);
    for (auto _ : state) {
        const std::optional<double> before = CpuSecondsOf(window.processId());
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(kMeasureTime);
        const std::optional<double> after = CpuSecondsOf(window.processId());
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!before || !after) {
            state.SkipWithError("the window's process ended");
            break;
        }
        state.counters["cpu_percent"] = 100.0 * (*after - *before) / wall;
    }
    StopProcess(window);
}

void BM_ProgramAsStarted(benchmark::State& state)
{
    MeasureProcess(state, QStringLiteral(Q31_PROGRAM), {QStringLiteral("--simulate")});
}

void BM_WindowProcessShown(benchmark::State& state)
{
    MeasureProcess(state, QCoreApplication::applicationFilePath(),
                   {QString::fromLatin1(kWindowProcessOption), QString::fromLatin1(kShown)});
}

void BM_WindowProcessHidden(benchmark::State& state)
{
    MeasureProcess(state, QCoreApplication::applicationFilePath(),
                   {QString::fromLatin1(kWindowProcessOption), QString::fromLatin1(kHidden)});
}

void BM_KeyboardPageAnimating(benchmark::State& state)
{
    MeasureProcess(state, QCoreApplication::applicationFilePath(),
                   {QString::fromLatin1(kWindowProcessOption), QString::fromLatin1(kAnimating)});
}

BENCHMARK(BM_ProgramAsStarted)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_WindowProcessShown)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_WindowProcessHidden)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_KeyboardPageAnimating)->Iterations(1)->Unit(benchmark::kSecond);

// The keyboard's page in front, its lights in the spectrum at full speed, and
// the window active: the preview then repaints the key panel.
void AnimateKeyboardPage(CMainWnd& window)
{
    CHalvorinUSBDevice* keyboard = window.DeviceOfKind(kKindKeyboard);
    if (!keyboard)
        return;
    for (CDeviceOptionUI* entry : window.SelectorEntries()) {
        if (entry->GetDevice() == keyboard)
            entry->SelectPage();
    }
    LightSettings light = keyboard->GetLightSettingsBytes();
    light[0] = q31::devices::kKeyboardModeSpectrum;
    light[2] = kFastestSpeed;
    const LightWords words = PackLightWords(light);
    keyboard->SetLightSettings(words[0], words[1], words[2], words[3]);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window.GetHWND(), &activate);
}

// The child: the main window over the devices of the running q31-devsim, as
// "q31 --simulate" has it, shown or hidden once its first scan has shown it.
int RunWindowProcess(int argc, char** argv, const char* how)
{
    QApplication application(argc, argv);
    auto devices = q31::sim::RemoteSimBackend::Connect(q31::sim::DevsimSocketPath());
    if (!devices)
        return 1;
    q31::hid::SetHidBackend(std::move(devices));
    SetupResources();
    RegisterInstanceMessage();
    RegisterGuidMessages();
    CMainWnd window;
    if (!window.CreateMainWindow())
        return 1;
    QTimer::singleShot(std::chrono::duration_cast<std::chrono::milliseconds>(kSettleTime) / 2,
                       [&window, how] {
                           window.ShowWindow(std::strcmp(how, kHidden) != 0, false);
                           if (std::strcmp(how, kAnimating) == 0)
                               AnimateKeyboardPage(window);
                       });
    return application.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kWindowProcessOption) == 0)
        return RunWindowProcess(argc, argv, argv[2]);
    // The children share this home and with it q31-devsim's socket.
    const q31::bench::CPrivateHome home;
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
