// One live light frame of the keyboard's 170 lights, end to end: the overlays
// of the page's light buttons, the frame bytes, and the stream to a simulated
// keyboard on its cable through the real HID path (no report latency).
#include "controls/device_key_button_ui.h"
#include "controls/select_panel_ui.h"
#include "devices/halvorin_usb_device.h"
#include "devices/light_records.h"
#include "hid/hid_catalogue.h"
#include "protocol/link_attach.h"
#include "sim/sim_hid_backend.h"
#include "ui/control_look.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kKeyboardLights = 170;

// A keyboard page with one visible light button per light.
struct KeyboardPage {
    KeyboardPage()
    {
        auto* panel = new CSelectPanelUI(&device);
        for (int i = 0; i < kKeyboardLights; ++i) {
            auto* button = new CDeviceKeyButtonUI(panel);
            button->setObjectName(QStringLiteral("key_%1").arg(i));
            q31::ui::SetUserData(button, QStringLiteral("light_%1").arg(i));
        }
        device.SetKeyCount(kKeyboardLights);
        device.SetLightCount(kKeyboardLights);
        device.SetKindName(QStringLiteral("keyboard"));
        device.BindIdentity(kHidInterfaceTable[0]);
        device.CreatePage();
        device.show();
        for (int i = 0; i < kKeyboardLights; ++i)
            device.SetDevedOzirav(i, q31::devices::PackLightRecord({std::uint8_t(i), 100, 200, 180}));
    }
    CHalvorinUSBDevice device;
};

void BM_PaintLedPreviewOverlaysOnly(benchmark::State& state)
{
    KeyboardPage page;
    // A receiver link paints the overlays but sends nothing.
    page.device.CommandLink().SetMode(CDeviceLink::kModeReceiver);
    for (auto _ : state)
        page.device.PaintLedPreview();
}
BENCHMARK(BM_PaintLedPreviewOverlaysOnly);

void BM_PaintLedPreviewToSimulatedKeyboard(benchmark::State& state)
{
    QString error;
    auto hub = q31::sim::SimHub::FromDataFolder(&error, 0);
    if (!hub) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    q31::hid::SetHidBackend(std::make_shared<q31::sim::SimHidBackend>(hub));
    {
        KeyboardPage page;
        hub->Plug("keyboard", q31::sim::Route::Cable);
        std::string path;
        for (const auto& info : hub->Enumerate()) {
            if (info.productId == 0x6B01 && info.usagePage == 0xFF1C)
                path = info.path;
        }
        if (!q31::AttachCommandInterface(page.device.CommandLink(), path, Keyboard)) {
            state.SkipWithError("the simulated keyboard did not open");
        } else {
            for (auto _ : state)
                page.device.PaintLedPreview();
        }
    }
    q31::hid::SetHidBackend(nullptr);
}
BENCHMARK(BM_PaintLedPreviewToSimulatedKeyboard);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
