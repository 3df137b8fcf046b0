#include "app/main_wnd.h"

#include "app/about_wnd.h"
#include "app/bus_message_filter.h"
#include "app/device_option_ui.h"
#include "app/language_config.h"
#include "app/lighting_owner.h"
#include "app/key_set_owner.h"
#include "app/macro_owner.h"
#include "app/notify_routes.h"
#include "app/profile_owner.h"
#include "app/registered_messages.h"
#include "app/skin_frame.h"
#include "app/sound_owner.h"
#include "app/settings_opener.h"
#include "devices/halvorin_usb_device.h"
#include "platform/bus_client.h"
#include "platform/debug_log.h"
#include "platform/registry_settings.h"
#include "ui/container_ui.h"
#include "ui/control_text.h"
#include "ui/dialog_builder.h"
#include "ui/menu_wnd.h"
#include "ui/option_ui.h"
#include "ui/resource_manager.h"

#include <algorithm>

#include <QAbstractButton>
#include <QBoxLayout>
#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 572;
constexpr int kWorkerStopMs = 1000;
constexpr UINT kTrayMenuDelayMs = 10;
constexpr UINT kDpiSetupDelayMs = 100;
const QString kTrayIcon = QStringLiteral("common/q31_mark.svg");

// The sub-trees the builder makes from their own skin files.
struct SubTree {
    const char* className;
    const char* skin;
};
constexpr std::array<SubTree, 8> kSubTrees = {{
    {"DeviceProfileUI", "XML/CustomControlXML/DeviceProfile.xml"},
    {"LightSetControlUI", "XML/CustomControlXML/LightControl.xml"},
    {"Voice6533SetControlUI", "XML/CustomControlXML/Voice6533Control.xml"},
    {"MagicSetControlUI", "XML/CustomControlXML/MagicControl.xml"},
    {"KeySetControlUI", "XML/CustomControlXML/KeySetControl.xml"},
    {"MacroSetControlUI", "XML/CustomControlXML/MacroControl.xml"},
    {"ShootKeySetControlUI", "XML/CustomControlXML/ShootControl.xml"},
    {"VirtualSetControlUI", "XML/CustomControlXML/VirtualSet.xml"},
}};

// Calls back on the given events of the objects it is installed on.
class CEventWatch : public QObject {
public:
    CEventWatch(std::initializer_list<QEvent::Type> types, std::function<void(QEvent::Type)> onEvent)
        : m_types(types), m_onEvent(std::move(onEvent))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_types.contains(event->type()))
            m_onEvent(event->type());
        return QObject::eventFilter(watched, event);
    }

private:
    QList<QEvent::Type> m_types;
    std::function<void(QEvent::Type)> m_onEvent;
};

// Keyboards and mice: made before they are first plugged in, with key pages and battery polling.
constexpr std::array kKeyboardAndMouse = {kKindKeyboard, kKindMouse};
// The devices whose lights this program drives.
constexpr std::array kLitKinds = {kKindKeyboard, kKindMouse, kKindMousePad};

bool IsKeyboardOrMouse(int kind)
{
    return std::ranges::find(kKeyboardAndMouse, kind) != kKeyboardAndMouse.end();
}

// Asleep, discovery is still heard, so a device that came or went meanwhile is
// not lost; and the tray, so a wake-up that went unseen never leaves a program
// that cannot be quit.
bool HeardWhileAsleep(UINT message, WPARAM wParam)
{
    switch (message) {
    case UM_DEVICE_ARRIVAL:
    case UM_DEVICE_REMOVAL:
    case CTrayIcon::kDefaultMessage:
    case CMenuWnd::kMenuCommand:
        return true;
    case WM_TIMER:
        return wParam == CMainWnd::kTimerTrayMenu;
    default:
        return false;
    }
}

}  // namespace

