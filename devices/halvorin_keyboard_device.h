#pragma once
// The keyboard's page and logic: where its keys sit on the device, its
// profile document in step with the page and the keyboard, and what the user
// changes written to the keyboard through the device's worker.
#include "devices/halvorin_usb_device.h"
#include "devices/keyboard_effects.h"
#include "devices/keyboard_layout.h"
#include "devices/keyboard_light_modes.h"
#include "devices/keyboard_settings_record.h"
#include "profiles/keyboard_profile_data.h"

#include <QStringList>

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

class CHalvorinKeyboardDevice : public CHalvorinUSBDevice {
    Q_OBJECT
public:
    static constexpr int kKindNumber = 1;
    // The keyboard's system settings the page offers as options.
    enum class Flag { Key6, W, WinLock };
    static constexpr int kPollingRateOptions = 4;
    static constexpr int kRepeatDelayOptions = 4;

    explicit CHalvorinKeyboardDevice(QWidget* parent = nullptr);
    ~CHalvorinKeyboardDevice() override;

    QString GetClass() const override { return QStringLiteral("HalvorinKeyboardDevice"); }
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
    int WriteKeyTable(int bank, const std::vector<KeyListEntry>& keys) override;
    int WriteKeyTableCurrent(int bank) override;
    int WriteSettings(int profile, int value, int value3, int value4, int value5) override;
    void LoadNameLists() override;
    void DropDanglingMacroKeys() override;
    void SaveProfile() override;
    // The custom group the lighting editor selects, kept in the profile and
    // in the light settings, whose group the custom colour mode shows.
    void SelectCustomGroup(int group);
    // Every key of the custom group in the light settings' colour (lit) or
    // dark: kept in the profile and, in the custom colour mode, sent.
    void FillCustomGroup(bool lit);
    // The keys' colours on the page; in the host-driven modes also the frame to the keyboard.
    void PaintLedPreview() override;
    // The recorder's band and level values, from the UI thread; the audio and level colour modes show them.
    void OnAudioBands(const int* values, int count) override;
    void OnAudioLevels(const int* values) override;
    // Also the profile's light info, so that the next ApplyProfile keeps them;
    // a change of light mode starts the new mode's effect afresh.
    void SetLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3) override;
    // The audio light settings come with the light info.
    void SetLightInfo(DWORD word0, DWORD word1, DWORD word2) override;
    // One step of the current light mode into the light records, on the light thread.
    void StepMode();

    // Puts the profile just loaded on the keyboard as one job: settings,
    // macros, custom colours, key table. Called on a profile switch.
    void ApplyProfileToDevice();
    // Reads the key and light positions from the keyboard, on the worker.
    void ReadDeviceLayout();
    void SetKeyList(const std::vector<KeyListEntry>& keys) override;
    std::vector<KeyListEntry> GetKeyList() const override { return m_keys; }
    // A key press (kind 1) or release (kind 2) the keyboard reported at a key position.
    void OnKeyEvent(int position, int kind);

    // The user's changes of the system settings: kept in the profile and sent.
    void SetFlag(Flag flag, bool on);
    void SetPollingRate(int option);
    // The key repeat settings only live in the profile: the keyboard has no use for them.
    void SetRepeat(int value);
    void SetRepeatDelay(int option);

    const q31::devices::KeyboardLayout& Layout() const { return m_layout; }
    q31::devices::CKeyboardEffects& Effects() { return m_keyboardEffects; }
    const q31::devices::KeyboardSettingsRecord& SettingsRecord() const { return m_settingsRecord; }
    SystemWords SystemSettings() const { return m_systemWords; }
    CKeyboardProfiledata& Profile() { return m_profile; }

signals:
    void PageRefreshed();
    // A reported key event that names a logical key; the light modes react to it.
    void KeyReported(int key, int kind);

protected:
    void OnNotificationCode(int type, std::uint16_t code) override;

private:
    struct SettingsReadResult;
    // (Re)starts the light thread that steps the preview.
    void StartLightThread();
    // Mode 19 shows the custom group's colours: into the records and onto the keyboard.
    void ShowCustomColours(const LightSettings& light);
    void ReadSettings();
    // The key list, lighting and system settings of the profile document.
    void TakeProfile();
    void TakeSettings(const SettingsReadResult& read);
    void TakeProfileSwitch(std::uint16_t code);
    // Into the profile and onto the page; StoreSystemSettings also sends them.
    void KeepSystemSettings();
    void StoreSystemSettings();
    void ClearRepeatTest();
    // The page's view of the key list and the system settings; nothing is sent.
    void ShowKeyCaptions() override;
    void ShowSystemSettings();
    void ShowRepeatSettings();

    CKeyboardProfiledata m_profile;
    std::vector<KeyListEntry> m_keys;
    q31::devices::KeyboardImage m_keyMap{};
    q31::devices::KeyboardLayout m_layout;
    q31::devices::KeyboardSettingsRecord m_settingsRecord{};
    SystemWords m_systemWords{};
    std::vector<std::uint8_t> m_modeCodes;
    QStringList m_macroNames;
    q31::devices::CKeyboardEffects m_keyboardEffects;
    // Whether the last preview streamed its frame; UI thread only.
    bool m_streaming = false;
};
