#include "tests/app/silent_devices_scenario.h"

#include "app/control_classes.h"
#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "devices/halvorin_usb_device.h"
#include "tests/app/simulated_desktop.h"
#include "tests/app/ui_stall_watch.h"
#include "ui/control_factory.h"
#include "ui/option_ui.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QTimer>

#include <array>
#include <cstdint>

namespace q31::test {
namespace {

using sim::Route;

constexpr int kPageSwitchMs = 700;
constexpr int kLightingSwitchMs = 2000;
constexpr int kSettingsWriteMs = 300;
constexpr std::size_t kStatusLength = 6;

// A device that asks its receiver whether it is reached and reads its status
// for the power display, as the keyboard and the mouse do.
class CReceiverAskingDevice : public CHalvorinUSBDevice {
public:
    using CHalvorinUSBDevice::CHalvorinUSBDevice;
    bool IsOnline() override
    {
        return m_commandLink.IsOpen() && m_commandLink.IsReceiverMode() && m_commandLink.QueryReceiverLink();
    }
    void RefreshPower() override
    {
        AskDevice<int>(
            [this](const CStopEvent&) {
                std::array<std::uint8_t, kStatusLength> status{};
                return m_commandLink.ReadStatus(status.data(), status.size(), 0);
            },
            [](int) {}, "power");
    }
};

}  // namespace

CSilentDevicesScenario::CSilentDevicesScenario() = default;

CSilentDevicesScenario::~CSilentDevicesScenario()
{
    m_actions.clear();
    m_window.reset();
    q31::app::RegisterControlClasses();
    if (m_hub)
        EndSimulatedDesktop();
}

QString CSilentDevicesScenario::Open()
{
    QString error;
    m_hub = StartSimulatedDesktop(&error);
    if (!m_hub)
        return error;
    CControlFactory::GetInstance().RegisterControlClass(
        QStringLiteral("CHalvorinUSBDevice"), [](QWidget* parent) -> QWidget* { return new CReceiverAskingDevice(parent); });
    m_window = OpenWindowShowing(*m_hub,
                                 {{"keyboard", Route::Cable}, {"mouse", Route::Receiver}, {"mousepad", Route::Cable},
                                  {"headset", Route::Cable}},
                                 &error);
    if (!m_window)
        return error;

    sim::SimFault silent;
    silent.kind = sim::FaultKind::NoReply;
    silent.times = sim::SimFault::kAlways;
    if (const sim::Outcome failed = m_hub->AddFault("keyboard", silent); !failed.empty())
        return QString::fromStdString(failed);
    if (const sim::Outcome failed = m_hub->SetReachable("mouse", false); !failed.empty())
        return QString::fromStdString(failed);
    AddUserActions();
    return {};
}

// One line per kind of action; more come through AddPeriodicAction.
void CSilentDevicesScenario::AddUserActions()
{
    AddPeriodicAction(kPageSwitchMs, [this] { SelectNextPage(); });
    AddPeriodicAction(kLightingSwitchMs, [this] { FlipLightingSwitch(); });
    AddPeriodicAction(kSettingsWriteMs, [this] { WriteSettingsOfEveryDevice(); });
}

void CSilentDevicesScenario::AddPeriodicAction(int intervalMs, std::function<void()> action)
{
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(intervalMs);
    QObject::connect(timer.get(), &QTimer::timeout, std::move(action));
    m_actions.push_back(std::move(timer));
}

std::chrono::milliseconds CSilentDevicesScenario::Run(std::chrono::milliseconds duration)
{
    CUiStallWatch watch;
    for (const auto& action : m_actions)
        action->start();
    watch.Start();
    // The program's own kind of waiting, which sleeps until something is due.
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
    watch.Stop();
    for (const auto& action : m_actions)
        action->stop();
    return watch.LongestStall();
}

void CSilentDevicesScenario::SelectNextPage()
{
    const std::vector<CDeviceOptionUI*>& entries = m_window->SelectorEntries();
    for (std::size_t step = 1; step <= entries.size(); ++step) {
        const std::size_t next = (m_selectedEntry + step) % entries.size();
        COptionUI* option = entries[next]->SelectOption();
        if (entries[next]->IsEntryVisible() && option) {
            m_selectedEntry = next;
            option->click();
            return;
        }
    }
}

void CSilentDevicesScenario::WriteSettingsOfEveryDevice()
{
    ++m_settingsValue;
    for (const CDeviceOptionUI* entry : m_window->SelectorEntries()) {
        if (CHalvorinUSBDevice* device = entry->GetDevice()) {
            device->PostWrite("settings", [value = m_settingsValue](CDeviceLink& link) {
                return link.WriteParams(&value, 1, 0);
            });
        }
    }
}

void CSilentDevicesScenario::FlipLightingSwitch()
{
    if (auto* button = m_window->GetPaintManager().FindControl<QAbstractButton>(QStringLiteral("control_light_status")))
        button->click();
}

}  // namespace q31::test
