// A second Q-31 process for the tests: it reaches the simulated devices the
// way the program does, through the simulator back end.
//   sim_peer watch           runs discovery and prints "arrival N" / "removal N"
//   sim_peer read PID ADDR   prints "param XX", the parameter byte at ADDR
#include "hid/device_discovery.h"
#include "platform/worker_thread.h"
#include "sim/sim_backend_factory.h"
#include "sim/sim_remote_backend.h"
#include "tests/sim/sim_test_support.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kLifetimeMs = 60000;

class PrintingWindow : public QObject, public IMessageReceiver {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM) override
    {
        if (message == UM_DEVICE_ARRIVAL || message == UM_DEVICE_REMOVAL) {
            std::printf("%s %d\n", message == UM_DEVICE_ARRIVAL ? "arrival" : "removal", static_cast<int>(wParam));
            std::fflush(stdout);
        }
        return 0;
    }
    QObject* MessageContext() override { return this; }
};

int Watch(QCoreApplication& application)
{
    q31::hid::DeviceSlots slotTable;
    PrintingWindow window;
    q31::hid::CDeviceDiscovery discovery(slotTable, window, 0xC000);
    CWorkerThread thread("discovery");
    thread.Start([&](const CStopEvent& stop) { discovery.Run(stop); });
    QTimer::singleShot(kLifetimeMs, &application, &QCoreApplication::quit);
    const int result = application.exec();
    thread.Stop();
    return result;
}

int Read(std::uint16_t productId, std::uint16_t address)
{
    auto& backend = q31::hid::CurrentHidBackend();
    for (const auto& info : backend.Enumerate()) {
        if (info.productId != productId || info.usagePage != 0xFF1C)
            continue;
        q31::sim::test::RawLink link(backend, info.path);
        const auto reply = link.IsOpen() ? link.Exchange(q31::sim::test::Request(0x05, 1, address)) : std::nullopt;
        if (!reply)
            break;
        std::printf("param %02x\n", (*reply)[8]);
        return 0;
    }
    std::printf("no reply\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    QString error;
    auto backend = q31::sim::MakeSimulatorBackend(&error);
    if (!backend) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("backend %s\n", std::dynamic_pointer_cast<q31::sim::RemoteSimBackend>(backend) ? "remote" : "local");
    std::fflush(stdout);
    q31::hid::SetHidBackend(backend);
    if (arguments.value(1) == QStringLiteral("watch"))
        return Watch(application);
    if (arguments.value(1) == QStringLiteral("read") && arguments.size() == 4)
        return Read(static_cast<std::uint16_t>(arguments[2].toUInt(nullptr, 16)),
                    static_cast<std::uint16_t>(arguments[3].toUInt(nullptr, 0)));
    std::fprintf(stderr, "usage: sim_peer watch | read PID ADDR\n");
    return 2;
}
