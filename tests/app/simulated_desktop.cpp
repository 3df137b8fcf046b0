#include "tests/app/simulated_desktop.h"

#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "app/registered_messages.h"
#include "app/start_up.h"
#include "hid/hid_backend.h"
#include "sim/sim_hid_backend.h"

#include <QTest>

#include <algorithm>

namespace q31::test {
namespace {

constexpr int kShowTimeoutMs = 10000;

}  // namespace

std::shared_ptr<q31::sim::SimHub> StartSimulatedDesktop(QString* error)
{
    std::shared_ptr<q31::sim::SimHub> hub = q31::sim::SimHub::FromDataFolder(error);
    if (!hub)
        return nullptr;
    q31::hid::SetHidBackend(std::make_shared<q31::sim::SimHidBackend>(hub));
    SetupResources();
    RegisterInstanceMessage();
    RegisterGuidMessages();
    return hub;
}

void EndSimulatedDesktop()
{
    q31::hid::SetHidBackend(nullptr);
}

std::unique_ptr<CMainWnd> OpenWindowShowing(q31::sim::SimHub& hub, const std::vector<Plugging>& devices, QString* error)
{
    auto window = std::make_unique<CMainWnd>();
    if (!window->CreateMainWindow()) {
        *error = QStringLiteral("the main window could not be created");
        return nullptr;
    }
    for (const auto& [device, route] : devices) {
        if (const q31::sim::Outcome failed = hub.Plug(device, route); !failed.empty()) {
            *error = QString::fromStdString(failed);
            return nullptr;
        }
    }
    const bool allShown = QTest::qWaitFor(
        [&] {
            const std::vector<CDeviceOptionUI*>& entries = window->SelectorEntries();
            return entries.size() == devices.size() &&
                   std::all_of(entries.begin(), entries.end(), [](const CDeviceOptionUI* entry) { return entry->IsEntryVisible(); });
        },
        kShowTimeoutMs);
    if (!allShown) {
        *error = QStringLiteral("not every device came on show");
        return nullptr;
    }
    return window;
}

}  // namespace q31::test
