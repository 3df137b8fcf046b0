#pragma once
// The mouse's page and logic: its buttons, DPI stages, polling rate and
// pointer settings, its profile document in step with the page and the mouse,
// and what the user changes written to the mouse through the device's worker.
#include "devices/halvorin_usb_device.h"
#include "devices/mouse_dpi.h"
#include "devices/mouse_effect_steps.h"
#include "devices/mouse_layout.h"
#include "devices/mouse_settings_record.h"
#include "profiles/mouse_profile_data.h"

#include <QStringList>

#include <cstdint>
#include <mutex>
#include <vector>

class CHalvorinMouseDevice : public CHalvorinUSBDevice {
    Q_OBJECT
public:
    static constexpr int kKindNumber = 2;
    static constexpr int kPollingRateOptions = 5;

    explicit CHalvorinMouseDevice(QWidget* parent = nullptr);
    ~CHalvorinMouseDevice() override;

    QString GetClass() const override { return QStringLiteral("HalvorinMouseDevice"); }
    void NotifyPump(TNotifyUI& msg) override;

    int CreatePage() override;
    int ApplyProfile() override;
    void OnActivated() override;
    void SyncFromDevice() override;
    bool IsOnline() override;
    void RefreshPower() override;
    int ReloadProfile() override;
    void ResetFromProfile() override;
    void RefreshPage() override;
    std::vector<int> CollectKeyMacros() override;
    int WriteKeyTable(int profile, const std::vector<KeyListEntry>& keys) override;
    int WriteKeyTableCurrent(int profile) override;
    // profile: the settings page; value: byte 0; value3: byte 59; value4, value5: the screen size.
    int WriteSettings(int profile, int value, int value3, int value4, int value5) override;
    void LoadNameLists() override;
    void DropDanglingMacroKeys() override;
    void SaveProfile() override;
    void SetKindIndex(int index) override;
    void SetLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3) override;
    // A button holding the only left click is not opened for editing: "message_text_6".
    void SelectKey(int index) override;

    // Puts the profile just loaded on the mouse as one job: settings, macros,
    // key table. Called on a profile switch.
    void ApplyProfileToDevice();
    // A custom effect is the user's own: its name is the effect combo's tool tip.
    void ShowCustomEffectName();
    // Keys, lighting, DPI stages and system settings from the profile document in memory.
    void TakeProfile();
    // Reads the button slots and DPI limits from the mouse, on the worker.
    void ReadDeviceLayout();
    void SetKeyList(const std::vector<KeyListEntry>& keys) override;
    std::vector<KeyListEntry> GetKeyList() const override { return m_keys; }

    // The user's changes of the DPI stages: kept in the profile and sent.
    void SetStageEnabled(int stage, bool enabled);
    void SelectStage(int stage);
    void SetStageIndex(int stage, int index);
    void SetStageText(int stage, const QString& text);
    void SetStageColour(int stage, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void SetPollingRate(int option);
    // The pointer settings only live in the profile: neither the mouse nor the
    // desktop is changed by them.
    void SetPointerSpeed(int value);
    void SetDoubleClickTime(int value);
    void SetScrollLines(int value);
    void SetScrollPage(bool on);
    void SetPointerPrecision(bool on);

    const q31::devices::MouseLayoutRead& Layout() const { return m_layout; }
    const std::vector<DpiStage>& Stages() const { return m_stages; }
    int CurrentStage() const { return m_currentStage; }
    int DeviceProfile() const { return m_deviceProfile; }
    SystemWords SystemSettings() const { return m_systemWords; }
    CMouseProfiledata& Profile() { return m_profile; }
    // The primary screen's size in device pixels, taken once.
    static q31::devices::ScreenSize PrimaryScreenSize();

signals:
    void PageRefreshed();

protected:
    void OnNotificationCode(int type, std::uint16_t code) override;
    // Through the receiver every command of the download waits for the mouse to answer.
    int DownloadMacros(const q31::macros::MacroFolder& folder, const std::vector<int>& macros) override;

private:
    struct SettingsReadResult;
    void TakeSettings(const SettingsReadResult& read);
    void TakeDeviceSwitch(std::uint16_t code);
    // Stages and system settings into the profile, saved, then sent.
    void StoreStages();
    void StoreSystemSettings(bool send);
    // The settings record written the way the page writes it.
    void SendSettings();
    // The page's view; nothing is sent.
    void ShowKeyCaptions() override;
    // The drawing holds each button in a box of its own, below the panel.
    void BindNestedButtons();
    void ShowStages();
    void ShowSystemSettings();
    void ShowDesktopSettingsLinks();
    void ShowSettingsTab(int index);
    void OpenDesktopSettings(int option);
    void PickStageColour(int stage);
    // The preview thread steps the light mode; a key press on the cable starts a ripple.
    void StartPreviewThread();
    void StepPreview();
    void StartRipple();

    CMouseProfiledata m_profile;
    std::vector<KeyListEntry> m_keys;
    std::vector<DpiStage> m_stages;
    int m_currentStage = 0;
    int m_deviceProfile = 0;
    q31::devices::MouseLayoutRead m_layout;
    SystemWords m_systemWords{};
    std::vector<std::uint8_t> m_modeCodes;
    QStringList m_macroNames;
    bool m_colourDialogOpen = false;
    // Stepped on the preview thread, a ripple started on the cable's reader.
    std::mutex m_mouseEffectLock;
    q31::devices::MouseEffectState m_mouseEffect;
};
