#include "tools/q31-devsim/serve.h"

#include "platform/stop_event.h"
#include "sim/sim_backend_factory.h"
#include "sim/sim_server.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace q31::devsim {
namespace {

void PrintError(const QString& text)
{
    std::fprintf(stderr, "q31-devsim: %s\n", qPrintable(text));
}

// "keyboard" plugs the keyboard's cable, "keyboard-receiver" its receiver.
bool PlugDevices(sim::SimHub& hub, const QStringList& devices)
{
    for (const QString& item : devices) {
        const bool receiver = item.endsWith(QStringLiteral("-receiver"));
        const QString device = receiver ? item.chopped(9) : item;
        const sim::Outcome failed = hub.Plug(device.toStdString(), receiver ? sim::Route::Receiver : sim::Route::Cable);
        if (!failed.empty()) {
            PrintError(QString::fromStdString(failed));
            return false;
        }
    }
    return true;
}

}  // namespace

int Serve(const QStringList& arguments)
{
    QStringList devices = {QStringLiteral("keyboard"), QStringLiteral("mouse"), QStringLiteral("mousepad"),
                           QStringLiteral("headset")};
    int latencyMs = sim::kDefaultLatencyMs;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const bool hasValue = i + 1 < arguments.size();
        if (arguments[i] == QStringLiteral("--devices") && hasValue) {
            devices = arguments[++i].split(QLatin1Char(','), Qt::SkipEmptyParts);
        } else if (arguments[i] == QStringLiteral("--latency") && hasValue) {
            bool ok = false;
            latencyMs = arguments[++i].toInt(&ok);
            if (!ok || latencyMs < 0) {
                PrintError(QStringLiteral("--latency takes milliseconds"));
                return 2;
            }
        } else {
            PrintError(QStringLiteral("start takes [--devices keyboard,mouse,...] [--latency MS]"));
            return 2;
        }
    }

    QString error;
    const auto hub = sim::SimHub::FromDataFolder(&error, latencyMs);
    if (!hub) {
        PrintError(error);
        return 1;
    }
    if (!PlugDevices(*hub, devices))
        return 2;
    sim::DevsimServer server(hub);
    const QString path = sim::DevsimSocketPath();
    if (!server.Listen(path, &error)) {
        PrintError(error);
        return 1;
    }

    // Signals are taken by one thread, which stops the server.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    CStopEvent stop;
    std::thread signalWaiter([&] {
        int received = 0;
        sigwait(&stopSignals, &received);
        stop.Set();
    });

    std::printf("q31-devsim: serving %s on %s\n", qPrintable(devices.join(QStringLiteral(", "))), qPrintable(path));
    std::fflush(stdout);
    server.Serve(stop);
    if (!stop.IsSet())
        kill(getpid(), SIGTERM);  // ends the signal thread after a "stop" command
    signalWaiter.join();
    return 0;
}

}  // namespace q31::devsim
