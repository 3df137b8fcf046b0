#pragma once
// The single top-level window, "MainWnd" titled "Q-31": the device selector,
// one page per device, the tray icon, and the discovery of devices coming and
// going. It is also the program's window on the message bus, so other
// processes can reach it.
#include "app/notify_owners.h"
#include "app/skin_background.h"
#include "app/sleep_watch.h"
#include "devices/device_views.h"
#include "devices/headset_audio.h"
#include "hid/device_discovery.h"
#include "hid/hid_catalogue.h"
#include "platform/bus_endpoint.h"
#include "platform/stop_event.h"
#include "platform/worker_thread.h"
#include "ui/tray_icon.h"
#include "ui/window_impl_base.h"

#include <QPointer>

#include <array>
#include <memory>
#include <vector>

class CDeviceOptionUI;
class CHalvorinUSBDevice;
class CTabLayoutUI;
namespace q31::app {
class CMacroOwner;
class CKeySetOwner;
class CProfileOwner;
class CSettingsOpener;
}

class CHeadsetSound;

class CMainWnd : public WindowImplBase {
public:
    static constexpr const char* kClassName = "MainWnd";
    static constexpr const char* kTitle = "Q-31";

    // Private messages.
    static constexpr UINT kLanguageChanged = 0x0C11;
    static constexpr UINT kOpenSettings = 0x0C15;
    static constexpr UINT kUpdateNoticeSeen = 0x0C16;
    static constexpr UINT kShowSettingProgress = 0x0C00;
    static constexpr UINT kDeviceProfileNumber = 0x0D00;
    static constexpr UINT kDeviceStatusByte = kDeviceStatusMessage;
    static constexpr UINT kInputHook = 0x041E;
    static constexpr UINT kDpiNotice = 0x04C8;

    // Window timers; the owners take the profile switch and the game-effect restore.
    static constexpr UINT kTimerDpiSetup = 1011;
    static constexpr UINT kTimerTrayMenu = 1032;
    static constexpr UINT kTimerProfileSwitch = 1055;
    static constexpr UINT kTimerGameEffectRestore = 1066;

    CMainWnd();
    ~CMainWnd() override;

    QString GetSkinFile() override { return QStringLiteral("XML_MAIN"); }
    QString GetWindowClassName() const override { return QString::fromLatin1(kClassName); }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    QWidget* CreateControl(const QString& className, QWidget* parent) override;
    void OnFinalMessage() override;

    // Creates the window at 800 x 572; it stays hidden until the first device scan.
    bool CreateMainWindow();
    void ShowAndBringToFront();

    // What the window holds, for those that look at it from outside.
    const std::vector<CDeviceOptionUI*>& SelectorEntries() const { return m_entries; }
    CHalvorinUSBDevice* DeviceOfKind(int kindIndex) const;
    int GetLanguageIndex() const { return m_languageIndex; }
    bool IsLightingControlled() const { return m_lightingControl != 0; }
    const q31::hid::DeviceSlots& Slots() const { return m_slots; }
    // Where the editors and windows around the pages register for what is theirs.
    q31::app::CNotifyOwners& NotifyOwners() { return m_owners; }

private:
    // Start-up and shutdown.
    void OnWindowInit();
    void StartDiscovery();
    void StopWorkers();
    void HideToTray();
    void OnTrayMessage(LPARAM mouseMessage);
    void OnMenuCommand(const QString& item);
    void SetupDpi();
    void SetStatusPollingOff(bool off);
    // Suspend: live lighting off everywhere; resume: the lighting control state again.
    void OnSleep(bool sleeping);
    // Pages repaint their lights only while the window is active or under the mouse.
    void OnActivity(bool active, bool hover);

    // Notifications of this window's own controls.
    void OnOwnControl(TNotifyUI& msg);
    void OnFunctionTab(TNotifyUI& msg);
    void OnClick(TNotifyUI& msg);
    void OnSelectChanged(TNotifyUI& msg);
    void OnValueChanged(TNotifyUI& msg);
    void SelectNeighbourEntry(int step);
    // The arrows show only when the visible entries need more room than the title bar has.
    void UpdateSelectorArrows();

