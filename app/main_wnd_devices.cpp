// The main window's side of device discovery: arrivals create device objects
// and bind interfaces to them, cable and receiver take turns inside one
// object, removals hide and never destroy.
#include "app/audio_feed.h"
#include "audio/chip_audio_binding.h"
#include "devices/halvorin_hs6533_device.h"
#include "app/device_option_ui.h"
#include "app/key_set_owner.h"
#include "app/macro_owner.h"
#include "app/main_wnd.h"
#include "app/profile_owner.h"
#include "controls/select_panel_ui.h"
#include "devices/device_views.h"
#include "devices/halvorin_usb_device.h"
#include "mouse_extras/mp_device_power_ui.h"
#include "platform/debug_log.h"
#include "platform/folders.h"
#include "protocol/link_attach.h"
#include "ui/container_ui.h"
#include "ui/dialog_builder.h"
#include "ui/option_ui.h"

#include <algorithm>

#include <QPointer>

namespace {

constexpr UINT kConnectedDelayMs = 500;
constexpr UINT kFirstReachabilityMs = 2000;
const QString kPowerControlXml = QStringLiteral("XML/CustomControlXML/MpDevicePower.xml");
const QString kDeviceSwitch = QStringLiteral("device_switch");

bool SameIdentity(const HidInterfaceEntry& a, const HidInterfaceEntry& b)
{
    return a.vendorId == b.vendorId && a.productId == b.productId && a.interfaceNumber == b.interfaceNumber &&
           a.collection == b.collection && a.type == b.type && a.channel == b.channel &&
           a.usagePage == b.usagePage && a.usage == b.usage;
}

QString KindWord(std::uint16_t type, bool arrival)
{
    switch (type) {
    case Keyboard:
    case KeyboardReceiver:
        return arrival ? QStringLiteral("添加一个键盘设备") : QStringLiteral("删除一个键盘设备");
    case Mouse:
    case MouseReceiver:
        return arrival ? QStringLiteral("添加一个鼠标设备") : QStringLiteral("删除一个鼠标设备");
    default:
        return arrival ? QStringLiteral("添加一个鼠标垫设备") : QStringLiteral("删除一个鼠标垫设备");
    }
}

}  // namespace

void CMainWnd::OnDeviceArrival(int slot)
{
    if (slot < 0 || std::size_t(slot) >= m_slots.entries.size())
        return;
    const HidInterfaceEntry& entry = m_slots.entries[slot];
    OutputDebugText(KindWord(entry.type, true));
    if (!FindDeviceByIdentity(IdentityOf(slot))) {
        const int catalogueIndex = FindCommandEntry(entry.vendorId, entry.productId, entry.type, kChannelCommand);
        if (catalogueIndex >= 0)
            CreateDevice(catalogueIndex);
    }
    if (entry.channel == kChannelCommand)
        AttachCommandSlot(slot);
    else if (CHalvorinUSBDevice* device = FindDeviceByIdentity(IdentityOf(slot)))
        device->AttachNotification(entry.devicePath, entry.type);
    ShowAndBringToFront();
}

void CMainWnd::OnDeviceRemoval(int slot)
{
    if (slot < 0 || std::size_t(slot) >= m_slots.entries.size())
        return;
    const HidInterfaceEntry& entry = m_slots.entries[slot];
    OutputDebugText(KindWord(entry.type, false));
    CHalvorinUSBDevice* device = FindDeviceByIdentity(IdentityOf(slot));
    if (!device)
        return;
    if (entry.channel != kChannelCommand) {
        // Closed now, so that the interface's next arrival opens it again.
        device->DetachNotification(entry.type);
        return;
    }
    if (PartnerIsConnected(slot)) {
        // The cable left: the receiver takes over. A receiver that leaves while the cable is in use changes nothing.
        if (!q31::IsReceiverType(entry.type))
            SwitchLink(*device, entry.partner);
        return;
    }
    if (entry.type == Keyboard || entry.type == KeyboardReceiver)
        OutputDebugText(QStringLiteral("键盘设备丢失"));
    device->StopDeviceWork(QStringLiteral("the device was unplugged"));
    q31::DetachCommandInterfaces(device->CommandLink());
    if (CDeviceOptionUI* option = EntryOf(*device))
        HideEntry(option);
}

