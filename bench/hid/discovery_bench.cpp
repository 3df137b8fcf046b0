// The cost of one discovery pass: with every slot free (each pass enumerates
// and reads every node's descriptor), and with the monitor reporting no change.
#include <QCoreApplication>
#include <QObject>
#include <benchmark/benchmark.h>

#include <cstdio>

#include "hid/device_discovery.h"
#include "hid/hidraw_backend.h"
#include "tests/hid/fake_backend.h"
#include "tests/hid/fake_sysfs.h"
#include "tests/hid/test_descriptors.h"

namespace {

class IgnoringWindow : public IMessageReceiver {
public:
    LRESULT HandleMessage(UINT, WPARAM, LPARAM) override { return 0; }
    QObject* MessageContext() override { return &m_context; }

private:
    QObject m_context;
};

// A desk of other HID devices: none of them is in the catalogue.
void AddOtherDevices(q31::test::FakeSysfs& sysfs, int count)
{
    for (int i = 0; i < count; ++i) {
        char hidDevice[32];
        std::snprintf(hidDevice, sizeof hidDevice, "0003:046D:C%03X.%04X", i, i + 1);
        sysfs.AddNode("hidraw" + std::to_string(i), hidDevice, i % 3,
                      i % 2 ? q31::test::kKeyboardInterfaceDescriptor : q31::test::kMouseDescriptor);
    }
}

void BM_PassAllSlotsFree(benchmark::State& state)
{
    q31::test::FakeSysfs sysfs;
    AddOtherDevices(sysfs, static_cast<int>(state.range(0)));
    q31::hid::SetHidBackend(q31::hid::MakeHidrawBackend(sysfs.Environment()));
    q31::hid::DeviceSlots slotTable;
    IgnoringWindow window;
    q31::hid::CDeviceDiscovery discovery(slotTable, window, 0xC000);
    for (auto _ : state)
        benchmark::DoNotOptimize(discovery.RunPass());
    QCoreApplication::processEvents();
    q31::hid::SetHidBackend(nullptr);
}
BENCHMARK(BM_PassAllSlotsFree)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

void BM_PassMonitorReportsNoChange(benchmark::State& state)
{
    auto backend = std::make_shared<q31::test::FakeBackend>(true);
    for (auto& info : q31::test::MakeMakerInterfaces(0x6B01))
        backend->Add(std::move(info));
    q31::hid::SetHidBackend(backend);
    q31::hid::DeviceSlots slotTable;
    IgnoringWindow window;
    q31::hid::CDeviceDiscovery discovery(slotTable, window, 0xC000);
    discovery.RunPass();
    for (auto _ : state)
        benchmark::DoNotOptimize(discovery.RunPass());
    QCoreApplication::processEvents();
    q31::hid::SetHidBackend(nullptr);
}
BENCHMARK(BM_PassMonitorReportsNoChange);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