CMainWnd::CMainWnd()
    : m_busEndpoint([this](const q31::bus::BusDelivery& delivery) {
          QString why;
          const auto accepted = q31::app::AcceptFromBus(delivery, &why);
          if (!accepted) {
              OutputDebugText(QStringLiteral("refused bus message 0x%1: %2")
                                  .arg(delivery.message, 4, 16, QLatin1Char('0'))
                                  .arg(why));
              return LRESULT(0);
          }
          if (accepted->isCopyData) {
              TakeAudioFeed(*accepted);
              return LRESULT(0);
          }
          return HandleMessage(accepted->message, accepted->wParam, accepted->lParam);
      }),
      m_owners([this](UINT timerId, UINT elapseMs) { return SetTimer(timerId, elapseMs); }),
      m_skinBackground([this] { return m_pm.FindControl<CContainerUI>(QStringLiteral("root")); })
{
    m_owners.Register(q31::app::NotifyOwner::MainWindow, [this](TNotifyUI& msg) { OnOwnControl(msg); });
    m_owners.Register(q31::app::NotifyOwner::FunctionTabs, [this](TNotifyUI& msg) { OnFunctionTab(msg); });
    m_owners.Register(q31::app::NotifyOwner::SkinChooser, [this](TNotifyUI& msg) {
        if (msg.sType == QLatin1String("click"))
            CSkinFrame::Open(GetHWND(), msg.pSender);
    });
    q31::app::RegisterLightingOwner(m_owners);
    m_settings = std::make_unique<q31::app::CSettingsOpener>(*this);
    m_macros = std::make_unique<q31::app::CMacroOwner>(*this);
    m_keySet = std::make_unique<q31::app::CKeySetOwner>(m_owners, m_macros->Hook());
    const q31::app::ProfilePrompts prompts = q31::app::DesktopProfilePrompts([this] { return GetHWND(); });
    m_profiles = std::make_unique<q31::app::CProfileOwner>(m_owners, prompts);
    q31::app::RegisterSoundOwner(m_owners, [this] { return CurrentHeadsetSound(); }, prompts.notice);
}

CMainWnd::~CMainWnd()
{
    StopWorkers();
}

bool CMainWnd::CreateMainWindow()
{
    if (!Create(nullptr, QString::fromLatin1(kTitle), WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION |
                                                         WS_SYSMENU | WS_MINIMIZEBOX,
                0, QRect(0, 0, kWidth, kHeight)))
        return false;
    // "windowinit" comes with the first show; the window hides itself again
    // there and shows once the first device scan is done.
    GetHWND()->setAttribute(Qt::WA_DontShowOnScreen, true);
    GetHWND()->show();
    GetHWND()->hide();
    GetHWND()->setAttribute(Qt::WA_DontShowOnScreen, false);
    CenterWindow();
    if (!m_busEndpoint.Open(QString::fromLatin1(kClassName), QString::fromLatin1(kTitle)))
        OutputDebugText(QStringLiteral("the main window is not reachable by other programs"));
    return true;
}

void CMainWnd::InitWindow()
{
    OutputDebugText(QStringLiteral("InitWindow"));
    m_deviceSwitch = m_pm.FindControl<CTabLayoutUI>(QStringLiteral("device_switch"));
    m_powerSwitch = m_pm.FindControl<CTabLayoutUI>(QStringLiteral("device_power_switch"));
    m_selectLayout = m_pm.FindControl(QStringLiteral("device_select_layout"));
    m_noDevicePanel = m_pm.FindControl(QStringLiteral("No_device_Link"));
    for (const char* hidden : {"maxbtn", "restorebtn"}) {
        if (QWidget* button = m_pm.FindControl(QString::fromLatin1(hidden)))
            button->hide();
    }
    SetIcon(kTrayIcon);
    m_skinBackground.ApplyStoredChoice();
    m_activityWatch = std::make_unique<CEventWatch>(
        std::initializer_list<QEvent::Type>{QEvent::WindowActivate, QEvent::WindowDeactivate, QEvent::Enter,
                                            QEvent::Leave},
        [this](QEvent::Type type) {
        switch (type) {
        case QEvent::WindowActivate:
            OnActivity(true, m_hover);
            break;
        case QEvent::WindowDeactivate:
            OnActivity(false, m_hover);
            break;
        case QEvent::Enter:
            OutputDebugText(QStringLiteral("鼠标移入"));
            OnActivity(m_active, true);
            break;
        default:
            OutputDebugText(QStringLiteral("鼠标移出"));
            OnActivity(m_active, false);
            break;
        }
    });
    GetHWND()->installEventFilter(m_activityWatch.get());
    if (m_selectLayout) {
        m_selectorWatch = std::make_unique<CEventWatch>(
            std::initializer_list<QEvent::Type>{QEvent::Resize, QEvent::LayoutRequest},
            [this](QEvent::Type) { UpdateSelectorArrows(); });
        m_selectLayout->installEventFilter(m_selectorWatch.get());
        if (m_selectLayout->parentWidget())
            m_selectLayout->parentWidget()->installEventFilter(m_selectorWatch.get());
    }
    UpdateSelectorArrows();
    new CSleepWatch([this](bool sleeping) { OnSleep(sleeping); }, GetHWND());
    m_hasTray = m_trayIcon.CreateTrayIcon(this, kTrayIcon, QString::fromLatin1(kTitle));
}

