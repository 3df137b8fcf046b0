#pragma once
// The common base of the four device classes: at once the device's page (a
// horizontal layout built from the page skin) and its logic - the two links,
// the light state the software effects compute, the live light stream and the
// operations the main window, the selector entry and the editors call.
//
// The operations are called on the UI thread and never wait on the device:
// every exchange is a job on the device's worker (RunOnDevice and the helpers
// beside it), whose results come back to the UI thread as queued calls. The
// exception is IsOnline, which the selector entry asks on the worker.
#include "controls/light_control_ui.h"
#include "devices/custom_effect_player.h"
#include "devices/device_worker.h"
#include "devices/effect_steps.h"
#include "devices/key_lights.h"
#include "devices/light_records.h"
#include "devices/light_ticker.h"
#include "devices/notification_reader.h"
#include "devices/live_frame.h"
#include "devices/per_light_effects.h"
#include "devices/live_frame_stream.h"
#include "hid/hid_catalogue.h"
#include "keys/function_naming.h"
#include "keys/key_set_control_ui.h"
#include "platform/win_types.h"
#include "profiles/profile_records.h"
#include "protocol/device_link.h"
#include "ui/container_ui.h"
#include "ui/notify.h"

#include <json/value.h>

#include <QString>
#include <QStringList>

#include <QPointer>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CBasicProfiledata;
namespace q31::macros {
class MacroFolder;
}
class CDeviceKeyButtonUI;
class CSelectPanelUI;
class CTabLayoutUI;
class IDeviceLightEditor;
class IDevicePowerControl;
class IMessageReceiver;

using CustomEffectStep = q31::devices::CustomEffectStep;

class CHalvorinUSBDevice : public CHorizontalLayoutUI {
    Q_OBJECT
public:
    explicit CHalvorinUSBDevice(QWidget* parent = nullptr);
    ~CHalvorinUSBDevice() override;

    QString GetClass() const override { return QStringLiteral("HalvorinUSBDevice"); }
    // Notifications of this page's controls, passed on by PageNotifier.
    virtual void NotifyPump(TNotifyUI& msg);