HidInterfaceEntry CMainWnd::IdentityOf(int slot) const
{
    const HidInterfaceEntry& entry = m_slots.entries[slot];
    int identity = slot;
    if (entry.channel != kChannelCommand)
        identity = FindCommandEntry(entry.vendorId, entry.productId, entry.type, kChannelCommand);
    if (identity < 0)
        return entry;
    const HidInterfaceEntry& command = m_slots.entries[identity];
    if (q31::IsReceiverType(command.type) && command.hasPartner &&
        m_slots.entries[command.partner].partner == identity)
        return m_slots.entries[command.partner];
    return command;
}

CHalvorinUSBDevice* CMainWnd::FindDeviceByIdentity(const HidInterfaceEntry& identity) const
{
    for (CDeviceOptionUI* entry : m_entries) {
        if (entry->GetDevice() && SameIdentity(entry->GetDevice()->GetIdentity(), identity))
            return entry->GetDevice();
    }
    return nullptr;
}

CDeviceOptionUI* CMainWnd::EntryOf(const CHalvorinUSBDevice& device) const
{
    for (CDeviceOptionUI* entry : m_entries) {
        if (entry->GetDevice() == &device)
            return entry;
    }
    return nullptr;
}

std::vector<CHalvorinUSBDevice*> CMainWnd::AllDevices() const
{
    std::vector<CHalvorinUSBDevice*> all;
    for (int kind = 0; kind < int(m_devices.size()); ++kind) {
        const std::vector<CHalvorinUSBDevice*> ofKind = DevicesOfKind(kind);
        all.insert(all.end(), ofKind.begin(), ofKind.end());
    }
    return all;
}

std::vector<CHalvorinUSBDevice*> CMainWnd::DevicesOfKind(int kind) const
{
    std::vector<CHalvorinUSBDevice*> devices;
    if (kind < 0 || std::size_t(kind) >= m_devices.size())
        return devices;
    for (CHalvorinUSBDevice* device : m_devices[kind]) {
        if (device)
            devices.push_back(device);
    }
    return devices;
}

CHalvorinUSBDevice* CMainWnd::DeviceOfKind(int kindIndex) const
{
    const std::vector<CHalvorinUSBDevice*> devices = DevicesOfKind(kindIndex);
    return devices.empty() ? nullptr : devices.front();
}