void CMainWnd::OnWindowInit()
{
    if (m_initialised)
        return;
    q31::bus::BroadcastBusMessage(g_msgLightOwner, 1, 1);
    ApplyLanguage(q31::app::LanguageIndexFor(q31::app::ReadLanguageConfig(), q31::ReadLanguageSetting()));
    // The mouse and the keyboard exist before they are first plugged in.
    for (const DeviceOptionRow& option : kDeviceOptionTable) {
        if (!IsKeyboardOrMouse(option.kindIndex))
            continue;
        const int entry = FindCommandEntry(option.vendorId, option.productId, option.type, kChannelCommand);
        if (entry >= 0)
            CreateDevice(entry);
    }
    UpdateNoDevicePanel();
    GetHWND()->hide();
    StartDiscovery();
    SetTimer(kTimerDpiSetup, kDpiSetupDelayMs);
    m_initialised = true;
}

void CMainWnd::StartDiscovery()
{
    m_discoveryWorker.Start([this](const CStopEvent&) {
        q31::hid::CDeviceDiscovery discovery(m_slots, *this, g_msgInstance);
        discovery.Run(m_stopWorkers);
    });
}

void CMainWnd::StopWorkers()
{
    m_stopWorkers.Set();
    // Aborted, an exchange ends at once; a worker still running past its
    // bounded wait (logged) ends with its device.
    for (CHalvorinUSBDevice* device : AllDevices())
        device->StopDeviceWork(QStringLiteral("the window is closing"), kWorkerStopMs);
    // Discovery may be waiting for this thread to take its message: keep taking them.
    const QDeadlineTimer deadline(kWorkerStopMs);
    while (m_discoveryWorker.IsRunning() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!m_discoveryWorker.Stop(0))
        OutputDebugText(QStringLiteral("错误\n0"));
}

void CMainWnd::OnFinalMessage()
{
    OutputDebugText(QStringLiteral("退出测试"));
    m_closing = true;
    StopWorkers();
    m_trayIcon.DeleteTrayIcon();
    QCoreApplication::quit();
}

void CMainWnd::ShowAndBringToFront()
{
    UpdateNoDevicePanel();
    SetStatusPollingOff(false);
    QWidget* host = GetHWND();
    if (!host)
        return;
    host->setWindowState(host->windowState() & ~Qt::WindowMinimized);
    // Raising and activating is enough: toggling stay-on-top would re-create
    // the native window and make it flicker.
    ShowWindow(true, true);
}

void CMainWnd::HideToTray()
{
    CloseChildWindows();
    if (!m_hasTray) {
        // Without a notification area the window could not be found again: minimise it.
        GetHWND()->showMinimized();
        return;
    }
    ShowWindow(false);
    SetStatusPollingOff(true);
}

void CMainWnd::SetStatusPollingOff(bool off)
{
    for (CHalvorinUSBDevice* device : AllDevices()) {
        if (IsKeyboardOrMouse(device->GetKindIndex()) && device->GetPowerDisplay())
            device->SetStatusPollingOff(off ? 1 : 0);
    }
}

void CMainWnd::OnSleep(bool sleeping)
{
    m_awake = !sleeping;
    if (sleeping) {
        for (CHalvorinUSBDevice* device : AllDevices())
            device->EnableLiveLighting(0);
    } else {
        SetLightingControl(m_lightingControl != 0, false);
    }
}

void CMainWnd::OnActivity(bool active, bool hover)
{
    m_active = active;
    m_hover = hover;
    for (int kind : kLitKinds) {
        for (CHalvorinUSBDevice* device : DevicesOfKind(kind))
            device->SetPreviewRefresh(m_active || m_hover ? 1 : 0);
    }
}

void CMainWnd::CloseChildWindows()
{
    // The settings, skin and about windows close with the main window.
    if (CAboutWnd* about = CAboutWnd::Current())
        about->Close();
    m_settings->Close();
}