    virtual int CreatePage();
    virtual int ApplyProfile();
    // The effect steps return the light count.
    virtual int StepBreathingSpectrum();
    virtual int StepBreathingColours();
    virtual int StepStatic();
    virtual int StepSpectrum();
    virtual int StepBlinkSpectrum();
    virtual int StepBlinkColours();
    virtual int StepOff();
    virtual void PaintLedPreview();
    virtual void SetDevedOzirav(int index, DWORD record);
    virtual DWORD GetDevedOzirav(int index);
    virtual void OnActivated();
    virtual void SyncFromDevice();
    virtual void DeferredAction1003();
    virtual void DeferredAction1004();
    virtual void RefreshPower();
    // Runs on the device's worker: whether the device answers.
    virtual bool IsOnline();
    virtual int ReloadProfile();
    virtual void RefreshPage();
    virtual void DropDanglingMacroKeys();
    virtual void ResetFromProfile();
    virtual std::vector<int> CollectKeyMacros();
    virtual int WriteKeyTable(int profile, const std::vector<KeyListEntry>& keys);
    virtual int WriteKeyTableCurrent(int profile);
    virtual int WriteMacros(const std::vector<int>& macros);
    virtual int WriteSettings(int profile, int value, int value3, int value4, int value5);
    virtual void LoadNameLists();
    virtual void SetExtraMap(const std::map<int, int>& map);
    virtual void DecayKeyLight(int key, int kind);
    virtual void TriggerRingKeys();
    virtual void RotateRing(int direction);
    virtual void ClearKeyLights();
    // Returns the page shown in "device_function_switch".
    virtual int SelectFunctionPanel(int type);
    virtual int GetFunctionPanel();
    virtual void SaveProfileFiles();
    virtual QString GetProfileName();
    virtual void SaveProfile();
    virtual void SetKindIndex(int index);
    virtual int GetKindIndex();
    virtual void SetLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3);
    virtual void SetLightInfo(DWORD word0, DWORD word1, DWORD word2);
    virtual std::array<DWORD, 3> GetLightInfo(int index);
    // The key becomes the selected one and the key editor shows its entry.
    virtual void SelectKey(int index);
    // The key list of a keyboard or mouse; none on the other devices.
    virtual std::vector<KeyListEntry> GetKeyList() const { return {}; }
    // Keeps the list and every key's assignment in the profile document in memory.
    virtual void SetKeyList(const std::vector<KeyListEntry>&) {}
    // The selected key's entry becomes entry; the captions follow.
    void SetKeyAssignment(const KeyListEntry& entry);
    // The keys' macros, the key table and the profile file, through the worker.
    void SaveKeyAssignments();
    // Whether the key tab ("key_area") is the page shown in every tab layout around it.
    bool IsKeyTabShown() const;
    // The page's key editor ("KeySetControlItem"), bound by SetUpKeyEditor; null when the page has none.
    CKeySetControlUI* KeyEditor() const { return m_keyEditor; }
    virtual void OnAudioBands(const int* values, int count);
    virtual void OnAudioLevels(const int* values);

    // Queues work on the device's worker; a queued job of the same key is
    // superseded by this one.
    void RunOnDevice(q31::devices::CDeviceWorker::Job work, std::string key = {});
    // Runs ask on the worker and hands its result to done on the UI thread;
    // done is dropped when the page is gone first.
    template <class Result>
    void AskDevice(std::function<Result(const CStopEvent&)> ask, std::function<void(Result)> done, std::string key = {})
    {
        RunOnDevice(
            [this, ask = std::move(ask), done = std::move(done)](const CStopEvent& cancel) {
                PostResult([done, result = ask(cancel)] { done(result); });
            },
            std::move(key));
    }
    // A read the page waits for: until done has run, the page shows what it
    // last knew and its controls that would write are disabled.
    template <class Result>
    void ReadForPage(std::function<Result(const CStopEvent&)> read, std::function<void(Result)> done,
                     std::string key = {})
    {
        auto ticket = std::make_shared<CPageReadTicket>(*this);
        AskDevice<Result>(std::move(read), [ticket, done = std::move(done)](Result result) {
            ticket->End();
            done(result);
        }, std::move(key));
    }
    // A write of the user's change, with a result code of the link. A failure
    // says so in the status line under the profile bar; the edit is kept, and
    // the next write that succeeds clears the line.
    void PostWrite(std::string key, std::function<int(CDeviceLink&)> write);
    bool IsPageReadPending() const { return m_pageReads > 0; }
    bool IsDeviceWorkIdle() const { return m_worker.IsIdle(); }
    // Drops what waits on the worker (logged) and ends the running job's waits.
    void CancelDeviceWork(const QString& why);
    // Cancels, aborts a blocked exchange by closing the command interfaces and
    // waits up to waitMs for the worker to end.
    bool StopDeviceWork(const QString& why, int waitMs = 1000);
    // Opens a command interface on the worker, in place of the one in use: what
    // waited for the old one is dropped and an exchange blocked on it ends.
    // done(opened) runs on the UI thread.
    void OpenCommandInterface(const std::string& path, int type, std::function<void(bool)> done);
    // After a switch to the receiver: asks it until the device behind it
    // answers (at most 26 times), then refreshes the power state.
    void WaitForReceiverLink();

    // Discovery hands over a notification interface: cable types open into the
    // notification link's cable interface, receiver types into its receiver
    // interface, and that interface's reader starts. An interface of the type
    // that is already open is kept.
    virtual void AttachNotification(const std::string& path, int type);
    // Stops the reader of that type's interface and closes the interface.
    virtual void DetachNotification(int type);
    void ReattachNotification(const std::string& path, int type);
    bool IsNotificationAttached(int type);

    // "<user data>/Q-31/<kind name>/", created when missing.
    QString UserDataFolder() const;
    // "<program data>/DefaultData/".
    QString DefaultDataFolder() const;
    // The kind's shipped default profile: "<default data>/<kind name>.Json".
    QString DefaultProfilePath() const;
    // Nonzero also hands the lighting to the program on a keyboard on its cable.
    void EnableLiveLighting(int enable);
    int IsLiveLightingEnabled() const { return m_liveLighting; }

    // Filled in by discovery, in this order, before CreatePage.
    void SetPageXmlPath(const QString& path) { m_pageXmlPath = path; }
    void SetMainWindow(IMessageReceiver* window) { m_mainWindow = window; }
    void SetKeyCount(int count);
    void SetLightCount(int count);
    void SetSelectorIndex(int index) { m_selectorIndex = index; }
    void SetPowerDisplay(int flag);
    void SetDataFolder(const QString& folder) { m_dataFolder = folder; }
    void SetKindName(const QString& name) { m_kindName = name; }
    void SetPowerControl(IDevicePowerControl* control);
    void BindIdentity(const HidInterfaceEntry& entry);
    void SetLightControlName(const QString& name) { m_lightControlName = name; }

    void SetSelectorEntry(QWidget* entry) { m_selectorEntry = entry; }
    QWidget* GetSelectorEntry() const { return m_selectorEntry; }
    IDevicePowerControl* GetPowerControl() const { return m_powerControl; }
    int GetPowerDisplay() const { return m_powerDisplay; }
    int GetKeyCount() const { return m_keyCount; }
    int GetLightCount() const { return m_lightCount; }
    int GetSelectorIndex() const { return m_selectorIndex; }
    int GetType() const { return m_type; }
    int GetChannel() const { return m_channel; }
    int GetStatusPollingOff() const { return m_statusPollingOff; }
    void SetStatusPollingOff(int off) { m_statusPollingOff = off; }
    const HidInterfaceEntry& GetIdentity() const { return m_identity; }
    void SetLightEditor(IDeviceLightEditor* editor) { m_lightEditor = editor; }
    // The page's lighting editor ("LightControlItem"), bound by CreatePage; null when the page has none.
    CLightControlUI* LightEditor() const { return m_lightControl; }
    void SetPreviewRefresh(int refresh) { m_previewRefresh = refresh; }
    int GetPreviewRefresh() const { return m_previewRefresh; }
    // True when a light record changed since the last call: the preview
    // repaints the page only then.
    bool TakeLightChange() { return m_lightRecords.ChangedSince(m_paintedRecords); }
    QString GetPageXmlPath() const { return m_pageXmlPath; }
    QString GetDataFolder() const { return m_dataFolder; }
    QString GetKindName() const { return m_kindName; }
    QString GetLightControlName() const { return m_lightControlName; }
    int GetSelectedKey() const { return m_selectedKey; }
    CSelectPanelUI* GetSelectPanel() const { return m_selectPanel; }
    CDeviceKeyButtonUI* GetKeyButton(int index) const;
    CDeviceKeyButtonUI* GetLightButton(int index) const;
    LightSettings GetLightSettingsBytes() const;
    CDeviceLink& CommandLink() { return m_commandLink; }
    CDeviceLink& NotificationLink() { return m_notificationLink; }
    // Add to the window's paint manager: passes on the notifications of this page's controls.
    INotifyUI& PageNotifier() { return m_pageNotifier; }

