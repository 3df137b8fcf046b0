#include "app/device_option_ui.h"

#include "devices/halvorin_usb_device.h"
#include "hid/hid_catalogue.h"
#include "platform/debug_log.h"
#include "platform/ui_message.h"
#include "ui/control_factory.h"
#include "ui/control_text.h"
#include "ui/option_ui.h"

#include <QLabel>

namespace {

struct EntryLook {
    const char* icon;  // under "common/device_ico/", without "_normal.svg" / "_selected.svg"
    const char* toolTip;
};

// By type and, for the mouse pad, variant; nullopt keeps the current look.
std::optional<EntryLook> LookOf(int type, int variant)
{
    switch (type) {
    case Keyboard:
        return EntryLook{"kb_device", "kb_device_name_text"};
    case Mouse:
        return EntryLook{"ms_device", "ms_device_name_text"};
    case MousePad:
        if (variant == 0)
            return EntryLook{"hard_mp_device", "hard_mp_device_name_text"};
        if (variant == 1)
            return EntryLook{"soft_mp_device", "soft_mp_device_name_text"};
        return std::nullopt;
    case 4:
    case Headset:
        return EntryLook{"hd_device", "hd_device_name_text"};
    case 5:
        return EntryLook{"hub_device", "hub_device_name_text"};
    default:
        return EntryLook{"unknow_device", "unknow_device_name_text"};
    }
}

QString ImageString(const QString& file)
{
    return QStringLiteral("file='%1'").arg(file);
}

constexpr UINT kPreviewMs = 5;
constexpr UINT kQuietPreviewMs = 50;
// Nobody sees the page: only the device's own lights wait on the first change.
constexpr UINT kUnseenQuietPreviewMs = 200;
constexpr int kQuietPreviewsBeforeSlowing = 40;
// The effects step every 5 ms, but lights that glide need no more than
// about 25 pictures a second, and painting all the keys is what costs.
constexpr qint64 kPanelPaintMs = 40;
constexpr UINT kRetryConnectedMs = 3000;
constexpr UINT kFirstPowerMs = 50;
constexpr UINT kPowerMs = 5000;
constexpr UINT kFirstReachabilityMs = 2000;
constexpr UINT kReachabilityMs = 3000;

}  // namespace

bool CDeviceOptionUI::DoTimer(UINT timerId)
{
    if (!m_device)
        return true;
    switch (timerId) {
    case kTimerPreview:
        OnPreview();
        break;
    case kTimerConnected:
        StopTimer(timerId);
        OnConnected();
        break;
    case kTimerSync:
        StopTimer(timerId);
        m_device->SyncFromDevice();
        break;
    case kTimerDeferred1003:
        StopTimer(timerId);
        m_device->DeferredAction1003();
        break;
    case kTimerDeferred1004:
        StopTimer(timerId);
        m_device->DeferredAction1004();
        break;
    case kTimerPower:
        if (m_device->GetPowerDisplay() && m_device->CommandLink().IsOpen()) {
            m_device->RefreshPower();
            StartTimer(kTimerPower, kPowerMs);
        } else {
            StopTimer(timerId);
        }
        break;
    case kTimerReachability:
        StopTimer(timerId);
        OnReachability();
        break;
    default:
        return false;
    }
    return true;
}

void CDeviceOptionUI::OnConnected()
{
    if (!m_device->CommandLink().IsOpen())
        return;
    if (!ReachedThroughReceiver()) {
        Activate();
        return;
    }
    AskWhetherOnline([this](bool online) {
        if (!online) {
            if (m_visible)
                AskToShow(false);
            StartTimer(kTimerConnected, kRetryConnectedMs);
            return;
        }
        AskToShow(true);
        Activate();
    });
}

void CDeviceOptionUI::Activate()
{
    m_device->OnActivated();
    m_quietPreviews = 0;
    m_previewIntervalMs = 0;
    StartPreview(kPreviewMs);
    if (m_device->GetPowerDisplay())
        StartTimer(kTimerPower, kFirstPowerMs);
    if (ReachedThroughReceiver())
        StartTimer(kTimerReachability, kFirstReachabilityMs);
}

void CDeviceOptionUI::AskWhetherOnline(std::function<void(bool)> then)
{
    // Through a receiver the answer may take seconds: it is asked on the device's
    // worker, and the entry goes on when it comes, if its link is still open.
    CHalvorinUSBDevice* device = m_device;
    device->AskDevice<bool>([device](const CStopEvent&) { return device->IsOnline(); },
                            [self = QPointer<CDeviceOptionUI>(this), device, then = std::move(then)](bool online) {
        if (self && self->m_device == device && device->CommandLink().IsOpen())
            then(online);
    });
}