LRESULT CMainWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_closing || (!m_awake && !HeardWhileAsleep(message, wParam)))
        return 0;
    m_owners.DispatchMessage(message, wParam, lParam);
    if (message == g_msgInstance) {
        OutputDebugText(QString::asprintf("软件标示 %u，%llxd%llxd", message, static_cast<unsigned long long>(wParam),
                                          static_cast<unsigned long long>(lParam)));
        ShowAndBringToFront();
        return 0;
    }
    if (message == g_msgLightRequest) {
        if (wParam == 1)
            SetLightingControl(lParam != 0, false);
        return 0;
    }
    if (message == g_msgDeviceQuery) {
        SendDeviceTable();
        return 0;
    }
    switch (message) {
    case UM_DEVICE_ARRIVAL:
        OnDeviceArrival(int(wParam));
        break;
    case UM_DEVICE_REMOVAL:
        OnDeviceRemoval(int(wParam));
        break;
    case CDeviceOptionUI::kShowEntryMessage:
        for (CDeviceOptionUI* entry : m_entries) {
            if (entry->GetDevice() && entry->GetDevice()->GetSelectorIndex() == int(wParam)) {
                if (lParam)
                    ShowEntry(entry, !AnyEntryVisible());
                else
                    HideEntry(entry);
            }
        }
        break;
    case kLanguageChanged:
        ApplyLanguage(int(wParam));
        if (CAboutWnd* about = CAboutWnd::Current())
            about->HandleMessage(message, wParam, lParam);
        for (int kind : kKeyboardAndMouse) {
            for (CHalvorinUSBDevice* device : DevicesOfKind(kind))
                device->RefreshPage();
        }
        break;
    case kDpiNotice:
        OutputDebugText(QStringLiteral("界面 DPI 1发生变化"));
        break;
    case CTrayIcon::kDefaultMessage:
        OnTrayMessage(lParam);
        break;
    case CMenuWnd::kMenuCommand:
        if (const auto* command = reinterpret_cast<const MenuCmd*>(wParam))
            OnMenuCommand(command->szName);
        break;
    case WM_TIMER:
        KillTimer(UINT(wParam));
        if (wParam == kTimerDpiSetup) {
            SetupDpi();
        } else if (wParam == kTimerTrayMenu) {
            CMenuWnd::Popup(QStringLiteral("menu.xml"), this, QCursor::pos(), GetHWND());
        } else {
            m_owners.DispatchTimer(UINT(wParam));
        }
        break;
    default:
        break;
    }
    return 0;
}

void CMainWnd::OnTrayMessage(LPARAM mouseMessage)
{
    if (mouseMessage == CTrayIcon::kRightButtonUp) {
        SetTimer(kTimerTrayMenu, kTrayMenuDelayMs);
        return;
    }
    if (mouseMessage != CTrayIcon::kLeftButtonUp)
        return;
    UpdateNoDevicePanel();
    CloseChildWindows();
    QWidget* host = GetHWND();
    if (host->isVisible() && !host->isMinimized()) {
        HideToTray();
        return;
    }
    SetupDpi();
    ShowAndBringToFront();
}

void CMainWnd::OnMenuCommand(const QString& item)
{
    if (item.compare(QLatin1String("exit"), Qt::CaseInsensitive) == 0) {
        CloseChildWindows();
        Close(IDOK);
    } else if (item.compare(QLatin1String("about_menu"), Qt::CaseInsensitive) == 0) {
        CAboutWnd::Open(*this);
    }
    // Other items ("setwnd_menu", the macro editor's) go to the owners of the menu command.
}

void CMainWnd::SetupDpi()
{
    QWidget* host = GetHWND();
    const QScreen* screen = host->screen() ? host->screen() : QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize();
    m_dpi = size.width() > 1500 && size.height() > 960 ? 144 : CPaintManagerUI::kDefaultDpi;
    CPaintManagerUI::SetAllDPI(m_dpi);
    const double scale = m_pm.GetDPIScale();
    host->resize(int(kWidth * scale), int(kHeight * scale));
    CenterWindow();
    host->update();
}

void CMainWnd::Notify(TNotifyUI& msg)
{
    if (msg.sType != QLatin1String("timer"))
        OutputDebugText(msg.sType + QLatin1Char(' ') + (msg.pSender ? msg.pSender->objectName() : QString()));
    if (msg.sType == QLatin1String("windowinit")) {
        OnWindowInit();
    } else if (msg.sType == QLatin1String("windowsize")) {
        if (msg.pSender && msg.pSender->objectName() == QLatin1String("root") && m_displayChanged) {
            m_displayChanged = false;
            SetupDpi();
        }
    } else {
        m_owners.Dispatch(msg);
    }
}