signals:
    // A macro block that could not be written: what the user is told.
    void MacroMessageShown(const QString& text);
    // A message of the page by its language text id, as it is shown.
    void PageMessageShown(const QString& textId);

protected:
    // Every code a notification reader decodes, on that reader's thread. The
    // base asks the selector entry to read the device's state again on 0x0401.
    virtual void OnNotificationCode(int type, std::uint16_t code);
    // Safe from any thread: starts one of the selector entry's timers on the UI thread.
    void StartEntryTimerLater(UINT timerId, UINT elapseMs);
    // How long after the device asks to be read again the read starts.
    void SetSyncDelay(UINT delayMs) { m_syncDelayMs = delayMs; }
    // Loads the profile the device's profile list selects; the first start
    // creates the list and the profile document from the shipped default.
    void LoadSelectedProfile(CBasicProfiledata& profile);
    // The profile's light settings become those the effects and the device use.
    void TakeLightSettings(const LightSettings& light);
    // Tells the user, in a message box, why a macro block was not written;
    // nothing for a block that was written.
    void ShowMacroWriteMessage(int result);
    // The names of the device's macro list, in list order.
    QStringList MacroNames() const;
    int MacroCount() const { return int(MacroNames().size()); }
    // The codes the device knows its light modes by, in mode index order.
    std::vector<std::uint8_t> LightModeCodes(int kindIndex) const;
    // From ApplyProfile, once the light settings are taken: the custom effect
    // the light mode plays (from the device's folder) and the per-light list.
    void LoadProfileLighting(const CBasicProfiledata& profile, int kindIndex);
    // On the preview thread: one pass of the custom effect, one of the per-light effects.
    void StepCustomLightingList();
    void StepPerLightList();
    // Page set-up of the lighting editor: the kind that selects its layout
    // (1 keyboard, 2 mouse, 3 mouse pad, 7 headset), the name lists, then the
    // effect list of the kind index.
    void SetUpLightEditor(int deviceKind, int kindIndex);
    // The editor shows the light settings the device uses.
    void ShowLightEditor();
    // Page set-up of the key editor: its categories for the page, the macro names.
    void SetUpKeyEditor(q31::keys::Page page, const QStringList& macroNames);
    // Every key's caption and key-set badge, after a change of the key list.
    virtual void ShowKeyCaptions() {}
    // A message box with the text of a language id; the signal tells it first.
    void ShowPageMessage(const QString& textId);
    // Saves the profile document; a failure is logged.
    void SaveProfileDocument(CBasicProfiledata& profile);
    // On the worker: the macro download of WriteMacros, each command sent directly.
    virtual int DownloadMacros(const q31::macros::MacroFolder& folder, const std::vector<int>& macros);
    // Derived destructors call this first, so that no reader or job calls
    // into a half-destroyed object.
    void StopDeviceThreads();
    // Queued to the page: dropped when the page is gone first.
    void PostResult(std::function<void()> call);
    // Reads the status record for the power control and the main window; only
    // while the link is open, polling is on and the device answers its receiver.
    void ReadPowerStatus();
    // The line under the profile bar after a write: shown on a failure, hidden on a success.
    void ShowWriteResult(bool written);
    // Hands the frame's first length bytes to the worker to stream, on the
    // cable only. At most one send waits; a newer frame replaces it.
    void OfferLiveFrame(const q31::devices::LiveFrame& frame, std::size_t length);
    // The device holds no frame of ours any more: the next one goes out at once.
    void ForgetLiveFrame() { m_liveFrames.Forget(); }

    class CPageNotifier : public INotifyUI {
    public:
        explicit CPageNotifier(CHalvorinUSBDevice& page) : m_page(page) {}
        void Notify(TNotifyUI& msg) override;

    private:
        CHalvorinUSBDevice& m_page;
    };

    CDeviceLink m_commandLink;
    CDeviceLink m_notificationLink;
    IDeviceLightEditor* m_lightEditor = nullptr;
    QPointer<CLightControlUI> m_lightControl;
    QPointer<CKeySetControlUI> m_keyEditor;
    CSelectPanelUI* m_selectPanel = nullptr;
    QWidget* m_selectorEntry = nullptr;
    IDevicePowerControl* m_powerControl = nullptr;
    CTabLayoutUI* m_functionPanel = nullptr;
    CTabLayoutUI* m_keyFunctionPanel = nullptr;
    QString m_pageXmlPath;
    IMessageReceiver* m_mainWindow = nullptr;
    QString m_dataFolder;
    QString m_lightControlName;
    QString m_kindName;
    int m_type = 0;
    int m_channel = 0;
    int m_keyCount = 0;
    int m_lightCount = 0;
    int m_selectorIndex = -1;
    int m_selectedKey = -1;
    int m_functionPanelType = 1;
    std::vector<CDeviceKeyButtonUI*> m_keyButtons;
    std::vector<CDeviceKeyButtonUI*> m_lightButtons;
    std::map<int, int> m_functionMap;
    std::map<int, int> m_keyLightMap;
    std::map<int, int> m_extraMap;
    q31::devices::CLightRecords m_lightRecords;
    // The 14 bytes as four words (bytes 0-3, 4-7, 8-11, 12-13), low byte first;
    // written on the UI thread, read by the effect workers.
    std::array<std::atomic<DWORD>, 4> m_lightSettings{};
    Json::Value m_documents[3];
    std::recursive_mutex m_customLightingLock;
    std::recursive_mutex m_lightLock;
    std::vector<CustomEffectStep> m_customLighting;
    std::vector<LightSettings> m_perLightSettings;
    int m_customLightingPosition = 0;
    int m_customLightingLength = 0;
    // The players' state, for the life of the device; only the preview thread steps them.
    q31::devices::CustomEffectPlayer m_customPlayer;
    std::vector<q31::devices::PerLightState> m_perLightStates;
    std::atomic<int> m_liveLighting{1};
    std::atomic<int> m_previewRefresh{1};
    q31::devices::EffectState m_effect;
    q31::devices::CKeyLights m_keyLights;
    int m_powerDisplay = 0;
    std::atomic<int> m_statusPollingOff{0};
    HidInterfaceEntry m_identity{};
    int m_kindIndex = 0;
    std::array<DWORD, 3> m_lightInfo{};
    q31::devices::CNotificationReader m_cableReader{"cable notifications"};
    q31::devices::CNotificationReader m_receiverReader{"receiver notifications"};
    // Steps the software effects into the light records; the derived class
    // starts it with its own thresholds and steps.
    q31::devices::CLightTicker m_lightTicker;