void CDeviceOptionUI::OnPreview()
{
    if (!m_device->CommandLink().IsOpen()) {
        StopTimer(kTimerPreview);
        return;
    }
    m_device->PaintLedPreview();
    const bool changed = m_device->TakeLightChange();
    // A panel that comes into view paints the overlays it missed while hidden.
    const bool panelShown = m_selectPanel && m_selectPanel->isVisible();
    m_panelStale = m_panelStale || changed || (panelShown && !m_panelWasShown);
    const bool paintDue = !m_panelPainted.isValid() || m_panelPainted.hasExpired(kPanelPaintMs);
    if (panelShown && m_panelStale && paintDue && m_device->GetPreviewRefresh() && IsSelected()) {
        m_selectPanel->update();
        m_panelStale = false;
        m_panelPainted.start();
    }
    m_panelWasShown = panelShown;
    // Lights that stand still need no 5 ms cadence; the first change brings it back.
    m_quietPreviews = changed ? 0 : m_quietPreviews + 1;
    if (m_quietPreviews < kQuietPreviewsBeforeSlowing)
        StartPreview(kPreviewMs);
    else
        StartPreview(panelShown ? kQuietPreviewMs : kUnseenQuietPreviewMs);
}

void CDeviceOptionUI::StartPreview(UINT intervalMs)
{
    if (intervalMs == m_previewIntervalMs)
        return;
    m_previewIntervalMs = intervalMs;
    StartTimer(kTimerPreview, intervalMs);
}

void CDeviceOptionUI::OnReachability()
{
    if (!ReachedThroughReceiver() || !m_device->CommandLink().IsOpen())
        return;
    AskWhetherOnline([this](bool online) {
        if (online && !m_visible) {
            AskToShow(true);
            if (m_device->GetPowerDisplay())
                m_device->RefreshPower();
            OutputDebugText(QStringLiteral("2.4gcesvdfherhue  12312423 123342341"));
        } else if (!online && m_visible) {
            AskToShow(false);
            OutputDebugText(QStringLiteral("2.4gcesvdfherhue"));
        }
        StartTimer(kTimerReachability, kReachabilityMs);
    });
}

void CDeviceOptionUI::AskToShow(bool show)
{
    if (m_mainWindow)
        SendMessageTo(*m_mainWindow, kShowEntryMessage, WPARAM(m_device->GetSelectorIndex()), show ? 1 : 0);
}

bool CDeviceOptionUI::ReachedThroughReceiver() const
{
    return m_device && m_device->CommandLink().IsReceiverMode();
}

void CDeviceOptionUI::SetDeviceType(int type, int variant)
{
    m_type = type;
    m_variant = variant;
    const auto look = LookOf(type, variant);
    if (!look)
        return;
    const QString icon = QStringLiteral("common/device_ico/") + QString::fromLatin1(look->icon);
    m_normalImage = icon + QStringLiteral("_normal.svg");
    m_selectedImage = icon + QStringLiteral("_selected.svg");
    m_toolTipId = QString::fromLatin1(look->toolTip);
    ResetSelectImages();
    if (COptionUI* option = SelectOption())
        q31::ui::SetTextId(option, m_toolTipId, "toolTip");
    if (auto* label = findChild<QLabel*>(QStringLiteral("device_select_name")))
        q31::ui::SetTextId(label, m_toolTipId);
}

void CDeviceOptionUI::ResetSelectImages()
{
    COptionUI* option = SelectOption();
    if (!option || m_normalImage.isEmpty())
        return;
    option->SetAttribute(QStringLiteral("normalimage"), ImageString(m_normalImage));
    option->SetAttribute(QStringLiteral("selectedimage"), ImageString(m_selectedImage));
    option->update();
}

void CDeviceOptionUI::SetPage(CTabLayoutUI* tabs, int index)
{
    m_pageTabs = tabs;
    m_pageIndex = index;
}

void CDeviceOptionUI::SetPowerTab(const QString& name, int index)
{
    m_powerTabName = name;
    m_powerTabIndex = index;
}

void CDeviceOptionUI::SetEntryVisible(bool visible)
{
    m_visible = visible;
    setVisible(visible);
}

void CDeviceOptionUI::SelectPage()
{
    if (m_pageTabs)
        m_pageTabs->SelectItem(m_pageIndex);
    if (COptionUI* option = SelectOption())
        option->Selected(true);
}

bool CDeviceOptionUI::IsSelected() const
{
    const COptionUI* option = SelectOption();
    return option && option->IsSelected();
}

COptionUI* CDeviceOptionUI::SelectOption() const
{
    return findChild<COptionUI*>(QStringLiteral("device_select"));
}

COptionUI* CDeviceOptionUI::SynchroOption() const
{
    return findChild<COptionUI*>(QStringLiteral("synchro_device_select"));
}

void CDeviceOptionUI::StartTimer(UINT timerId, UINT elapseMs)
{
    if (CPaintManagerUI* manager = CPaintManagerUI::ForControl(this))
        manager->SetTimer(this, timerId, elapseMs);
}

void CDeviceOptionUI::StopTimer(UINT timerId)
{
    if (CPaintManagerUI* manager = CPaintManagerUI::ForControl(this))
        manager->KillTimer(this, timerId);
}

namespace q31::app {

void RegisterDeviceOptionControl(CControlFactory& factory)
{
    factory.RegisterControl<CDeviceOptionUI>(QStringLiteral("DeviceOption"), QStringLiteral("CDeviceOptionUI"));
}

}  // namespace q31::app