void CMainWnd::OnOwnControl(TNotifyUI& msg)
{
    if (msg.sType == QLatin1String("click")) {
        OnClick(msg);
    } else if (msg.sType == QLatin1String("selectchanged")) {
        OnSelectChanged(msg);
    } else if (msg.sType == QLatin1String("valuechanged") || msg.sType == QLatin1String("movevaluechanged")) {
        OnValueChanged(msg);
    }
}

void CMainWnd::OnFunctionTab(TNotifyUI& msg)
{
    const auto functionPanel = q31::app::FunctionTabType(msg.pSender->objectName());
    if (msg.sType != QLatin1String("selectchanged") || !msg.wParam || !functionPanel || !m_deviceSwitch)
        return;
    if (auto* device = qobject_cast<CHalvorinUSBDevice*>(m_deviceSwitch->currentWidget()))
        device->SelectFunctionPanel(*functionPanel);
}

void CMainWnd::OnClick(TNotifyUI& msg)
{
    const QString name = msg.pSender->objectName();
    if (name == QLatin1String("closebtn")) {
        HideToTray();
    } else if (name == QLatin1String("nodevice_ok_btn")) {
        ShowWindow(false);
    } else if (name == QLatin1String("minbtn")) {
        GetHWND()->showMinimized();
    } else if (name == QLatin1String("maxbtn")) {
        GetHWND()->showMaximized();
    } else if (name == QLatin1String("restorebtn")) {
        GetHWND()->showNormal();
    } else if (name == QLatin1String("control_light_status")) {
        SetLightingControl(!m_lightingControl, true);
    } else if (name == QLatin1String("device_select_prev")) {
        SelectNeighbourEntry(-1);
    } else if (name == QLatin1String("device_select_next")) {
        SelectNeighbourEntry(1);
    }
}

void CMainWnd::OnSelectChanged(TNotifyUI& msg)
{
    if (msg.pSender->objectName() != QLatin1String("device_select"))
        return;
    for (CDeviceOptionUI* entry : m_entries) {
        if (!entry->isAncestorOf(msg.pSender))
            continue;
        if (msg.wParam) {
            SelectEntry(entry);
        } else if (m_deviceSwitch && m_deviceSwitch->currentWidget() == entry->GetDevice()) {
            // The user cannot unselect the device on show, only pick another.
            const QSignalBlocker quiet(entry->SelectOption());
            entry->SelectOption()->Selected(true);
        }
    }
}

void CMainWnd::SelectEntry(CDeviceOptionUI* entry)
{
    for (CDeviceOptionUI* other : m_entries) {
        if (other != entry && other->SelectOption()) {
            const QSignalBlocker quiet(other->SelectOption());
            other->SelectOption()->Selected(false);
            other->SelectOption()->update();
        }
    }
    entry->SelectPage();
    ShowPowerControl(*entry);
}

void CMainWnd::OnValueChanged(TNotifyUI& msg)
{
    auto* slider = qobject_cast<QSlider*>(msg.pSender);
    if (!slider)
        return;
    const QString name = slider->objectName();
    if (const auto channel = q31::app::ColourSliderChannel(name); channel && msg.sType == QLatin1String("valuechanged")) {
        // The audio recorder's window joins here once it exists.
        if (auto* label = m_pm.FindControl<QLabel>(QStringLiteral("%1_light_label").arg(QLatin1Char(*channel))))
            label->setText(QStringLiteral("%1 %2").arg(QLatin1Char(*channel)).arg(slider->value()));
        return;
    }
    if (const auto number = q31::app::QuorlDpiSliderNumber(name); number && msg.sType == QLatin1String("movevaluechanged")) {
        if (auto* edit = m_pm.FindControl<QLineEdit>(QStringLiteral("quorl_DPI_edit_%1").arg(*number)))
            edit->setText(QString::number(slider->value()));
    }
}

void CMainWnd::SelectNeighbourEntry(int step)
{
    int selected = -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i]->IsEntryVisible() && m_entries[i]->IsSelected())
            selected = int(i);
    }
    if (selected < 0)
        return;
    for (int i = selected + step; i >= 0 && i < int(m_entries.size()); i += step) {
        if (m_entries[i]->IsEntryVisible()) {
            ShowEntry(m_entries[i], true);
            return;
        }
    }
}