private:
    // Finds the two function tab layouts of the page on first use.
    void FindFunctionPanels();
    void StopNotificationReaders();
    void BeginPageRead();
    void EndPageRead();

    // One page read: begun when made, ended when its result arrives - or, for a
    // read dropped unrun (superseded, cancelled, unplugged), when the last copy
    // of its job goes, so the page's controls never stay disabled.
    class CPageReadTicket {
    public:
        explicit CPageReadTicket(CHalvorinUSBDevice& page) : m_page(&page), m_pageLife(page.m_life)
        {
            page.BeginPageRead();
        }
        // A result still queued when the page goes is dropped while the page is
        // half destroyed: its life has ended by then, and there is nothing to end.
        // Dropped on the worker instead, the page waits for the worker before it goes.
        ~CPageReadTicket()
        {
            if (!m_ended && !m_pageLife.expired())
                m_page->PostResult([page = m_page] { page->EndPageRead(); });
        }
        CPageReadTicket(const CPageReadTicket&) = delete;
        CPageReadTicket& operator=(const CPageReadTicket&) = delete;
        // On the UI thread, as the result arrives.
        void End()
        {
            if (!m_ended.exchange(true))
                m_page->EndPageRead();
        }

    private:
        CHalvorinUSBDevice* m_page;
        std::weak_ptr<const bool> m_pageLife;
        std::atomic<bool> m_ended{false};
    };
    // Ends as the page's destruction begins, before its worker stops.
    std::shared_ptr<const bool> m_life = std::make_shared<const bool>(true);
    // Enables the page's write controls while no page read is pending.
    void UpdateWriteControls();

    CPageNotifier m_pageNotifier{*this};
    CHidDevice& NotificationInterface(int type);
    q31::devices::CNotificationReader& ReaderOf(int type);

    q31::devices::CLiveFrameStream m_liveFrames;
    std::vector<std::uint32_t> m_paintedRecords;
    int m_pageReads = 0;
    std::atomic<UINT> m_syncDelayMs{500};
    // Last, so it is gone before anything its jobs use.
    q31::devices::CDeviceWorker m_worker;
};