CHalvorinUSBDevice* CMainWnd::CreateDevice(int catalogueIndex)
{
    const HidInterfaceEntry& identity = kHidInterfaceTable[catalogueIndex];
    const int row = FindOptionRow(identity.vendorId, identity.productId, identity.type, 0);
    if (row < 0 || !m_deviceSwitch || !m_powerSwitch || !m_selectLayout)
        return nullptr;
    const DeviceOptionRow& option = kDeviceOptionTable[row];
    const DevicePageRow& page = kDevicePageTable[row];

    QWidget* power = CDialogBuilder::Create(kPowerControlXml, this, m_powerSwitch);
    QWidget* pageRoot = CDialogBuilder::Create(QString::fromLatin1(page.pageXml), this, m_deviceSwitch);
    QWidget* entryRoot = CDialogBuilder::Create(QString::fromLatin1(option.optionXml), this, m_selectLayout);
    auto* device = qobject_cast<CHalvorinUSBDevice*>(pageRoot);
    auto* entry = qobject_cast<CDeviceOptionUI*>(entryRoot);
    if (!power || !device || !entry) {
        OutputDebugText(QStringLiteral("device page %1 could not be built").arg(QString::fromLatin1(page.pageXml)));
        delete power;
        delete pageRoot;
        delete entryRoot;
        return nullptr;
    }

    const int powerIndex = m_powerSwitch->addWidget(power);
    if (auto* powerControl = qobject_cast<CMpDevicePowerUI*>(power))
        powerControl->SetDeviceType(option.type, option.variant);
    m_powerControls.push_back(power);

    m_pm.AddNotifier(&device->PageNotifier());
    device->SetPageXmlPath(QString::fromLatin1(page.pageXml));
    device->SetMainWindow(this);
    device->SetKeyCount(page.keyCount);
    device->SetLightCount(page.lightCount);
    if (identity.type != Headset)
        device->SetSelectorIndex(row);
    device->SetPowerDisplay(page.powerDisplay);
    device->SetDataFolder(q31::UserDataRoot());
    device->SetKindName(QString::fromLatin1(option.kindName));
    device->SetPowerControl(dynamic_cast<IDevicePowerControl*>(power));
    device->BindIdentity(identity);
    device->SetKindIndex(option.kindIndex);
    device->SetLightControlName(QString::fromLatin1(page.lightControl));
    if (auto* headset = qobject_cast<CHalvorinHS6533Device*>(device)) {
        if (!m_headsetAudio)
            m_headsetAudio = q31::audio::MakeHeadsetAudio();
        headset->SetAudio(m_headsetAudio.get());
    }
    device->CreatePage();
    m_macros->BindPage(*device);
    m_keySet->BindPage(*device);
    m_profiles->BindPage(*device);
    device->EnableLiveLighting(m_lightingControl);

    const int pageIndex = m_deviceSwitch->addWidget(device);
    m_devices[option.kindIndex].push_back(device);

    if (auto* layout = qobject_cast<CContainerUI*>(m_selectLayout))
        layout->Add(entry);
    entry->SetEntryVisible(false);
    entry->SetMainWindow(this);
    entry->SetHeaderName(QString::fromLatin1(option.headerControl));
    entry->SetPage(m_deviceSwitch, pageIndex);
    entry->SetPowerTab(QString::fromLatin1(option.powerControl), powerIndex);
    entry->SetDeviceType(option.type, option.variant);
    entry->SetKindName(QString::fromLatin1(option.kindName));
    entry->SetDevice(device);
    entry->SetSelectPanel(device->GetSelectPanel());
    device->SetSelectorEntry(entry);
    m_entries.push_back(entry);
    // The new controls take the window's DPI and fonts.
    m_pm.SetDPI(m_pm.GetDPI());
    return device;
}

bool CMainWnd::PartnerIsConnected(int slot) const
{
    const HidInterfaceEntry& entry = m_slots.entries[slot];
    if (!entry.hasPartner)
        return false;
    const HidInterfaceEntry& partner = m_slots.entries[entry.partner];
    return partner.partner == slot && partner.connected && !partner.devicePath.empty();
}

void CMainWnd::AttachCommandSlot(int slot)
{
    const HidInterfaceEntry& entry = m_slots.entries[slot];
    CHalvorinUSBDevice* device = FindDeviceByIdentity(IdentityOf(slot));
    if (!device)
        return;
    if (PartnerIsConnected(slot)) {
        // Reached the other way: the cable wins, a receiver waits.
        if (!q31::IsReceiverType(entry.type))
            SwitchLink(*device, slot);
        return;
    }
    if (device->CommandLink().IsOpen())
        return;
    device->OpenCommandInterface(entry.devicePath, entry.type,
                                 [this, alive = QPointer<QObject>(m_alive.get()), device, slot](bool opened) {
        if (alive && opened)
            OnCommandInterfaceOpened(*device, slot);
    });
}

void CMainWnd::OnCommandInterfaceOpened(CHalvorinUSBDevice& device, int slot)
{
    device.BindIdentity(IdentityOf(slot));
    CDeviceOptionUI* option = EntryOf(device);
    if (!option)
        return;
    if (!q31::IsReceiverType(m_slots.entries[slot].type))
        ShowEntry(option, !AnyEntryVisible());
    option->StartTimer(CDeviceOptionUI::kTimerConnected, kConnectedDelayMs);
}

