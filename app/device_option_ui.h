#pragma once
// A device's entry in the main window's device selector ("DeviceOption"): the
// option that selects the device's page, a mark for synchronised lighting and
// the kind's name. Its timers drive the device while its command link is open.
#include "devices/entry_timers.h"
#include "platform/win_types.h"
#include "ui/container_ui.h"
#include "ui/paint_manager.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>

class CControlFactory;
class CHalvorinUSBDevice;
class COptionUI;
class CTabLayoutUI;
class IMessageReceiver;

class CDeviceOptionUI : public CHorizontalLayoutUI, public ITimerTarget {
    Q_OBJECT
public:
    // The entry's timers.
    enum : UINT {
        kTimerPreview = 1000,
        kTimerConnected = 1001,
        kTimerSync = q31::devices::kEntrySyncTimer,
        kTimerDeferred1003 = 1003,
        kTimerDeferred1004 = 1004,
        kTimerPower = 1005,
        kTimerReachability = 1007,
    };
    // Main window message: wParam the device's selector index, lParam 1 show, 0 hide.
    static constexpr UINT kShowEntryMessage = 0x0D03;

    explicit CDeviceOptionUI(QWidget* parent = nullptr) : CHorizontalLayoutUI(parent) {}

    QString GetClass() const override { return QStringLiteral("DeviceOption"); }
    bool DoTimer(UINT timerId) override;

    // Images and tool tip of "device_select" by type and variant; a mouse pad
    // of an unknown variant keeps what it had.
    void SetDeviceType(int type, int variant);
    int GetDeviceType() const { return m_type; }
    int GetVariant() const { return m_variant; }
    void SetHeaderName(const QString& name) { m_headerName = name; }
    void SetPage(CTabLayoutUI* tabs, int index);
    void SetPowerTab(const QString& name, int index);
    QString GetPowerTabName() const { return m_powerTabName; }
    int GetPowerTabIndex() const { return m_powerTabIndex; }
    void SetKindName(const QString& name) { m_kindName = name; }
    QString GetKindName() const { return m_kindName; }
    void SetDevice(CHalvorinUSBDevice* device) { m_device = device; }
    CHalvorinUSBDevice* GetDevice() const { return m_device; }
    void SetSelectPanel(QWidget* panel) { m_selectPanel = panel; }
    void SetMainWindow(IMessageReceiver* window) { m_mainWindow = window; }

    bool IsEntryVisible() const { return m_visible; }
    void SetEntryVisible(bool visible);
    // The page in its tab layout, and this entry's "device_select" checked.
    void SelectPage();
    bool IsSelected() const;
    COptionUI* SelectOption() const;
    COptionUI* SynchroOption() const;
    // Restores the plain images of the type on "device_select".
    void ResetSelectImages();

    // Starts one of the entry's timers (restarts it when running).
    void StartTimer(UINT timerId, UINT elapseMs);
    void StopTimer(UINT timerId);

private:
    void OnConnected();
    // Starts the preview, the power and the reachability timers.
    void Activate();
    void AskWhetherOnline(std::function<void(bool)> then);
    void OnPreview();
    // (Re)starts the preview timer when its interval changes.
    void StartPreview(UINT intervalMs);
    void OnReachability();
    void AskToShow(bool show);
    bool ReachedThroughReceiver() const;

    QString m_normalImage, m_selectedImage, m_toolTipId;
    bool m_visible = true;
    int m_type = 0;
    int m_variant = 0;
    QString m_headerName;
    QString m_kindName;
    QPointer<CTabLayoutUI> m_pageTabs;
    int m_pageIndex = -1;
    QString m_powerTabName;
    int m_powerTabIndex = -1;
    CHalvorinUSBDevice* m_device = nullptr;
    QPointer<QWidget> m_selectPanel;
    IMessageReceiver* m_mainWindow = nullptr;
    int m_quietPreviews = 0;
    UINT m_previewIntervalMs = 0;
    bool m_panelWasShown = false;
    // Lights moved since the panel was last painted; painted at most every kPanelPaintMs.
    bool m_panelStale = false;
    QElapsedTimer m_panelPainted;
};

namespace q31::app {

// Lets skins name the entry "DeviceOption" (or "CDeviceOptionUI").
void RegisterDeviceOptionControl(CControlFactory& factory);

}  // namespace q31::app