    // Language.
    void ApplyLanguage(int index);
    void RebuildFonts();

    // Lighting control and the device table for "ZovuDora".
    void SetLightingControl(bool on, bool broadcast);
    void SendDeviceTable();

    // Devices (main_wnd_devices.cpp).
    void OnDeviceArrival(int slot);
    void OnDeviceRemoval(int slot);
    CHalvorinUSBDevice* CreateDevice(int catalogueIndex);
    void AttachCommandSlot(int slot);
    // The slot's cable or receiver partner is present too.
    bool PartnerIsConnected(int slot) const;
    void OnCommandInterfaceOpened(CHalvorinUSBDevice& device, int slot);
    // The device is reached the other way, through the interface of targetSlot.
    void SwitchLink(CHalvorinUSBDevice& device, int targetSlot);
    void OnLinkSwitched(CHalvorinUSBDevice& device, bool toCable);
    CHalvorinUSBDevice* FindDeviceByIdentity(const HidInterfaceEntry& identity) const;
    HidInterfaceEntry IdentityOf(int slot) const;
    CDeviceOptionUI* EntryOf(const CHalvorinUSBDevice& device) const;
    std::vector<CHalvorinUSBDevice*> AllDevices() const;
    // The sound settings of the page on show; null unless it is a headset's.
    CHeadsetSound* CurrentHeadsetSound() const;
    // The devices of a kind that still exist.
    std::vector<CHalvorinUSBDevice*> DevicesOfKind(int kind) const;
    // Level and band values from the bus go to the first keyboard.
    void TakeAudioFeed(const q31::bus::BusDelivery& delivery);

    // Selector entries.
    void ShowEntry(CDeviceOptionUI* entry, bool select);
    // Its page and power control on show, its option the only one checked.
    void SelectEntry(CDeviceOptionUI* entry);
    void HideEntry(CDeviceOptionUI* entry);
    void UpdateNoDevicePanel();
    void ShowPowerControl(const CDeviceOptionUI& entry);
    bool AnyEntryVisible() const;
    void CloseChildWindows();

    q31::bus::CBusEndpoint m_busEndpoint;
    q31::app::CNotifyOwners m_owners;
    q31::app::CSkinBackground m_skinBackground;
    CTrayIcon m_trayIcon;
    bool m_hasTray = false;
    int m_languageIndex = -1;
    int m_lightingControl = 1;
    int m_dpi = CPaintManagerUI::kDefaultDpi;
    bool m_active = false;
    bool m_hover = false;
    bool m_displayChanged = false;
    bool m_initialised = false;
    bool m_closing = false;
    bool m_awake = true;
    std::unique_ptr<QObject> m_activityWatch;
    std::unique_ptr<QObject> m_selectorWatch;
    // Showing the arrows resizes the title bar, which asks again.
    bool m_updatingArrows = false;

    q31::hid::DeviceSlots m_slots;
    CStopEvent m_stopWorkers;
    CWorkerThread m_discoveryWorker{"discovery"};
    // Gone with the window: what the device workers hand back after that is dropped.
    std::unique_ptr<QObject> m_alive = std::make_unique<QObject>();

    // One list per kind, by kind index: keyboards, mice, mouse pads, headsets.
    // Guarded: the pages may go before the window object, with the window's widget.
    std::array<std::vector<QPointer<CHalvorinUSBDevice>>, kDeviceKindCount> m_devices;
    std::vector<QWidget*> m_powerControls;
    std::vector<CDeviceOptionUI*> m_entries;
    CTabLayoutUI* m_deviceSwitch = nullptr;
    CTabLayoutUI* m_powerSwitch = nullptr;
    QWidget* m_selectLayout = nullptr;
    QWidget* m_noDevicePanel = nullptr;
    std::unique_ptr<q31::app::CSettingsOpener> m_settings;
    std::unique_ptr<q31::app::CMacroOwner> m_macros;
    // After the macro owner, whose hook it captures with.
    std::unique_ptr<q31::app::CKeySetOwner> m_keySet;
    std::unique_ptr<q31::app::CProfileOwner> m_profiles;
    // The audio chip's library, loaded with the first headset page.
    std::unique_ptr<IHeadsetAudio> m_headsetAudio;
};