void CMainWnd::SwitchLink(CHalvorinUSBDevice& device, int targetSlot)
{
    const HidInterfaceEntry& target = m_slots.entries[targetSlot];
    const bool toCable = !q31::IsReceiverType(target.type);
    device.OpenCommandInterface(target.devicePath, target.type,
                                [this, alive = QPointer<QObject>(m_alive.get()), &device, toCable](bool opened) {
        if (alive && opened)
            OnLinkSwitched(device, toCable);
    });
}

void CMainWnd::OnLinkSwitched(CHalvorinUSBDevice& device, bool toCable)
{
    CDeviceOptionUI* option = EntryOf(device);
    if (!toCable) {
        if (device.GetPowerDisplay())
            device.WaitForReceiverLink();
        if (option)
            option->StartTimer(CDeviceOptionUI::kTimerReachability, kFirstReachabilityMs);
        return;
    }
    if (option) {
        option->StartTimer(CDeviceOptionUI::kTimerConnected, kConnectedDelayMs);
        ShowEntry(option, !AnyEntryVisible());
    }
    if (device.GetPowerDisplay())
        device.RefreshPower();
}

void CMainWnd::ShowEntry(CDeviceOptionUI* entry, bool select)
{
    entry->SetEntryVisible(true);
    if (select)
        SelectEntry(entry);
    UpdateNoDevicePanel();
    int synchronised = 0;
    for (CDeviceOptionUI* other : m_entries) {
        if (other->IsEntryVisible() && other->SynchroOption() && other->SynchroOption()->IsSelected())
            ++synchronised;
    }
    if (synchronised <= 1) {
        for (CDeviceOptionUI* other : m_entries) {
            if (other->SynchroOption())
                other->SynchroOption()->Selected(false);
            other->ResetSelectImages();
        }
    }
}

void CMainWnd::HideEntry(CDeviceOptionUI* entry)
{
    if (entry->IsEntryVisible() && entry->IsSelected())
        CloseChildWindows();
    entry->SetEntryVisible(false);
    for (CDeviceOptionUI* other : m_entries) {
        if (other->IsEntryVisible()) {
            ShowEntry(other, true);
            return;
        }
    }
    UpdateNoDevicePanel();
}

bool CMainWnd::AnyEntryVisible() const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [](const CDeviceOptionUI* entry) { return entry->IsEntryVisible(); });
}

void CMainWnd::UpdateNoDevicePanel()
{
    const bool none = !AnyEntryVisible();
    if (m_noDevicePanel)
        m_noDevicePanel->setVisible(none);
    if (m_deviceSwitch)
        m_deviceSwitch->setVisible(!none);
    if (!none)
        return;
    if (m_deviceSwitch)
        m_deviceSwitch->SelectItem(0);
    if (m_powerSwitch)
        m_powerSwitch->SelectItem(0);
}

void CMainWnd::ShowPowerControl(const CDeviceOptionUI& entry)
{
    if (!m_powerSwitch)
        return;
    m_powerSwitch->setVisible(entry.GetPowerTabIndex() >= 0);
    if (entry.GetPowerTabIndex() >= 0)
        m_powerSwitch->SelectItem(entry.GetPowerTabIndex());
}

void CMainWnd::TakeAudioFeed(const q31::bus::BusDelivery& delivery)
{
    const std::optional<q31::app::AudioFeed> feed = q31::app::AudioFeedOf(delivery);
    const std::vector<CHalvorinUSBDevice*> keyboards = DevicesOfKind(kKindKeyboard);
    if (!feed || keyboards.empty())
        return;
    if (feed->bands)
        keyboards.front()->OnAudioBands(feed->values.data(), int(feed->values.size()));
    else
        keyboards.front()->OnAudioLevels(feed->values.data());
}

CHeadsetSound* CMainWnd::CurrentHeadsetSound() const
{
    for (CDeviceOptionUI* entry : m_entries) {
        if (entry->IsEntryVisible() && entry->IsSelected())
            if (auto* headset = qobject_cast<CHalvorinHS6533Device*>(entry->GetDevice()))
                return &headset->SoundSettings();
    }
    return nullptr;
}
