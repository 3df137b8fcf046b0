#include "app/settings_opener.h"

#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "app/registered_messages.h"
#include "devices/halvorin_usb_device.h"
#include "ui/menu_wnd.h"

#include <QMetaObject>

namespace q31::app {
namespace {

constexpr int kRightGap = 30;
constexpr int kTopGap = 60;

}  // namespace

CSettingsOpener::CSettingsOpener(CMainWnd& main) : m_main(main)
{
    CNotifyOwners& owners = main.NotifyOwners();
    owners.Register(NotifyOwner::Settings, [this](TNotifyUI& msg) {
        if (msg.sType == QLatin1String("click"))
            OpenLater(false);
    });
    owners.RegisterMessage(CMainWnd::kOpenSettings, [this](WPARAM, LPARAM) { OpenLater(true); });
    owners.RegisterMessage(CMenuWnd::kMenuCommand, [this](WPARAM wParam, LPARAM) {
        const auto* command = reinterpret_cast<const MenuCmd*>(wParam);
        if (command && command->szName == QLatin1String("setwnd_menu"))
            OpenLater(true);
    });
    // The main window switches the language after its owners hear of it: the
    // window repaints once that is done.
    owners.RegisterMessage(CMainWnd::kLanguageChanged, [this](WPARAM wParam, LPARAM lParam) {
        if (m_window)
            PostMessageTo(*m_window, CSetWnd::kLanguageChanged, wParam, lParam);
    });
    if (g_msgUpdateProgress != 0) {
        owners.RegisterMessage(g_msgUpdateProgress, [this](WPARAM wParam, LPARAM lParam) {
            if (m_window)
                SendMessageTo(*m_window, g_msgUpdateProgress, wParam, lParam);
        });
    }
}

CSettingsOpener::~CSettingsOpener() = default;

void CSettingsOpener::OpenLater(bool centred)
{
    QMetaObject::invokeMethod(&m_context, [this, centred] { Open(centred); }, Qt::QueuedConnection);
}

void CSettingsOpener::Open(bool centred)
{
    if (m_window) {
        m_window->ShowWindow(true, true);
        return;
    }
    m_window = std::make_unique<CSetWnd>(&m_main, m_main.GetLanguageIndex(),
                                         update::ListedComponents(InstalledDevices(), update::ReadInstalledAppVersion()),
                                         update::ReadUpdateService());
    m_window->Create(m_main.GetHWND(), QStringLiteral("SetWnd"), WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW,
                     QRect(0, 0, CSetWnd::kWidth, CSetWnd::kHeight));
    m_window->SetDPI(m_main.GetPaintManager().GetDPI());
    Place(centred);
    m_window->ShowModal();
    m_window.reset();
}

void CSettingsOpener::Close()
{
    if (!m_window)
        return;
    m_window->StopWorkers();
    m_window->Close(IDCANCEL);
}

std::vector<update::InstalledDevice> CSettingsOpener::InstalledDevices() const
{
    std::vector<update::InstalledDevice> devices;
    for (const CDeviceOptionUI* entry : m_main.SelectorEntries()) {
        CHalvorinUSBDevice* device = entry->GetDevice();
        if (!device || !device->CommandLink().IsOpen())
            continue;
        CDeviceLink& link = device->CommandLink();
        const CHidDevice& hid = link.IsReceiverMode() ? link.ReceiverInterface() : link.CableInterface();
        devices.push_back({static_cast<std::uint16_t>(device->GetType()), hid.Attributes().versionNumber});
    }
    return devices;
}

void CSettingsOpener::Place(bool centred)
{
    QWidget* main = m_main.GetHWND();
    QWidget* window = m_window->GetHWND();
    if (centred || !main || !window || !main->isVisible()) {
        m_window->CenterWindow();
        return;
    }
    const double scale = m_main.GetPaintManager().GetDPIScale();
    const QRect frame = main->frameGeometry();
    window->move(frame.right() + 1 - window->width() - int(kRightGap * scale), frame.top() + int(kTopGap * scale));
}

}  // namespace q31::app
