// The round trip of one synchronous message between two processes.
#include "platform/bus_client.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

static void BM_SendMessageRoundTripBetweenProcesses(benchmark::State& state)
{
    QProcess peer;
    peer.setStandardOutputFile(QProcess::nullDevice());  // it prints a line per message
    peer.start(QStringLiteral(Q31_BUS_PEER), {"listen", "BenchClass", "Bench"});
    QDeadlineTimer deadline(5000);
    while (!q31::bus::FindWindow("BenchClass", "Bench") && !deadline.hasExpired())
        QThread::msleep(5);
    if (deadline.hasExpired()) {
        state.SkipWithError("the peer process did not start");
        return;
    }
    LPARAM value = 0;
    for (auto _ : state) {
        const auto result = q31::bus::SendBusMessage("BenchClass", "Bench", 0x0400, 0, value);
        if (!result || *result != value + 1) {
            state.SkipWithError(result ? "wrong answer" : "no answer");
            break;
        }
        ++value;
    }
    peer.kill();
    peer.waitForFinished();
}
BENCHMARK(BM_SendMessageRoundTripBetweenProcesses)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