void CMainWnd::UpdateSelectorArrows()
{
    if (m_updatingArrows)
        return;
    const QScopedValueRollback updating(m_updatingArrows, true);
    auto* prev = m_pm.FindControl(QStringLiteral("device_select_prev"));
    auto* next = m_pm.FindControl(QStringLiteral("device_select_next"));
    QWidget* titleBar = m_selectLayout ? m_selectLayout->parentWidget() : nullptr;
    const auto* box = titleBar ? qobject_cast<const QBoxLayout*>(titleBar->layout()) : nullptr;
    if (!prev || !next || !box)
        return;
    // What the title bar needs as it stands. Shown arrows are counted in: the
    // selector can shrink by more than their width while they show, and taking
    // them out would then hide them, only to need them again at once.
    const int needed = box->minimumSize().width();
    // The window grows with its title bar, but not past the screen.
    const QScreen* screen = GetHWND()->screen();
    const int room = screen ? std::min(titleBar->width(), screen->availableGeometry().width()) : titleBar->width();
    const bool overflow = needed > room;
    prev->setVisible(overflow);
    next->setVisible(overflow);
}

QWidget* CMainWnd::CreateControl(const QString& className, QWidget* parent)
{
    for (const SubTree& tree : kSubTrees) {
        if (className == QLatin1String(tree.className))
            return CDialogBuilder::Create(QString::fromLatin1(tree.skin), this, parent);
    }
    return nullptr;
}

void CMainWnd::ApplyLanguage(int index)
{
    if (index == m_languageIndex)
        return;
    const std::vector<q31::app::LanguageEntry> languages = q31::app::ReadLanguageConfig();
    if (index < 0 || std::size_t(index) >= languages.size())
        return;
    if (q31::app::LanguageNeedsFontRebuild(index, m_languageIndex))
        RebuildFonts();
    m_languageIndex = index;
    const q31::app::LanguageEntry& language = languages[index];
    CResourceManager& resources = CResourceManager::GetInstance();
    resources.SetLanguage(language.name);
    resources.LoadLanguage(language.file);
    resources.ReloadText();
    if (q31::WriteLanguageSetting(language.id))
        OutputDebugText(QStringLiteral("写成功！"));
    if (QWidget* host = GetHWND())
        host->update();
}

void CMainWnd::RebuildFonts()
{
    const QString face = QStringLiteral("Noto Sans");
    const CPaintManagerUI::CLookBatch once(m_pm);
    m_pm.RemoveAllFonts();
    const auto font = [&face](int size, bool bold = false, bool underline = false) {
        TFontInfo info;
        info.face = face;
        info.size = size;
        info.bold = bold;
        info.underline = underline;
        return info;
    };
    m_pm.AddFont(0, font(15), true);
    m_pm.SetDefaultFont(font(14), true);
    m_pm.AddFont(1, font(14, false, true), true);
    const std::array<std::pair<int, int>, 10> sizes = {
        {{2, 18}, {3, 30}, {4, 16}, {5, 20}, {6, 22}, {7, 14}, {8, 12}, {9, 11}, {10, 10}, {11, 28}}};
    for (const auto& [id, size] : sizes)
        m_pm.AddFont(id, font(size), true);
    m_pm.AddFont(50, font(18, true), true);
}

void CMainWnd::SetLightingControl(bool on, bool broadcast)
{
    m_lightingControl = on ? 1 : 0;
    if (broadcast)
        q31::bus::BroadcastBusMessage(g_msgLightOwner, 1, on ? 1 : 0);
    if (auto* button = m_pm.FindControl<QAbstractButton>(QStringLiteral("control_light_status"))) {
        q31::ui::SetTextId(button, on ? QStringLiteral("control_light_on_text") : QStringLiteral("control_light_off_text"));
        button->setChecked(on);
    }
    for (int kind : kLitKinds) {
        for (CHalvorinUSBDevice* device : DevicesOfKind(kind))
            device->EnableLiveLighting(m_lightingControl);
    }
}

void CMainWnd::SendDeviceTable()
{
    std::array<std::uint32_t, 256> words{};
    words[0] = 2;
    words[1] = 3;
    words[2] = 0;
    words[3] = 2;
    words[4] = std::uint32_t(kDeviceOptionTable.size());
    std::size_t at = 5;
    for (const DeviceOptionRow& row : kDeviceOptionTable) {
        words[at++] = row.vendorId;
        words[at++] = row.productId;
        words[at++] = row.type;
    }
    const QByteArray block(reinterpret_cast<const char*>(words.data()), int(sizeof(words)));
    q31::bus::SendCopyData(QString(), QStringLiteral("ZovuDora"), 0, 5, block);
}
